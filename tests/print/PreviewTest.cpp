// The preview: the pages a print would make, kept instead of printed, laid out for the printer
// they stand in for, and drawn on screen as the printed PDF shows them.

#include "print/Preview.h"
#include "PdfReader.h"
#include "PrintSamples.h"
#include "core/RuntimeError.h"
#include "core/Stakes.h"
#include "print/ListingPage.h"
#include "print/PageRenderer.h"
#include "print/QtPrintDevice.h"
#include "print/SlipRun.h"
#include "support/RecordingPrinters.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

SlipRun allPlays()
{
    SlipRun run;
    run.ruote = QStringList{QStringLiteral("Bari")};
    QImage picture(80, 80, QImage::Format_RGB32);
    picture.fill(QColor(200, 210, 250));
    run.pictures.sfondo = picture;
    run.heading = QStringLiteral("CIRCOLO");
    return run;
}

// A printer that cannot reach 5 mm round the sheet and draws at 300 dpi.
class NarrowPrinter : public RecordingDevice
{
public:
    NarrowPrinter() : RecordingDevice(QStringLiteral("Stretta")) {}
    QPageLayout pageLayout() const override
    {
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                           QPageLayout::Millimeter);
    }
    int resolutionFor(const DocumentOptions &) const override { return 300; }
};

bool sameItems(const QList<RecordedItem> &a, const QList<RecordedItem> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].rect != b[i].rect || a[i].text != b[i].text)
            return false;
    return true;
}

} // namespace

TEST(PreviewTest, KeepsThePagesARunWouldPrintAndPrintsNothing)
{
    Sistema sistema = samplePrintSystem(QStringLiteral("prova.zlm"));
    const TaraturaAmbetto taratura = samplePrintCalibration();
    const SlipRun run = allPlays();

    Printer printed;
    auto *paper = new RecordingDevice(QStringLiteral("Schedine"));
    printed.setDevice(std::unique_ptr<PrintDevice>(paper));
    EXPECT_TRUE(StampaSchedaAmbetto(printed, sistema, taratura, run));

    Printer previewed;
    auto *target = new RecordingDevice(QStringLiteral("Schedine"));
    previewed.setDevice(std::unique_ptr<PrintDevice>(target));
    const Preview preview = *previewRun(
        previewed, [&](Printer &printer) { printSlips(printer, sistema, taratura, run); });

    EXPECT_EQ(preview.printerName, QStringLiteral("Schedine"));
    ASSERT_EQ(paper->documents.size(), 1);
    ASSERT_EQ(preview.pages.size(), 9);
    for (int page = 0; page < 9; ++page)
        EXPECT_TRUE(sameItems(preview.pages[page], paper->documents[0].pages[page])) << page;
    // The printer has its own device back, and nothing reached it.
    EXPECT_EQ(&previewed.device(), target);
    EXPECT_TRUE(target->documents.isEmpty());
}

TEST(PreviewTest, ThePrinterGetsItsDeviceBackWhenTheRunFails)
{
    Printer printer;
    auto *target = new RecordingDevice(QStringLiteral("Ufficio"));
    printer.setDevice(std::unique_ptr<PrintDevice>(target));
    const Result<Preview> failed = previewRun(printer, [](Printer &p) {
        p.Print(QStringLiteral("prima"));
        p.EndDoc();
        p.device().beginPage(); // no document to turn a page of: the device fails
    });
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().number(), RuntimeError::PrinterError);
    EXPECT_EQ(&printer.device(), target);
    EXPECT_FALSE(printer.documentOpen());
    EXPECT_TRUE(target->documents.isEmpty());
}

TEST(PreviewTest, AbandonedDocumentsAreLeftOut)
{
    Printer printer;
    printer.setDevice(std::make_unique<RecordingDevice>());
    const Preview preview = *previewRun(printer, [](Printer &p) {
        p.Print(QStringLiteral("abbandonato"));
        p.KillDoc();
        p.Print(QStringLiteral("uno"));
        p.NewPage();
        p.Print(QStringLiteral("due"));
        p.EndDoc();
        p.Print(QStringLiteral("tre"));
        p.EndDoc();
    });
    ASSERT_EQ(preview.pages.size(), 3);
    EXPECT_EQ(preview.pages[0][0].text, QStringLiteral("uno"));
    EXPECT_EQ(preview.pages[2][0].text, QStringLiteral("tre"));
}

