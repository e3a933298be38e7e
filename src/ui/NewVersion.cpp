#include "ui/NewVersion.h"

#include "app/Forms.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "core/RuntimeError.h"
#include "net/VersionCheck.h"
#include "ui/frmNewVersion.h"

#include <QFile>

namespace zelmora {

void NewVersion()
{
    try {
        const QString localFile = GetTempFolder() + QStringLiteral("ver_zelmora.txt");
        const QString local = corpo::versionText();
        if (!DownloadFile(versionQueryAddress(), localFile, true))
            return;
        const QString remote = readFirstLine(localFile);
        if (compareVersions(local, remote) != VersionOrder::Newer) {
            QFile::remove(localFile);
            return;
        }
        frmNewVersion window;
        window.Form_Load();
        window.localVersion = local;
        window.remoteVersion = remote;
        window.exec();
    } catch (const RuntimeError &error) {
        ui().MsgBox(moduleErrorMessage(error, QStringLiteral("NewVersion")));
        return;
    }
    UnloadAllFormsExcept(QString());
    End();
}

} // namespace zelmora
