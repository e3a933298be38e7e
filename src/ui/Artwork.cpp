#include "ui/Artwork.h"

#include "ui/ArtworkPalette.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace zelmora::artwork {

namespace {

using namespace palette;

// Colours of this file's pieces only.
const QColor kGold(255, 196, 52);
const QColor kFolder(244, 196, 86);
const QColor kRose(238, 112, 118);

// Button icons are designed on a 32 x 32 grid and scaled to the size asked for.
constexpr qreal kGrid = 32.0;
constexpr qreal kLine = 1.5;

QPixmap renderIcon(int px, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(px, px);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.scale(px / kGrid, px / kGrid);
    draw(p);
    return pixmap;
}

// An icon drawn at the size asked for each time it is asked: the artwork is drawn, not
// loaded, so no set of pixmaps for every size a window might want is held in memory.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(std::function<QPixmap(int)> render) : m_render(std::move(render)) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        QPixmap picture = m_render(side);
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            // The greyed or highlighted look the style gives any icon.
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        return picture;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device()->devicePixelRatioF();
        QPixmap picture = pixmap(rect.size() * dpr, mode, state);
        picture.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect, picture);
    }

    QIconEngine *clone() const override { return new DrawnIconEngine(m_render); }

private:
    std::function<QPixmap(int)> m_render;
};

QPen inkPen(qreal width = kLine, const QColor &color = kInk)
{
    return roundPen(color, width);
}

// A top-lit fill: a little lighter at the top edge, a little darker at the bottom.
QLinearGradient topLit(const QRectF &r, const QColor &color)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, color.lighter(112));
    g.setColorAt(1, color.darker(108));
    return g;
}

void drawShape(QPainter &p, const QPainterPath &path, const QColor &fill, qreal line = kLine)
{
    p.setPen(inkPen(line));
    p.setBrush(topLit(path.boundingRect(), fill));
    p.drawPath(path);
}

QPainterPath rounded(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath star(QPointF centre, qreal outer, qreal inner)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal r = (i % 2 == 0) ? outer : inner;
        points << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QFont boldFont(qreal pixelSize)
{
    QFont font(QStringLiteral("Calibri"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    return font;
}

// A Lotto ball lit from the upper left, with its label printed in the middle.
void drawBall(QPainter &p, QPointF centre, qreal radius, const QColor &base, const QString &label,
              const QColor &labelColor, qreal line)
{
    QRadialGradient shine(centre, radius, centre - QPointF(radius * 0.4, radius * 0.45));
    shine.setColorAt(0, base.lighter(150));
    shine.setColorAt(0.55, base);
    shine.setColorAt(1, base.darker(125));
    p.setPen(line > 0 ? inkPen(line, base.darker(190)) : Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre, radius, radius);
    if (label.isEmpty())
        return;
    p.setPen(labelColor);
    p.setFont(boldFont(radius * 1.05));
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawText(box.translated(0, radius * 0.04), Qt::AlignCenter, label);
}

void drawLines(QPainter &p, qreal x1, qreal x2, qreal top, qreal step, int count,
               const QColor &color)
{
    p.setPen(inkPen(1.2, color));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x1, top + i * step), QPointF(x2, top + i * step));
}

void drawApri(QPainter &p)
{
    drawShape(p, polygon({{3, 7}, {11, 7}, {13.5, 9.5}, {26, 9.5}, {26, 27}, {3, 27}}),
              kFolder.darker(118));
    drawShape(p, rounded({7.5, 5, 15, 15}, 1), kPaper, 1.2);
    drawLines(p, 10.5, 19.5, 9.5, 3, 3, kAccent);
    drawShape(p, polygon({{8, 14}, {30, 14}, {26, 27}, {3, 27}}), kFolder);
}

void drawSalva(QPainter &p)
{
    drawShape(p, polygon({{4, 4}, {24, 4}, {28, 8}, {28, 28}, {4, 28}}), kAccentDeep);
    drawShape(p, rounded({9, 4, 13, 9}, 0.5), kSteel, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(17, 6, 2.5, 5));
    drawShape(p, rounded({8, 16.5, 16, 11.5}, 1), kPaper, 1.2);
    drawLines(p, 11, 21, 20.5, 3.5, 2, kAccent);
}

void drawCapogioco(QPainter &p)
{
    drawBall(p, {14, 18}, 11, kAccent, {}, kInk, kLine);
    p.setPen(inkPen(1.0, kAccentDeep));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(14, 18), 6.2, 6.2);
    p.setPen(kInk);
    p.setFont(boldFont(10.5));
    p.drawText(QRectF(7.8, 11.9, 12.4, 12.4), Qt::AlignCenter, QStringLiteral("C"));
    drawShape(p, star({24.5, 8}, 7, 3.1), kGold, 1.3);
}

