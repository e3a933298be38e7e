#pragma once

#include "core/Result.h"

#include "print/PrintDevice.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

namespace zelmora::print {

enum ScaleModeValue
{
    vbTwips = 1,
    vbMillimeters = 6
};
enum FillStyleValue
{
    vbFSSolid = 0,
    vbFSTransparent = 1
};
enum PrintQualityValue
{
    vbPRPQDraft = -1,
    vbPRPQMedium = -3
};
enum ColorModeValue
{
    vbPRCMMonochrome = 1,
    vbPRCMColor = 2
};

// The printer object every print routine draws through: a current position, text and shape
// state, and the operations that place text, boxes and pictures on the page of the current
// device. Positions are in the current ScaleMode (twips or millimetres); font sizes are
// always points. A document starts with the first drawing and a page only when something is
// drawn on it, so EndDoc right after NewPage adds no blank page.
class Printer
{
public:
    Printer();
    ~Printer();

    // The device drawn on; a document in progress is abandoned when the device changes.
    void setDevice(std::unique_ptr<PrintDevice> device);
    // Takes the device away (abandoning a document in progress), to be given back later.
    std::unique_ptr<PrintDevice> takeDevice();
    PrintDevice &device() const { return *m_device; }
    QString DeviceName() const;

    int ScaleMode() const { return m_scaleMode; }
    void setScaleMode(int mode);
    double CurrentX() const;
    double CurrentY() const;
    void setCurrentX(double x);
    void setCurrentY(double y);

    QString FontName = QStringLiteral("Arial");
    double FontSize = 10;
    bool FontBold = false;
    QColor ForeColor = Qt::black;
    bool FontTransparent = true;
    int DrawStyle = 0;
    int DrawWidth = 1;
    int FillStyle = vbFSTransparent;
    QColor FillColor = Qt::black;
    int PrintQuality = vbPRPQMedium;
    int ColorMode = vbPRCMColor;
    // Names the document (and its PDF file): "schedine", "tabulato", "taratura", ...
    QString DocumentKind = QStringLiteral("stampa");

    // Every setting above back to what a new printer starts with (twips, Arial 10, black,
    // solid thin lines, transparent fill, medium quality, colour), so a run depends on nothing
    // an earlier one left; the device and a document in progress are kept.
    void resetSettings();

    // Prints a text at the current position and moves CurrentX past it.
    void Print(const QString &text);
    // The same, then starts a new line: CurrentX 0 and CurrentY down by the line height.
    void PrintLine(const QString &text = QString());
    // The box form of Line: a rectangle with corners (x1, y1) and (x2, y2), outlined in
    // `color` and filled as FillStyle and FillColor say.
    void Line(double x1, double y1, double x2, double y2, const QColor &color);
    // A picture scaled into the rectangle, or at its own size.
    void PaintPicture(const QImage &picture, double x, double y, double width, double height);
    void PaintPicture(const QImage &picture, double x, double y);
    void NewPage();
    void EndDoc();
    // Abandons the document in progress, if any.
    void KillDoc();

    // The width and height of the printable area, in the current scale.
    double ScaleWidth() const;
    double ScaleHeight() const;

    double TextWidth(const QString &text);
    double TextHeight(const QString &text);

    bool documentOpen() const { return m_documentOpen; }
    // The first failure of the device since the document in hand began (482 when there is no
    // device), or none: drawing after a failure is ignored, and EndDoc then drops the document.
    Result<void> status() const;
    // The full path of the PDF file the last document became on "File PDF", set only once
    // the file is complete; empty when the last document went elsewhere or did not arrive.
    QString lastDocumentPath() const { return m_lastDocumentPath; }
    // The files that documents became since the last call, in order, and forgets them.
    QStringList takeDeliveredFiles() { return std::exchange(m_deliveredFiles, {}); }

private:
    QFont currentFont() const;
    double toMm(double value) const;
    double fromMm(double mm) const;
    // False when there is no device to draw on.
    bool ensurePage();
    void closeDocument(bool handOver);

    std::unique_ptr<PrintDevice> m_device;
    int m_scaleMode = vbTwips;
    double m_xMm = 0;
    double m_yMm = 0;
    bool m_documentOpen = false;
    bool m_pageOpen = false;
    QString m_lastDocumentPath;
    QStringList m_deliveredFiles;
};

// Runs `print` on the printer as one document. A failure of the device abandons the document it
// interrupted and is the result.
Result<void> printDocument(Printer &printer, const std::function<void(Printer &)> &print);

// The name of the built-in device that writes each document to a new PDF in stampe/.
extern const char *const kFilePdfName; // "File PDF"

} // namespace zelmora::print
