#include "app/UiServices.h"

#include "app/QtUiServices.h"

namespace zelmora {

namespace {
UiServices *g_installed = nullptr;
}

UiServices &ui()
{
    if (g_installed)
        return *g_installed;
    static QtUiServices real;
    return real;
}

void setUi(UiServices *services)
{
    g_installed = services;
}

namespace {
const QString kPrinterErrorTitle = QStringLiteral("!!! E R R O R E !!!");
}

void reportPrinterNotInstalled()
{
    criticalMessage(QStringLiteral("Stampante non installata"), kPrinterErrorTitle);
}

void reportUnexpectedPrinterError()
{
    criticalMessage(QStringLiteral("Errore Stampante non previsto"), kPrinterErrorTitle);
}

void reportMissingPictures(const QStringList &paths, const QString &without)
{
    if (paths.isEmpty())
        return;
    warningMessage(QStringLiteral("Impossibile leggere l'immagine:\r\n") +
                   paths.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + without);
}

} // namespace zelmora