void drawDie(QPainter &p, QPointF centre, qreal angle, const QColor &face, const QColor &pip,
             std::initializer_list<QPointF> pips)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    drawShape(p, rounded({-7.5, -7.5, 15, 15}, 3), face);
    p.setPen(Qt::NoPen);
    p.setBrush(pip);
    for (const QPointF &at : pips)
        p.drawEllipse(at * 3.8, 1.7, 1.7);
    p.restore();
}

void drawCasuale(QPainter &p)
{
    drawDie(p, {20.5, 11.5}, 14, kAccent, kPaper, {{-1, -1}, {0, 0}, {1, 1}});
    drawDie(p, {11.5, 20.5}, -10, kPaper, kInk, {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}});
}

void drawSchedine(QPainter &p)
{
    drawShape(p, rounded({9, 3, 14, 10}, 0.5), kPaper, 1.2);
    drawShape(p, rounded({3, 11, 26, 12}, 3), kSteel);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(24.5, 15), 1.3, 1.3);
    drawShape(p, polygon({{8, 19}, {24, 19}, {24, 30}, {8, 30}}), kPaper, 1.2);
    // The slip coming out: a few number boxes, some of them marked.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) {
            const bool marked = row == 0 ? col == 1 : col != 1;
            p.setPen(inkPen(1.0, marked ? kAccentDeep : kInk.lighter(230)));
            p.setBrush(marked ? kAccent : Qt::transparent);
            p.drawRoundedRect(QRectF(10.3 + col * 4.4, 22 + row * 4, 2.6, 2.6), 0.5, 0.5);
        }
    p.setPen(inkPen(kLine));
    p.drawLine(QPointF(6, 19), QPointF(26, 19));
}

void drawTabulato(QPainter &p)
{
    drawShape(p, polygon({{6, 3}, {20, 3}, {26, 9}, {26, 29}, {6, 29}}), kPaper);
    drawShape(p, polygon({{20, 3}, {20, 9}, {26, 9}}), kSteel, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(9, 11, 14, 3.5));
    drawLines(p, 9, 23, 17.5, 3, 4, kInk.lighter(220));
    p.setPen(inkPen(1.0, kInk.lighter(220)));
    p.drawLine(QPointF(13.5, 11), QPointF(13.5, 26.5));
}

void drawCancella(QPainter &p)
{
    p.setPen(inkPen(2.0, kAccent));
    p.drawLine(QPointF(3.5, 28.5), QPointF(14, 28.5));
    p.setPen(inkPen(2.0, kAccent.lighter(125)));
    p.drawLine(QPointF(16.5, 28.5), QPointF(20, 28.5));
    p.save();
    p.translate(17, 15);
    p.rotate(-42);
    const QPainterPath body = rounded({-13, -6.5, 26, 13}, 2.5);
    QPainterPath tip;
    tip.addRect(QRectF(-14, -7, 11, 14));
    drawShape(p, body, kAccent);
    drawShape(p, body.intersected(tip), kRose);
    p.setPen(inkPen(1.2, kPaper));
    p.drawLine(QPointF(0.5, -3.8), QPointF(10, -3.8));
    p.restore();
}

