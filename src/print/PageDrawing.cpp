#include "print/PageDrawing.h"

namespace zelmora::print {

QString titleLine(const QString &heading)
{
    const QString name = QStringLiteral("Zelmoravintesca by Vandrel");
    return heading.trimmed().isEmpty() ? name : name + QStringLiteral(" - ") + heading;
}

void centred(Printer &p, double x, double y, const QString &text)
{
    p.setCurrentX(x - p.TextWidth(text) / 2);
    p.setCurrentY(y);
    p.Print(text);
}

void rightAligned(Printer &p, double x, double y, const QString &text)
{
    p.setCurrentX(x - p.TextWidth(text));
    p.setCurrentY(y);
    p.Print(text);
}

void filledBox(Printer &p, const QRectF &box, const QColor &colour)
{
    p.FillStyle = vbFSSolid;
    p.FillColor = colour;
    p.Line(box.left(), box.top(), box.right(), box.bottom(), colour);
    p.FillStyle = vbFSTransparent;
}

void rule(Printer &p, double x1, double x2, double y, const QColor &colour)
{
    p.Line(x1, y, x2, y, colour);
}

} // namespace zelmora::print
