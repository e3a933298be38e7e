// The program's entry: refuses a second copy, fixes the program folder, loads the main window
// and hands over to the window event loop.

#include "app/AppPath.h"
#include "app/Forms.h"
#include "app/Pause.h"
#include "app/SingleInstance.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "ui/frmMain.h"

#include <QApplication>

using namespace zelmora;

namespace {

void Main(SingleInstance &instance)
{
    corpo::gEdition = QStringLiteral("Freeware");

    if (instance.PrevInstance()) {
        if (instance.ActivateRunningInstance())
            End();
    } else {
        instance.listen();
        QObject::connect(&instance, &SingleInstance::activationRequested, &raiseMainWindow);
    }

    corpo::gAppPath = GetAppPath();

    auto *main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->Form_Load();

    Pause(1000);

    ui().SetMousePointer(vbDefault);
    main->show();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelmoravintesca"));
    QApplication::setApplicationVersion(corpo::versionText());

    SingleInstance instance;
    atEnd([&instance] { instance.release(); });
    Main(instance);
    return QApplication::exec();
}
