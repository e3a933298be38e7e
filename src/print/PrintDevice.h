#pragma once

#include "core/Result.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace zelmora::print {

// What a document is asked for when it starts.
struct DocumentOptions
{
    QString kind = QStringLiteral("stampa"); // "schedine", "tabulato", ... names PDF files
    int printQuality = -3;                   // -1 draft, -3 medium
    int colorMode = 2;                       // 1 monochrome, 2 colour
};

// How a text is drawn: its font, colour and whether a background box is painted behind it.
struct TextStyle
{
    QFont font;
    QColor color = Qt::black;
    bool transparent = true;
};

// How a box is drawn: outline colour, line style and width, and its fill.
struct BoxStyle
{
    QColor lineColor = Qt::black;
    int drawStyle = 0; // 0 solid
    int drawWidth = 1; // in device pixels, as the printer draws thin lines
    int fillStyle = 1; // 0 solid, 1 transparent
    QColor fillColor = Qt::black;
};

// A device the printer object draws on. Positions and sizes are millimetres from the
// top-left corner of the printable area; fonts carry their size in points. A device that
// cannot start or write keeps that first failure (error 482) and ignores the drawing after it,
// until the next document begins; whoever runs the document asks status() where it can act on
// a failure (the end of a page, the end of the document).
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;

    // The first failure since the document in hand began, if any.
    const Result<void> &status() const { return m_status; }

    virtual QString DeviceName() const = 0;

    virtual void beginDocument(const DocumentOptions &options) = 0;
    // Starts a new page after the first; the printer object calls it only for pages that get
    // something drawn on them.
    virtual void beginPage() = 0;
    virtual void drawText(const QPointF &topLeft, const QString &text, const TextStyle &style) = 0;
    virtual void drawBox(const QRectF &box, const BoxStyle &style) = 0;
    virtual void drawPicture(const QImage &picture, const QRectF &target) = 0;
    // Hands the document over (to the print queue, to the file).
    virtual void endDocument() = 0;
    // Drops the document: nothing of it is printed or kept.
    virtual void abortDocument() = 0;
    // The file the last document ended on this device became, complete; empty for a device
    // that keeps no files.
    virtual QString documentFile() const { return {}; }

    // The width and height of a text in millimetres, measured on this device.
    virtual QSizeF textSize(const QString &text, const QFont &font) = 0;
    // The font's ascent (baseline below the top of a text) in millimetres.
    virtual double ascent(const QFont &font) = 0;
    // The size of the printable area in millimetres.
    virtual QSizeF printableSize() const = 0;
    // The paper and where its printable area lies on it, in millimetres. An A4 sheet printable
    // to its edges unless the device says otherwise.
    virtual QPageLayout pageLayout() const
    {
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                           QPageLayout::Millimeter);
    }
    // The dots per inch a document with these options is drawn at.
    virtual int resolutionFor(const DocumentOptions &options) const
    {
        Q_UNUSED(options);
        return 1200;
    }

protected:
    // True once the document in hand met a failure: what follows is not drawn.
    bool failed() const { return !m_status.ok(); }
    // Keeps the first failure.
    void fail(int number = RuntimeError::PrinterError)
    {
        if (m_status)
            m_status = RuntimeError(number);
    }
    // A new document starts with no failure.
    void clearStatus() { m_status = {}; }

private:
    Result<void> m_status;
};

} // namespace zelmora::print
