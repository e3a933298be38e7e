#include "core/Corpo.h"

namespace zelmora::corpo {

QString gEdition;
QString gAppPath;
QString gIntestazioneStampa;
QString gStampanteTabulato;
bool gInterrompiStampa = false;

QString AppTitle = QStringLiteral("Zelmoravintesca");

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(AppMajor).arg(AppMinor).arg(AppRevision);
}

RuoteList Ruote;

} // namespace zelmora::corpo
