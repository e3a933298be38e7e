#include "app/Taratura.h"

#include "app/UiServices.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"

namespace zelmora {

QString taraturaPath(const QString &appPath)
{
    return appPath + QStringLiteral("printA.cfg");
}

void LeggiTaraturaAmbetto(print::TaraturaAmbetto &record, const QString &appPath,
                          const QString &formName)
{
    const QString path = taraturaPath(appPath);
    if (nothingAt(path)) {
        // Never calibrated yet: every length at zero, on the default printer.
        record = print::TaraturaAmbetto{};
        record.Stampante = print::DefaultPrinterName();
        print::SelectPrinter(record.Stampante);
        return;
    }
    try {
        const print::ScaleRecordRead scale = print::readCalibration(path, record);
        print::SelectPrinter(record.Stampante);
        if (scale.state == print::ScaleRecordRead::Damaged)
            warningMessage(
                QStringLiteral("La correzione di scala in printA.cfg è danneggiata (%1): "
                               "si stampa con i fattori 1 e 1")
                    .arg(scale.problem),
                QStringLiteral("Importante"));
    } catch (const RuntimeError &error) {
        // A box with only the OK button and the application's title.
        plainMessage(formErrorMessage(error, QStringLiteral("LeggiTaraturaAmbetto"), formName));
    }
}

void CorreggiTaratura(print::TaraturaAmbetto &record)
{
    const QStringList corrected = print::bringIntoRange(record);
    if (!corrected.isEmpty())
        warningMessage(corrected.join(QStringLiteral("\r\n")), QStringLiteral("Importante"));
}

void SalvaTaraturaAmbetto(const print::TaraturaAmbetto &record, const QString &appPath,
                          const QString &formName)
{
    try {
        print::writeCalibration(taraturaPath(appPath), record);
    } catch (const RuntimeError &error) {
        plainMessage(formErrorMessage(error, QStringLiteral("cmdSalva_Click"), formName));
    }
}

} // namespace zelmora
