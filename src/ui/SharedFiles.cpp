#include "ui/SharedFiles.h"

#include "app/Program.h"
#include "app/Settings.h"
#include "app/Taratura.h"
#include "app/UiServices.h"

namespace zelmora {

void ReadConfiguration(ProgramContext &context)
{
    const Result<void> read = readConfiguration(context);
    if (!read)
        plainMessage(moduleErrorMessage(read.error(), QStringLiteral("ReadConfiguration")));
}

void LeggiTaraturaAmbetto(print::TaraturaAmbetto &record, const ProgramContext &context,
                          const QString &formName)
{
    const Result<print::ScaleRecordRead> read =
        readTaratura(context.program->printers, record, context.appPath);
    if (!read) {
        // A box with only the OK button and the application's title.
        plainMessage(
            formErrorMessage(read.error(), QStringLiteral("LeggiTaraturaAmbetto"), formName));
    } else if (read->state == print::ScaleRecordRead::Damaged) {
        warningMessage(QStringLiteral("La correzione di scala in printA.cfg è danneggiata (%1): "
                                      "si stampa con i fattori 1 e 1")
                           .arg(read->problem),
                       QStringLiteral("Importante"));
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
    const Result<void> saved = saveTaratura(record, appPath);
    if (!saved)
        plainMessage(formErrorMessage(saved.error(), QStringLiteral("cmdSalva_Click"), formName));
}

} // namespace zelmora
