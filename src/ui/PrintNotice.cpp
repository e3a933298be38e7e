#include "ui/PrintNotice.h"

#include "app/Program.h"
#include "app/UiServices.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "ui/frmAnteprima.h"

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
        ui.Notify(QStringLiteral("Stampato su File PDF:\n") + QDir::toNativeSeparators(files[0]));
        return;
    }
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    ui.Notify(QStringLiteral("Stampati su File PDF %1 documenti, in %2:\n")
                  .arg(files.size())
                  .arg(QDir::toNativeSeparators(QFileInfo(files[0]).absolutePath())) +
              names.join(u'\n'));
}

void printReport(QWidget *form, Program &program, const std::function<Result<void>()> &print)
{
    UiServices &ui = *program.ui;
    print::Printer &printer = program.printers.CurrentPrinter();
    form->setEnabled(false);
    printer.takeDeliveredFiles();
    const Result<void> printed = print();
    announceDeliveredFiles(ui, program.printers.CurrentPrinter());
    form->setEnabled(true);
    if (printed)
        return;
    if (printed.error().number() == RuntimeError::PrinterError)
        reportPrinterNotInstalled(ui);
    else
        reportError(ui, printed.error(), QStringLiteral("cmdStampa_Click"), form->objectName());
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
