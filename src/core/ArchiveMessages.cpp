#include "core/ArchiveMessages.h"

#include "core/ArchiveFile.h"
#include "core/DrawDate.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"

#include <QFileInfo>
#include <algorithm>

namespace zelmora {

QString archiveImportMessage(const ArchiveImport &import, const QString &procedure,
                             const QString &form)
{
    QString message = archiveImportSummary(import);
    if (!import.saving)
        message += QStringLiteral("\r\n\r\nL'archivio non è stato salvato.\r\n%1: %2\r\n%3")
                       .arg(import.failedPath, archiveFailureText(import.saving.error()),
                            formErrorMessage(import.saving.error(), procedure, form));
    return message;
}

QString storedArchiveNotice(const StoredArchive &stored, const QString &path)
{
    if (!stored.usable)
        return QStringLiteral("L'archivio delle estrazioni non può essere letto:\r\n%1\r\n%2.\r\n"
                              "Resta com'è: nessuna importazione lo sovrascrive.")
            .arg(path, archiveFailureText(stored.usable.error()));
    QStringList notes;
    if (stored.notAFile)
        notes << QStringLiteral("Al posto dell'archivio delle estrazioni %1 c'è qualcosa che non "
                                "è un file normale: la prossima importazione lo sostituisce.")
                     .arg(path);
    if (stored.skippedCount > 0)
        notes << QStringLiteral("L'archivio delle estrazioni %1 ha righe che non sono estrazioni: "
                                "%2. Le altre estrazioni si usano; la prossima importazione "
                                "riscrive l'archivio senza quelle righe.")
                     .arg(path, skippedLinesText(stored.skippedCount, stored.skippedLines));
    if (stored.leftOut > 0)
        notes << QStringLiteral("L'archivio delle estrazioni %1 %2: si usano le %3 che ci stanno; "
                                "%4 oltre il limite %5 fuori, e la prossima importazione "
                                "riscrive l'archivio entro il limite.")
                     .arg(path, overLimitText(),
                          countOf(stored.archive.size(), "estrazione", "estrazioni"),
                          countOf(stored.leftOut, "estrazione", "estrazioni"),
                          stored.leftOut == 1 ? QStringLiteral("resta")
                                              : QStringLiteral("restano"));
    return notes.join(QStringLiteral("\r\n\r\n"));
}

QString archiveImportSummary(const ArchiveImport &import)
{
    if (import.interrupted)
        return QStringLiteral("Importazione interrotta: l'archivio non è stato cambiato.");
    QStringList lines;
    if (import.saved) {
        const QString name = QString::fromLatin1(ArchiveStore::kFileName);
        if (import.stored.skippedCount > 0)
            lines << QStringLiteral("%1: riscritto senza le %2")
                         .arg(name, skippedLinesText(import.stored.skippedCount,
                                                     import.stored.skippedLines));
        if (import.stored.leftOut > 0)
            lines << QStringLiteral("%1: riscritto entro il limite, %2 lasciate fuori")
                         .arg(name, countOf(import.stored.leftOut, "estrazione", "estrazioni"));
    }
    const QString files = importsSummary(import.files);
    if (!files.isEmpty())
        lines << files;
    return lines.join(QStringLiteral("\r\n"));
}

QString importSummary(const FileImport &import)
{
    const QString name = QFileInfo(import.path).fileName();
    if (!import.outcome)
        return QStringLiteral("%1: %2").arg(name, import.outcome.error().description());
    QString text = QStringLiteral("%1: %2, %3, %4")
                       .arg(name, countOf(import.linesRead, "riga letta", "righe lette"),
                            countOf(import.added, "estrazione aggiunta", "estrazioni aggiunte"),
                            countOf(import.duplicates, "già presente", "già presenti"));
    if (!import.conflicts.isEmpty()) {
        text += QStringLiteral(", %1 da quelle in archivio (tenute quelle in archivio:")
                    .arg(countOf(import.conflicts.size(), "diversa", "diverse"));
        int shown = 0;
        for (const Draw &draw : import.conflicts) {
            if (shown++ == 5) {
                text += QStringLiteral(" ...");
                break;
            }
            text += QStringLiteral(" %1 %2").arg(italianDateText(draw.date), wheelName(draw.wheel));
        }
        text += u')';
    }
    if (import.skippedCount > 0)
        text += QStringLiteral(", ") + skippedLinesText(import.skippedCount, import.skippedLines);
    return text;
}

QString skippedLinesText(int count, const QList<int> &lines)
{
    QStringList numbers;
    for (int line : lines)
        numbers.append(countText(line));
    if (count > lines.size())
        numbers.append(QStringLiteral("..."));
    return QStringLiteral("%1 (%2 %3)")
        .arg(countOf(count, "riga non letta", "righe non lette"),
             QString::fromUtf8(count == 1 ? "riga" : "righe"), numbers.join(QStringLiteral(", ")));
}

bool importHadTrouble(const FileImport &import)
{
    return !import.outcome || import.skippedCount > 0 || !import.conflicts.isEmpty();
}

QString importsSummary(const QList<FileImport> &imports)
{
    // The message box stays within the screen however many files were chosen.
    constexpr qsizetype kLines = 10;
    const qsizetype troubled = std::count_if(imports.begin(), imports.end(), importHadTrouble);
    QStringList lines;
    qsizetype cleanShown = 0;
    int rest = 0;
    int restAdded = 0;
    int restDuplicates = 0;
    for (const FileImport &import : imports) {
        const bool trouble = importHadTrouble(import);
        if (trouble || troubled + cleanShown < kLines) {
            lines << importSummary(import);
            cleanShown += trouble ? 0 : 1;
        } else {
            ++rest;
            restAdded += import.added;
            restDuplicates += import.duplicates;
        }
    }
    if (rest > 0)
        lines << QStringLiteral("%1 senza problemi: %2, %3")
                     .arg(rest == 1 ? QStringLiteral("e un altro file letto")
                                    : QStringLiteral("e altri %1 file letti").arg(countText(rest)),
                          countOf(restAdded, "estrazione aggiunta", "estrazioni aggiunte"),
                          countOf(restDuplicates, "già presente", "già presenti"));
    return lines.join(lines.size() > 3 ? QStringLiteral("\r\n") : QStringLiteral("\r\n\r\n"));
}

} // namespace zelmora
