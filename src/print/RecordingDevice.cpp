#include "print/RecordingDevice.h"

#include "core/RuntimeError.h"

#include <QFontMetricsF>
#include <QImage>

namespace zelmora::print {

namespace {
constexpr double kDpi = 1200.0;

// Fonts are measured on a 1200 dpi surface, as on the PDF device.
QFontMetricsF metricsAt1200(const QFont &font)
{
    static QImage surface = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(kDpi / 0.0254));
        image.setDotsPerMeterY(int(kDpi / 0.0254));
        return image;
    }();
    return QFontMetricsF(font, &surface);
}
} // namespace

RecordingDevice::RecordingDevice(QString name) : m_name(std::move(name)) {}

void RecordingDevice::beginDocument(const DocumentOptions &options)
{
    if (failOnDocument == 0) {
        failOnDocument = -1;
        throw RuntimeError(RuntimeError::PrinterError);
    }
    if (failOnDocument > 0)
        --failOnDocument;
    RecordedDocument document;
    document.options = options;
    document.pages.append(QList<RecordedItem>());
    documents.append(document);
}

void RecordingDevice::newPage()
{
    if (documents.isEmpty())
        throw RuntimeError(RuntimeError::PrinterError);
    documents.last().pages.append(QList<RecordedItem>());
}

QList<RecordedItem> &RecordingDevice::page()
{
    if (documents.isEmpty() || documents.last().ended || documents.last().aborted)
        throw RuntimeError(RuntimeError::PrinterError);
    return documents.last().pages.last();
}

void RecordingDevice::drawText(const QPointF &topLeft, const QString &text, const TextStyle &style)
{
    RecordedItem item;
    item.kind = RecordedItem::Text;
    item.rect = QRectF(topLeft, textSize(text, style.font));
    item.text = text;
    item.textStyle = style;
    page().append(item);
}

void RecordingDevice::drawBox(const QRectF &box, const BoxStyle &style)
{
    RecordedItem item;
    item.kind = RecordedItem::Box;
    item.rect = box;
    item.boxStyle = style;
    page().append(item);
}

void RecordingDevice::drawPicture(const QImage &picture, const QRectF &target)
{
    RecordedItem item;
    item.kind = RecordedItem::Picture;
    item.rect = target;
    item.pictureSize = picture.size();
    page().append(item);
}

void RecordingDevice::endDocument()
{
    page(); // fails when no document is open
    documents.last().ended = true;
}

void RecordingDevice::abortDocument()
{
    if (!documents.isEmpty())
        documents.last().aborted = true;
}

QSizeF RecordingDevice::textSize(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics = metricsAt1200(font);
    const double k = kDpi / 25.4;
    return QSizeF(metrics.horizontalAdvance(text) / k, metrics.height() / k);
}

double RecordingDevice::ascent(const QFont &font)
{
    return metricsAt1200(font).ascent() / (kDpi / 25.4);
}

} // namespace zelmora::print
