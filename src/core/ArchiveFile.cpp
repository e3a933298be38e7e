#include "core/ArchiveFile.h"

#include "core/FileIO.h"
#include "core/RuntimeError.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <unistd.h>

namespace zelmora {

namespace {

// Counts the draws on the lines that follow the part of a stored archive that was read,
// a block at a time, so a file of any size costs no memory.
int countDrawsOnward(int fd, qint64 done, qint64 total, const ArchiveProgress &progress,
                     bool *interrupted)
{
    constexpr qint64 kBlock = 4 * 1024 * 1024;
    int draws = 0;
    QByteArray pending;
    // The draws on whole lines, read as every archive line is; a line the block cuts waits
    // for the next block.
    const auto countLines = [&](QByteArrayView text) {
        draws += int(parseArchiveText(text.toByteArray()).draws.size());
    };
    for (;;) {
        if (progress && !progress(done, total)) {
            *interrupted = true;
            return draws;
        }
        const QByteArray block = readFromFile(fd, kBlock).orThrow();
        if (block.isEmpty())
            break;
        done += block.size();
        pending += block;
        const qsizetype whole = std::max(pending.lastIndexOf('\n'), pending.lastIndexOf('\r')) + 1;
        countLines(QByteArrayView(pending).first(whole));
        pending.remove(0, whole);
    }
    countLines(pending);
    return draws;
}

ArchiveReading readArchive(const QString &path, qint64 maxBytes, const ArchiveProgress &progress,
                           bool stored)
{
    qint64 size = 0;
    const int fd = openRegularFile(path, &size).orThrow();
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    if (size > maxBytes && !stored)
        throw RuntimeError(RuntimeError::OutOfMemory);
    // The size read is capped too: the file may grow between the look and the read.
    QByteArray bytes = readFromFile(fd, maxBytes + 1, std::min(size, maxBytes + 1)).orThrow();
    const bool over = bytes.size() > maxBytes;
    if (over && !stored)
        throw RuntimeError(RuntimeError::OutOfMemory);
    qint64 cutAt = bytes.size();
    if (over) {
        // Whole lines only: the one the limit cuts goes with those after it.
        bytes.truncate(maxBytes);
        const qsizetype lastEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        cutAt = lastEnd + 1;
        bytes.truncate(cutAt);
    }
    const qint64 total = std::max(size, qint64(bytes.size()));
    ArchiveReading reading = parseArchiveText(
        bytes, progress
                   ? ArchiveProgress([&](qint64 done, qint64) { return progress(done, total); })
                   : ArchiveProgress());
    if (over && !reading.interrupted && !reading.notText) {
        ::lseek(fd, cutAt, SEEK_SET);
        reading.leftOut = countDrawsOnward(fd, cutAt, total, progress, &reading.interrupted);
    }
    return reading;
}

} // namespace

Result<ArchiveReading> readArchiveFile(const QString &path, qint64 maxBytes,
                                       const ArchiveProgress &progress)
{
    return catchRuntimeError([&] { return readArchive(path, maxBytes, progress, false); });
}

Result<ArchiveReading> readStoredArchive(const QString &path, qint64 maxBytes,
                                         const ArchiveProgress &progress)
{
    return catchRuntimeError([&] { return readArchive(path, maxBytes, progress, true); });
}

QString overLimitText(qint64 maxBytes)
{
    return QStringLiteral("supera i %1 MiB").arg(maxBytes / (1024 * 1024));
}

QString archiveFailureText(const RuntimeError &error, qint64 maxBytes)
{
    if (error.number() == RuntimeError::OutOfMemory)
        return overLimitText(maxBytes);
    // The stored archive's own troubles are described in the player's words where they arise.
    if (error.number() == RuntimeError::BadFileNameOrNumber)
        return error.description();
    return fileFailureText(error);
}

} // namespace zelmora
