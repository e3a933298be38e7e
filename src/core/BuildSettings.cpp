#include "core/BuildSettings.h"

namespace zelmora {

QString webHost()
{
    return QStringLiteral(ZELMORA_WEB_HOST);
}

QString archiveUrl()
{
    return QStringLiteral(ZELMORA_ARCHIVE_URL);
}

} // namespace zelmora
