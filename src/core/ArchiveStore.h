#pragma once

#include "core/ArchiveFile.h"
#include "core/DrawArchive.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zelmora {

// What importing one archive file did.
struct FileImport
{
    QString path;
    // Whether the file was imported at all; when not, the error says why in the player's words
    // ("non letto: non esiste", "non importato: l'archivio supera i 64 MiB", ...).
    Result<void> outcome;
    int linesRead = 0;
    int added = 0;
    int duplicates = 0;    // known draws with the same numbers, merged silently
    QList<Draw> conflicts; // known draws with other numbers: refused, the stored one kept
    int skippedCount = 0;
    QList<int> skippedLines; // the first few skipped lines, numbered from 1
};

// The stored archive as read from its file.
struct StoredArchive
{
    DrawArchive archive;
    // An error when the file is there but cannot be used (unreadable, not text, no draw on any
    // line, a folder): it is kept as it is, and nothing is written over it.
    Result<void> usable;
    int skippedCount = 0; // lines that hold no draw: left out when the archive is next written
    QList<int> skippedLines;
    int leftOut = 0;       // draws past the size limit: left out when the archive is next written
    bool notAFile = false; // a link or a special file stands there: the next write replaces it
    bool interrupted = false;
};

// Told to the progress callback of an import, as (0, kWaitingForLock), while another copy of
// the program holds the archive's lock.
constexpr qint64 kWaitingForLock = -1;

// What one import did: the files one by one, the stored archive as found, and the archive now.
struct ArchiveImport
{
    QList<FileImport> files;
    StoredArchive stored;     // the archive on disk when the import began, as read
    bool interrupted = false; // stopped on request: nothing was written
    bool merged = false;      // the archive given to import() now holds the merged one
    bool saved = false;       // the archive file was written
    // An error when the lock, the stored archive or the write failed: nothing was written.
    Result<void> saving;
    QString failedPath; // the file that failure is about: the archive or its lock
};

// One text to import: a file read from its path, or a text already in memory (a downloaded
// archive) reported under a name. Both are read and merged the same way.
struct ImportSource
{
    QString path;                   // the file, or the name the text is reported under
    std::optional<QByteArray> text; // the text itself, when it is not read from a file

    static ImportSource file(QString path) { return {std::move(path), std::nullopt}; }
    static ImportSource inMemory(QString name, QByteArray text)
    {
        return {std::move(name), std::move(text)};
    }
};

// Told, with the archive's lock still held, once an import has merged every source and the
// archive file holds the result (written, or left as it was when nothing changed); `merged` is
// the archive the file now holds. Not told when the import was stopped, or the stored archive
// could not be used, locked or written.
using WhileLocked = std::function<void(const ArchiveImport &import, const DrawArchive &merged)>;

// The program's merged archive of draws, kept in "estrazioni.txt" in the program folder. The
// file is the program's own: every import re-reads it under a lock, merges the new draws into
// what it holds now (so copies of the program sharing the folder never drop each other's
// draws), writes it whole beside it and renames it into place, never past the size any read
// accepts. The store holds no state of its own, so its work can run on any thread.
class ArchiveStore
{
public:
    explicit ArchiveStore(QString path, qint64 maxBytes = kMaxArchiveBytes);

    const QString &path() const { return m_path; }
    qint64 maxBytes() const { return m_maxBytes; }

    // Reads the stored archive. No file yet is an empty archive, without a word. Lines that
    // hold no draw are skipped and counted; a file past the size limit gives the draws of its
    // first maxBytes of whole lines.
    StoredArchive read(const ArchiveProgress &progress = {}) const;

    // Reads each file, in the order given, and merges its draws into the stored archive as it
    // is now; the imported files are never changed. While another copy's import holds the
    // archive, the progress hears (0, kWaitingForLock). A file that cannot be read, or holds no
    // draw, is refused with its reason; the file that would take the archive past the size
    // limit, and every one after it, are refused with "supera i 64 MiB". The archive is then
    // written when anything changed. `archive` receives the merged archive (see merged): not
    // when the import was stopped, or the stored archive cannot be used or locked.
    ArchiveImport import(const QStringList &paths, DrawArchive *archive,
                         const ArchiveProgress &progress = {}) const;
    // The same merge over sources that may be texts in memory: one held in memory past the size
    // limit is refused as a file would be. `whileLocked`, when given, is told the outcome
    // before the lock is dropped.
    ArchiveImport importSources(const QList<ImportSource> &sources, DrawArchive *archive,
                                const ArchiveProgress &progress = {},
                                const WhileLocked &whileLocked = {}) const;

    // The file name in the program folder.
    static const char *const kFileName; // "estrazioni.txt"

private:
    QString m_path;
    qint64 m_maxBytes;
};

} // namespace zelmora
