#include "core/WheelCodes.h"

#include <array>

namespace zelmora {

namespace {

struct Wheel
{
    const char *name;
    const char *code;
    const char *otherCode; // a second code some archives use, or nullptr
};

constexpr std::array<Wheel, kWheelCount> kWheels{{
    {"Bari", "BA", nullptr},
    {"Cagliari", "CA", nullptr},
    {"Firenze", "FI", nullptr},
    {"Genova", "GE", nullptr},
    {"Milano", "MI", nullptr},
    {"Napoli", "NA", nullptr},
    {"Palermo", "PA", nullptr},
    {"Roma", "RM", "RO"},
    {"Torino", "TO", nullptr},
    {"Venezia", "VE", nullptr},
    {"Nazionale", "RN", "NZ"},
}};

bool same(QStringView text, const char *latin1)
{
    return latin1 && text.compare(QLatin1StringView(latin1), Qt::CaseInsensitive) == 0;
}

} // namespace

int wheelIndex(QStringView text)
{
    text = text.trimmed();
    for (int i = 0; i < kWheelCount; ++i) {
        const Wheel &w = kWheels[std::size_t(i)];
        if (same(text, w.name) || same(text, w.code) || same(text, w.otherCode))
            return i;
    }
    return kNoWheel;
}

QString wheelName(int index)
{
    if (index < 0 || index >= kWheelCount)
        return QString();
    return QString::fromLatin1(kWheels[std::size_t(index)].name);
}

QString wheelCode(int index)
{
    if (index < 0 || index >= kWheelCount)
        return QString();
    return QString::fromLatin1(kWheels[std::size_t(index)].code);
}

} // namespace zelmora
