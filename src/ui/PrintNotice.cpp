#include "ui/PrintNotice.h"

#include "app/UiServices.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "ui/frmAnteprima.h"

#include <QWidget>

#include <QDir>
#include <QFileInfo>

namespace zelmora {

void announceDeliveredFiles(print::Printer &printer)
{
    const QStringList files = printer.takeDeliveredFiles();
    if (files.isEmpty())
        return;
    if (files.size() == 1) {
        ui().Notify(QStringLiteral("Stampato su File PDF:\n") + QDir::toNativeSeparators(files[0]));
        return;
    }
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    ui().Notify(QStringLiteral("Stampati su File PDF %1 documenti, in %2:\n")
                    .arg(files.size())
                    .arg(QDir::toNativeSeparators(QFileInfo(files[0]).absolutePath())) +
                names.join(u'\n'));
}

void printReport(QWidget *form, print::PrinterSet &printers,
                 const std::function<Result<void>()> &print)
{
    form->setEnabled(false);
    printers.CurrentPrinter().takeDeliveredFiles();
    const Result<void> printed = print();
    announceDeliveredFiles(printers.CurrentPrinter());
    form->setEnabled(true);
    if (printed)
        return;
    if (printed.error().number() == RuntimeError::PrinterError)
        reportPrinterNotInstalled();
    else
        criticalMessage(formErrorMessage(RuntimeError(printed.error().number()),
                                         QStringLiteral("cmdStampa_Click"), form->objectName()));
}

void showPreview(QWidget *form, const std::function<Result<print::Preview>()> &makePreview)
{
    form->setEnabled(false);
    Result<print::Preview> preview = makePreview();
    form->setEnabled(true);
    if (!preview) {
        criticalMessage(formErrorMessage(preview.error(), QStringLiteral("cmdAnteprima_Click"),
                                         form->objectName()));
        return;
    }
    frmAnteprima::showModal(std::move(preview).value(), form->windowTitle(), form);
}

} // namespace zelmora
