#include "ui/ArchiveSnapshot.h"

#include "core/ArchiveMessages.h"
#include "core/Format.h"

#include <new>

namespace zelmora {

ArchiveSnapshot readArchiveSnapshot(const ArchiveStore &store, const ArchiveProgress &progress)
{
    StoredArchive stored;
    try {
        stored = store.read(progress);
    } catch (const std::bad_alloc &) {
        stored = StoredArchive();
        stored.usable = archiveOutOfMemory();
    }
    ArchiveSnapshot snapshot;
    snapshot.interrupted = stored.interrupted;
    snapshot.notice = storedArchiveNotice(stored, store.path());
    snapshot.archive = std::make_shared<const DrawArchive>(std::move(stored.archive));
    return snapshot;
}

QString archiveReadingText(qint64 done, qint64 total)
{
    return QStringLiteral("Lettura dell'archivio: %1").arg(percentText(done, total));
}

RuntimeError archiveOutOfMemory()
{
    return RuntimeError(RuntimeError::OutOfMemory,
                        QStringLiteral("la memoria non basta per leggere l'archivio"));
}

} // namespace zelmora