void drawButtonIcon(QPainter &p, ButtonIcon kind)
{
    switch (kind) {
    case ButtonIcon::Apri:
        return drawApri(p);
    case ButtonIcon::Salva:
        return drawSalva(p);
    case ButtonIcon::Capogioco:
        return drawCapogioco(p);
    case ButtonIcon::Casuale:
        return drawCasuale(p);
    case ButtonIcon::Schedine:
        return drawSchedine(p);
    case ButtonIcon::Tabulato:
        return drawTabulato(p);
    case ButtonIcon::Cancella:
        return drawCancella(p);
    }
}

// The 4 x 4 square of the window icon: white tiles with the diagonal in the accent colour, on
// a dark rounded plate so that it stands out on light and dark task bars alike. Tiles, gaps and
// margins are whole pixels so that the small sizes stay crisp.
QPixmap renderWindowIcon(int px)
{
    const int minPad = std::max(1, qRound(px * 0.08));
    int gap = std::max(1, qRound(px * 0.05));
    int tile = (px - 2 * minPad - 3 * gap) / 4;
    if ((px - 4 * tile - 3 * gap) % 2 != 0) {
        ++gap;
        tile = (px - 2 * minPad - 3 * gap) / 4;
    }
    const int pad = (px - 4 * tile - 3 * gap) / 2;

    QPixmap pixmap(px, px);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(0, 0, px, px);
    QLinearGradient plateFill(plate.topLeft(), plate.bottomRight());
    plateFill.setColorAt(0, kInk.lighter(135));
    plateFill.setColorAt(1, kInk.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(plateFill);
    const qreal corner = std::min(px * 0.18, pad + tile * 0.5);
    p.drawRoundedRect(plate, corner, corner);

    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const QRectF cell(pad + col * (tile + gap), pad + row * (tile + gap), tile, tile);
            p.setBrush(topLit(cell, row == col ? kAccent : kPaper));
            p.drawRoundedRect(cell, tile * 0.2, tile * 0.2);
        }
    return pixmap;
}

// The 4 x 4 square of balls in the banner, with the lead numbers down the diagonal.
void drawBannerSquare(QPainter &p, const QRectF &area)
{
    static const std::array<int, 16> numbers{7,  23, 41, 88, 15, 52, 3,  66,
                                             34, 9,  71, 28, 80, 45, 12, 59};
    const qreal step = area.width() / 4;
    const qreal radius = step * 0.44;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const QPointF centre = area.topLeft() + QPointF((col + 0.5) * step, (row + 0.5) * step);
            const bool lead = row == col;
            drawBall(p, centre, radius, lead ? kAccent : kPaper,
                     QString::number(numbers[row * 4 + col]), kInk, std::max(0.8, radius * 0.08));
        }
}

// The largest pixel size, up to the one wanted, at which the text fits the width.
QFont fittedFont(const QString &text, qreal wanted, qreal width, bool bold)
{
    QFont font = boldFont(wanted);
    font.setBold(bold);
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(text);
    if (textWidth > width && textWidth > 0)
        font.setPixelSize(std::max(1, int(wanted * width / textWidth)));
    return font;
}

// The slip's own colours.
const QColor kSlipPink(246, 214, 222);
const QColor kSlipRed(214, 86, 108);

// A picture drawn on a `width` x `height` grid, at the screen's pixel density.
QPixmap drawn(QSize size, qreal dpr, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

// The test-print button: a printer with a sheet of empty box outlines coming out of it, and a
// cross-hair on the first box (on a 32 x 32 grid).
void drawTestPrint(QPainter &p)
{
    p.setPen(roundPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(9, 3, 14, 10), 0.5, 0.5);
    QLinearGradient body(0, 11, 0, 23);
    body.setColorAt(0, kSteel.lighter(112));
    body.setColorAt(1, kSteel.darker(108));
    p.setPen(roundPen(kInk, 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(24.5, 15), 1.3, 1.3);
    p.setPen(roundPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 19, 16, 11));
    // The outlines of the test page: every box drawn, none filled.
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kAccentDeep, 1.0));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(10.3 + col * 4.4, 22 + row * 4, 2.6, 2.6), 0.4, 0.4);
    p.setPen(roundPen(kInk, 1.5));
    p.drawLine(QPointF(6, 19), QPointF(26, 19));
}

