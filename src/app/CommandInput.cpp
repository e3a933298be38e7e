#include "app/CommandInput.h"

#include "app/CommandLine.h"
#include "core/ArchiveFile.h"
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

int runReporting(const std::function<int()> &steps)
{
    try {
        return steps();
    } catch (const Failure &failure) {
        writeError(failure.message);
    } catch (const std::exception &error) {
        writeError(QString::fromLocal8Bit(error.what()));
    }
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

Sistema readSystem(const QString &path)
{
    const QString unreadable = QStringLiteral("%1: Questo file non puo' essere letto").arg(path);
    if (!nothingAt(path) && !QFileInfo(path).isFile())
        throw Failure{unreadable};
    QByteArray bytes;
    try {
        bytes = readWholeFile(path, 4096).orThrow();
    } catch (const RuntimeError &error) {
        throw Failure{QStringLiteral("%1: %2").arg(path, archiveFailureText(error))};
    }
    std::optional<Sistema> sistema = decodeSistema(bytes);
    if (!sistema)
        throw Failure{unreadable};
    // The square check the print buttons run, on the numbers stored.
    CellValues cells{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            cells[r][c] = sistema->Righe[r][c] <= 90 ? sistema->Righe[r][c] : 0;
    const GridCheckResult check = ControllaGriglia(cells, *sistema);
    if (!check.valid)
        throw Failure{QStringLiteral("%1: %2").arg(path, check.message)};
    Trasponi(*sistema);
    return *sistema;
}

QDate readDate(const QString &value)
{
    const QDate date = parseDrawDate(value);
    if (!date.isValid())
        throw Failure{
            QStringLiteral("data non valida: \"%1\" (AAAA/MM/GG, AAAA-MM-GG o GG/MM/AAAA)")
                .arg(value)};
    return date;
}

DrawArchive readArchive(const QString &path)
{
    Result<ArchiveReading> read = readArchiveFile(path);
    if (!read)
        throw Failure{QStringLiteral("%1: %2").arg(path, archiveFailureText(read.error()))};
    ArchiveReading reading = std::move(read).value();
    if (reading.notText)
        throw Failure{QStringLiteral("%1: non è un file di testo").arg(path)};
    if (reading.skippedCount > 0)
        writeError(QStringLiteral("%1: %2").arg(
            path, skippedLinesText(reading.skippedCount, reading.skippedLines)));
    if (reading.draws.isEmpty())
        throw Failure{
            QStringLiteral("%1: nessuna riga è un'estrazione, non è un archivio").arg(path)};
    DrawArchive archive;
    const MergeReport merged = archive.merge(reading.draws);
    for (const Draw &draw : merged.conflicts)
        writeError(QStringLiteral("%1: %2 %3 compare due volte con numeri diversi; tenuta la prima")
                       .arg(path, italianDateText(draw.date), wheelName(draw.wheel)));
    return archive;
}

} // namespace zelmora::command
