#include "core/ArchiveText.h"

#include "core/DrawDate.h"
#include "core/TextLines.h"
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
    return digitsValue(text, 1, 3);
}

// Splits a line into at most N fields at runs of separators; nothing when it has more.
template <std::size_t N> std::optional<std::array<QStringView, N>> fieldsOf(QStringView line)
{
    std::array<QStringView, N> fields;
    std::size_t count = 0;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const qsizetype start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (count == N)
            return std::nullopt;
        fields[count++] = line.mid(start, i - start);
    }
    if (count != N)
        return std::nullopt;
    return fields;
}

// Five different numbers from 1 to 90 in five fields.
std::optional<std::array<std::uint8_t, 5>> numbersOf(const QStringView *fields)
{
    std::array<std::uint8_t, 5> numbers{};
    std::array<bool, 91> seen{};
    for (std::size_t n = 0; n < 5; ++n) {
        const int value = numberValue(fields[n]);
        if (value < 1 || value > 90 || seen[std::size_t(value)])
            return std::nullopt;
        seen[std::size_t(value)] = true;
        numbers[n] = std::uint8_t(value);
    }
    return numbers;
}

} // namespace

std::optional<Draw> parseDrawLine(QStringView line)
{
    // Date, wheel and five numbers: exactly seven fields; a run of separators is one.
    const auto fields = fieldsOf<7>(line);
    if (!fields)
        return std::nullopt;
    Draw draw;
    draw.date = parseDrawDate((*fields)[0]);
    draw.wheel = wheelIndex((*fields)[1]);
    if (!draw.date.isValid() || draw.wheel == kNoWheel)
        return std::nullopt;
    const auto numbers = numbersOf(fields->data() + 2);
    if (!numbers)
        return std::nullopt;
    draw.numbers = *numbers;
    return draw;
}

std::optional<std::array<std::uint8_t, 5>> parseDrawnNumbers(QStringView text)
{
    const auto fields = fieldsOf<5>(text);
    if (!fields)
        return std::nullopt;
    return numbersOf(fields->data());
}

void ArchiveReading::readLine(QByteArrayView line, QList<Draw> *into)
{
    ++linesRead;
    std::optional<Draw> draw;
    if (line.size() <= kMaxDrawLineBytes) {
        // Archives are plain ASCII; any other byte makes the line unreadable, whatever the
        // code page it came in.
        const QString text = QString::fromLatin1(line);
        const QStringView content = QStringView(text).trimmed();
        if (content.isEmpty() || content.startsWith(u'#'))
            return;
        draw = parseDrawLine(content);
    }
    if (draw) {
        if (into)
            into->append(*draw);
        else
            ++leftOut;
        return;
    }
    if (skippedLines.size() < kSkippedLinesKept)
        skippedLines.append(linesRead);
    ++skippedCount;
}

ArchiveReading parseArchiveText(const QByteArray &bytes, const ArchiveProgress &progress)
{
    ArchiveReading reading;
    if (bytes.contains('\0')) {
        reading.notText = true;
        return reading;
    }
    // Often enough for a stop to be felt at once, seldom enough to cost nothing.
    constexpr int kProgressLines = 8192;
    const qsizetype bom = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    TextLines lines(QByteArrayView(bytes).sliced(bom));
    while (!lines.atEnd()) {
        if (progress && reading.linesRead % kProgressLines == 0 &&
            !progress(bom + lines.position(), bytes.size())) {
            reading.interrupted = true;
            break;
        }
        reading.readLine(lines.next(), &reading.draws);
    }
    return reading;
}

} // namespace zelmora
