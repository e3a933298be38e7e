#include "app/UiServices.h"

namespace zelmora {

namespace {
const QString kPrinterErrorTitle = QStringLiteral("!!! E R R O R E !!!");
}

void reportError(UiServices &ui, const RuntimeError &error, const QString &procedure,
                 const QString &form, MessageIcon icon)
{
    ui.message(icon,
               form.isEmpty() ? moduleErrorMessage(error, procedure)
                              : formErrorMessage(error, procedure, form),
               QString());
}

void reportPrinterNotInstalled(UiServices &ui)
{
    criticalMessage(ui, QStringLiteral("Stampante non installata"), kPrinterErrorTitle);
}

void reportUnexpectedPrinterError(UiServices &ui)
{
    criticalMessage(ui, QStringLiteral("Errore Stampante non previsto"), kPrinterErrorTitle);
}

void reportMissingPictures(UiServices &ui, const QStringList &paths, const QString &without)
{
    if (paths.isEmpty())
        return;
    warningMessage(ui, QStringLiteral("Impossibile leggere l'immagine:\r\n") +
                           paths.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + without);
}

} // namespace zelmora
