#include "cli/CheckCommand.h"
#include "cli/CommandLine.h"
#include "cli/StatisticsCommand.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

// What the command line is read as, in one line: the kind and its arguments, or the refusal's
// first line.
QString readAs(const QString &line)
{
    const QStringList arguments = line.split(u' ', Qt::SkipEmptyParts);
    const CommandLine command = parseCommandLine(arguments);
    const auto refused = [](const RuntimeError &error) {
        return QStringLiteral("refused: ") + error.description().section(u'\n', 0, 0);
    };
    switch (command.kind) {
    case CommandLine::Window:
        return (QStringLiteral("window ") + command.arguments.join(u' ')).trimmed();
    case CommandLine::Open:
        return QStringLiteral("open %1 with %2").arg(command.file, command.arguments.join(u' '));
    case CommandLine::ManyFiles:
        return QStringLiteral("many files ") + command.arguments.join(u' ');
    case CommandLine::Help:
        return QStringLiteral("help");
    case CommandLine::Version:
        return QStringLiteral("version");
    case CommandLine::Unknown:
        return QStringLiteral("unknown ") + command.unknown;
    case CommandLine::Check: {
        const Result<CheckOptions> options = readCheckOptions(command.arguments);
        if (!options)
            return refused(options.error());
        return QStringLiteral("verifica %1 %2 %3 %4")
            .arg(options->systemPath, options->archivePath, options->from.toString(Qt::ISODate),
                 options->to.toString(Qt::ISODate))
            .trimmed();
    }
    case CommandLine::Update:
        return (QStringLiteral("aggiorna ") + command.arguments.join(u' ')).trimmed();
    case CommandLine::Statistics: {
        const Result<StatisticsOptions> options = readStatisticsOptions(command.arguments);
        if (!options)
            return refused(options.error());
        return QStringLiteral("statistiche %1 ruota=%2 sistema=%3 %4 %5")
            .arg(options->archivePath, options->wheel, options->systemPath,
                 options->from.toString(Qt::ISODate), options->to.toString(Qt::ISODate))
            .trimmed();
    }
    }
    return {};
}

struct Case
{
    const char *line;
    const char *readAs;
};

void PrintTo(const Case &c, std::ostream *out)
{
    *out << '"' << c.line << '"';
}

class CommandOptions : public ::testing::TestWithParam<Case>
{
};

TEST_P(CommandOptions, AreReadOrRefusedWithTheReason)
{
    EXPECT_EQ(readAs(QString::fromUtf8(GetParam().line)).toStdString(), GetParam().readAs);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandOptions,
    ::testing::Values(
        // The window takes Qt's own options, with or without their values.
        Case{"", "window"},
        Case{"-platform offscreen -reverse", "window -platform offscreen -reverse"},
        Case{"--style=fusion", "window --style=fusion"},
        // Help comes before anything, then the version; an unknown argument is named.
        Case{"--verifica a.zlm --help", "help"}, Case{"-h", "help"},
        Case{"--version --sconosciuta", "version"}, Case{"--sconosciuta", "unknown --sconosciuta"},
        // One argument that is not an option is a system to open, beside Qt's options; two or
        // more are refused, and so is an unknown option beside a file.
        Case{"mio.zlm", "open mio.zlm with mio.zlm"},
        Case{"-platform offscreen ../sistemi/mio.zlm --reverse",
             "open ../sistemi/mio.zlm with -platform offscreen ../sistemi/mio.zlm --reverse"},
        Case{"-style mio.zlm", "window -style mio.zlm"},
        Case{"a.zlm b.zlm", "many files a.zlm b.zlm"},
        Case{"a.zlm -platform offscreen b.zlm c.zlm", "many files a.zlm b.zlm c.zlm"},
        Case{"mio.zlm --sconosciuta", "unknown --sconosciuta"}, Case{"-", "unknown -"},
        // --verifica: two files, the dates in any of the archive's forms, in any order.
        Case{"--verifica s.zlm a.txt", "verifica s.zlm a.txt"},
        Case{"--verifica --dal 02/01/2024 s.zlm a.txt --al 2024-01-31",
             "verifica s.zlm a.txt 2024-01-02 2024-01-31"},
        Case{"-platform offscreen --verifica s.zlm a.txt", "verifica s.zlm a.txt"},
        Case{"--verifica s.zlm", "refused: uso: zelmoravintesca --verifica SISTEMA.zlm "
                                 "ARCHIVIO.txt [--dal DATA] [--al DATA]"},
        Case{"--verifica s.zlm a.txt b.txt", "refused: uso: zelmoravintesca --verifica "
                                             "SISTEMA.zlm ARCHIVIO.txt [--dal DATA] [--al DATA]"},
        Case{"--verifica s.zlm a.txt --dal", "refused: manca la data dopo --dal"},
        Case{"--verifica s.zlm a.txt --al 31/02/2024",
             "refused: data non valida: \"31/02/2024\" (AAAA/MM/GG, AAAA-MM-GG o GG/MM/AAAA)"},
        Case{"--verifica s.zlm a.txt --dal 2024/02/01 --al 2024/01/01",
             "refused: la data --al (01/01/2024) viene prima della data --dal (01/02/2024)"},
        Case{"--verifica s.zlm a.txt --ruota BA", "refused: opzione sconosciuta: --ruota"},
        // --aggiorna takes nothing more (what follows is refused when it runs).
        Case{"--aggiorna", "aggiorna"}, Case{"-platform offscreen --aggiorna", "aggiorna"},
        // --statistiche: one archive, a wheel or a system, each option once.
        Case{"--statistiche a.txt --ruota BA", "statistiche a.txt ruota=BA sistema="},
        Case{"--statistiche a.txt --sistema s.zlm --dal 2024/01/02",
             "statistiche a.txt ruota= sistema=s.zlm 2024-01-02"},
        Case{"--statistiche a.txt", "refused: serve la ruota: --ruota RUOTA, o un sistema con "
                                    "--sistema"},
        Case{"--statistiche a.txt --ruota BA --ruota CA", "refused: --ruota è dato due volte"},
        Case{"--statistiche a.txt --ruota", "refused: manca il valore dopo --ruota"},
        Case{"--statistiche a.txt b.txt --ruota BA",
             "refused: uso: zelmoravintesca --statistiche ARCHIVIO.txt [--ruota RUOTA] [--dal "
             "DATA] [--al DATA] [--sistema SISTEMA.zlm]"},
        Case{"--statistiche a.txt --ruota BA --dal 2024/02/01 --al 2024/01/01",
             "refused: la data --dal (01/02/2024) viene dopo la data --al (01/01/2024): nessuna "
             "estrazione"}),
    [](const ::testing::TestParamInfo<Case> &row) { return std::to_string(row.index); });

} // namespace
