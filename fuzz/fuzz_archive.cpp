// Feeds arbitrary bytes to the draws archive reader. Every draw it accepts must be one a
// wheel can have: a valid date, a known wheel, five different numbers from 1 to 90. The
// archive merged from them, stored and read back, must give the same draws with no line
// skipped, so the program always reads its own stored archive.
#include "FuzzFailure.h"
#include "core/ArchiveText.h"
#include "core/DrawArchive.h"
#include "core/WheelCodes.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const zelmora::ArchiveReading reading = zelmora::parseArchiveText(bytes);
    if (reading.skippedLines.size() > zelmora::kSkippedLinesKept ||
        reading.skippedCount > reading.linesRead ||
        reading.draws.size() + reading.skippedCount > reading.linesRead)
        fuzzFailure("line counts do not add up");
    for (const zelmora::Draw &draw : reading.draws) {
        if (!draw.date.isValid() || draw.wheel < 0 || draw.wheel >= zelmora::kWheelCount)
            fuzzFailure("a draw without a date or a wheel");
        bool seen[91] = {};
        for (std::uint8_t n : draw.numbers) {
            if (n < 1 || n > 90 || seen[n])
                fuzzFailure("a draw with a number out of range or twice");
            seen[n] = true;
        }
    }

    zelmora::DrawArchive archive;
    archive.merge(reading.draws);
    const QByteArray stored = archive.toText();
    const zelmora::ArchiveReading again = zelmora::parseArchiveText(stored);
    if (again.skippedCount != 0 || again.draws.size() != archive.size())
        fuzzFailure("the stored archive does not read back whole");
    zelmora::DrawArchive reread;
    reread.merge(again.draws);
    if (reread.toText() != stored)
        fuzzFailure("the stored archive reads back different");
    return 0;
}
