#include "core/BuildSettings.h"

namespace zelmora {

QString webHost()
{
    return QStringLiteral(ZELMORA_WEB_HOST);
}

} // namespace zelmora