TEST(PreviewTest, PagesAreLaidOutForThePrinterTheyStandIn)
{
    Printer printer;
    printer.setDevice(std::make_unique<NarrowPrinter>());
    double width = 0;
    double textWidth = 0;
    const Preview preview = *previewRun(printer, [&](Printer &p) {
        p.setScaleMode(vbMillimeters);
        width = p.ScaleWidth();
        p.FontName = QStringLiteral("Courier New");
        p.FontSize = 10;
        textWidth = p.TextWidth(QStringLiteral("0123456789"));
        p.Print(QStringLiteral("x"));
        p.EndDoc();
    });
    EXPECT_DOUBLE_EQ(width, 200);
    EXPECT_NEAR(textWidth, 10 * 6 * 25.4 / 72, 0.3); // Courier: 6 points a character
    EXPECT_EQ(preview.dpi, 300);
    EXPECT_EQ(preview.layout.paintRect(QPageLayout::Millimeter), QRectF(5, 5, 200, 287));
}

TEST(PreviewTest, TheListingPreviewChoosesTheListingPrinterAndShowsEveryCopy)
{
    RecordingPrinters devices({QStringLiteral("Ufficio"), QStringLiteral("Tabulati")});
    PrinterSet printers(devices.source());
    Sistema sistema = samplePrintSystem(QStringLiteral("prova.zlm"));
    ListingJob job;
    job.copies = 3;
    job.printerName = QStringLiteral("Tabulati");
    const Preview preview = *previewListing(printers, sistema, job);
    EXPECT_EQ(preview.printerName, QStringLiteral("Tabulati"));
    EXPECT_EQ(preview.pages.size(), 3);
    EXPECT_EQ(printers.CurrentPrinter().DeviceName(), QStringLiteral("Tabulati"));
    EXPECT_TRUE(devices[QStringLiteral("Tabulati")]->documents.isEmpty());
}

// The preview drawn at 10 pixels a millimetre against the printed PDF rendered by poppler at
// the same size: the same pages, each with its ink in the same places.
TEST(PreviewTest, MatchesThePrintedPdfPageForPage)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Sistema sistema = samplePrintSystem(QStringLiteral("prova.zlm"));
    const TaraturaAmbetto taratura = samplePrintCalibration();
    const SlipRun run = allPlays();

    Printer printer;
    printer.setDevice(std::make_unique<PdfFileDevice>(folder.path() + QStringLiteral("/stampe")));
    const Preview preview =
        *previewRun(printer, [&](Printer &p) { printSlips(p, sistema, taratura, run); });
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const QStringList pdfs = QDir(folder.path() + QStringLiteral("/stampe"))
                                 .entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ASSERT_EQ(pdfs.size(), 1); // the preview wrote no file
    const QString pdf = folder.path() + QStringLiteral("/stampe/") + pdfs[0];
    ASSERT_EQ(pdfPageCount(pdf), preview.pages.size());

    for (int page = 1; page <= preview.pages.size(); ++page) {
        const QImage printed = pdfPageImage(pdf, page).convertToFormat(QImage::Format_Grayscale8);
        ASSERT_FALSE(printed.isNull());
        QImage shown(printed.size(), QImage::Format_Grayscale8);
        shown.fill(Qt::white);
        {
            QPainter painter(&shown);
            painter.scale(10, 10);
            renderPage(painter, preview.pages[page - 1], preview.dpi);
        }
        // Ink is a pixel darker than mid-grey. Glyph edges may fall either side, so ink in one
        // image counts as matched when the other has ink within a pixel (0.1 mm) of it.
        const auto inkNear = [](const QImage &image, int x, int y) {
            for (int v = std::max(0, y - 1); v <= std::min(image.height() - 1, y + 1); ++v)
                for (int u = std::max(0, x - 1); u <= std::min(image.width() - 1, x + 1); ++u)
                    if (image.constScanLine(v)[u] < 128)
                        return true;
            return false;
        };
        qsizetype ink = 0, differ = 0;
        for (int y = 0; y < shown.height(); ++y) {
            const uchar *a = shown.constScanLine(y);
            const uchar *b = printed.constScanLine(y);
            for (int x = 0; x < shown.width(); ++x) {
                const bool inkA = a[x] < 128, inkB = b[x] < 128;
                ink += inkA || inkB;
                differ += (inkA && !inkB && !inkNear(printed, x, y)) ||
                          (inkB && !inkA && !inkNear(shown, x, y));
            }
        }
        ASSERT_GT(ink, 500) << "page " << page << " is blank";
        EXPECT_LT(double(differ) / ink, 0.01)
            << "page " << page << ": " << differ << " of " << ink << " inked pixels differ";
    }
}
