#pragma once

#include "print/PrintDevice.h"

#include <QDateTime>
#include <QPainter>
#include <QPrinter>
#include <functional>
#include <memory>

namespace zelmora::print {

// Draws through QPainter on a QPrinter, converting millimetres to device pixels itself (a
// scaled painter would scale the fonts too). The origin is the top-left of the printable
// area and nothing is fitted to the page.
class PainterDevice : public PrintDevice
{
public:
    void beginPage() override;
    void drawText(const QPointF &topLeft, const QString &text, const TextStyle &style) override;
    void drawBox(const QRectF &box, const BoxStyle &style) override;
    void drawPicture(const QImage &picture, const QRectF &target) override;
    void endDocument() override;
    void abortDocument() override;
    QSizeF textSize(const QString &text, const QFont &font) override;
    double ascent(const QFont &font) override;
    QSizeF printableSize() const override;

protected:
    // Sets up the printer for a document and starts painting; false, the failure kept, when
    // the painter cannot start on it.
    bool startPainting(QPrinter &printer);
    // Called after the document ended (painted whole when handedOver) or was dropped. False
    // when the document did not arrive after all: endDocument then keeps the printer error.
    virtual bool finished(bool handedOver) { return handedOver; }
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
// The document is written to a hidden file of its own in that folder and takes its name only
// once it is complete, so a document either arrives whole or raises the printer error and
// leaves nothing behind (a full disk, a folder taken away).
class PdfFileDevice : public PainterDevice
{
public:
    // Writes into `folder`, or into the folder `folder` gives when each document starts.
    explicit PdfFileDevice(const QString &folder);
    explicit PdfFileDevice(std::function<QString()> folder);
    QString DeviceName() const override;
    void beginDocument(const DocumentOptions &options) override;
    QString documentFile() const override { return m_file; }
    // The file the last document was written to; empty when it did not arrive.
    QString lastFile() const { return m_file; }

protected:
    bool finished(bool handedOver) override;

private:
    std::unique_ptr<QPrinter> m_ownPrinter;
    std::function<QString()> m_folderNow;
    QString m_partial; // the document being written
    QString m_folder;
    QString m_kind;
    QDateTime m_started;
    QString m_file;
};

// True when the file holds a whole PDF as Qt writes one: it ends with "%%EOF" after a
// "startxref" whose offset points at the cross-reference table, so no byte before the table
// was lost either.
bool isCompletePdf(const QString &path);

// The file name for a new document of `kind` in `folder`: date and time, then the kind, with
// a number added when that name is taken.
QString newPdfFileName(const QString &folder, const QString &kind, const QDateTime &when);

} // namespace zelmora::print
