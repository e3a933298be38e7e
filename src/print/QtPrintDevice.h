#pragma once

#include "print/PrintDevice.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace zelmora::print {

// Draws through QPainter on a QPrinter, converting millimetres to device pixels itself (a
// scaled painter would scale the fonts too). The origin is the top-left of the printable
// area and nothing is fitted to the page.
class PainterDevice : public PrintDevice
{
public:
    void newPage() override;
    void drawText(const QPointF &topLeft, const QString &text, const TextStyle &style) override;
    void drawBox(const QRectF &box, const BoxStyle &style) override;
    void drawPicture(const QImage &picture, const QRectF &target) override;
    void endDocument() override;
    void abortDocument() override;
    QSizeF textSize(const QString &text, const QFont &font) override;
    double ascent(const QFont &font) override;
    QSizeF printableSize() const override;

protected:
    // Sets up the printer for a document and starts painting; throws 482 on failure.
    void startPainting(QPrinter &printer);
    // Called after the document ended or was dropped.
    virtual void finished(bool handedOver) { Q_UNUSED(handedOver); }
    QPrinter *m_printer = nullptr;

private:
    double pixelsPerMm() const;
    QFont deviceFont(const QFont &font) const;
    QPainter m_painter;
};

// A print queue of the system (CUPS).
class QueueDevice : public PainterDevice
{
public:
    explicit QueueDevice(QString queueName);
    QString DeviceName() const override { return m_name; }
    void beginDocument(const DocumentOptions &options) override;
    QPageLayout pageLayout() const override;
    // Draft quality prints at 300 dpi, the others at 600.
    int resolutionFor(const DocumentOptions &options) const override;

private:
    QString m_name;
    std::unique_ptr<QPrinter> m_ownPrinter;
};

// "File PDF": every document becomes a new PDF file in the folder stampe beside the program,
// named from the date, time and kind of document; an earlier file is never overwritten.
class PdfFileDevice : public PainterDevice
{
public:
    QString DeviceName() const override;
    void beginDocument(const DocumentOptions &options) override;
    // The file the last document was written to.
    QString lastFile() const { return m_file; }

protected:
    void finished(bool handedOver) override;

private:
    std::unique_ptr<QPrinter> m_ownPrinter;
    QString m_file;
};

// The file name for a new document of `kind` in `folder`: date and time, then the kind, with
// a number added when that name is taken.
QString newPdfFileName(const QString &folder, const QString &kind, const QDateTime &when);

} // namespace zelmora::print
