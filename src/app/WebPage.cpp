#include "app/WebPage.h"

#include "app/UiServices.h"

namespace zelmora {

QString webAddress(const QString &address)
{
    if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QStringLiteral("http://") + address;
    return address;
}

void OpenWebPage(UiServices &ui, const QString &address)
{
    const QString url = webAddress(address);
    ui.openUrl(url, [&ui, url] {
        warningMessage(ui, QStringLiteral("Nessun browser ha potuto aprire la pagina.\r\n"
                                          "Aprila a mano a questo indirizzo:\r\n") +
                               url);
    });
}

} // namespace zelmora
