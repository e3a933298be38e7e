#include "app/VerificaCommand.h"

#include "app/AppPath.h"
#include "app/CommandInput.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveStore.h"
#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/GridCheck.h"
#include "core/RuntimeError.h"
#include "core/SystemCheck.h"
#include "core/SystemFile.h"
#include "core/WheelCodes.h"
#include "core/WithholdingSetting.h"

#include <QFileInfo>

namespace zelmora {

namespace command {

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

int writeOutput(const QString &out)
{
    if (writeWhole(stdout, out.toUtf8()))
        return 0;
    reportOutputFailure();
    return kFailure;
}

} // namespace command

namespace {

using command::Failure;
using command::writeError;

using command::kFailure;

struct Options
{
    QString systemPath;
    QString archivePath;
    QDate from, to;
};

Options readOptions(const QStringList &arguments)
{
    const QString usage = QStringLiteral(
        "uso: zelmoravintesca --verifica SISTEMA.zlm ARCHIVIO.txt [--dal DATA] [--al DATA]");
    Options options;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--dal") || argument == QLatin1String("--al")) {
            if (i + 1 >= arguments.size())
                throw Failure{QStringLiteral("manca la data dopo %1\n").arg(argument) + usage};
            const QDate date = parseDrawDate(arguments[++i]);
            if (!date.isValid())
                throw Failure{QStringLiteral("data non valida: \"%1\" (AAAA/MM/GG, AAAA-MM-GG o "
                                             "GG/MM/AAAA)")
                                  .arg(arguments[i])};
            (argument == QLatin1String("--dal") ? options.from : options.to) = date;
        } else if (argument.startsWith(QLatin1String("--"))) {
            throw Failure{QStringLiteral("opzione sconosciuta: %1\n").arg(argument) + usage};
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 2)
        throw Failure{usage};
    if (options.from.isValid() && options.to.isValid() && options.to < options.from)
        throw Failure{QStringLiteral("la data --al (%1) viene prima della data --dal (%2)")
                          .arg(italianDateText(options.to), italianDateText(options.from))};
    options.systemPath = files[0];
    options.archivePath = files[1];
    return options;
}

} // namespace

namespace command {

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

} // namespace command

namespace {

using command::readArchive;
using command::readSystem;

int withholding()
{
    // The setting of the folder the program keeps its files in, found without creating it.
    const QString program = GetAppPath();
    const QString folder = folderWritable(program) ? program : userDataFolder();
    const Result<int> setting = readWithholding(folder);
    if (!setting)
        throw Failure{QStringLiteral("%1: %2").arg(withholdingPath(folder),
                                                   withholdingFailureText(setting.error()))};
    return *setting;
}

int run(const QStringList &arguments)
{
    const Options options = readOptions(arguments);
    const Sistema sistema = readSystem(options.systemPath);
    const QString wheelText = sistema.Ruota.trimmed();
    const int wheel = wheelIndex(wheelText);
    if (wheel == kNoWheel)
        throw Failure{
            QStringLiteral("%1: ruota sconosciuta \"%2\"").arg(options.systemPath, wheelText)};
    const Result<CheckedSystem> system = checkedSystem(sistema);
    if (!system)
        throw Failure{
            QStringLiteral("%1: puntate troppo grandi per la verifica").arg(options.systemPath)};
    const DrawArchive archive = readArchive(options.archivePath);
    const int basisPoints = withholding();

    const Result<CheckResult> checked =
        checkSystem(*system, archive.drawsOf(wheel, options.from, options.to), basisPoints);
    if (!checked)
        throw Failure{QStringLiteral("i totali della verifica superano i valori che si possono "
                                     "contare: scegli meno estrazioni o puntate più piccole")};
    const CheckResult &result = *checked;

    QString out;
    for (const DrawWin &win : result.wins) {
        const QString date = drawDateText(win.draw.date);
        for (const PlayWin &play : win.plays)
            out += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                       .arg(date, wheelText)
                       .arg(play.play)
                       .arg(play.hits)
                       .arg(centsText(play.gross), centsText(play.net));
    }
    const CheckTotals &t = result.totals;
    out += QStringLiteral("TOTAL\t%1\t%2\t%3\t%4\t%5\n")
               .arg(t.drawsChecked)
               .arg(t.winningDraws)
               .arg(centsText(t.staked), centsText(t.gross), centsText(t.net));
    return command::writeOutput(out);
}

} // namespace

int runVerifica(const QStringList &arguments)
{
    return command::runReporting([&] { return run(arguments); });
}

} // namespace zelmora
