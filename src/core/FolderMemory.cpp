#include "core/FolderMemory.h"

#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

#include <QFileInfo>

namespace zelmora {

namespace {

QString memoryPath(const QString &appPath)
{
    return appPath + QStringLiteral("cartelle.cfg");
}

} // namespace

QString archiveFolder(const QString &appPath)
{
    const QString path = memoryPath(appPath);
    if (nothingAt(path))
        return appPath;
    // Not read: the program folder serves.
    const Result<QByteArray> bytes = readWholeFile(path, kMaxTextFileBytes);
    if (!bytes)
        return appPath;
    TextLines lines(*bytes);
    const QString folder = lines.atEnd() ? QString() : QString::fromUtf8(lines.next()).trimmed();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return appPath;
}

void rememberArchiveFolder(const QString &appPath, const QString &folder)
{
    // Not remembered: the next import starts in the program folder.
    const Result<void> written = writeWholeFile(memoryPath(appPath), (folder + u'\n').toUtf8());
    Q_UNUSED(written);
}

} // namespace zelmora
