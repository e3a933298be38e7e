#include "core/FileIO.h"

#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelmora {

namespace {
int errorNumber(QFileDevice::FileError error, int fallback)
{
    switch (error) {
    case QFileDevice::PermissionsError:
        return RuntimeError::PermissionDenied;
    case QFileDevice::ResourceError:
        return RuntimeError::DiskFull;
    case QFileDevice::WriteError:
    case QFileDevice::ReadError:
        return RuntimeError::DeviceIoError;
    default:
        return fallback;
    }
}
} // namespace

QString fileFailureText(const RuntimeError &error)
{
    switch (error.number()) {
    case RuntimeError::FileNotFound:
        return QStringLiteral("non esiste");
    case RuntimeError::PathFileAccessError:
        return QStringLiteral("non è un file normale");
    case RuntimeError::PermissionDenied:
        return QStringLiteral("non si ha il permesso di usarlo");
    case RuntimeError::DeviceIoError:
        return QStringLiteral("errore di lettura o scrittura del disco");
    case RuntimeError::DiskFull:
        return QStringLiteral("il disco è pieno");
    case RuntimeError::PathNotFound:
        return QStringLiteral("la cartella non esiste");
    default:
        return QStringLiteral("errore %1 (%2)").arg(error.number()).arg(error.description());
    }
}

bool nothingAt(const QString &path)
{
    // A link that leads nowhere is something at the path: it is read, and reported, as it is.
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

bool isFolder(const QString &path)
{
    struct stat seen;
    return ::lstat(QFile::encodeName(path).constData(), &seen) == 0 && S_ISDIR(seen.st_mode);
}

ReadableFile::~ReadableFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Result<ReadableFile> openRegularFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // A file that is not there at all is its own case: callers may treat it apart from one
    // that is there but cannot be read.
    struct stat seen;
    if (name.isEmpty() || ::stat(name.constData(), &seen) != 0)
        return RuntimeError(errno == EACCES ? int(RuntimeError::PermissionDenied)
                                            : int(RuntimeError::FileNotFound));

    // Not blocking: a named pipe opens at once instead of waiting for a writer, and is then
    // refused by its type like any other file that is not a regular one.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return RuntimeError(errno == EACCES ? int(RuntimeError::PermissionDenied)
                                            : int(RuntimeError::PathFileAccessError));
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return RuntimeError(RuntimeError::PathFileAccessError);
    }
    return ReadableFile(fd, std::max<qint64>(opened.st_size, 0));
}

Result<QByteArray> readFromFile(int fd, qint64 maxBytes, qint64 sizeHint)
{
    QByteArray bytes;
    const qint64 limit = std::max<qint64>(maxBytes, 0);
    // A regular file's size may change while it is read; the limit holds whatever it says.
    bytes.resize(qsizetype(std::min<qint64>(limit, std::max<qint64>(sizeHint, 0))));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled >= limit)
                break;
            bytes.resize(qsizetype(std::min<qint64>(limit, filled + 4096)));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return RuntimeError(RuntimeError::DeviceIoError);
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

Result<QByteArray> readWholeFile(const QString &path, qint64 maxBytes)
{
    const Result<ReadableFile> file = openRegularFile(path);
    if (!file)
        return file.error();
    return readFromFile(file->fd(), maxBytes, file->size());
}

Result<void> writeWholeFile(const QString &path, const QByteArray &bytes)
{
    if (!QFileInfo(path).absoluteDir().exists())
        return RuntimeError(RuntimeError::PathNotFound);
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk, a size limit) shows in write()'s count;
    // through Qt's buffer it can go unnoticed and commit() would keep a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return RuntimeError(errorNumber(file.error(), RuntimeError::PathFileAccessError));
    if (file.write(bytes) != bytes.size()) {
        const int number = errorNumber(file.error(), RuntimeError::DiskFull);
        file.cancelWriting();
        return RuntimeError(number);
    }
    if (!file.commit())
        return RuntimeError(errorNumber(file.error(), RuntimeError::PathFileAccessError));
    return {};
}

namespace {

int writeErrorNumber(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return RuntimeError::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return RuntimeError::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return RuntimeError::PathNotFound;
    default:
        return RuntimeError::DeviceIoError;
    }
}

} // namespace

