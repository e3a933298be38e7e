#include "net/ArchiveUpdate.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveMessages.h"
#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/UpdateCondition.h"
#include "net/DownloadedText.h"

#include <QFile>
#include <QUrl>
#include <utility>

namespace zelmora {

namespace {

// Asks the caller whether to go on, and remembers a stop: the steps below hear it as a
// failure, and the update tells it apart by this.
class Asker
{
public:
    explicit Asker(const UpdateProgress &progress) : m_progress(progress) {}
    bool goOn(UpdatePhase phase, qint64 done, qint64 total)
    {
        if (!m_stopped && m_progress && !m_progress(phase, done, total))
            m_stopped = true;
        return !m_stopped;
    }
    bool stopped() const { return m_stopped; }

private:
    const UpdateProgress &m_progress;
    bool m_stopped = false;
};

RuntimeError updateFailed(const RuntimeError &cause, const QString &address)
{
    return RuntimeError(
        cause.number(),
        QStringLiteral("Aggiornamento dell'archivio non riuscito: %1.\r\n"
                       "Indirizzo: %2\r\nL'archivio delle estrazioni resta com'era.")
            .arg(cause.description(), address));
}

ArchiveUpdate interrupted(const QString &address)
{
    ArchiveUpdate update;
    update.address = address;
    update.interrupted = true;
    return update;
}

// The name a plain text is reported under: the file name of the address that gave it.
QString downloadName(const QString &address)
{
    const QString name = QUrl(address).fileName();
    return name.isEmpty() ? QStringLiteral("archivio scaricato") : name;
}

// Under the archive's lock, once the download is merged: the answer's validators with what the
// archive file holds now, so the next update may ask only for a newer file. Without validators,
// when the file cannot be read or a stop comes first (the archive is saved by then), no
// condition is kept, and the next update downloads whole.
void recordCondition(const QString &archivePath, const HttpAnswer &answer,
                     const DrawArchive &merged, Asker &asker)
{
    const QString path = updateConditionPath(archivePath);
    removeLeftoverCopies(path);
    if (!answer.etag.isEmpty() || !answer.lastModified.isEmpty()) {
        // Asked as the import asks for a step that counts no bytes.
        const Result<ArchiveFingerprint> now = fingerprintFile(
            archivePath, [&asker] { return !asker.goOn(UpdatePhase::Merge, 0, 1); });
        if (now &&
            writeUpdateCondition(path, {answer.etag, answer.lastModified, *now, merged.lastDate()}))
            return;
    }
    QFile::remove(path);
}

// The draws archive's fingerprint now, when a condition was kept; a stop is heard between
// blocks.
std::optional<ArchiveFingerprint> fingerprintNow(const QString &archivePath, Asker &asker)
{
    const Result<ArchiveFingerprint> now =
        fingerprintFile(archivePath, [&asker] { return !asker.goOn(UpdatePhase::Download, 0, 0); });
    return now ? std::optional(*now) : std::nullopt;
}

} // namespace

FetchOptions archiveFetchOptions()
{
    FetchOptions options;
    options.deadlineMs = 0;
    options.connectTimeoutMs = 15000;
    options.lowSpeedBytes = 1024;
    options.lowSpeedSeconds = 30;
    options.maxHead = kMaxArchiveAnswerHead;
    options.maxBody = kMaxArchiveDownload;
    options.protocols = "http,https";
    options.maxRedirects = 5;
    options.redirects = RedirectRule::NoDowngrade;
    options.statuses = StatusRule::OkOrNotModified;
    options.environmentProxy = true;
    return options;
}

Result<ArchiveUpdate> updateArchive(const ArchiveStore &store, const QString &address,
                                    const UpdateProgress &progress, DrawArchive *archive)
{
    Asker asker(progress);
    const QString conditionPath = updateConditionPath(store.path());
    std::optional<UpdateCondition> condition = readUpdateCondition(conditionPath);
    Result<HttpAnswer> answer = RuntimeError(RuntimeError::DeviceIoError);
    // A 304 stands only for the archive the condition describes: when the archive changed while
    // the server was asked, the server is asked again, for the whole file.
    for (;;) {
        const std::optional<ArchiveFingerprint> before =
            condition ? fingerprintNow(store.path(), asker) : std::nullopt;
        if (asker.stopped())
            return interrupted(address);
        FetchOptions options = archiveFetchOptions();
        options.headers = conditionalHeaders(condition, before);
        options.goOn = [&asker](qint64 received, qint64 announced) {
            return asker.goOn(UpdatePhase::Download, received, announced);
        };
        answer = httpFetch(address, options);
        if (asker.stopped())
            return interrupted(address);
        if (!answer)
            return updateFailed(answer.error(), address);
        if (answer->status != 304)
            break;
        if (options.headers.isEmpty())
            return updateFailed(RuntimeError(RuntimeError::DeviceIoError,
                                             QStringLiteral("il server ha risposto 304 (non "
                                                            "modificato) a una richiesta senza "
                                                            "condizioni")),
                                address);
        if (fingerprintNow(store.path(), asker) == condition->archive) {
            ArchiveUpdate update;
            update.address = address;
            update.notModified = true;
            update.lastDraw = condition->lastDraw;
            return update;
        }
        if (asker.stopped())
            return interrupted(address);
        condition.reset();
    }
    HttpAnswer taken = std::move(answer).value();
    QByteArray body = std::exchange(taken.body, QByteArray());

    Result<DownloadedText> text = downloadedText(
        body, downloadName(taken.address), store.maxBytes(), [&asker](qint64 done, qint64 total) {
            return asker.goOn(UpdatePhase::Unpack, done, total);
        });
    if (asker.stopped())
        return interrupted(address);
    if (!text)
        return updateFailed(text.error(), address);
    DownloadedText unpacked = std::move(text).value();
    body = QByteArray(); // a ZIP's memory goes before the merge

    DrawArchive merged;
    const ArchiveImport import = store.importSources(
        {ImportSource::inMemory(unpacked.name, std::move(unpacked.text))}, &merged,
        [&asker](qint64 done, qint64 total) { return asker.goOn(UpdatePhase::Merge, done, total); },
        [&store, &taken, &asker](const ArchiveImport &done, const DrawArchive &now) {
            if (done.files.value(0).outcome.ok())
                recordCondition(store.path(), taken, now, asker);
        });
    if (import.interrupted)
        return interrupted(address);
    if (!import.saving)
        return updateFailed(
            RuntimeError(import.saving.error().number(),
                         QStringLiteral("%1: %2").arg(import.failedPath,
                                                      archiveFailureText(import.saving.error()))),
            address);
    const FileImport &file = import.files.value(0);
    if (!file.outcome)
        return updateFailed(RuntimeError(file.outcome.error().number(),
                                         QStringLiteral("%1 scaricato: %2")
                                             .arg(file.path, file.outcome.error().description())),
                            address);

    ArchiveUpdate update;
    update.address = address;
    update.downloaded = file;
    update.merge = import;
    update.added = file.added;
    update.lastDraw = merged.lastDate();
    if (archive)
        *archive = std::move(merged);
    return update;
}

QString archiveUpdateSummary(const ArchiveUpdate &update)
{
    if (update.interrupted)
        return QStringLiteral("Aggiornamento interrotto: l'archivio non è stato cambiato.");
    const QString last = italianDateText(update.lastDraw);
    if (update.notModified || update.added == 0)
        return update.lastDraw.isValid()
                   ? QStringLiteral("L'archivio è già aggiornato (ultima estrazione del %1)")
                         .arg(last)
                   : QStringLiteral("L'archivio è già aggiornato");
    return QStringLiteral("Archivio aggiornato: %1, l'ultima del %2")
        .arg(countOf(update.added, "estrazione nuova", "estrazioni nuove"), last);
}

bool archiveUpdateHadTrouble(const ArchiveUpdate &update)
{
    if (update.interrupted || update.notModified)
        return false;
    const StoredArchive &stored = update.merge.stored;
    return importHadTrouble(update.downloaded) ||
           (update.merge.saved && (stored.skippedCount > 0 || stored.leftOut > 0));
}

QString archiveUpdateMessage(const ArchiveUpdate &update)
{
    QString message = archiveUpdateSummary(update);
    if (archiveUpdateHadTrouble(update))
        message += QStringLiteral("\r\n\r\n") + archiveImportSummary(update.merge);
    return message;
}

} // namespace zelmora
