// The listing, the slips and the calibration test page printed on "File PDF" and read back
// from outside with poppler, against what the recording device says was drawn.

#include "PdfReader.h"
#include "PrintSamples.h"
#include "core/Stakes.h"
#include "print/CalibrationPage.h"
#include "print/ListingPage.h"
#include "print/PrinterSet.h"
#include "print/PrognosisSheet.h"
#include "print/QtPrintDevice.h"
#include "print/RecordingDevice.h"
#include "print/SlipRun.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

// Draws the same thing on a recording device and on "File PDF", and gives both results.
class PrintedPdfTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString filePdfFolder() const { return folder.path() + QStringLiteral("/stampe"); }

    // Runs `draw` on each device in turn; returns the PDF file written.
    QString printBoth(const std::function<void(PrinterSet &)> &draw)
    {
        PrinterSource source;
        source.names = [] { return QStringList{QStringLiteral("File PDF")}; };
        source.create = [this](const QString &) -> std::unique_ptr<PrintDevice> {
            if (useRecorder) {
                auto device = std::make_unique<RecordingDevice>(QStringLiteral("File PDF"));
                recorder = device.get();
                return device;
            }
            return std::make_unique<PdfFileDevice>(filePdfFolder());
        };
        source.defaultName = [] { return QStringLiteral("File PDF"); };
        useRecorder = true;
        PrinterSet recording(source);
        draw(recording);
        recorded = recorder->documents;
        useRecorder = false;
        PrinterSet pdf(source);
        draw(pdf);
        const QStringList pdfs =
            QDir(filePdfFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        return pdfs.size() == 1 ? filePdfFolder() + u'/' + pdfs[0] : QString();
    }

    QTemporaryDir folder;
    bool useRecorder = true;
    RecordingDevice *recorder = nullptr;
    QList<RecordedDocument> recorded;
};

TEST_F(PrintedPdfTest, ListingTextsStandWhereTheRecordingPutThem)
{
    Sistema sistema = samplePrintSystem(QStringLiteral("vuoto.zlm"));
    ListingJob job;
    job.heading = QStringLiteral("CIRCOLO");
    const QString pdf = printBoth(
        [&](PrinterSet &printers) { EXPECT_TRUE(StampaTabulato(printers, sistema, job)); });
    ASSERT_FALSE(pdf.isEmpty());
    ASSERT_EQ(pdfPageCount(pdf), 1);
    const QList<PdfWord> words = pdfWords(pdf);

    const auto wordAt = [&](const QString &text) -> const PdfWord * {
        for (const PdfWord &w : words)
            if (w.text == text)
                return &w;
        return nullptr;
    };
    // The name line: "vuoto.zlm", its 11 padding blanks and the 26 blanks, then the address.
    const RecordedItem *nameItem = nullptr;
    const RecordedItem *addressItem = nullptr;
    for (const RecordedItem &item : recorded[0].pages[0]) {
        if (item.text.startsWith(QLatin1String("Nome Sistema ")))
            nameItem = &item;
        if (item.text.startsWith(QString(26, u' ')))
            addressItem = &item;
    }
    ASSERT_TRUE(nameItem && addressItem);
    const PdfWord *name = wordAt(QStringLiteral("vuoto.zlm"));
    ASSERT_TRUE(name);
    const PdfWord *address = wordAt(addressItem->text.trimmed());
    ASSERT_TRUE(address);
    // Courier: the 11 blanks at 10 points (6 points each) and 26 at 14 points (8.4 points each).
    const double blanks = 11 * 6 * 25.4 / 72 + 26 * 8.4 * 25.4 / 72;
    EXPECT_NEAR(address->mm.left() - name->mm.right(), blanks, 0.4);
    EXPECT_NEAR(addressItem->rect.left() + addressItem->rect.width() -
                    QFontMetricsF(addressItem->textStyle.font).horizontalAdvance(QString()),
                address->mm.right(), 0.5);

    ASSERT_TRUE(wordAt(QStringLiteral("12,00")));
    EXPECT_TRUE(wordAt(QStringLiteral("1,15")));
    EXPECT_TRUE(wordAt(QStringLiteral("13.412,50")));

    // Every number of the square where the recording says it is.
    int checked = 0;
    for (const RecordedItem &item : recorded[0].pages[0]) {
        if (item.kind != RecordedItem::Text || item.textStyle.font.pointSizeF() != 36)
            continue;
        bool found = false;
        for (const PdfWord &w : words)
            if (w.text == item.text && std::abs(w.mm.left() - item.rect.left()) < 0.3 &&
                std::abs(w.mm.top() - item.rect.top()) < 0.6)
                found = true;
        EXPECT_TRUE(found) << item.text.toStdString() << " at " << item.rect.left() << ","
                           << item.rect.top();
        ++checked;
    }
    EXPECT_EQ(checked, 16);
}

