#include "core/Corpo.h"

namespace zelmora::corpo {

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(AppMajor).arg(AppMinor).arg(AppRevision);
}

} // namespace zelmora::corpo