// Image1: a small Lotto slip with its number grid and a line of amount boxes, a few boxes
// marked, and the calibration's marks: a cross-hair on number 1 and the distance across and
// down to the next boxes.
void drawSlip(QPainter &p, const QSizeF &size)
{
    const QRectF sheet(1.5, 1.5, size.width() - 3, size.height() - 3);
    p.setPen(roundPen(kSlipRed.darker(110), 1.0));
    p.setBrush(kSlipPink);
    p.drawRoundedRect(sheet, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kSlipRed);
    p.drawRect(QRectF(sheet.left() + 0.5, sheet.top() + 6, sheet.width() - 1, 3));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(sheet.left() + 5, sheet.top() + 2, sheet.width() * 0.45, 2.5), 1.2,
                      1.2);

    // Numbers: 3 rows of 10, then a line of 9 amount boxes, spread over the sheet.
    const qreal left = sheet.left() + 9;
    const qreal right = sheet.right() - 10;
    const qreal dx = (right - left) / 9.6;
    const qreal box = dx * 0.62;
    const qreal top = sheet.top() + 17;
    const qreal dy = (sheet.bottom() - 6 - top) / 3.9;
    const auto cell = [&](int col, int row, qreal extra = 0) {
        return QRectF(left + col * dx, top + row * dy + extra, box, box);
    };
    p.setPen(roundPen(kSlipRed, 0.8));
    p.setBrush(kPaper);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 10; ++col)
            p.drawRect(cell(col, row));
    for (int col = 1; col < 10; ++col)
        p.drawRect(cell(col, 3, dy * 0.15));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const QPoint &at : {QPoint(3, 0), QPoint(7, 1), QPoint(5, 2)})
        p.drawRect(cell(at.x(), at.y()).adjusted(1, 1, -1, -1));
    p.drawRect(cell(6, 3, dy * 0.15).adjusted(1, 1, -1, -1));

    // The calibration marks.
    const QPointF centre = cell(0, 0).center();
    p.setPen(roundPen(kAccentDeep, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, box * 0.8, box * 0.8);
    p.drawLine(centre - QPointF(box * 1.2, 0), centre + QPointF(box * 1.2, 0));
    p.drawLine(centre - QPointF(0, box * 1.2), centre + QPointF(0, box * 1.2));
    const qreal rulerY = top - 4;
    const qreal x1 = cell(1, 0).center().x(), x2 = cell(2, 0).center().x();
    p.drawLine(QPointF(x1, rulerY), QPointF(x2, rulerY));
    for (qreal x : {x1, x2})
        p.drawLine(QPointF(x, rulerY - 1.8), QPointF(x, rulerY + 1.8));
    const qreal rulerX = right + 5.5;
    const qreal y1 = cell(9, 0).center().y(), y2 = cell(9, 1).center().y();
    p.drawLine(QPointF(rulerX, y1), QPointF(rulerX, y2));
    for (qreal y : {y1, y2})
        p.drawLine(QPointF(rulerX - 1.8, y), QPointF(rulerX + 1.8, y));
}

} // namespace

