#include "core/ArchiveStore.h"

#include "core/ArchiveMessages.h"

#include "core/ArchiveFile.h"
#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

namespace zelmora {

const char *const ArchiveStore::kFileName = "estrazioni.txt";

namespace {

// How long an import waits for another copy's import to end before it gives up.
constexpr int kLockWaitMs = 20000;

// Spreads a stage's progress over the whole of a longer piece of work.
ArchiveProgress stage(const ArchiveProgress &progress, qint64 offset, qint64 total)
{
    if (!progress)
        return {};
    return [=](qint64 done, qint64) { return progress(offset + done, total); };
}

// The progress callback asked only whether to go on, for a step that counts no bytes (a
// progress lower than the one told before changes nothing).
std::function<bool()> stopOf(const ArchiveProgress &progress)
{
    if (!progress)
        return {};
    return [progress] { return !progress(0, 1); };
}

qint64 sizeOf(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

qint64 sizeOf(const ImportSource &source)
{
    return source.text ? source.text->size() : sizeOf(source.path);
}

// Reads one source as readArchiveFile reads a file: a text in memory past the limit is refused
// as a file past it is.
Result<ArchiveReading> readSource(const ImportSource &source, qint64 maxBytes,
                                  const ArchiveProgress &progress)
{
    if (!source.text)
        return readArchiveFile(source.path, maxBytes, progress);
    if (source.text->size() > maxBytes)
        return RuntimeError(RuntimeError::OutOfMemory);
    return parseArchiveText(*source.text, progress);
}

// Waits for the lock on the archive, as long as another copy's import may take; an error when
// it cannot be taken (the import was stopped meanwhile when `stopped` is set).
Result<void> takeLock(FileLock &lock, const ArchiveProgress &progress, bool *stopped)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const Result<bool> taken = lock.tryLock();
        if (!taken)
            return taken.error();
        if (*taken)
            return {};
        if (progress && !progress(0, kWaitingForLock)) {
            *stopped = true;
            return RuntimeError(RuntimeError::PathFileAccessError);
        }
        if (waited.elapsed() > kLockWaitMs)
            return RuntimeError(
                RuntimeError::PathFileAccessError,
                QStringLiteral("l'archivio è in uso da un'altra copia del programma"));
        QThread::msleep(50);
    }
}

// Reads one file to import and merges it; the file's line of the summary says what happened.
// Returns false when the progress callback stopped the reading.
bool importOne(const ImportSource &source, FileImport &import, DrawArchive &merged, qint64 maxBytes,
               bool *full, const ArchiveProgress &progress)
{
    if (*full) {
        import.outcome = RuntimeError(
            RuntimeError::OutOfMemory,
            QStringLiteral("non importato: l'archivio %1").arg(overLimitText(maxBytes)));
        return true;
    }
    Result<ArchiveReading> read = readSource(source, maxBytes, progress);
    if (!read) {
        import.outcome = RuntimeError(read.error().number(),
                                      QStringLiteral("non letto: %1")
                                          .arg(!source.text && QFileInfo(import.path).isDir()
                                                   ? QStringLiteral("è una cartella")
                                                   : archiveFailureText(read.error(), maxBytes)));
        return true;
    }
    ArchiveReading reading = std::move(read).value();
    if (reading.interrupted)
        return false;
    if (reading.notText) {
        import.outcome = RuntimeError(RuntimeError::BadFileNameOrNumber,
                                      QStringLiteral("non letto: non è un file di testo"));
        return true;
    }
    if (reading.draws.isEmpty()) {
        QString why = QStringLiteral("non importato: nessuna riga è un'estrazione");
        if (reading.skippedCount > 0)
            why += QStringLiteral(" (%1)").arg(
                skippedLinesText(reading.skippedCount, reading.skippedLines));
        import.outcome = RuntimeError(RuntimeError::BadFileNameOrNumber, why);
        return true;
    }
    const MergeReport report = merged.merge(reading.draws, maxBytes, stopOf(progress));
    if (report.interrupted)
        return false;
    if (report.overLimit) {
        *full = true;
        import.outcome =
            RuntimeError(RuntimeError::OutOfMemory,
                         QStringLiteral("non importato: con le sue estrazioni l'archivio %1")
                             .arg(overLimitText(maxBytes)));
        return true;
    }
    import.linesRead = reading.linesRead;
    import.skippedCount = reading.skippedCount;
    import.skippedLines = reading.skippedLines;
    import.added = report.added;
    import.duplicates = report.duplicates;
    import.conflicts = report.conflicts;
    return true;
}

} // namespace

ArchiveStore::ArchiveStore(QString path, qint64 maxBytes)
    : m_path(std::move(path)), m_maxBytes(maxBytes)
{
}

