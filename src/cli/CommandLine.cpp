#include "cli/CommandLine.h"

#include "cli/CheckCommand.h"
#include "cli/StatisticsCommand.h"
#include "cli/UpdateCommand.h"
#include "core/Corpo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace zelmora {

namespace {

// Qt's own options for the window, as QGuiApplication and QApplication read them, each with
// whether a value follows it. Qt reads "--name" as "-name", and "-name=value" too.
struct QtOption
{
    const char *name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"name", true},
    {"title", true},
    {"visual", true},
    {"ncols", true},
    {"cmap", true},
    {"im", true},
    {"inputstyle", true},
    {"fn", true},
    {"font", true},
    {"bg", true},
    {"background", true},
    {"fg", true},
    {"foreground", true},
    {"btn", true},
    {"button", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
    {"testability", false},
};

// How many arguments one of Qt's options at `i` takes up (itself and its value), or 0 when
// the argument is not one of them.
int qtOptionLength(const QStringList &arguments, qsizetype i)
{
    QString argument = arguments[i];
    if (!argument.startsWith(u'-') || argument.size() < 2)
        return 0;
    argument.remove(0, argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = argument.indexOf(u'=');
    const QString name = equals < 0 ? argument : argument.left(equals);
    for (const QtOption &option : kQtOptions)
        if (name == QLatin1String(option.name))
            return option.takesValue && equals < 0 && i + 1 < arguments.size() ? 2 : 1;
    return 0;
}

bool isOneOf(const QString &argument, std::initializer_list<const char *> names)
{
    for (const char *name : names)
        if (argument == QLatin1String(name))
            return true;
    return false;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    QStringList own; // the arguments that are not Qt's
    for (qsizetype i = 0; i < arguments.size();) {
        const int qt = qtOptionLength(arguments, i);
        if (qt > 0) {
            i += qt;
            continue;
        }
        own << arguments[i++];
    }
    if (std::any_of(own.begin(), own.end(), [](const QString &a) {
            return isOneOf(a, {"--help", "-h", "-help"});
        })) {
        line.kind = CommandLine::Help;
    } else if (std::any_of(own.begin(), own.end(), [](const QString &a) {
                   return isOneOf(a, {"--version", "-version"});
               })) {
        line.kind = CommandLine::Version;
    } else if (own.contains(QStringLiteral("--verifica"))) {
        line.kind = CommandLine::Check;
        own.removeOne(QStringLiteral("--verifica"));
        line.arguments = own;
    } else if (own.contains(QStringLiteral("--statistiche"))) {
        line.kind = CommandLine::Statistics;
        own.removeOne(QStringLiteral("--statistiche"));
        line.arguments = own;
    } else if (own.contains(QStringLiteral("--aggiorna"))) {
        line.kind = CommandLine::Update;
        own.removeOne(QStringLiteral("--aggiorna"));
        line.arguments = own;
    } else if (const auto option = std::find_if(
                   own.begin(), own.end(), [](const QString &a) { return a.startsWith(u'-'); });
               option != own.end()) {
        line.kind = CommandLine::Unknown;
        line.unknown = *option;
    } else if (own.size() > 1) {
        line.kind = CommandLine::ManyFiles;
        line.arguments = own;
    } else {
        // The window, with the one file left, if any, open in it.
        line.arguments = arguments;
        if (!own.isEmpty()) {
            line.kind = CommandLine::Open;
            line.file = own.constFirst();
        }
    }
    return line;
}

QString usageText()
{
    return QStringLiteral(
        "Uso:\n"
        "  zelmoravintesca [opzioni di Qt] [SISTEMA.zlm]\n"
        "      apre il programma, con il sistema indicato se c'è (se il programma è già\n"
        "      aperto, il sistema si apre lì); Qt accetta le sue opzioni (-platform, -style,\n"
        "      -display, ...)\n"
        "  zelmoravintesca --verifica SISTEMA.zlm ARCHIVIO.txt [--dal DATA] [--al DATA]\n"
        "      verifica un sistema salvato sulle estrazioni della sua ruota in un archivio,\n"
        "      senza finestre né schermo: una riga per ogni giocata vincente e il totale,\n"
        "      campi separati da tabulazioni; date AAAA/MM/GG, AAAA-MM-GG o GG/MM/AAAA\n"
        "  zelmoravintesca --statistiche ARCHIVIO.txt [--ruota RUOTA] [--dal DATA] [--al DATA]\n"
        "                  [--sistema SISTEMA.zlm]\n"
        "      ritardi e frequenze dei numeri su una ruota (nome o codice, come negli archivi;\n"
        "      senza --ruota quella del sistema): DRAWS è il numero di estrazioni, poi per\n"
        "      ogni numero da 1 a 90 numero, frequenza, ritardo e ritardo massimo; con\n"
        "      --sistema, per ogni giocata PLAY, giocata e ritardo di ambo, terno e quaterna\n"
        "  zelmoravintesca --aggiorna\n"
        "      scarica l'archivio pubblico di tutte le estrazioni e aggiunge quelle nuove\n"
        "      all'archivio del programma (estrazioni.txt), come il pulsante Aggiorna archivio;\n"
        "      l'indirizzo si cambia in aggiornamento.cfg nella cartella del programma\n"
        "  zelmoravintesca --help\n"
        "      mostra questo aiuto\n"
        "  zelmoravintesca --version\n"
        "      mostra la versione\n"
        "\n"
        "Esce con 0 quando tutto è andato bene, con 2 quando un dato non si può usare o il\n"
        "risultato non si è potuto scrivere per intero (il motivo va su standard error).\n");
}

bool writeWhole(std::FILE *stream, const QByteArray &bytes)
{
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) ==
                         std::size_t(bytes.size());
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}

void reportOutputFailure()
{
    const int error = errno;
    QString reason;
    switch (error) {
    case ENOSPC:
        reason = QStringLiteral("il disco è pieno");
        break;
    case EBADF:
        reason = QStringLiteral("standard output è chiuso");
        break;
    case EPIPE:
        reason = QStringLiteral("chi leggeva il risultato ha chiuso");
        break;
    default:
        reason = QString::fromLocal8Bit(std::strerror(error));
    }
    writeWhole(stderr, QStringLiteral("zelmoravintesca: il risultato non si è potuto scrivere "
                                      "per intero su standard output: %1\n")
                           .arg(reason)
                           .toUtf8());
}

namespace {

int runCommandSteps(const CommandLine &command, const QString &dataFolder)
{
    constexpr int kFailure = 2;
    switch (command.kind) {
    case CommandLine::Help:
        if (writeWhole(stdout, usageText().toUtf8()))
            return 0;
        break;
    case CommandLine::Version:
        if (writeWhole(stdout,
                       QStringLiteral("Zelmoravintesca %1\n").arg(corpo::versionText()).toUtf8()))
            return 0;
        break;
    case CommandLine::Unknown:
        writeWhole(
            stderr,
            (QStringLiteral("zelmoravintesca: argomento sconosciuto: %1\n").arg(command.unknown) +
             usageText())
                .toUtf8());
        return kFailure;
    case CommandLine::ManyFiles:
        writeWhole(stderr, (QStringLiteral("zelmoravintesca: si apre un solo sistema alla volta, "
                                           "non %1: %2\n")
                                .arg(command.arguments.size())
                                .arg(command.arguments.join(QStringLiteral(", "))) +
                            usageText())
                               .toUtf8());
        return kFailure;
    case CommandLine::Check:
        return runCheck(command.arguments, dataFolder);
    case CommandLine::Statistics:
        return runStatistics(command.arguments);
    case CommandLine::Update:
        return runUpdate(command.arguments, dataFolder);
    case CommandLine::Window:
    case CommandLine::Open:
        return kFailure;
    }
    reportOutputFailure();
    return kFailure;
}

} // namespace

int runCommand(const CommandLine &command, const QString &dataFolder)
{
    // Nothing below throws; what the libraries may (memory running out) is a message too.
    try {
        return runCommandSteps(command, dataFolder);
    } catch (const std::exception &error) {
        writeWhole(stderr, QStringLiteral("zelmoravintesca: %1\n")
                               .arg(dynamic_cast<const std::bad_alloc *>(&error)
                                        ? QStringLiteral("memoria insufficiente")
                                        : QString::fromLocal8Bit(error.what()))
                               .toUtf8());
        return 2;
    }
}

void guardStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

bool windowPossible(const QStringList &arguments)
{
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return std::any_of(arguments.begin(), arguments.end(), [](const QString &a) {
        return a == QLatin1String("-platform") || a == QLatin1String("--platform") ||
               a.startsWith(QLatin1String("-platform=")) ||
               a.startsWith(QLatin1String("--platform="));
    });
}

} // namespace zelmora
