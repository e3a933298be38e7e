#include "core/ArchiveFile.h"

#include "core/FileIO.h"
#include "core/RuntimeError.h"

#include <QFileInfo>
#include <cstring>
#include <unistd.h>

namespace zelmora {

namespace {

// Reads the lines that follow the part of a stored archive parsed whole, a block at a time:
// their draws are counted in leftOut, their bad lines numbered on from the head's, and a NUL
// byte makes the whole file not text. A line longer than any draw line is kept only as far as
// a draw line can reach, so the reading costs the same memory, and time in proportion to its
// size, however long its lines are. `afterCr` says the head ended with a CR, whose LF may open
// the rest.
Result<void> readRestOfStored(int fd, qint64 done, qint64 total, bool afterCr,
                              const ArchiveProgress &progress, ArchiveReading &reading)
{
    constexpr qint64 kBlock = 4 * 1024 * 1024;
    QByteArray line;
    line.reserve(kMaxDrawLineBytes + 1);
    qsizetype lineLength = 0; // the whole line's length, beyond what `line` keeps
    bool lineStarted = false;
    const auto endLine = [&] {
        // A line cut at kMaxDrawLineBytes + 1 bytes is too long for a draw, as the whole is.
        reading.readLine(QByteArrayView(line), nullptr);
        line.clear();
        lineLength = 0;
        lineStarted = false;
    };
    for (;;) {
        if (progress && !progress(done, total)) {
            reading.interrupted = true;
            return {};
        }
        Result<QByteArray> read = readFromFile(fd, kBlock, kBlock);
        if (!read)
            return read.error();
        const QByteArray block = std::move(read).value();
        if (block.isEmpty())
            break;
        done += block.size();
        if (std::memchr(block.constData(), '\0', size_t(block.size()))) {
            reading.notText = true;
            return {};
        }
        const char *at = block.constData();
        const char *const end = at + block.size();
        if (afterCr && *at == '\n')
            ++at;
        afterCr = false;
        while (at < end) {
            const char *stop = at;
            while (stop < end && *stop != '\n' && *stop != '\r')
                ++stop;
            const qsizetype room = kMaxDrawLineBytes + 1 - line.size();
            line.append(at, std::min<qsizetype>(room, stop - at));
            lineLength += stop - at;
            lineStarted = lineStarted || stop > at;
            if (stop == end)
                break;
            // A line ends at LF, CR LF or CR; a CR at the block's end may have its LF next.
            if (*stop == '\r') {
                if (stop + 1 < end && stop[1] == '\n')
                    ++stop;
                else if (stop + 1 == end)
                    afterCr = true;
            }
            at = stop + 1;
            endLine();
        }
    }
    if (lineStarted)
        endLine();
    return {};
}

// Reads up to maxBytes from the file's start a block at a time, asking `progress` whether to
// go on between blocks; what was read when it said no.
Result<QByteArray> readHead(int fd, qint64 maxBytes, qint64 sizeHint,
                            const ArchiveProgress &progress)
{
    constexpr qint64 kBlock = 4 * 1024 * 1024;
    QByteArray bytes;
    bytes.reserve(qsizetype(std::max<qint64>(sizeHint, 0)));
    while (bytes.size() < maxBytes) {
        if (progress && !progress(0, sizeHint))
            break;
        Result<QByteArray> block = readFromFile(fd, std::min(kBlock, maxBytes - bytes.size()),
                                                std::min(kBlock, sizeHint - bytes.size()));
        if (!block)
            return block.error();
        if (block->isEmpty())
            break;
        bytes += *block;
    }
    return bytes;
}

Result<ArchiveReading> readArchive(const QString &path, qint64 maxBytes,
                                   const ArchiveProgress &progress, bool stored)
{
    const Result<ReadableFile> file = openRegularFile(path);
    if (!file)
        return file.error();
    const int fd = file->fd();
    const qint64 size = file->size();
    if (size > maxBytes && !stored)
        return RuntimeError(RuntimeError::OutOfMemory);
    // The size read is capped too: the file may grow between the look and the read. It is read
    // a block at a time, so a stop is heard while a large file is read.
    Result<QByteArray> read = readHead(fd, maxBytes + 1, std::min(size, maxBytes + 1), progress);
    if (!read)
        return read.error();
    QByteArray bytes = std::move(read).value();
    if (progress && !progress(0, size)) {
        ArchiveReading stopped;
        stopped.interrupted = true;
        return stopped;
    }
    const bool over = bytes.size() > maxBytes;
    if (over && !stored)
        return RuntimeError(RuntimeError::OutOfMemory);
    qint64 cutAt = bytes.size();
    if (over) {
        // Whole lines only: the one the limit cuts goes with those after it, which are read on
        // from the file.
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
    if (!over || reading.interrupted || reading.notText)
        return reading;
    const bool afterCr = bytes.endsWith('\r');
    bytes = QByteArray(); // the head's text is read: its memory goes before the rest is read
    if (::lseek(fd, cutAt, SEEK_SET) != cutAt)
        return RuntimeError(RuntimeError::DeviceIoError);
    const Result<void> rest = readRestOfStored(fd, cutAt, total, afterCr, progress, reading);
    if (!rest)
        return rest.error();
    if (reading.notText)
        reading.draws.clear();
    return reading;
}

} // namespace

Result<ArchiveReading> readArchiveFile(const QString &path, qint64 maxBytes,
                                       const ArchiveProgress &progress)
{
    return readArchive(path, maxBytes, progress, false);
}

Result<ArchiveReading> readStoredArchive(const QString &path, qint64 maxBytes,
                                         const ArchiveProgress &progress)
{
    return readArchive(path, maxBytes, progress, true);
}

QString overLimitText(qint64 maxBytes)
{
    return QStringLiteral("supera i %1 MiB").arg(maxBytes / (1024 * 1024));
}

QString archiveFailureText(const RuntimeError &error, qint64 maxBytes)
{
    // A failure described in the player's words where it arose keeps them.
    if (error.description() != RuntimeError::describe(error.number()))
        return error.description();
    if (error.number() == RuntimeError::OutOfMemory)
        return overLimitText(maxBytes);
    return fileFailureText(error);
}

} // namespace zelmora
