#include "cli/CommandInput.h"

#include "cli/CommandLine.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveMessages.h"
#include "core/ArchiveStore.h"
#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/GridCheck.h"
#include "core/RuntimeError.h"
#include "core/SystemFile.h"
#include "core/WheelCodes.h"

#include <QFileInfo>

namespace zelmora::command {

void writeError(const QString &text)
{
    writeWhole(stderr, (QStringLiteral("zelmoravintesca: ") + text + u'\n').toUtf8());
}

RuntimeError failure(const QString &message)
{
    return RuntimeError(RuntimeError::InvalidProcedureCall, message);
}

int exitCode(const Result<int> &steps)
{
    if (steps)
        return *steps;
    writeError(steps.error().description());
    return kFailure;
}

bool StandardOutput::write(const QString &text)
{
    // Written in pieces large enough that the writes cost nothing beside the work.
    constexpr qsizetype kPiece = 64 * 1024;
    if (m_failed)
        return false;
    m_held += text.toUtf8();
    return m_held.size() < kPiece || flush();
}

bool StandardOutput::flush()
{
    if (!m_failed && !m_held.isEmpty())
        m_failed = !writeWhole(stdout, m_held);
    m_held.clear();
    return !m_failed;
}

int StandardOutput::finish()
{
    if (flush())
        return 0;
    reportOutputFailure();
    return kFailure;
}

int writeOutput(const QString &out)
{
    StandardOutput output;
    output.write(out);
    return output.finish();
}

Result<Sistema> readSystem(const QString &path)
{
    const QString unreadable = QStringLiteral("%1: Questo file non puo' essere letto").arg(path);
    if (!nothingAt(path) && !QFileInfo(path).isFile())
        return failure(unreadable);
    const Result<QByteArray> bytes = readWholeFile(path, 4096);
    if (!bytes)
        return failure(QStringLiteral("%1: %2").arg(path, archiveFailureText(bytes.error())));
    std::optional<Sistema> sistema = decodeSistema(*bytes);
    if (!sistema)
        return failure(unreadable);
    // The square check the print buttons run, on the numbers stored.
    CellValues cells{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            cells[r][c] = sistema->Righe[r][c] <= 90 ? sistema->Righe[r][c] : 0;
    const GridCheckResult check = ControllaGriglia(cells, *sistema);
    if (!check.valid)
        return failure(QStringLiteral("%1: %2").arg(path, check.message));
    Trasponi(*sistema);
    return *sistema;
}

QString rangeText(const QDate &from, const QDate &to)
{
    if (from.isValid() && to.isValid())
        return QStringLiteral(" tra il %1 e il %2").arg(italianDateText(from), italianDateText(to));
    if (from.isValid())
        return QStringLiteral(" dal %1").arg(italianDateText(from));
    if (to.isValid())
        return QStringLiteral(" fino al %1").arg(italianDateText(to));
    return QString();
}

Result<QDate> readDate(const QString &value)
{
    const QDate date = parseDrawDate(value);
    if (!date.isValid())
        return failure(
            QStringLiteral("data non valida: \"%1\" (AAAA/MM/GG, AAAA-MM-GG o GG/MM/AAAA)")
                .arg(value));
    return date;
}

Result<DrawArchive> readArchive(const QString &path)
{
    Result<ArchiveReading> read = readArchiveFile(path);
    if (!read)
        return failure(QStringLiteral("%1: %2").arg(path, archiveFailureText(read.error())));
    ArchiveReading reading = std::move(read).value();
    if (reading.notText)
        return failure(QStringLiteral("%1: non è un file di testo").arg(path));
    if (reading.skippedCount > 0)
        writeError(QStringLiteral("%1: %2").arg(
            path, skippedLinesText(reading.skippedCount, reading.skippedLines)));
    if (reading.draws.isEmpty())
        return failure(
            QStringLiteral("%1: nessuna riga è un'estrazione, non è un archivio").arg(path));
    DrawArchive archive;
    const MergeReport merged = archive.merge(reading.draws);
    for (const Draw &draw : merged.conflicts)
        writeError(QStringLiteral("%1: %2 %3 compare due volte con numeri diversi; tenuta la prima")
                       .arg(path, italianDateText(draw.date), wheelName(draw.wheel)));
    return archive;
}

} // namespace zelmora::command