TEST_F(PrintedPdfTest, TheListingAmountFormatsThousands)
{
    Sistema sistema = samplePrintSystem(QStringLiteral("vuoto.zlm"));
    sistema.ImportoSistema = 1234.5f;
    ListingJob job;
    const QString pdf = printBoth(
        [&](PrinterSet &printers) { EXPECT_TRUE(StampaTabulato(printers, sistema, job)); });
    bool found = false;
    for (const PdfWord &w : pdfWords(pdf))
        found = found || w.text == QLatin1String("1.234,50");
    EXPECT_TRUE(found);
}

// A filled 2 mm mark: dark just inside its four corners, light just outside its sides.
void expectMark(const QImage &page, const QRectF &box)
{
    constexpr double in = 0.2;
    constexpr double out = 0.35;
    const QPointF c = box.center();
    EXPECT_TRUE(darkAt(page, box.left() + in, box.top() + in)) << box.x() << "," << box.y();
    EXPECT_TRUE(darkAt(page, box.right() - in, box.bottom() - in)) << box.x() << "," << box.y();
    EXPECT_TRUE(darkAt(page, c.x(), c.y()));
    EXPECT_FALSE(darkAt(page, box.left() - out, c.y())) << box.x() << "," << box.y();
    EXPECT_FALSE(darkAt(page, box.right() + out, c.y())) << box.x() << "," << box.y();
    EXPECT_FALSE(darkAt(page, c.x(), box.top() - out)) << box.x() << "," << box.y();
    EXPECT_FALSE(darkAt(page, c.x(), box.bottom() + out)) << box.x() << "," << box.y();
}

TEST_F(PrintedPdfTest, SlipMarksSitWhereTheRecordingPutsThem)
{
    Sistema sistema = samplePrintSystem(QStringLiteral("vuoto.zlm"));
    const TaraturaAmbetto taratura = samplePrintCalibration();
    SlipRun run;
    run.from = 1;
    run.to = 8;
    run.ruote = QStringList{QStringLiteral("Bari")};
    const QString pdf = printBoth([&](PrinterSet &printers) {
        EXPECT_TRUE(StampaSchedaAmbetto(printers.CurrentPrinter(), sistema, taratura, run));
    });
    ASSERT_FALSE(pdf.isEmpty());
    ASSERT_EQ(recorded.size(), 1);
    ASSERT_EQ(pdfPageCount(pdf), 9); // the sheet and eight slips
    int marks = 0;
    for (int page : {2, 9}) {
        SCOPED_TRACE(::testing::Message() << "page " << page);
        const QImage image = pdfPageImage(pdf, page);
        ASSERT_FALSE(image.isNull());
        for (const RecordedItem &item : recorded[0].pages[page - 1]) {
            if (item.kind != RecordedItem::Box)
                continue;
            expectMark(image, item.rect);
            ++marks;
        }
    }
    EXPECT_EQ(marks, 2 * (4 + 1 + 6));
}

