#include "app/DataFolder.h"

#include "app/AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zelmora {

namespace {

// Copies a shipped file the user's folder does not have yet; an existing copy is the user's.
void copyIfMissing(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) || !QFileInfo(from).isFile())
        return;
    if (QFile::copy(from, to))
        // The shipped file may be read-only; the user's copy is the user's to change.
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
}

} // namespace

QString dataFolder(const QString &programFolder, const QString &userFolder, bool programWritable)
{
    if (programWritable)
        return programFolder;
    const QString user = GetAppPath(userFolder);
    if (!QDir().mkpath(user + QStringLiteral("images")))
        return programFolder;

    copyIfMissing(programFolder + QStringLiteral("ruote.grc"), user + QStringLiteral("ruote.grc"));
    const QDir images(programFolder + QStringLiteral("images"));
    for (const QString &name : images.entryList(QDir::Files))
        copyIfMissing(images.filePath(name), user + QStringLiteral("images/") + name);
    return user;
}

QString dataFolder(const QString &programFolder)
{
    return dataFolder(programFolder, userDataFolder(), folderWritable(programFolder));
}

QString existingDataFolder(const QString &programFolder)
{
    return folderWritable(programFolder) ? programFolder : userDataFolder();
}

QString userDataFolder()
{
    return GetAppPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      QStringLiteral("/Zelmoravintesca"));
}

bool folderWritable(const QString &folder)
{
    QTemporaryFile probe(GetAppPath(folder) + QStringLiteral(".zelmora-write-XXXXXX"));
    return probe.open();
}

} // namespace zelmora
