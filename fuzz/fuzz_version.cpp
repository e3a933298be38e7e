// Takes arbitrary bytes as the server's answer: its first line is compared with this
// program's version. An error (an empty answer, a version with too few fields) is expected.
// Whenever both comparisons can be made the two orders must agree: a newer server version
// means the local one is older than it, and the reverse.
#include "FuzzFailure.h"
#include "core/Corpo.h"
#include "core/RuntimeError.h"
#include "net/VersionCheck.h"

#include <cstdint>
#include <optional>

namespace {

const QString kLocal = zelmora::corpo::versionText();

std::optional<zelmora::VersionOrder> order(const QString &local, const QString &server)
{
    const auto result = zelmora::compareVersions(local, server);
    return result ? std::optional(*result) : std::nullopt;
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
    const auto first = zelmora::firstLine(QByteArray(bytes, length));
    if (!first)
        return 0;
    const QString line = *first;
    if (line.contains(u'\r') || line.contains(u'\n')) {
        fuzzFailure("the first line holds a line end");
    }

    const auto forward = order(kLocal, line);
    const auto backward = order(line, kLocal);
    if (forward && backward && *backward != reversed(*forward)) {
        fuzzFailure("the two comparisons disagree");
    }
    if (order(line, line) != zelmora::VersionOrder::Same) {
        fuzzFailure("a version differs from itself");
    }
    return 0;
}
