#include "ui/Fonts.h"

namespace zelmora {

QFont msSansSerif(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

} // namespace zelmora
