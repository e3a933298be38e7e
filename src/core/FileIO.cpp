#include "core/FileIO.h"

#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
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

bool nothingAt(const QString &path)
{
    // A link that leads nowhere is something at the path: it is read, and reported, as it is.
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

QByteArray readWholeFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    // A file that is not there at all is its own case: callers may treat it apart from one
    // that is there but cannot be read.
    struct stat seen;
    if (name.isEmpty() || ::stat(name.constData(), &seen) != 0) {
        if (errno == EACCES)
            throw RuntimeError(RuntimeError::PermissionDenied);
        throw RuntimeError(RuntimeError::FileNotFound);
    }

    // Not blocking: a named pipe opens at once instead of waiting for a writer, and is then
    // refused by its type like any other file that is not a regular one.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw RuntimeError(errno == EACCES ? int(RuntimeError::PermissionDenied)
                                           : int(RuntimeError::PathFileAccessError));
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode))
        throw RuntimeError(RuntimeError::PathFileAccessError);

    QByteArray bytes;
    const qint64 limit = std::max<qint64>(maxBytes, 0);
    // A regular file's size may change while it is read; the limit holds whatever it says.
    bytes.resize(qsizetype(std::min<qint64>(limit, std::max<qint64>(opened.st_size, 0))));
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
            throw RuntimeError(RuntimeError::DeviceIoError);
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    if (!QFileInfo(path).absoluteDir().exists())
        throw RuntimeError(RuntimeError::PathNotFound);
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk, a size limit) shows in write()'s count;
    // through Qt's buffer it can go unnoticed and commit() would keep a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw RuntimeError(errorNumber(file.error(), RuntimeError::PathFileAccessError));
    if (file.write(bytes) != bytes.size()) {
        const int number = errorNumber(file.error(), RuntimeError::DiskFull);
        file.cancelWriting();
        throw RuntimeError(number);
    }
    if (!file.commit())
        throw RuntimeError(errorNumber(file.error(), RuntimeError::PathFileAccessError));
}

} // namespace zelmora
