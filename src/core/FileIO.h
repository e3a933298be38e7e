#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <utility>

namespace zelmora {

// The most the wheels list and the settings file can sensibly hold; the rest of a longer file
// is not read.
constexpr qint64 kMaxTextFileBytes = 64 * 1024;

// Whole-file reading and writing; a failure is the error: 53 for a missing
// file, 70 when access is refused, 75 for a path that cannot be opened, 57 or 61 when writing
// fails half-way.
// Only a regular file is read (a link to one is followed): a folder, a named pipe, a device
// or a socket is refused with 75, as a file that cannot be opened, and never waited on. At
// most maxBytes are read; the rest of a longer file is ignored.
Result<QByteArray> readWholeFile(const QString &path, qint64 maxBytes);

// A regular file open for reading, with its size when opened; closed when this goes.
class ReadableFile
{
public:
    ReadableFile(int fd, qint64 size) : m_fd(fd), m_size(size) {}
    ReadableFile(ReadableFile &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size)
    {
    }
    ReadableFile &operator=(ReadableFile &&) = delete;
    ~ReadableFile();
    int fd() const { return m_fd; }
    qint64 size() const { return m_size; }

private:
    int m_fd;
    qint64 m_size;
};

// The two halves of readWholeFile, for a caller that reads on: opens a regular file for
// reading (failures as above).
Result<ReadableFile> openRegularFile(const QString &path);
// Reads at most maxBytes from the descriptor's position; sizeHint sizes the first buffer.
Result<QByteArray> readFromFile(int fd, qint64 maxBytes, qint64 sizeHint = 0);

// Why a file could not be read or written, in the player's words: "non esiste", "non è un
// file normale", ...
QString fileFailureText(const RuntimeError &error);

// True when nothing at all stands at the path: no file, no link, nothing else. A file the
// program writes itself and that is missing in this sense is a new installation's normal state.
bool nothingAt(const QString &path);

// True when a folder itself stands at the path (not a link to one).
bool isFolder(const QString &path);

// Writes a new file beside the old one and puts it in place only when every byte was
// written, so a failed write leaves the earlier file as it was.
Result<void> writeWholeFile(const QString &path, const QByteArray &bytes);

// Writes a file the program keeps for itself in its own folder: a new regular file beside the
// path, flushed to the disk, then renamed onto the path. Whatever stood at the path (a link
// included) is replaced, never written through, so a link planted in a shared folder cannot
// steer the write elsewhere. The new file keeps the old one's permissions and, where the user
// may give it, its group, so a folder shared by a group stays usable by all its users; a first
// file is readable by everyone (0644), whatever the umask. A failure is the error, and leaves
// the path as it was.
Result<void> replaceOwnFile(const QString &path, const QByteArray &bytes);

// Removes what replaceOwnFile leaves beside the path when it is killed half-way: regular files
// named as its new files are (".NAME." and eight hex digits), and nothing else. Only while no
// other write of the path can run, as under the lock that guards it.
void removeLeftoverCopies(const QString &path);

// An exclusive lock on a file of its own, for work that more than one copy of the program may
// do on the same folder: the system holds it (flock) while the object lives and drops it with
// the process, so a copy that died leaves no stale lock. The lock file is opened, never read
// or written, and never through a link: a link or a FIFO planted at its name is refused. A
// lock file is created readable by everyone (0644, whatever the umask): opened for reading, it
// serves every user of a shared folder.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Takes the lock if no one holds it, without waiting; false while another holds it.
    // The error when the lock file cannot be opened (75 for anything but a regular file, 70
    // when access is refused).
    Result<bool> tryLock();

private:
    QByteArray m_path;
    int m_fd = -1;
};

} // namespace zelmora
