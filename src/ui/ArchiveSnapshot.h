#pragma once

#include "core/ArchiveStore.h"
#include "core/DrawArchive.h"

#include <QString>
#include <memory>

namespace zelmora {

// The stored archive as a window's worker reads it: the snapshot the window's later work
// shares, what the player is told once about the file, and whether the reading was stopped.
struct ArchiveSnapshot
{
    std::shared_ptr<const DrawArchive> archive;
    QString notice;
    bool interrupted = false;
};

// Reads the store on the calling thread; memory running out is told like a file that cannot
// be read.
ArchiveSnapshot readArchiveSnapshot(const ArchiveStore &store, const ArchiveProgress &progress);
// The progress text of that reading: "Lettura dell'archivio: 40%".
QString archiveReadingText(qint64 done, qint64 total);
// A reading or an import that ran out of memory, as the error the messages tell.
RuntimeError archiveOutOfMemory();

} // namespace zelmora
