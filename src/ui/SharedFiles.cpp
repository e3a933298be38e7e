#include "ui/SharedFiles.h"

#include "app/Program.h"
#include "app/Settings.h"
#include "app/Taratura.h"
#include "app/UiServices.h"

namespace zelmora {

void ReadConfiguration(Program &program)
{
    const Result<void> read = readSettingsFile(program);
    if (!read)
        reportError(*program.ui, read.error(), QStringLiteral("ReadConfiguration"), {},
                    MessageIcon::None);
}

void LeggiTaraturaAmbetto(print::TaraturaAmbetto &record, Program &program, const QString &formName)
{
    const Result<print::ScaleRecordRead> read =
        readProgramCalibration(program.printers, record, program.appPath);
    UiServices &ui = *program.ui;
    if (!read) {
        // A box with only the OK button and the application's title.
        reportError(ui, read.error(), QStringLiteral("LeggiTaraturaAmbetto"), formName,
                    MessageIcon::None);
    } else if (read->state == print::ScaleRecordRead::Damaged) {
        warningMessage(ui,
                       QStringLiteral("La correzione di scala in printA.cfg è danneggiata (%1): "
                                      "si stampa con i fattori 1 e 1")
                           .arg(read->problem),
                       QStringLiteral("Importante"));
    }
}

void CorreggiTaratura(UiServices &ui, print::TaraturaAmbetto &record)
{
    const QStringList corrected = print::bringIntoRange(record);
    if (!corrected.isEmpty())
        warningMessage(ui, corrected.join(QStringLiteral("\r\n")), QStringLiteral("Importante"));
}

void SalvaTaraturaAmbetto(const print::TaraturaAmbetto &record, Program &program,
                          const QString &formName)
{
    const Result<void> saved = saveProgramCalibration(record, program.appPath);
    if (!saved)
        reportError(*program.ui, saved.error(), QStringLiteral("cmdSalva_Click"), formName,
                    MessageIcon::None);
}

} // namespace zelmora
