#include "ui/NewVersion.h"

#include "app/Forms.h"
#include "app/Program.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "core/RuntimeError.h"
#include "net/VersionCheck.h"
#include "ui/frmNewVersion.h"

namespace zelmora {

bool NewVersion(Program &program)
{
    // The answer is kept in memory only: no file in a folder other users can write. A failed
    // download is silent.
    const Result<QByteArray> answer = DownloadFile(versionQueryAddress(program.versionServer));
    if (!answer)
        return true;
    const QString local = corpo::versionText();
    const Result<QString> remote = firstLine(*answer);
    const Result<VersionOrder> order =
        remote ? compareVersions(local, *remote) : Result<VersionOrder>(remote.error());
    if (!order) {
        reportError(*program.ui, order.error(), QStringLiteral("NewVersion"), {},
                    MessageIcon::None);
        return true;
    }
    if (*order != VersionOrder::Newer)
        return true;
    {
        frmNewVersion window(*program.ui);
        window.Form_Load();
        window.localVersion = local;
        window.remoteVersion = *remote;
        window.exec();
    }
    UnloadAllFormsExcept(QString());
    program.ending.End();
    return false;
}

} // namespace zelmora
