// Feeds arbitrary bytes to the version answer reader as a downloaded file, then compares the
// first line with this program's version. RuntimeError (an empty answer, a version with too
// few fields) is expected. Whenever both comparisons can be made the two orders must agree:
// a newer server version means the local one is older than it, and the reverse.
#include "core/RuntimeError.h"
#include "net/VersionCheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

QTemporaryDir *g_dir = nullptr;
const QString kLocal = QStringLiteral("0.1.4");

// A new file every time: rewriting one in place makes ext4 flush it to disk on close, which
// slows the run down several times over.
void writeBytes(const QString &path, const char *data, qsizetype size)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
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
    return o == VersionOrder::Newer ? VersionOrder::Older
         : o == VersionOrder::Older ? VersionOrder::Newer
                                    : VersionOrder::Same;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    g_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/zelmora-fuzz-XXXXXX"));
    if (!g_dir->isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = g_dir->filePath(QStringLiteral("ver_zelmora.txt"));
    writeBytes(path, reinterpret_cast<const char *>(data), qsizetype(size));

    QString line;
    try {
        line = zelmora::readFirstLine(path);
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