Result<void> replaceOwnFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QFileInfo info(path);
    // A new name in the same folder, so the rename stays on one file system; O_EXCL never
    // opens something already there, a link included.
    int fd = -1;
    QByteArray temporary;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary =
            QFile::encodeName(info.absolutePath() + QStringLiteral("/.%1.%2")
                                                        .arg(info.fileName())
                                                        .arg(QRandomGenerator::global()->generate(),
                                                             8, 16, QLatin1Char('0')));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    0666);
        if (fd < 0 && errno != EEXIST)
            return RuntimeError(writeErrorNumber(errno));
    }
    if (fd < 0)
        return RuntimeError(RuntimeError::PathFileAccessError);
    bool kept = false;
    const auto cleanup = qScopeGuard([&] {
        if (fd >= 0)
            ::close(fd);
        if (!kept)
            ::unlink(temporary.constData());
    });

    // The old file's group and permissions, as a shared folder's users have set them (the
    // group only where this user belongs to it); a first file is for everyone to read.
    struct stat old;
    if (::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (::fchown(fd, uid_t(-1), old.st_gid) != 0) {
            // Not a group of this user's: the folder's own group stands.
        }
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, 0644);
    }

    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return RuntimeError(writeErrorNumber(errno));
        }
        written += n;
    }
    // On the disk before it takes the old file's place: a crash leaves one or the other whole.
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    fd = -1;
    if (!synced || !closed)
        return RuntimeError(writeErrorNumber(!synced ? syncError : closeError));
    if (::rename(temporary.constData(), target.constData()) != 0)
        return RuntimeError(errno == EISDIR ? int(RuntimeError::PathFileAccessError)
                                            : writeErrorNumber(errno));
    kept = true;
    return {};
}

void removeLeftoverCopies(const QString &path)
{
    const QFileInfo info(path);
    const QByteArray prefix = QFile::encodeName(QStringLiteral(".%1.").arg(info.fileName()));
    DIR *folder = ::opendir(QFile::encodeName(info.absolutePath()).constData());
    if (!folder)
        return;
    const auto closer = qScopeGuard([folder] { ::closedir(folder); });
    const auto isHexDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArrayView name(entry->d_name);
        if (name.size() != prefix.size() + 8 || !name.startsWith(prefix) ||
            !std::all_of(name.end() - 8, name.end(), isHexDigit))
            continue;
        struct stat seen;
        if (::fstatat(::dirfd(folder), entry->d_name, &seen, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(seen.st_mode))
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
}

FileLock::FileLock(const QString &path) : m_path(QFile::encodeName(path)) {}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // the lock goes with the descriptor
}

Result<bool> FileLock::tryLock()
{
    if (m_fd < 0) {
        // Read-only is enough for flock, so a lock file another user made serves every user.
        constexpr int kFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
        bool created = false;
        for (int attempt = 0; m_fd < 0 && attempt < 8; ++attempt) {
            m_fd = ::open(m_path.constData(), kFlags | O_CREAT | O_EXCL, 0644);
            created = m_fd >= 0;
            if (m_fd < 0 && errno == EEXIST)
                m_fd = ::open(m_path.constData(), kFlags);
            if (m_fd < 0 && errno != ENOENT) // ENOENT: removed meanwhile, make it again
                break;
        }
        if (m_fd < 0)
            return RuntimeError(errno == EACCES ? int(RuntimeError::PermissionDenied)
                                                : int(RuntimeError::PathFileAccessError));
        struct stat opened;
        if (::fstat(m_fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(m_fd);
            m_fd = -1;
            return RuntimeError(RuntimeError::PathFileAccessError);
        }
        // Readable by every user whatever the umask; a lock this user made unreadable for
        // others, as an older copy under a strict umask did, is mended too.
        if (created || (opened.st_uid == ::geteuid() && (opened.st_mode & 0044) != 0044))
            ::fchmod(m_fd, (opened.st_mode & 07777) | 0644);
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return false;
    return RuntimeError(RuntimeError::PathFileAccessError);
}

} // namespace zelmora