StoredArchive ArchiveStore::read(const ArchiveProgress &progress) const
{
    StoredArchive stored;
    if (nothingAt(m_path))
        return stored;
    // A folder is never replaced, so it would refuse every save: the player has to move it.
    if (isFolder(m_path)) {
        stored.usable =
            RuntimeError(RuntimeError::PathFileAccessError,
                         QStringLiteral("è una cartella, e il programma non sostituisce una "
                                        "cartella: spostala altrove perché le importazioni "
                                        "possano salvare l'archivio"));
        return stored;
    }
    Result<ArchiveReading> read = readStoredArchive(m_path, m_maxBytes, progress);
    if (!read) {
        // A link to nowhere, a folder, a FIFO or a device holds none of the program's draws:
        // the next write replaces it. A file that is there and cannot be read may hold them.
        const RuntimeError &error = read.error();
        if (error.number() == RuntimeError::PermissionDenied ||
            error.number() == RuntimeError::DeviceIoError)
            stored.usable = error;
        else
            stored.notAFile = true;
        return stored;
    }
    ArchiveReading reading = std::move(read).value();
    stored.interrupted = reading.interrupted;
    if (reading.interrupted)
        return stored;
    if (reading.notText) {
        stored.usable = RuntimeError(RuntimeError::BadFileNameOrNumber,
                                     QStringLiteral("non è un file di testo"));
        return stored;
    }
    if (reading.draws.isEmpty() && reading.skippedCount > 0) {
        stored.usable = RuntimeError(RuntimeError::BadFileNameOrNumber,
                                     QStringLiteral("nessuna riga è un'estrazione"));
        return stored;
    }
    if (stored.archive.merge(reading.draws, -1, stopOf(progress)).interrupted) {
        stored.archive = DrawArchive();
        stored.interrupted = true;
        return stored;
    }
    stored.skippedCount = reading.skippedCount;
    stored.skippedLines = reading.skippedLines;
    stored.leftOut = reading.leftOut + stored.archive.trimTo(m_maxBytes);
    return stored;
}

ArchiveImport ArchiveStore::import(const QStringList &paths, DrawArchive *archive,
                                   const ArchiveProgress &progress) const
{
    QList<ImportSource> sources;
    for (const QString &path : paths)
        sources.append(ImportSource::file(path));
    return importSources(sources, archive, progress);
}

ArchiveImport ArchiveStore::importSources(const QList<ImportSource> &sources, DrawArchive *archive,
                                          const ArchiveProgress &progress,
                                          const WhileLocked &whileLocked) const
{
    ArchiveImport result;
    qint64 total = sizeOf(m_path);
    for (const ImportSource &source : sources)
        total += sizeOf(source);
    total = std::max<qint64>(total, 1);

    // One import at a time on the file, whichever copy of the program runs it; the archive is
    // read again under the lock, so what another copy saved meanwhile is kept.
    const QString lockPath = m_path + QStringLiteral(".lock");
    FileLock lock(lockPath);
    bool stopped = false;
    const Result<void> locked = takeLock(lock, progress, &stopped);
    if (!locked) {
        result.interrupted = stopped;
        if (!stopped) {
            result.saving = locked;
            result.failedPath = lockPath;
        }
        return result;
    }

    result.stored = read(stage(progress, 0, total));
    if (result.stored.interrupted) {
        result.interrupted = true;
        return result;
    }
    if (!result.stored.usable) {
        for (const ImportSource &source : sources) {
            FileImport refused;
            refused.path = source.path;
            refused.outcome = RuntimeError(
                result.stored.usable.error().number(),
                QStringLiteral("non importato: l'archivio salvato non si può leggere"));
            result.files.append(refused);
        }
        result.saving = result.stored.usable;
        result.failedPath = m_path;
        return result;
    }

    DrawArchive merged = std::move(result.stored.archive);
    result.stored.archive = DrawArchive();
    bool full = false;
    qint64 done = sizeOf(m_path);
    for (const ImportSource &source : sources) {
        FileImport import;
        import.path = source.path;
        if (!importOne(source, import, merged, m_maxBytes, &full, stage(progress, done, total))) {
            result.interrupted = true;
            return result;
        }
        done += sizeOf(source);
        result.files.append(import);
    }
    if (progress && !progress(total, total)) {
        result.interrupted = true;
        return result;
    }

    const bool added = std::any_of(result.files.begin(), result.files.end(),
                                   [](const FileImport &f) { return f.added > 0; });
    if (added || result.stored.skippedCount > 0 || result.stored.leftOut > 0) {
        // What a write killed half-way left beside the archive goes first: under the lock no
        // other copy is writing one.
        removeLeftoverCopies(m_path);
        result.saving = replaceOwnFile(m_path, merged.toText());
        result.saved = result.saving.ok();
        if (!result.saved)
            result.failedPath = m_path;
    }
    if (whileLocked && result.saving.ok())
        whileLocked(result, merged);
    if (archive) {
        *archive = std::move(merged);
        result.merged = true;
    }
    return result;
}

} // namespace zelmora