// The pixels of a rendered page (10 per millimetre) inside a box given in millimetres.
template <typename Visit> void forEachPixel(const QImage &page, const QRectF &mm, Visit visit)
{
    const QRect box = QRect(QPoint(int(mm.left() * 10), int(mm.top() * 10)),
                            QPoint(int(mm.right() * 10), int(mm.bottom() * 10)))
                          .intersected(page.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            visit(QPoint(x, y));
}

// The prognosis sheet printed with the program's own background picture, against the same
// sheet without it, at heading lines from 0 to 40 mm: the picture, painted after the heading
// and the product name, leaves every stroke of them dark, and the winnings stand on clear
// paper, off the picture's edge.
TEST_F(PrintedPdfTest, TheSheetPictureHidesNoTextAndLeavesTheWinningsClear)
{
    const QString images = QStringLiteral(ZELMORA_PROGRAM_DIR "/images/");
    const QImage sfondo = QImageReader(images + QStringLiteral("sfondoColor.bmp")).read();
    ASSERT_FALSE(sfondo.isNull()) << images.toStdString();
    Sistema sistema = samplePrintSystem(QStringLiteral("prova.zlm"));
    for (int heading : {0, 10, 20, 40}) {
        SCOPED_TRACE(::testing::Message() << "heading at " << heading << " mm");
        TaraturaAmbetto taratura = samplePrintCalibration();
        taratura.Intestazione = float(heading);
        const auto printSheet = [&](const QImage &picture) {
            Printer printer;
            auto device = std::make_unique<PdfFileDevice>(filePdfFolder());
            PdfFileDevice *pdf = device.get();
            printer.setDevice(std::move(device));
            printer.DocumentKind =
                picture.isNull() ? QStringLiteral("senza") : QStringLiteral("con");
            StampaPronostico(printer, sistema, taratura, QStringLiteral("CIRCOLO"),
                             SheetPictures{picture, QImage()});
            printer.EndDoc();
            return pdf->lastFile();
        };
        const QString plainPdf = printSheet(QImage());
        const QImage plain = pdfPageImage(plainPdf, 1);
        const QImage pictured = pdfPageImage(printSheet(sfondo), 1);
        ASSERT_FALSE(plain.isNull());
        ASSERT_EQ(pictured.size(), plain.size());
        const QList<PdfWord> words = pdfWords(plainPdf);

        int checked = 0;
        for (const PdfWord &word : words) {
            int dark = 0;
            int stillDark = 0;
            forEachPixel(plain, word.mm, [&](const QPoint &p) {
                if (qGray(plain.pixel(p)) < 96) {
                    ++dark;
                    stillDark += qGray(pictured.pixel(p)) < 96 ? 1 : 0;
                }
            });
            EXPECT_GE(stillDark, dark * 0.97)
                << "heading " << heading << ": " << word.text.toStdString() << " at " << word.mm.x()
                << "," << word.mm.y();
            ++checked;
        }
        EXPECT_GT(checked, 30);

        // The winnings: the three names and the amounts on the line below them.
        const PdfWord *ambo = nullptr;
        const PdfWord *quaterna = nullptr;
        for (const PdfWord &word : words) {
            if (word.text == QLatin1String("Ambo"))
                ambo = &word;
            if (word.text == QLatin1String("Quaterna"))
                quaterna = &word;
        }
        ASSERT_TRUE(ambo && quaterna);
        const QRectF winnings(ambo->mm.topLeft(), QPointF(quaterna->mm.right() + 15,
                                                          ambo->mm.bottom() + ambo->mm.height()));
        int winningWords = 0;
        for (const PdfWord &word : words) {
            if (!winnings.contains(word.mm.center()))
                continue;
            ++winningWords;
            int changed = 0;
            forEachPixel(plain, word.mm.adjusted(-0.5, -0.5, 0.5, 0.5), [&](const QPoint &p) {
                changed += std::abs(qGray(plain.pixel(p)) - qGray(pictured.pixel(p))) > 8 ? 1 : 0;
            });
            EXPECT_EQ(changed, 0) << "heading " << heading << ": the picture shows under "
                                  << word.text.toStdString();
        }
        EXPECT_GE(winningWords, 6) << "heading " << heading;
    }
}

TEST_F(PrintedPdfTest, TestPageOutlinesEveryBox)
{
    TaraturaAmbetto taratura = samplePrintCalibration();
    const QString pdf = printBoth([&](PrinterSet &printers) {
        TaraturaAmbetto copy = taratura;
        EXPECT_TRUE(printCalibrationTest(printers.CurrentPrinter(), copy,
                                         QStringLiteral("vuoto.zlm"), QStringLiteral("CIRCOLO")));
    });
    ASSERT_EQ(pdfPageCount(pdf), 1);
    const QImage image = pdfPageImage(pdf, 1);
    int boxes = 0;
    for (const RecordedItem &item : recorded[0].pages[0]) {
        // The slip's boxes; the rulers' solid lines follow them.
        if (item.kind != RecordedItem::Box || item.boxStyle.fillStyle != vbFSTransparent)
            continue;
        ++boxes;
        const QRectF &r = item.rect;
        // The outline is dark, the inside light.
        EXPECT_TRUE(darkAt(image, r.left(), r.center().y()) ||
                    darkAt(image, r.left() + 0.1, r.center().y()))
            << r.x() << "," << r.y();
        EXPECT_FALSE(darkAt(image, r.center().x(), r.center().y())) << r.x() << "," << r.y();
    }
    EXPECT_EQ(boxes, 206);
}

} // namespace
