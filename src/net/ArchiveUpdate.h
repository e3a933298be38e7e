#pragma once

#include "core/ArchiveStore.h"
#include "core/Result.h"
#include "net/HttpFetch.h"

#include <QDate>
#include <QString>
#include <functional>

namespace zelmora {

// "Aggiorna archivio": the public archive of every draw is downloaded and merged into the
// stored archive exactly as "Importa archivio" merges a file. The download and the unpacking
// hold no lock; only the merge takes the archive's, as an import does.

// The most a download of the archive takes: the public ZIP is about 2 MB.
constexpr qint64 kMaxArchiveDownload = 16 * 1024 * 1024;
constexpr qint64 kMaxArchiveAnswerHead = 16 * 1024;

// The limits of the archive's download: no deadline for the whole, but a connection made
// within 15 s, never slower than 1 KiB/s over 30 s, at most 16 KiB of head and 16 MiB of body,
// only 200 or 304, at most 5 redirects to any host and never from https to http, and the proxy
// the environment names.
FetchOptions archiveFetchOptions();

enum class UpdatePhase
{
    Download, // done and total are the bytes of the body (total 0 when not announced)
    Unpack,   // the bytes unpacked of the ZIP's entry (total 0 when not announced)
    Merge,    // as an import tells them; total is kWaitingForLock while another copy holds it
};

// Told how far an update has come, at least once a second while downloading and every tenth
// of a second while unpacking or merging; false stops the update, and nothing is written.
using UpdateProgress = std::function<bool(UpdatePhase phase, qint64 done, qint64 total)>;

// What one update did.
struct ArchiveUpdate
{
    QString address;          // the address asked
    bool notModified = false; // the server answered 304: the archive already holds its file
    bool interrupted = false; // stopped on request: the archive was not changed
    FileImport downloaded;    // what merging the downloaded text did, under its entry's name
    ArchiveImport merge;      // the whole merge: the stored archive as found, and the save
    int added = 0;            // new draw records (one date on one wheel), as an import counts
    QDate lastDraw;           // the archive's last draw now
};

// Downloads the address (already checked, see ArchiveAddress.h), unpacks it and merges it into
// the store. The server is asked only for a file newer than the one last merged while the
// archive still holds what that merge left (see UpdateCondition.h). Blocks the calling thread:
// the windows run it on their worker, the command line in turn. Every failure (no network, a
// limit passed, a status, a bad ZIP, a text without draws, an archive that cannot be read or
// written) is an error whose description tells the player what happened, and leaves the
// archive as it was. `archive`, when given, receives the archive as merged (not on a 304 or a
// stop).
Result<ArchiveUpdate> updateArchive(const ArchiveStore &store, const QString &address,
                                    const UpdateProgress &progress = {},
                                    DrawArchive *archive = nullptr);

// "Archivio aggiornato: 1.234 estrazioni nuove, l'ultima del 02/01/2024", "L'archivio è già
// aggiornato (ultima estrazione del 02/01/2024)", or that the update was stopped.
QString archiveUpdateSummary(const ArchiveUpdate &update);
// True when the merge had something to say beyond the summary: lines of the download that are
// not draws, draws that contradict stored ones, the stored archive written again without its
// bad lines.
bool archiveUpdateHadTrouble(const ArchiveUpdate &update);
// The summary, then what the merge had to say, as "Importa archivio" says it, when it had.
QString archiveUpdateMessage(const ArchiveUpdate &update);

} // namespace zelmora
