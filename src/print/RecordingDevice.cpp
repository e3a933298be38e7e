#include "print/RecordingDevice.h"

#include "core/RuntimeError.h"

#include <QFontMetricsF>
#include <QImage>

namespace zelmora::print {

namespace {
// Fonts are measured on a surface of the device's resolution, as a printer measures them.
QFontMetricsF metricsAt(int dpi, const QFont &font)
{
    thread_local QImage surface(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    if (surface.dotsPerMeterX() != dotsPerMeter) {
        surface.setDotsPerMeterX(dotsPerMeter);
        surface.setDotsPerMeterY(dotsPerMeter);
    }
    return QFontMetricsF(font, &surface);
}
} // namespace

RecordingDevice::RecordingDevice(QString name) : m_name(std::move(name)) {}

void RecordingDevice::beginDocument(const DocumentOptions &options)
{
    clearStatus();
    if (failEveryDocument) {
        fail();
        return;
    }
    if (failOnDocument == 0) {
        failOnDocument = -1;
        fail();
        return;
    }
    if (failOnDocument > 0)
        --failOnDocument;
    RecordedDocument document;
    document.options = options;
    document.pages.append(QList<RecordedItem>());
    documents.append(document);
}

void RecordingDevice::beginPage()
{
    if (page())
        documents.last().pages.append(QList<RecordedItem>());
}

QList<RecordedItem> *RecordingDevice::page()
{
    if (failed())
        return nullptr;
    if (documents.isEmpty() || documents.last().ended || documents.last().aborted) {
        fail();
        return nullptr;
    }
    return &documents.last().pages.last();
}

void RecordingDevice::record(const RecordedItem &item)
{
    if (QList<RecordedItem> *open = page())
        open->append(item);
}

void RecordingDevice::drawText(const QPointF &topLeft, const QString &text, const TextStyle &style)
{
    RecordedItem item;
    item.kind = RecordedItem::Text;
    item.rect = QRectF(topLeft, textSize(text, style.font));
    item.text = text;
    item.textStyle = style;
    record(item);
}

void RecordingDevice::drawBox(const QRectF &box, const BoxStyle &style)
{
    RecordedItem item;
    item.kind = RecordedItem::Box;
    item.rect = box;
    item.boxStyle = style;
    record(item);
}

void RecordingDevice::drawPicture(const QImage &picture, const QRectF &target)
{
    RecordedItem item;
    item.kind = RecordedItem::Picture;
    item.rect = target;
    item.pictureSize = picture.size();
    item.picture = picture;
    record(item);
}

void RecordingDevice::endDocument()
{
    // A document that met a failure is dropped, not handed over.
    if (failed()) {
        abortDocument();
        return;
    }
    if (page()) // fails when no document is open
        documents.last().ended = true;
}

void RecordingDevice::abortDocument()
{
    if (!documents.isEmpty() && !documents.last().ended)
        documents.last().aborted = true;
}

QSizeF RecordingDevice::textSize(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics = metricsAt(measuringDpi, font);
    const double k = measuringDpi / 25.4;
    return QSizeF(metrics.horizontalAdvance(text) / k, metrics.height() / k);
}

double RecordingDevice::ascent(const QFont &font)
{
    return metricsAt(measuringDpi, font).ascent() / (measuringDpi / 25.4);
}

} // namespace zelmora::print
