#include "ui/NewVersion.h"

#include "app/Forms.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "core/RuntimeError.h"
#include "net/VersionCheck.h"
#include "ui/frmNewVersion.h"

namespace zelmora {

bool NewVersion()
{
    try {
        // The answer is kept in memory only: no file in a folder other users can write.
        QByteArray answer;
        const QString local = corpo::versionText();
        if (!DownloadFile(versionQueryAddress(), answer, true))
            return true;
        const QString remote = firstLine(answer);
        if (compareVersions(local, remote) != VersionOrder::Newer)
            return true;
        frmNewVersion window;
        window.Form_Load();
        window.localVersion = local;
        window.remoteVersion = remote;
        window.exec();
    } catch (const RuntimeError &error) {
        plainMessage(moduleErrorMessage(error, QStringLiteral("NewVersion")));
        return true;
    }
    UnloadAllFormsExcept(QString());
    End();
    return false;
}

} // namespace zelmora
