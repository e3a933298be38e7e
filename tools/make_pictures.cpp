// Draws the pictures the program prints on its listings and writes them into one folder:
//   make_pictures <folder>
//
//   sfondoColor.bmp, sfondoBW.bmp   the 180 x 180 mm background behind the square of numbers,
//                                   150 dpi, 32-bit with transparency: ink on clear paper
//   vietato.jpg, vietatoBW.jpg      the foot line forbidding play to minors, 110 x 20 mm, 300 dpi
//
// Each picture records its resolution, so that printed "at its own size" it keeps its size in
// millimetres. The colour and black-and-white pictures share one drawing routine each and differ
// only in their palette. Shapes are laid out in millimetres; text is set in device pixels, where
// the font engine measures it exactly.

#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr qreal kMmPerInch = 25.4;

// --- Colours -------------------------------------------------------------------------------

// The program's accent: the light blue of the lead-number cells on screen.
const QColor kAccent(128, 128, 255);

// `color` laid over white paper at the given strength (0 = paper, 1 = the colour itself).
QColor tint(const QColor &color, qreal strength)
{
    auto mix = [strength](int c) { return qRound(255 - (255 - c) * strength); };
    return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

QColor grey(int level)
{
    return QColor(level, level, level);
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

// --- Pictures and painters -----------------------------------------------------------------

// A white picture of the given size in millimetres, its resolution recorded in it.
QImage blankPicture(const QSizeF &mm, int dpi)
{
    const QSize px(qRound(mm.width() / kMmPerInch * dpi), qRound(mm.height() / kMmPerInch * dpi));
    QImage image(px, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi * 1000 / kMmPerInch);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

// Pixels per millimetre of a picture made by blankPicture().
qreal pixelsPerMm(const QImage &image)
{
    return image.dotsPerMeterX() / 1000.0;
}

// Starts a smooth painter on the picture whose unit is the millimetre.
void beginInMm(QPainter &p, QImage &image)
{
    p.begin(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    p.scale(pixelsPerMm(image), pixelsPerMm(image));
}

QPen roundPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Text on a millimetre painter: the font is sized and measured in device pixels, and the
// results are handed back in millimetres.
class MmText
{
public:
    MmText(QPainter &painter, const QString &family, bool bold)
        : m_p(painter), m_k(painter.transform().m11()), m_font(family)
    {
        m_font.setStyleHint(QFont::SansSerif);
        m_font.setBold(bold);
        m_font.setHintingPreference(QFont::PreferNoHinting);
    }

    void setEm(qreal mm) { m_font.setPixelSize(std::max(1, qRound(mm * m_k))); }
    qreal em() const { return m_font.pixelSize() / m_k; }
    void setItalic(bool italic) { m_font.setItalic(italic); }

    // The largest em not above `maxEm` at which `text` fits in `width`.
    void fit(const QString &text, qreal width, qreal maxEm)
    {
        setEm(maxEm);
        const qreal natural = advance(text);
        if (natural > width)
            setEm(maxEm * width / natural);
    }

    qreal advance(const QString &text) const
    {
        return QFontMetricsF(m_font, m_p.device()).horizontalAdvance(text) / m_k;
    }
    // The ink of `text`, relative to its baseline origin.
    QRectF ink(const QString &text) const
    {
        const QRectF r = QFontMetricsF(m_font, m_p.device()).tightBoundingRect(text);
        return QRectF(r.x() / m_k, r.y() / m_k, r.width() / m_k, r.height() / m_k);
    }
    qreal capHeight() const { return QFontMetricsF(m_font, m_p.device()).capHeight() / m_k; }

    void draw(const QPointF &baseline, const QString &text, const QColor &color) const
    {
        m_p.save();
        m_p.resetTransform();
        m_p.setFont(m_font);
        m_p.setPen(color);
        m_p.drawText(baseline * m_k, text);
        m_p.restore();
    }

    // Draws `text` with the middle of its ink on `centre`.
    void drawCentred(const QPointF &centre, const QString &text, const QColor &color) const
    {
        draw(centre - ink(text).center(), text, color);
    }

    // The same, on a silhouette of `halo` that keeps it apart from what lies beneath.
    void drawCentredWithHalo(const QPointF &centre, const QString &text, const QColor &color,
                             const QColor &halo, qreal haloWidth) const
    {
        QPainterPath glyphs;
        glyphs.addText((centre - ink(text).center()) * m_k, m_font, text);
        m_p.save();
        m_p.resetTransform();
        // Every outline filled on its own covers the counters too: nothing shows through them.
        m_p.setPen(QPen(halo, haloWidth * m_k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(halo);
        for (const QPolygonF &outline : glyphs.toSubpathPolygons())
            m_p.drawPolygon(outline);
        m_p.fillPath(glyphs, color);
        m_p.restore();
    }

private:
    QPainter &m_p;
    qreal m_k;
    QFont m_font;
};

bool savePicture(const QImage &image, const QDir &folder, const QString &name, const char *format,
                 int quality, QTextStream &err)
{
    QImageWriter writer(folder.filePath(name), format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (writer.write(image))
        return true;
    err << "make_pictures: cannot write " << folder.filePath(name) << ": " << writer.errorString()
        << "\n";
    return false;
}

// --- The background of the square ----------------------------------------------------------

// The listing prints the square over this picture with 36-point bold Courier New. In millimetres
// inside the picture: the middle of the first number's digits, and the steps between columns and
// between rows. Each tile sits under one number, with room for the print to be off by a little.
constexpr qreal kSide = 180;
constexpr QPointF kFirstNumber(60.7, 57.3);
constexpr qreal kColumnStep = 22.74;
constexpr qreal kRowStep = 21.0;
constexpr QSizeF kTile(20.6, 18.8);
constexpr qreal kPanelPadding = 3.2;

struct BackgroundPalette
{
    QColor cardTop, cardBottom; // the card's soft diagonal shading
    QColor frame, stitch;       // its outer line and the dotted line inside it
    QColor watermark;           // the faint waves over the card
    QColor shadow;              // the panel's shadow (with its own transparency)
    QColor panel, panelEdge;
    QColor tileTop, tileBottom, tileEdge;
    QColor leadTile;             // the diagonal, as the lead-number cells on screen
    std::array<QColor, 3> balls; // the faint balls around the square
    QColor ballFace;             // the white disc that carries a ball's number
    QColor ballNumber;
};

BackgroundPalette colourBackground()
{
    BackgroundPalette c;
    c.cardTop = QColor(253, 253, 255);
    c.cardBottom = tint(kAccent, 0.13);
    c.frame = tint(kAccent, 0.42);
    c.stitch = tint(kAccent, 0.34);
    c.watermark = withAlpha(kAccent, 34);
    c.shadow = withAlpha(QColor(70, 70, 160), 8);
    c.panel = QColor(255, 255, 255);
    c.panelEdge = tint(kAccent, 0.30);
    c.tileTop = QColor(255, 255, 255);
    c.tileBottom = tint(kAccent, 0.06);
    c.tileEdge = tint(kAccent, 0.26);
    c.leadTile = tint(kAccent, 0.27);
    c.balls = {tint(kAccent, 0.30), tint(QColor(200, 150, 255), 0.26),
               tint(QColor(110, 170, 255), 0.26)};
    c.ballFace = QColor(255, 255, 255);
    c.ballNumber = tint(kAccent, 0.40);
    return c;
}

BackgroundPalette blackAndWhiteBackground()
{
    BackgroundPalette c;
    c.cardTop = grey(254);
    c.cardBottom = grey(244);
    c.frame = grey(178);
    c.stitch = grey(196);
    c.watermark = withAlpha(Qt::black, 16);
    c.shadow = withAlpha(Qt::black, 8);
    c.panel = grey(255);
    c.panelEdge = grey(200);
    c.tileTop = grey(255);
    c.tileBottom = grey(250);
    c.tileEdge = grey(206);
    c.leadTile = grey(226);
    c.balls = {grey(222), grey(230), grey(226)};
    c.ballFace = grey(255);
    c.ballNumber = grey(190);
    return c;
}

QRectF tileRect(int row, int column)
{
    const QPointF centre = kFirstNumber + QPointF(column * kColumnStep, row * kRowStep);
    return QRectF(centre - QPointF(kTile.width() / 2, kTile.height() / 2), kTile);
}

QRectF panelRect()
{
    return tileRect(0, 0)
        .united(tileRect(3, 3))
        .adjusted(-kPanelPadding, -kPanelPadding, kPanelPadding, kPanelPadding);
}

QRectF cardRect()
{
    return QRectF(2.5, 2.5, kSide - 5, kSide - 5);
}

// The card leaves its lower-left corner to the paper: the prognosis sheet, which prints this
// picture 80 mm wide, puts its winnings there, and the listing its list of plays. Text printed
// there stands on plain paper, clear of the card's edge.
constexpr QPointF kFreeCorner(90, 142); // the corner's inner point: left of x and below y

// The card's outline shrunk by `inset` on every side, its outer corners rounded by `radius`:
// a band across the top and a column down the right, around the free corner.
QPainterPath cardShape(qreal inset, qreal radius)
{
    const QRectF card = cardRect().adjusted(inset, inset, -inset, -inset);
    QPainterPath band;
    band.addRoundedRect(QRectF(card.topLeft(), QPointF(card.right(), kFreeCorner.y() - inset)),
                        radius, radius);
    QPainterPath column;
    column.addRoundedRect(QRectF(QPointF(kFreeCorner.x() + inset, card.top()), card.bottomRight()),
                          radius, radius);
    return band.united(column).simplified();
}

void drawCard(QPainter &p, const BackgroundPalette &c)
{
    const QRectF card = cardRect();
    QLinearGradient shade(card.topLeft(), card.bottomRight());
    shade.setColorAt(0, c.cardTop);
    shade.setColorAt(1, c.cardBottom);
    p.setPen(roundPen(c.frame, 0.9));
    p.setBrush(shade);
    p.drawPath(cardShape(0, 9));

    QPen stitch = roundPen(c.stitch, 0.45);
    stitch.setDashPattern({0.01, 3.2});
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    p.drawPath(cardShape(3.6, 6));
}

// Fine crossing waves over the card, like the security print of a play slip.
void drawGuilloche(QPainter &p, const BackgroundPalette &c)
{
    const QRectF area = cardRect().adjusted(3.6, 3.6, -3.6, -3.6);
    p.save();
    p.setClipPath(cardShape(3.6, 6));
    p.setPen(roundPen(c.watermark, 0.22));
    p.setBrush(Qt::NoBrush);

    constexpr qreal kSpacing = 4.2;
    constexpr qreal kAmplitude = 2.6;
    constexpr qreal kWavelength = 30;
    constexpr qreal kStep = 0.5;
    const int lines = int(area.height() / kSpacing) + 3;
    for (int family = 0; family < 2; ++family) {
        const qreal phase = family == 0 ? 0 : std::numbers::pi;
        for (int i = -1; i < lines; ++i) {
            const qreal y0 = area.top() + i * kSpacing;
            auto at = [&](qreal x) {
                return QPointF(
                    x, y0 + kAmplitude * std::sin(2 * std::numbers::pi * x / kWavelength + phase));
            };
            QPainterPath wave(at(area.left()));
            for (qreal x = area.left() + kStep; x < area.right() + kStep; x += kStep)
                wave.lineTo(at(x));
            p.drawPath(wave);
        }
    }
    p.restore();
}

// A Lotto ball lit from the upper left, with its number on a white disc.
void drawBall(QPainter &p, const QPointF &centre, qreal radius, const QColor &base, int number,
              const BackgroundPalette &c)
{
    QRadialGradient light(centre, radius, centre - QPointF(radius * 0.35, radius * 0.4));
    light.setColorAt(0, base.lighter(106));
    light.setColorAt(1, base.darker(103));
    p.setPen(roundPen(base.darker(106), 0.35));
    p.setBrush(light);
    p.drawEllipse(centre, radius, radius);

    const qreal face = radius * 0.56;
    p.setPen(Qt::NoPen);
    p.setBrush(c.ballFace);
    p.drawEllipse(centre, face, face);

    MmText label(p, QStringLiteral("Arial"), true);
    label.setEm(face * 1.05);
    label.drawCentred(centre, QString::number(number), c.ballNumber);
}

// A few balls around the square, none in the free corner.
void drawBalls(QPainter &p, const BackgroundPalette &c)
{
    struct Ball
    {
        QPointF centre;
        qreal radius;
        int colour;
        int number;
    };
    const Ball balls[] = {
        {{27, 27}, 15.5, 0, 90}, {{52, 19}, 8.5, 1, 7},   {{161, 36}, 10, 2, 33},
        {{24, 118}, 11, 2, 61},  {{160, 140}, 13, 0, 27}, {{106, 156}, 7.5, 1, 45},
    };
    for (const Ball &b : balls)
        drawBall(p, b.centre, b.radius, c.balls[std::size_t(b.colour)], b.number, c);
}

// A soft shadow: the shape repeated a little larger each time, very faintly.
void drawSoftShadow(QPainter &p, const QRectF &r, qreal radius, const QColor &shadow)
{
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    for (int i = 1; i <= 8; ++i) {
        const qreal grow = i * 0.45;
        p.drawRoundedRect(r.adjusted(-grow, -grow + 0.8, grow, grow + 1.2), radius + grow,
                          radius + grow);
    }
}

void drawTile(QPainter &p, const QRectF &r, bool lead, const BackgroundPalette &c)
{
    if (lead) {
        p.setBrush(c.leadTile);
    } else {
        QLinearGradient shade(r.topLeft(), r.bottomLeft());
        shade.setColorAt(0, c.tileTop);
        shade.setColorAt(1, c.tileBottom);
        p.setBrush(shade);
    }
    p.setPen(roundPen(lead ? c.leadTile.darker(106) : c.tileEdge, 0.3));
    p.drawRoundedRect(r, 2.6, 2.6);
}

void drawSquare(QPainter &p, const BackgroundPalette &c)
{
    const QRectF panel = panelRect();
    drawSoftShadow(p, panel, 5, c.shadow);
    p.setPen(roundPen(c.panelEdge, 0.45));
    p.setBrush(c.panel);
    p.drawRoundedRect(panel, 5, 5);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            drawTile(p, tileRect(row, column), row == column, c);
}

// The picture as ink on clear paper: white becomes transparent and every other colour the
// least opaque ink that gives that colour over white. Printed on white paper it looks the
// same; what the page printed before it (the sheet's heading and product name, which may fall
// over it) shows through, at most lightly tinted.
QImage inkOnClearPaper(const QImage &opaque)
{
    QImage ink = opaque.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < ink.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(ink.scanLine(y));
        for (int x = 0; x < ink.width(); ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            const int alpha = 255 - std::min({r, g, b});
            if (alpha == 0) {
                line[x] = qRgba(255, 255, 255, 0);
                continue;
            }
            // Over white, ink k at this alpha gives k * a + 255 * (1 - a): solved for k.
            const auto inkOf = [alpha](int colour) {
                return std::clamp(qRound(255 - (255 - colour) * 255.0 / alpha), 0, 255);
            };
            line[x] = qRgba(inkOf(r), inkOf(g), inkOf(b), alpha);
        }
    }
    return ink;
}

QImage background(const BackgroundPalette &c)
{
    QImage image = blankPicture(QSizeF(kSide, kSide), 150);
    QPainter p;
    beginInMm(p, image);
    drawCard(p, c);
    drawGuilloche(p, c);
    drawBalls(p, c);
    drawSquare(p, c);
    p.end();
    return inkOnClearPaper(image);
}

// Qt writes BMP files without their alpha: a 32-bit BMP with a version 5 header and an alpha
// mask keeps it, and Qt's reader (like other readers) gives the picture back with it.
bool saveBmpWithAlpha(const QImage &picture, const QDir &folder, const QString &name,
                      QTextStream &err)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    constexpr quint32 kFileHeader = 14;
    constexpr quint32 kInfoHeader = 124; // BITMAPV5HEADER
    const quint32 pixelBytes = quint32(image.width()) * quint32(image.height()) * 4;
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) {
        err << "make_pictures: cannot write " << file.fileName() << ": " << file.errorString()
            << "\n";
        return false;
    }
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(kFileHeader + kInfoHeader + pixelBytes) << quint16(0) << quint16(0)
        << quint32(kFileHeader + kInfoHeader);
    out << kInfoHeader << qint32(image.width()) << qint32(image.height()) // rows bottom-up
        << quint16(1) << quint16(32) << quint32(3) // one plane, 32 bits, BI_BITFIELDS
        << pixelBytes << qint32(image.dotsPerMeterX()) << qint32(image.dotsPerMeterY())
        << quint32(0) << quint32(0);                                         // no palette
    out << quint32(0x00FF0000) << quint32(0x0000FF00) << quint32(0x000000FF) // red, green, blue
        << quint32(0xFF000000);                                              // alpha
    out << quint32(0x73524742);                                              // 'sRGB'
    for (int i = 0; i < 12; ++i)
        out << quint32(0); // end points and gamma, unused with sRGB
    out << quint32(4) << quint32(0) << quint32(0) << quint32(0); // LCS_GM_IMAGES, no profile
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out << quint32(line[x]);
    }
    if (out.status() != QDataStream::Ok || !file.flush()) {
        err << "make_pictures: cannot write " << file.fileName() << "\n";
        return false;
    }
    return true;
}

// --- The foot line: no play under 18 -------------------------------------------------------

constexpr QSizeF kFootSize(110, 20);

struct SignPalette
{
    QColor ring;    // the prohibition ring and its bar
    QColor figure;  // "18+"
    QColor heading; // the first line
    QColor note;    // "Gioca responsabilmente"
    QColor rule;    // the thin line between sign and text
};

SignPalette colourSign()
{
    return {QColor(210, 24, 36), QColor(20, 20, 20), QColor(20, 20, 20), QColor(60, 60, 150),
            tint(kAccent, 0.45)};
}

SignPalette blackAndWhiteSign()
{
    return {grey(25), grey(20), grey(20), grey(85), grey(175)};
}

// The round prohibition sign: "18+" inside a ring crossed by a diagonal bar.
void drawSign(QPainter &p, const QPointF &centre, qreal radius, const SignPalette &c)
{
    const qreal ring = radius * 0.17;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);

    // The bar runs from the upper left to the lower right, inside the ring, behind the figure.
    const qreal reach = (radius - ring * 0.9) / std::numbers::sqrt2;
    p.setPen(QPen(c.ring, ring * 0.72, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre + QPointF(-reach, -reach), centre + QPointF(reach, reach));

    p.setPen(QPen(c.ring, ring));
    p.setBrush(Qt::NoBrush);
    const qreal middle = radius - ring / 2;
    p.drawEllipse(centre, middle, middle);

    MmText figure(p, QStringLiteral("Arial"), true);
    figure.fit(QStringLiteral("18+"), (radius - ring) * 1.36, radius * 0.92);
    figure.drawCentredWithHalo(centre, QStringLiteral("18+"), c.figure, Qt::white, ring * 0.5);
}

void drawWarning(QPainter &p, const QRectF &box, const SignPalette &c)
{
    const QString heading = QStringLiteral("Il gioco è vietato ai minori di 18 anni");
    const QString note = QStringLiteral("Gioca responsabilmente");

    MmText top(p, QStringLiteral("Arial"), true);
    top.fit(heading, box.width(), 5.4);
    MmText bottom(p, QStringLiteral("Arial"), false);
    bottom.setItalic(true);
    bottom.setEm(top.em() * 0.78);

    const qreal gap = top.em() * 0.55;
    const qreal block = top.capHeight() + gap + bottom.capHeight();
    const qreal topBaseline = box.center().y() - block / 2 + top.capHeight();
    top.draw(QPointF(box.left(), topBaseline), heading, c.heading);
    bottom.draw(QPointF(box.left(), topBaseline + gap + bottom.capHeight()), note, c.note);
}

QImage footLine(const SignPalette &c)
{
    QImage image = blankPicture(kFootSize, 300);
    QPainter p;
    beginInMm(p, image);
    const qreal radius = kFootSize.height() / 2 - 1;
    const QPointF centre(1 + radius, kFootSize.height() / 2);
    drawSign(p, centre, radius, c);

    const qreal ruleX = centre.x() + radius + 2.6;
    p.setPen(roundPen(c.rule, 0.35));
    p.drawLine(QPointF(ruleX, 4), QPointF(ruleX, kFootSize.height() - 4));

    const qreal textLeft = ruleX + 2.6;
    drawWarning(p, QRectF(textLeft, 0, kFootSize.width() - textLeft - 1, kFootSize.height()), c);
    p.end();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_pictures <output-folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "make_pictures: cannot create " << folder.path() << "\n";
        return 1;
    }

    bool ok = true;
    ok &= saveBmpWithAlpha(background(colourBackground()), folder,
                           QStringLiteral("sfondoColor.bmp"), err);
    ok &= saveBmpWithAlpha(background(blackAndWhiteBackground()), folder,
                           QStringLiteral("sfondoBW.bmp"), err);
    ok &=
        savePicture(footLine(colourSign()), folder, QStringLiteral("vietato.jpg"), "jpg", 95, err);
    ok &= savePicture(footLine(blackAndWhiteSign()).convertToFormat(QImage::Format_Grayscale8),
                      folder, QStringLiteral("vietatoBW.jpg"), "jpg", 95, err);
    return ok ? 0 : 1;
}
