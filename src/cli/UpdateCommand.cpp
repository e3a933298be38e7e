#include "cli/UpdateCommand.h"

#include "cli/CommandInput.h"
#include "core/ArchiveAddress.h"
#include "core/ArchiveStore.h"
#include "net/ArchiveUpdate.h"

#include <QDir>

namespace zelmora {

namespace {

using command::failure;

Result<int> run(const QStringList &arguments, const QString &dataFolder)
{
    if (!arguments.isEmpty())
        return failure(QStringLiteral("argomento sconosciuto: %1\nuso: zelmoravintesca --aggiorna")
                           .arg(arguments.constFirst()));
    if (!QDir().mkpath(dataFolder))
        return failure(QStringLiteral("%1: la cartella non si può creare").arg(dataFolder));
    const Result<ArchiveAddress> address = archiveAddress(dataFolder);
    if (!address)
        return address.error();
    const ArchiveStore store(dataFolder + QString::fromLatin1(ArchiveStore::kFileName));
    const Result<ArchiveUpdate> update = updateArchive(store, address->address);
    if (!update)
        return update.error();
    // The summary on standard output, what the merge had to say beside it on standard error.
    command::StandardOutput output;
    output.write(archiveUpdateSummary(*update) + u'\n');
    if (archiveUpdateHadTrouble(*update)) {
        const QString message = archiveUpdateMessage(*update);
        const QString rest = message.mid(archiveUpdateSummary(*update).size()).trimmed();
        if (!rest.isEmpty())
            command::writeError(
                QString(rest).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    return output.finish();
}

} // namespace

int runUpdate(const QStringList &arguments, const QString &dataFolder)
{
    return command::exitCode(run(arguments, dataFolder));
}

} // namespace zelmora
