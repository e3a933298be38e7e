#include "cli/CheckCommand.h"

#include "cli/CommandInput.h"
#include "core/DrawArchive.h"
#include "core/DrawDate.h"
#include "core/SystemCheck.h"
#include "core/WheelCodes.h"
#include "core/WithholdingSetting.h"

namespace zelmora {

using command::failure;

Result<CheckOptions> readCheckOptions(const QStringList &arguments)
{
    const QString usage = QStringLiteral(
        "uso: zelmoravintesca --verifica SISTEMA.zlm ARCHIVIO.txt [--dal DATA] [--al DATA]");
    CheckOptions options;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--dal") || argument == QLatin1String("--al")) {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("manca la data dopo %1\n").arg(argument) + usage);
            const Result<QDate> date = command::readDate(arguments[++i]);
            if (!date)
                return date.error();
            (argument == QLatin1String("--dal") ? options.from : options.to) = *date;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return failure(QStringLiteral("opzione sconosciuta: %1\n").arg(argument) + usage);
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 2)
        return failure(usage);
    if (options.from.isValid() && options.to.isValid() && options.to < options.from)
        return failure(QStringLiteral("la data --al (%1) viene prima della data --dal (%2)")
                           .arg(italianDateText(options.to), italianDateText(options.from)));
    options.systemPath = files[0];
    options.archivePath = files[1];
    return options;
}

namespace {

Result<int> withholding(const QString &folder)
{
    const Result<int> setting = readWithholding(folder);
    if (!setting)
        return failure(QStringLiteral("%1: %2").arg(withholdingPath(folder),
                                                    withholdingFailureText(setting.error())));
    return setting;
}

Result<int> run(const QStringList &arguments, const QString &dataFolder)
{
    const Result<CheckOptions> read = readCheckOptions(arguments);
    if (!read)
        return read.error();
    const CheckOptions &options = *read;
    const Result<Sistema> sistema = command::readSystem(options.systemPath);
    if (!sistema)
        return sistema.error();
    const QString wheelText = sistema->Ruota.trimmed();
    const int wheel = wheelIndex(wheelText);
    if (wheel == kNoWheel)
        return failure(
            QStringLiteral("%1: ruota sconosciuta \"%2\"").arg(options.systemPath, wheelText));
    const Result<CheckedSystem> system = checkedSystem(*sistema);
    if (!system)
        return failure(
            QStringLiteral("%1: puntate troppo grandi per la verifica").arg(options.systemPath));
    const Result<DrawArchive> archive = command::readArchive(options.archivePath);
    if (!archive)
        return archive.error();
    const Result<int> basisPoints = withholding(dataFolder);
    if (!basisPoints)
        return basisPoints.error();

    // Each win is written as the check finds it, so the output of any archive takes no memory.
    command::StandardOutput output;
    const QString wheelColumn = u'\t' + wheelText + u'\t';
    const auto writeWin = [&](const DrawWin &win, const QList<PlayWin> &plays) {
        const QString date = drawDateText(win.draw.date) + wheelColumn;
        QString lines;
        for (const PlayWin &play : plays) {
            lines += date;
            lines += QChar(u'0' + play.play);
            lines += u'\t';
            lines += QChar(u'0' + play.hits);
            lines += u'\t' + centsText(play.gross) + u'\t' + centsText(play.net) + u'\n';
        }
        return output.write(lines);
    };
    // No draw of the wheel between the dates checks nothing: that is no answer, as the window
    // and the statistics say.
    const QList<Draw> draws = archive->drawsOf(wheel, options.from, options.to);
    if (draws.isEmpty())
        return failure(QStringLiteral("%1: nessuna estrazione di %2%3")
                           .arg(options.archivePath, wheelName(wheel),
                                command::rangeText(options.from, options.to)));
    const Result<CheckResult> checked = checkSystem(*system, draws, *basisPoints, {}, writeWin);
    if (!checked) {
        // The lines written stand; what follows them says the totals are missing.
        output.finish();
        return failure(QStringLiteral("i totali della verifica superano i valori che si possono "
                                      "contare: scegli meno estrazioni o puntate più piccole"));
    }
    const CheckTotals &t = checked->totals;
    if (!checked->interrupted)
        output.write(QStringLiteral("TOTAL\t%1\t%2\t%3\t%4\t%5\n")
                         .arg(t.drawsChecked)
                         .arg(t.winningDraws)
                         .arg(centsText(t.staked), centsText(t.gross), centsText(t.net)));
    return output.finish();
}

} // namespace

int runCheck(const QStringList &arguments, const QString &dataFolder)
{
    return command::exitCode(run(arguments, dataFolder));
}

} // namespace zelmora
