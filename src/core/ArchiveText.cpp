#include "core/ArchiveText.h"

#include "core/DrawDate.h"
#include "core/WheelCodes.h"

#include <array>

namespace zelmora {

namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t' || c == u',' || c == u';';
}

// A lotto number written with one to three digits ("7", "07", "007"), or -1.
int numberValue(QStringView text)
{
    if (text.isEmpty() || text.size() > 3)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<Draw> parseDrawLine(QStringView line)
{
    // Date, wheel and five numbers: exactly seven fields; a run of separators is one.
    std::array<QStringView, 7> fields;
    int count = 0;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const qsizetype start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (count == 7)
            return std::nullopt;
        fields[std::size_t(count++)] = line.mid(start, i - start);
    }
    if (count != 7)
        return std::nullopt;

    Draw draw;
    draw.date = parseDrawDate(fields[0]);
    draw.wheel = wheelIndex(fields[1]);
    if (!draw.date.isValid() || draw.wheel == kNoWheel)
        return std::nullopt;
    std::array<bool, 91> seen{};
    for (int n = 0; n < 5; ++n) {
        const int value = numberValue(fields[std::size_t(n + 2)]);
        if (value < 1 || value > 90 || seen[std::size_t(value)])
            return std::nullopt;
        seen[std::size_t(value)] = true;
        draw.numbers[std::size_t(n)] = std::uint8_t(value);
    }
    return draw;
}

ArchiveReading parseArchiveText(const QByteArray &bytes)
{
    ArchiveReading reading;
    if (bytes.contains('\0')) {
        reading.notText = true;
        return reading;
    }
    qsizetype at = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < bytes.size()) {
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        // Archives are plain ASCII; any other byte makes the line unreadable, whatever the
        // code page it came in.
        const QString line = QString::fromLatin1(bytes.constData() + at, end - at);
        ++reading.linesRead;
        const QStringView content = QStringView(line).trimmed();
        if (!content.isEmpty() && !content.startsWith(u'#')) {
            if (const std::optional<Draw> draw = parseDrawLine(content)) {
                reading.draws.append(*draw);
            } else {
                if (reading.skippedLines.size() < kSkippedLinesKept)
                    reading.skippedLines.append(reading.linesRead);
                ++reading.skippedCount;
            }
        }
        at = end;
        if (at < bytes.size() && bytes[at] == '\r')
            ++at;
        if (at < bytes.size() && bytes[at] == '\n')
            ++at;
    }
    return reading;
}

} // namespace zelmora
