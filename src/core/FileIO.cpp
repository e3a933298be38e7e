#include "core/FileIO.h"

#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(RuntimeError::FileNotFound);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(errorNumber(file.error(), RuntimeError::PathFileAccessError));
    QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(errorNumber(file.error(), RuntimeError::DeviceIoError));
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
