#include "print/Printer.h"

#include "core/RuntimeError.h"

namespace zelmora::print {

const char *const kFilePdfName = "File PDF";

namespace {
constexpr double kMmPerTwip = 25.4 / 1440.0;
} // namespace

Printer::Printer() = default;
Printer::~Printer() = default;

void Printer::setDevice(std::unique_ptr<PrintDevice> device)
{
    KillDoc();
    m_device = std::move(device);
}

std::unique_ptr<PrintDevice> Printer::takeDevice()
{
    KillDoc();
    return std::move(m_device);
}

void Printer::resetSettings()
{
    const Printer fresh;
    setScaleMode(fresh.m_scaleMode);
    FontName = fresh.FontName;
    FontSize = fresh.FontSize;
    FontBold = fresh.FontBold;
    ForeColor = fresh.ForeColor;
    FontTransparent = fresh.FontTransparent;
    DrawStyle = fresh.DrawStyle;
    DrawWidth = fresh.DrawWidth;
    FillStyle = fresh.FillStyle;
    FillColor = fresh.FillColor;
    PrintQuality = fresh.PrintQuality;
    ColorMode = fresh.ColorMode;
    DocumentKind = fresh.DocumentKind;
}

QString Printer::DeviceName() const
{
    return m_device ? m_device->DeviceName() : QString();
}

void Printer::setScaleMode(int mode)
{
    // Positions keep their place on the page; only the unit they are read in changes.
    m_scaleMode = mode == vbMillimeters ? vbMillimeters : vbTwips;
}

double Printer::toMm(double value) const
{
    return m_scaleMode == vbMillimeters ? value : value * kMmPerTwip;
}

double Printer::fromMm(double mm) const
{
    return m_scaleMode == vbMillimeters ? mm : mm / kMmPerTwip;
}

double Printer::CurrentX() const
{
    return fromMm(m_xMm);
}

double Printer::CurrentY() const
{
    return fromMm(m_yMm);
}

void Printer::setCurrentX(double x)
{
    m_xMm = toMm(x);
}

void Printer::setCurrentY(double y)
{
    m_yMm = toMm(y);
}

QFont Printer::currentFont() const
{
    QFont font(FontName);
    font.setPointSizeF(FontSize > 0 ? FontSize : 1);
    font.setBold(FontBold);
    return font;
}

Result<void> Printer::status() const
{
    if (!m_device)
        return RuntimeError(RuntimeError::PrinterError);
    return m_device->status();
}

bool Printer::ensurePage()
{
    if (!m_device)
        return false;
    if (!m_documentOpen) {
        DocumentOptions options;
        options.kind = DocumentKind;
        options.printQuality = PrintQuality;
        options.colorMode = ColorMode;
        m_lastDocumentPath.clear();
        m_device->beginDocument(options);
        m_documentOpen = true;
        m_pageOpen = true;
        return true;
    }
    if (!m_pageOpen) {
        m_device->beginPage();
        m_pageOpen = true;
    }
    return true;
}

void Printer::Print(const QString &text)
{
    if (text.isEmpty())
        return;
    const QFont font = currentFont();
    if (!ensurePage())
        return;
    TextStyle style{font, ForeColor, FontTransparent};
    m_device->drawText(QPointF(m_xMm, m_yMm), text, style);
    m_xMm += m_device->textSize(text, font).width();
}

void Printer::PrintLine(const QString &text)
{
    Print(text);
    m_xMm = 0;
    if (m_device)
        m_yMm += m_device->textSize(QStringLiteral("Ag"), currentFont()).height();
}

void Printer::Line(double x1, double y1, double x2, double y2, const QColor &color)
{
    if (!ensurePage())
        return;
    const QRectF box =
        QRectF(QPointF(toMm(x1), toMm(y1)), QPointF(toMm(x2), toMm(y2))).normalized();
    BoxStyle style{color, DrawStyle, DrawWidth, FillStyle, FillColor};
    m_device->drawBox(box, style);
    m_xMm = toMm(x2);
    m_yMm = toMm(y2);
}

void Printer::PaintPicture(const QImage &picture, double x, double y, double width, double height)
{
    if (!ensurePage())
        return;
    m_device->drawPicture(picture, QRectF(toMm(x), toMm(y), toMm(width), toMm(height)));
}

void Printer::PaintPicture(const QImage &picture, double x, double y)
{
    // At its own size: the picture's resolution, or 96 dots per inch when it has none.
    const double dpmX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : 96 / 0.0254;
    const double dpmY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() : 96 / 0.0254;
    if (!ensurePage())
        return;
    m_device->drawPicture(picture, QRectF(toMm(x), toMm(y), picture.width() * 1000.0 / dpmX,
                                          picture.height() * 1000.0 / dpmY));
}

void Printer::NewPage()
{
    // The next drawing starts the next page; a page with nothing on it is never sent.
    m_pageOpen = false;
    m_xMm = 0;
    m_yMm = 0;
}

void Printer::EndDoc()
{
    closeDocument(true);
}

void Printer::KillDoc()
{
    closeDocument(false);
}

// Ends the document in progress, if any: handed over to the device, or dropped.
void Printer::closeDocument(bool handOver)
{
    m_xMm = 0;
    m_yMm = 0;
    if (!m_documentOpen)
        return;
    m_documentOpen = false;
    m_pageOpen = false;
    if (handOver) {
        m_device->endDocument();
        m_lastDocumentPath = m_device->documentFile();
        if (!m_lastDocumentPath.isEmpty())
            m_deliveredFiles.append(m_lastDocumentPath);
    } else {
        m_device->abortDocument();
    }
}

double Printer::ScaleWidth() const
{
    return m_device ? fromMm(m_device->printableSize().width()) : 0;
}

double Printer::ScaleHeight() const
{
    return m_device ? fromMm(m_device->printableSize().height()) : 0;
}

double Printer::TextWidth(const QString &text)
{
    if (!m_device)
        return 0;
    return fromMm(m_device->textSize(text, currentFont()).width());
}

double Printer::TextHeight(const QString &text)
{
    if (!m_device)
        return 0;
    return fromMm(
        m_device->textSize(text.isEmpty() ? QStringLiteral("Ag") : text, currentFont()).height());
}

Result<void> printDocument(Printer &printer, const std::function<void(Printer &)> &print)
{
    print(printer);
    const Result<void> done = printer.status();
    if (!done)
        printer.KillDoc();
    return done;
}

} // namespace zelmora::print
