#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

namespace zelmora::testing {

// Reads a PDF from outside the program with poppler's tools, in millimetres.
struct PdfWord
{
    int page = 0; // from 1
    QString text;
    QRectF mm;
};

int pdfPageCount(const QString &pdf);
QSizeF pdfPageSizeMm(const QString &pdf);    // of the first page
QList<PdfWord> pdfWords(const QString &pdf); // pdftotext -bbox
// The page rendered at 10 pixels per millimetre.
QImage pdfPageImage(const QString &pdf, int page);
// True when the pixel at (x, y) mm is dark.
bool darkAt(const QImage &page, double xMm, double yMm);

} // namespace zelmora::testing
