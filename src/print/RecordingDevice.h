#pragma once

#include "print/PrintDevice.h"

#include <QImage>
#include <QList>

namespace zelmora::print {

// One thing drawn on a page, in millimetres.
struct RecordedItem
{
    enum Kind
    {
        Text,
        Box,
        Picture
    };
    Kind kind = Text;
    QRectF rect; // text: top-left and measured size; box: the box; picture: its target
    QString text;
    TextStyle textStyle;
    BoxStyle boxStyle;
    QSize pictureSize; // the picture's own size in pixels
    QImage picture;    // the picture itself (shared, not copied)
};

struct RecordedDocument
{
    DocumentOptions options;
    QList<QList<RecordedItem>> pages;
    bool ended = false;   // handed over with EndDoc
    bool aborted = false; // abandoned
};

// A device that keeps every document, page and drawing with its position, font and colours,
// for tests and for showing pages on screen. Text is measured as on a page of measuringDpi
// (1200, like the PDF device).
class RecordingDevice : public PrintDevice
{
public:
    explicit RecordingDevice(QString name = QStringLiteral("Recorder"));

    QString DeviceName() const override { return m_name; }
    void beginDocument(const DocumentOptions &options) override;
    void beginPage() override;
    void drawText(const QPointF &topLeft, const QString &text, const TextStyle &style) override;
    void drawBox(const QRectF &box, const BoxStyle &style) override;
    void drawPicture(const QImage &picture, const QRectF &target) override;
    void endDocument() override;
    void abortDocument() override;
    QSizeF textSize(const QString &text, const QFont &font) override;
    double ascent(const QFont &font) override;
    QSizeF printableSize() const override { return pageSize; }

    QList<RecordedDocument> documents;
    QSizeF pageSize{210, 297}; // an A4 page printable to its edges
    int measuringDpi = 1200;
    // Makes the next beginDocument (or the one after `afterDocuments` more) fail with 482.
    int failOnDocument = -1;
    // A printer that cannot write: every beginDocument fails with 482.
    bool failEveryDocument = false;
    // Stands in for a printer that writes files: each finished document is said to have
    // become "<folder>/<number>.pdf", numbered from 1.
    QString filesFolder;
    QString documentFile() const override
    {
        return filesFolder.isEmpty()
                   ? QString()
                   : filesFolder + QStringLiteral("/%1.pdf").arg(documents.size());
    }

private:
    // The page drawn on, or null (the failure kept) when no document is open.
    QList<RecordedItem> *page();
    void record(const RecordedItem &item);
    QString m_name;
};

} // namespace zelmora::print
