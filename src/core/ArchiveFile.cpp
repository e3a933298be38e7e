#include "core/ArchiveFile.h"

#include "core/FileIO.h"
#include "core/RuntimeError.h"

#include <QFileInfo>

namespace zelmora {

ArchiveReading readArchiveFile(const QString &path)
{
    const QFileInfo info(path);
    if (nothingAt(path))
        throw RuntimeError(RuntimeError::FileNotFound);
    if (!info.isFile())
        throw RuntimeError(RuntimeError::PathFileAccessError);
    if (info.size() > kMaxArchiveBytes)
        throw RuntimeError(RuntimeError::OutOfMemory);
    // The size read is capped too: the file may grow between the look and the read.
    const QByteArray bytes = readWholeFile(path, kMaxArchiveBytes + 1);
    if (bytes.size() > kMaxArchiveBytes)
        throw RuntimeError(RuntimeError::OutOfMemory);
    return parseArchiveText(bytes);
}

} // namespace zelmora
