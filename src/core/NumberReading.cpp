#include "core/NumberReading.h"

#include "core/Format.h"

#include <cmath>

namespace zelmora {

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    double value = 0.0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10.0 + (text[i].unicode() - u'0');
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            value += (text[i].unicode() - u'0') * scale;
            scale /= 10.0;
            ++i;
        }
    }
    return negative ? -value : value;
}

int wholeValue(const QString &text)
{
    const double rounded = roundHalfEven(leadingNumber(text));
    // Keep absurd inputs ("99999999999999") inside the int range; every caller range-checks.
    if (rounded > 1e9)
        return 1000000000;
    if (rounded < -1e9)
        return -1000000000;
    return int(rounded);
}

std::optional<double> readAmount(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QString digits;
    bool sawComma = false;
    bool sawDigit = false;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        i = 1;
    }
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            digits += c;
            sawDigit = true;
        } else if (c == u',') {
            if (sawComma)
                return std::nullopt;
            sawComma = true;
            digits += u'.';
        } else if (c == u'.' && !sawComma && sawDigit) {
            continue; // thousands separator
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit)
        return std::nullopt;
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace zelmora
