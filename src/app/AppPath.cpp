#include "app/AppPath.h"

#include <QCoreApplication>

namespace zelmora {

QString GetAppPath(const QString &folder)
{
    QString path = folder.trimmed();
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

QString GetAppPath()
{
    return GetAppPath(QCoreApplication::applicationDirPath());
}

} // namespace zelmora
