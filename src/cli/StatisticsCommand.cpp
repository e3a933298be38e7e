#include "cli/StatisticsCommand.h"

#include "cli/CommandInput.h"
#include "cli/CommandLine.h"
#include "core/DrawDate.h"
#include "core/NumberStatistics.h"
#include "core/WheelCodes.h"

#include <optional>

namespace zelmora {

using command::failure;

Result<StatisticsOptions> readStatisticsOptions(const QStringList &arguments)
{
    const QString usage = QStringLiteral(
        "uso: zelmoravintesca --statistiche ARCHIVIO.txt [--ruota RUOTA] [--dal DATA] "
        "[--al DATA] [--sistema SISTEMA.zlm]");
    StatisticsOptions options;
    QStringList files;
    QStringList seen;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool date = argument == QLatin1String("--dal") || argument == QLatin1String("--al");
        if (date || argument == QLatin1String("--ruota") ||
            argument == QLatin1String("--sistema")) {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("manca il valore dopo %1\n").arg(argument) + usage);
            if (seen.contains(argument))
                return failure(QStringLiteral("%1 è dato due volte\n").arg(argument) + usage);
            seen << argument;
            const QString &value = arguments[++i];
            if (argument == QLatin1String("--ruota")) {
                options.wheel = value;
            } else if (argument == QLatin1String("--sistema")) {
                options.systemPath = value;
            } else {
                const Result<QDate> read = command::readDate(value);
                if (!read)
                    return read.error();
                (argument == QLatin1String("--dal") ? options.from : options.to) = *read;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            return failure(QStringLiteral("opzione sconosciuta: %1\n").arg(argument) + usage);
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 1)
        return failure(usage);
    if (options.wheel.isNull() && options.systemPath.isNull())
        return failure(QStringLiteral("serve la ruota: --ruota RUOTA, o un sistema con "
                                      "--sistema\n") +
                       usage);
    if (options.from.isValid() && options.to.isValid() && options.to < options.from)
        return failure(QStringLiteral("la data --dal (%1) viene dopo la data --al (%2): nessuna "
                                      "estrazione")
                           .arg(italianDateText(options.from), italianDateText(options.to)));
    options.archivePath = files[0];
    return options;
}

namespace {

Result<int> run(const QStringList &arguments)
{
    const Result<StatisticsOptions> read = readStatisticsOptions(arguments);
    if (!read)
        return read.error();
    const StatisticsOptions &options = *read;
    PlayNumbers plays{};
    std::optional<Sistema> sistema;
    if (!options.systemPath.isNull()) {
        const Result<Sistema> system = command::readSystem(options.systemPath);
        if (!system)
            return system.error();
        sistema = *system;
        plays = playsOf(*sistema);
    }
    const QString wheelText =
        options.wheel.isNull() ? sistema->Ruota.trimmed() : options.wheel.trimmed();
    const int wheel = wheelIndex(wheelText);
    if (wheel == kNoWheel)
        return failure(
            options.wheel.isNull()
                ? QStringLiteral("%1: ruota sconosciuta \"%2\"").arg(options.systemPath, wheelText)
                : QStringLiteral("ruota sconosciuta: \"%1\" (un nome come Bari o un "
                                 "codice come BA)")
                      .arg(wheelText));
    const Result<DrawArchive> archive = command::readArchive(options.archivePath);
    if (!archive)
        return archive.error();

    const NumberStatistics figures =
        numberStatistics(archive->drawsOf(wheel, options.from, options.to), plays);
    if (figures.draws == 0)
        return failure(QStringLiteral("%1: nessuna estrazione di %2%3")
                           .arg(options.archivePath, wheelName(wheel),
                                command::rangeText(options.from, options.to)));

    QString out = QStringLiteral("DRAWS\t%1\n").arg(figures.draws);
    for (int n = 1; n <= 90; ++n) {
        const NumberFigures &f = figures.of(n);
        out +=
            QStringLiteral("%1\t%2\t%3\t%4\n").arg(n).arg(f.frequency).arg(f.delay).arg(f.maxDelay);
    }
    if (sistema)
        for (int p = 0; p < kGiocate; ++p) {
            const PlayDelays &d = figures.plays[std::size_t(p)];
            out +=
                QStringLiteral("PLAY\t%1\t%2\t%3\t%4\n").arg(p + 1).arg(d[0]).arg(d[1]).arg(d[2]);
        }
    return command::writeOutput(out);
}

} // namespace

int runStatistics(const QStringList &arguments)
{
    return command::exitCode(run(arguments));
}

} // namespace zelmora
