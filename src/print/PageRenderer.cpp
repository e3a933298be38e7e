#include "print/PageRenderer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace zelmora::print {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;
// Text is set in hundredths of a millimetre: at a size of a few units a font would be hinted
// and spaced for a few pixels, and come out heavier and wider once scaled up.
constexpr double kTextUnitsPerMm = 100;

// The font at the size that makes its points come out right where one unit is a hundredth of
// a millimetre.
QFont fontInTextUnits(const QFont &font, const QPaintDevice *device)
{
    QFont scaled = font;
    const double dpi = device ? device->logicalDpiY() : 96;
    scaled.setPointSizeF(font.pointSizeF() * kMmPerPoint * kTextUnitsPerMm * 72 / dpi);
    scaled.setHintingPreference(QFont::PreferNoHinting);
    return scaled;
}

void renderText(QPainter &painter, const RecordedItem &item)
{
    if (!item.textStyle.transparent)
        painter.fillRect(item.rect, Qt::white);
    painter.save();
    painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    const QFont font = fontInTextUnits(item.textStyle.font, painter.device());
    painter.setFont(font);
    painter.setPen(item.textStyle.color);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(item.rect.topLeft() * kTextUnitsPerMm + QPointF(0, metrics.ascent()),
                     item.text);
    painter.restore();
}

void renderBox(QPainter &painter, const RecordedItem &item, int dpi)
{
    const BoxStyle &style = item.boxStyle;
    if (style.fillStyle == 0)
        painter.fillRect(item.rect, style.fillColor);
    // A line as wide as the printer draws it, but never thinner than one dot of the painter.
    QPen pen(style.lineColor);
    const double width = std::max(1, style.drawWidth) * 25.4 / dpi;
    const double dotsPerMm = painter.worldTransform().m11();
    if (width * dotsPerMm < 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(width);
    }
    pen.setStyle(style.drawStyle == 0 ? Qt::SolidLine : Qt::DashLine);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(item.rect);
}

} // namespace

void renderPage(QPainter &painter, const QList<RecordedItem> &page, int dpi)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const RecordedItem &item : page) {
        switch (item.kind) {
        case RecordedItem::Text:
            renderText(painter, item);
            break;
        case RecordedItem::Box:
            renderBox(painter, item, dpi);
            break;
        case RecordedItem::Picture:
            if (!item.picture.isNull())
                painter.drawImage(item.rect, item.picture);
            break;
        }
    }
    painter.restore();
}

} // namespace zelmora::print
