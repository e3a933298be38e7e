#include "core/ArchiveStore.h"

#include "core/ArchiveFile.h"
#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"

#include <QFileInfo>
#include <algorithm>

namespace zelmora {

const char *const ArchiveStore::kFileName = "estrazioni.txt";

ArchiveStore::ArchiveStore(QString path) : m_path(std::move(path)) {}

void ArchiveStore::load()
{
    m_archive = DrawArchive();
    m_unreadable = false;
    if (nothingAt(m_path))
        return;
    m_unreadable = true;
    const ArchiveReading reading = readArchiveFile(m_path);
    // The program writes this file itself; a stored file that is not its text is damaged.
    if (reading.notText || reading.skippedCount > 0)
        throw RuntimeError(RuntimeError::BadFileNameOrNumber,
                           QStringLiteral("The stored archive is damaged"));
    m_archive.merge(reading.draws);
    m_unreadable = false;
}

QList<FileImport> ArchiveStore::importFiles(const QStringList &paths)
{
    QList<FileImport> imports;
    for (const QString &path : paths) {
        FileImport import;
        import.path = path;
        try {
            const ArchiveReading reading = readArchiveFile(path);
            if (reading.notText) {
                import.error = QStringLiteral("non è un file di testo");
            } else {
                import.read = true;
                import.linesRead = reading.linesRead;
                import.skippedCount = reading.skippedCount;
                import.skippedLines = reading.skippedLines;
                const MergeReport merged = m_archive.merge(reading.draws);
                import.added = merged.added;
                import.duplicates = merged.duplicates;
                import.conflicts = merged.conflicts;
            }
        } catch (const RuntimeError &error) {
            import.error =
                QStringLiteral("Error %1 (%2)").arg(error.number()).arg(error.description());
        }
        imports.append(import);
    }
    return imports;
}

void ArchiveStore::save() const
{
    if (m_unreadable)
        throw RuntimeError(RuntimeError::PathFileAccessError,
                           QStringLiteral("The stored archive could not be read"));
    writeWholeFile(m_path, m_archive.toText());
}

namespace {

// Italian nouns and participles agree with their number: "1 riga letta", "2 righe lette".
QString countOf(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

} // namespace

QString importSummary(const FileImport &import)
{
    const QString name = QFileInfo(import.path).fileName();
    if (!import.read)
        return QStringLiteral("%1: non letto, %2").arg(name, import.error);
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
            text += QStringLiteral(" %1 %2").arg(drawDateText(draw.date), wheelName(draw.wheel));
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
        numbers.append(QString::number(line));
    if (count > lines.size())
        numbers.append(QStringLiteral("..."));
    return QStringLiteral("%1 (%2 %3)")
        .arg(countOf(count, "riga non letta", "righe non lette"),
             QString::fromUtf8(count == 1 ? "riga" : "righe"), numbers.join(QStringLiteral(", ")));
}

bool importHadTrouble(const FileImport &import)
{
    return !import.read || import.skippedCount > 0 || !import.conflicts.isEmpty();
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
                                    : QStringLiteral("e altri %1 file letti").arg(rest),
                          countOf(restAdded, "estrazione aggiunta", "estrazioni aggiunte"),
                          countOf(restDuplicates, "già presente", "già presenti"));
    return lines.join(lines.size() > 3 ? QStringLiteral("\r\n") : QStringLiteral("\r\n\r\n"));
}

} // namespace zelmora
