#include "ui/PrintNotice.h"

#include "app/Program.h"
#include "app/UiServices.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "ui/WindowWork.h"
#include "ui/frmAnteprima.h"

#include <QPointer>

#include <QWidget>

#include <QDir>
#include <QFileInfo>

namespace zelmora {

void announceDeliveredFiles(UiServices &ui, print::Printer &printer)
{
    const QStringList files = printer.takeDeliveredFiles();
    if (files.isEmpty())
        return;
    if (files.size() == 1) {
        ui.notify(QStringLiteral("Stampato su File PDF:\n") + QDir::toNativeSeparators(files[0]));
        return;
    }
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    ui.notify(QStringLiteral("Stampati su File PDF %1 documenti, in %2:\n")
                  .arg(files.size())
                  .arg(QDir::toNativeSeparators(QFileInfo(files[0]).absolutePath())) +
              names.join(u'\n'));
}

namespace {

// A report's printed result, as the worker hands it over.
struct Printed
{
    Result<bool> result{false};
};

struct Previewed
{
    Result<print::Preview> result{print::Preview{}};
};

} // namespace

void printReport(QWidget *form, Program &program, WindowWork &work,
                 std::function<Result<bool>(const print::PrintProgress &)> print)
{
    program.printers.CurrentPrinter().takeDeliveredFiles();
    QPointer<QWidget> window(form);
    Program *shared = &program;
    work.run<Printed>(
        [print = std::move(print)](Worker<Printed> &worker) {
            return Printed{print([&](int done, int total) {
                worker.tell(done, total,
                            QStringLiteral("Stampa in corso: pagina %1 di %2")
                                .arg(countText(done + 1), countText(total)));
                return worker.keepGoing();
            })};
        },
        [window, shared](Printed printed) {
            UiServices &ui = *shared->ui;
            announceDeliveredFiles(ui, shared->printers.CurrentPrinter());
            if (printed.result || !window)
                return;
            if (printed.result.error().number() == RuntimeError::PrinterError)
                reportPrinterNotInstalled(ui);
            else
                reportError(ui, printed.result.error(), QStringLiteral("cmdStampa_Click"),
                            window->objectName());
        });
}

void previewReport(QWidget *form, UiServices &ui, WindowWork &work,
                   std::function<Result<print::Preview>()> makePreview)
{
    QPointer<QWidget> window(form);
    UiServices *services = &ui;
    work.run<Previewed>(
        [makePreview = std::move(makePreview)](Worker<Previewed> &worker) {
            worker.tell(0, -1, QStringLiteral("Preparazione dell'anteprima..."));
            return Previewed{makePreview()};
        },
        [window, services](Previewed previewed) {
            if (!window)
                return;
            if (!previewed.result) {
                reportError(*services, previewed.result.error(),
                            QStringLiteral("cmdAnteprima_Click"), window->objectName());
                return;
            }
            frmAnteprima::showModal(std::move(previewed.result).value(), window->windowTitle(),
                                    window);
        });
}

void showPreview(QWidget *form, UiServices &ui,
                 const std::function<Result<print::Preview>()> &makePreview)
{
    form->setEnabled(false);
    Result<print::Preview> preview = makePreview();
    form->setEnabled(true);
    if (!preview) {
        reportError(ui, preview.error(), QStringLiteral("cmdAnteprima_Click"), form->objectName());
        return;
    }
    frmAnteprima::showModal(std::move(preview).value(), form->windowTitle(), form);
}

} // namespace zelmora
