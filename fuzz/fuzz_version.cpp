// Feeds arbitrary bytes to the reader of the server's raw answer (status line, headers, a body
// by length, in chunks or to the end), whole and split at a point the input chooses: both
// must read the same, and never keep more than the limits allow. Then the bytes are taken as
// an answer's body: its first line is compared with this program's version. RuntimeError (an
// empty answer, a version with too few fields) is expected. Whenever both comparisons can be
// made the two orders must agree: a newer server version means the local one is older than
// it, and the reverse.
#include "core/Corpo.h"
#include "core/RuntimeError.h"
#include "net/VersionCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const QString kLocal = zelmora::corpo::versionText();

// Reads the raw answer in two pieces, split at `at`, then ends the connection.
zelmora::HttpAnswerReader readAnswer(const char *data, qsizetype size, qsizetype at)
{
    zelmora::HttpAnswerReader reader;
    reader.feed(data, at);
    reader.feed(data + at, size - at);
    reader.finish();
    return reader;
}

std::optional<zelmora::VersionOrder> order(const QString &local, const QString &server)
{
    try {
        return zelmora::compareVersions(local, server);
    } catch (const zelmora::RuntimeError &) {
        return std::nullopt;
    }
}

zelmora::VersionOrder reversed(zelmora::VersionOrder o)
{
    using zelmora::VersionOrder;
    return o == VersionOrder::Newer   ? VersionOrder::Older
           : o == VersionOrder::Older ? VersionOrder::Newer
                                      : VersionOrder::Same;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    const qsizetype length = qsizetype(size);
    const zelmora::HttpAnswerReader whole = readAnswer(bytes, length, length);
    const zelmora::HttpAnswerReader split =
        readAnswer(bytes, length, length == 0 ? 0 : qsizetype(data[0]) * 131 % (length + 1));
    if (whole.state() != split.state() || whole.body() != split.body() ||
        whole.status() != split.status() || whole.location() != split.location()) {
        std::fprintf(stderr, "the answer reads differently when it arrives in two pieces\n");
        std::abort();
    }
    if (whole.body().size() > zelmora::kMaxAnswerBody) {
        std::fprintf(stderr, "more body kept than the limit\n");
        std::abort();
    }

    QString line;
    try {
        line = zelmora::firstLine(QByteArray(bytes, length));
    } catch (const zelmora::RuntimeError &) {
        return 0;
    }
    if (line.contains(u'\r') || line.contains(u'\n')) {
        std::fprintf(stderr, "the first line holds a line end\n");
        std::abort();
    }

    const auto forward = order(kLocal, line);
    const auto backward = order(line, kLocal);
    if (forward && backward && *backward != reversed(*forward)) {
        std::fprintf(stderr, "the two comparisons disagree\n");
        std::abort();
    }
    if (order(line, line) != zelmora::VersionOrder::Same) {
        std::fprintf(stderr, "a version differs from itself\n");
        std::abort();
    }
    return 0;
}