void paintBanner(QPainter &p, const QSizeF &size)
{
    if (size.isEmpty())
        return;
    const qreal w = size.width();
    const qreal h = size.height();

    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0, QColor(247, 247, 251));
    sky.setColorAt(1, QColor(222, 224, 255));
    p.fillRect(QRectF(0, 0, w, h), sky);

    // Faint large balls drifting off the right edge.
    p.setPen(Qt::NoPen);
    for (const auto &[x, y, r] :
         {std::array<qreal, 3>{0.93, 0.15, 0.75}, std::array<qreal, 3>{0.80, 1.05, 0.45},
          std::array<qreal, 3>{1.02, 0.95, 0.35}}) {
        p.setBrush(QColor(128, 128, 255, 26));
        p.drawEllipse(QPointF(w * x, h * y), h * r, h * r);
    }

    const qreal side = h * 0.78;
    const QRectF square(h * 0.12, (h - side) / 2, side, side);
    drawBannerSquare(p, square);

    const qreal textLeft = square.right() + h * 0.22;
    const qreal textWidth = std::max(1.0, w - textLeft - h * 0.15);
    const QString title = QStringLiteral("Zelmoravintesca");
    const QString subtitle = QStringLiteral("Sistemi a quadrato per il Lotto");
    const QFont titleFont = fittedFont(title, h * 0.40, textWidth, true);
    const QFont subFont = fittedFont(subtitle, h * 0.17, textWidth, false);
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF subMetrics(subFont);

    const qreal ruleGap = h * 0.09;
    const qreal block = titleMetrics.ascent() + ruleGap * 2 + subMetrics.ascent();
    const qreal titleBase = (h - block) / 2 + titleMetrics.ascent();
    const qreal subBase = titleBase + ruleGap * 2 + subMetrics.ascent();

    p.setFont(titleFont);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QPointF(textLeft + h * 0.012, titleBase + h * 0.018), title);
    p.setPen(kInk);
    p.drawText(QPointF(textLeft, titleBase), title);

    const qreal ruleLength = std::min(textWidth, titleMetrics.horizontalAdvance(title));
    p.setPen(inkPen(std::max(1.0, h * 0.025), kAccent));
    p.drawLine(QPointF(textLeft + h * 0.01, titleBase + ruleGap),
               QPointF(textLeft + ruleLength * 0.35, titleBase + ruleGap));

    p.setFont(subFont);
    p.setPen(kInk.lighter(170));
    p.drawText(QPointF(textLeft + h * 0.01, subBase), subtitle);

    p.setPen(QPen(kAccent, std::max(1.0, h * 0.03)));
    p.drawLine(QPointF(0, h - h * 0.015), QPointF(w, h - h * 0.015));
}

QPixmap banner(const QSize &size)
{
    if (size.isEmpty())
        return {};
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintBanner(p, QSizeF(size));
    return pixmap;
}

QPixmap emblem(const QSize &size)
{
    if (size.isEmpty())
        return {};
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const qreal side = std::min(size.width(), size.height());
    const QRectF card((size.width() - side) / 2, (size.height() - side) / 2, side, side);

    QLinearGradient fill(card.topLeft(), card.bottomRight());
    fill.setColorAt(0, QColor(247, 247, 251));
    fill.setColorAt(1, QColor(214, 216, 255));
    p.setPen(QPen(kAccent, std::max(1.0, side * 0.012)));
    p.setBrush(fill);
    p.drawRoundedRect(card.adjusted(1, 1, -1, -1), side * 0.08, side * 0.08);

    // A faint large ball behind the square, as on the banner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 255, 30));
    p.drawEllipse(card.bottomRight() - QPointF(side * 0.12, side * 0.12), side * 0.4, side * 0.4);

    const qreal inner = side * 0.8;
    drawBannerSquare(p,
                     QRectF(card.center() - QPointF(inner / 2, inner / 2), QSizeF(inner, inner)));
    return pixmap;
}

QIcon testPrintIcon()
{
    return QIcon(new DrawnIconEngine(
        [](int px) { return renderIcon(px, [](QPainter &p) { drawTestPrint(p); }); }));
}

QPixmap slipPicture(const QSize &size, qreal devicePixelRatio)
{
    return drawn(size, devicePixelRatio, [size](QPainter &p) { drawSlip(p, QSizeF(size)); });
}

QIcon buttonIcon(ButtonIcon kind)
{
    return QIcon(new DrawnIconEngine([kind](int px) {
        return renderIcon(px, [kind](QPainter &p) { drawButtonIcon(p, kind); });
    }));
}

QIcon windowIcon()
{
    return QIcon(new DrawnIconEngine(&renderWindowIcon));
}

} // namespace zelmora::artwork
