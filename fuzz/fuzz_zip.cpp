// Feeds arbitrary bytes to what the archive's update makes of a download: a ZIP is unpacked
// with libarchive, anything else is the text itself. A text taken from a ZIP is never past
// the limit and always comes from a .txt entry; a refusal is a ZIP that cannot be read or an
// entry past the limit, never anything else; what is not a ZIP comes back as it went in. The
// text is then read as the archive's lines.
#include "FuzzFailure.h"
#include "core/ArchiveText.h"
#include "core/RuntimeError.h"
#include "net/DownloadedText.h"

#include <cstdint>

namespace {

// Small, so the limit itself is tried by inputs of a fuzzer's size.
constexpr qint64 kLimit = 256 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    qint64 asked = 0;
    const auto got = zelmora::downloadedText(bytes, QStringLiteral("storico.zip"), kLimit,
                                             [&asked](qint64 done, qint64) {
                                                 if (done < 0 || done > kLimit)
                                                     fuzzFailure("progress past the limit");
                                                 ++asked;
                                                 return true;
                                             });
    if (!zelmora::looksLikeZip(bytes)) {
        if (!got || got->text != bytes || got->fromZip || asked != 0)
            fuzzFailure("a text that is not a ZIP did not come back as it is");
        return 0;
    }
    if (!got) {
        const int number = got.error().number();
        if (number != zelmora::RuntimeError::BadFileNameOrNumber &&
            number != zelmora::RuntimeError::OutOfMemory)
            fuzzFailure("a ZIP refused for another reason");
        if (got.error().description().isEmpty())
            fuzzFailure("a refusal without a word");
        return 0;
    }
    if (!got->fromZip || got->text.size() > kLimit ||
        !got->name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        fuzzFailure("a ZIP's text past the limit or from an entry that is not a .txt");
    const zelmora::ArchiveReading reading = zelmora::parseArchiveText(got->text);
    if (reading.draws.size() + reading.skippedCount > reading.linesRead)
        fuzzFailure("line counts do not add up");
    return 0;
}
