#pragma once

#include "core/ArchiveStore.h"

#include <QList>
#include <QString>

namespace zelmora {

// What the player is told about the stored archive and about an import, in Italian.

// "Importazione interrotta..." and the rest: what one import did, for the player, with the
// failure to save, if any, named with its file and in the program's error form for the
// procedure and window given.
QString archiveImportMessage(const ArchiveImport &import, const QString &procedure,
                             const QString &form);

// What the player is told once about a stored archive read with trouble (lines skipped, draws
// past the limit, a file that cannot be used), or nothing when it was read clean.
QString storedArchiveNotice(const StoredArchive &stored, const QString &path);

// The whole report of an import for the player: the stored archive's lines left out when it
// was written again, then the files (importsSummary), or that the import was stopped.
QString archiveImportSummary(const ArchiveImport &import);

// A short report of one import, in Italian, for the player: lines read, draws added,
// duplicates, conflicts and the skipped lines with the first line numbers.
QString importSummary(const FileImport &import);
// The skipped lines of a read: "1 riga non letta (riga 6)", "3 righe non lette (righe 4, 9,
// 12, ...)", with "..." when more were skipped than their numbers kept.
QString skippedLinesText(int count, const QList<int> &lines);
// True when a file could not be read, or had lines skipped or draws refused.
bool importHadTrouble(const FileImport &import);
// The summary of one import of several files: a line for every file with trouble, lines for
// the others while there is room (ten lines in all), and one line counting the rest.
QString importsSummary(const QList<FileImport> &imports);

} // namespace zelmora
