#include "app/WebPage.h"

#include "app/UiServices.h"

namespace zelmora {

QString webAddress(const QString &address)
{
    if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QStringLiteral("http://") + address;
    return address;
}

void OpenWebPage(const QString &address)
{
    ui().OpenUrl(webAddress(address));
}

} // namespace zelmora
