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
    try {
        const QByteArray bytes = readWholeFile(path, kMaxTextFileBytes).orThrow();
        TextLines lines(bytes);
        const QString folder =
            lines.atEnd() ? QString() : QString::fromUtf8(lines.next()).trimmed();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    } catch (const RuntimeError &) {
        // Not read: the program folder serves.
    }
    return appPath;
}

void rememberArchiveFolder(const QString &appPath, const QString &folder)
{
    try {
        writeWholeFile(memoryPath(appPath), (folder + u'\n').toUtf8()).orThrow();
    } catch (const RuntimeError &) {
        // Not remembered: the next import starts in the program folder.
    }
}

} // namespace zelmora
