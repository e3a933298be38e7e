#pragma once

#include "core/DrawArchive.h"

#include <QString>
#include <QStringList>

namespace zelmora {

// What importing one archive file did.
struct FileImport
{
    QString path;
    bool read = false; // false when the file could not be read at all (see error)
    QString error;     // "Error 53 (File not found)" style, or "not a text file"
    int linesRead = 0;
    int added = 0;
    int duplicates = 0;    // known draws with the same numbers, merged silently
    QList<Draw> conflicts; // known draws with other numbers: refused, the stored one kept
    int skippedCount = 0;
    QList<int> skippedLines; // the first few skipped lines, numbered from 1
};

// The program's merged archive of draws, kept in "estrazioni.txt" in the program folder
// beside the settings. The file is the program's own: it is written whole and then put in
// place of the old one, so a failed save leaves the stored archive as it was.
class ArchiveStore
{
public:
    // The store in `path`: the program folder and kFileName, or another file for tests.
    explicit ArchiveStore(QString path);

    const QString &path() const { return m_path; }
    const DrawArchive &archive() const { return m_archive; }

    // Loads the stored archive. No file yet is an empty archive, without a word. A stored
    // file that cannot be read throws RuntimeError and leaves the archive empty; save() then
    // refuses to write over it, so the stored draws are never lost to a damaged read.
    void load();

    // Reads each file and merges its draws, in the order given; the imported files are never
    // changed. One file's failure does not stop the others. Nothing is saved: call save().
    QList<FileImport> importFiles(const QStringList &paths);

    // Writes the archive whole, then replaces the stored file; failures throw RuntimeError.
    void save() const;

    // The file name in the program folder.
    static const char *const kFileName; // "estrazioni.txt"

private:
    QString m_path;
    DrawArchive m_archive;
    bool m_unreadable = false;
};

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
