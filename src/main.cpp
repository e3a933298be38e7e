// The program's entry: refuses a second copy (handing it the system file to open, if any),
// fixes the program folder, loads the main window, opens the system file it was started with
// and hands over to the window event loop.

#include "app/AppPath.h"
#include "app/ButtonKeys.h"
#include "app/DataFolder.h"
#include "app/DialogsOnScreen.h"
#include "app/Forms.h"
#include "app/Pause.h"
#include "app/Program.h"
#include "app/QtTranslations.h"
#include "app/QtUiServices.h"
#include "app/SingleInstance.h"
#include "app/UiServices.h"
#include "cli/CommandLine.h"
#include "core/Corpo.h"
#include "ui/NewVersion.h"
#include "ui/frmMain.h"
#include "ui/frmSplash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPointer>

using namespace zelmora;

namespace {

// The system file to open: the one the program was started with, then each one a later copy
// sends. Until the main window is shown the last one waits here; then the window opens it.
struct SystemToOpen
{
    QString path;
    QPointer<frmMain> window;

    void request(const QString &requested)
    {
        if (window)
            window->openWhenFree(requested);
        else
            path = requested;
    }
};

// The file named on the command line as an absolute name, resolved in this copy's working
// folder, so that a running copy elsewhere opens the same file.
QString absoluteName(const QString &file)
{
    if (file.isEmpty() || file.startsWith(u'/'))
        return file;
    return QDir::currentPath() + u'/' + file;
}

// Start-up; false when the program ended before its event loop (another copy runs, or a
// newer version was announced).
bool Main(Program &program, SingleInstance &instance, SystemToOpen &toOpen)
{
    program.identity.gEdition = QStringLiteral("Freeware");

    if (instance.PrevInstance()) {
        if (instance.ActivateRunningInstance(toOpen.path)) {
            program.ending.End();
            return false;
        }
    } else {
        QObject::connect(&instance, &SingleInstance::activationRequested, &raiseMainWindow);
        QObject::connect(&instance, &SingleInstance::openRequested,
                         [&toOpen](const QString &path) { toOpen.request(path); });
    }

    // The program's files live beside it, or in the user's folder when that cannot be written.
    program.appPath = dataFolder(GetAppPath());
    program.printers.setFilePdfFolder(program.appPath + QStringLiteral("stampe"));

    // The splash may close itself early on a key or a click: hold it through a guarded pointer.
    QPointer<frmSplash> splash = new frmSplash(program.identity);
    splash->Form_Load();
    splash->show();
    splash->activateWindow();
    splash->repaint();

    if (!NewVersion(program))
        return false;

    auto *main = new frmMain(program);
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->Form_Load();

    Pause(1000, *program.ui);

    // Deleted rather than closed: closing asks for a deferred delete, and one asked for before
    // the event loop starts waits for that loop to end, holding the splash's picture, fonts
    // and window for as long as the program runs.
    delete splash;
    program.ui->setBusy(false);
    main->show();
    toOpen.window = main;
    if (!toOpen.path.isEmpty())
        main->openWhenFree(toOpen.path);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    guardStandardStreams();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The commands (the check, the usage, the version): no window, no display, no server, no
    // single instance.
    const CommandLine command = parseCommandLine(arguments);
    if (command.kind != CommandLine::Window && command.kind != CommandLine::Open) {
        QCoreApplication app(argc, argv);
        // The update writes the archive where the windows keep it (the user's folder, made and
        // filled as the windows make it, when the program's cannot be written); the other
        // commands only read a setting, and make nothing.
        const QString folder = command.kind == CommandLine::Update
                                   ? dataFolder(GetAppPath())
                                   : existingDataFolder(GetAppPath());
        return runCommand(command, folder);
    }
    if (!windowPossible(arguments)) {
        writeWhole(stderr, QStringLiteral("zelmoravintesca: nessuno schermo su cui aprire la "
                                          "finestra (DISPLAY non è impostato); la verifica senza "
                                          "finestre: zelmoravintesca --help\n")
                               .toUtf8());
        return 2;
    }
    QApplication app(argc, argv);
    app.installEventFilter(new EnterPressesButtons(&app));
    app.installEventFilter(new DialogsOnScreen(&app));
    QApplication::setApplicationName(QStringLiteral("Zelmoravintesca"));
    QApplication::setApplicationVersion(corpo::versionText());
    installQtItalian();

    // What the windows and runs share, for as long as the program runs.
    Program program;
    // Tests and benchmarks point the version query at a server of their own.
    program.versionServer = qEnvironmentVariable("ZELMORA_VERSION_SERVER");
    QtUiServices services([&program] { return program.identity.AppTitle; });
    program.ui = &services;

    SingleInstance instance(program.identity.AppTitle);
    program.ending.atEnd([&instance] { instance.release(); });
    SystemToOpen toOpen{absoluteName(command.file), nullptr};
    const bool goOn = Main(program, instance, toOpen);
    return goOn ? QApplication::exec() : 0;
}
