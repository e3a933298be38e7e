// The printer object drawing on the recording device: positions, lines, boxes, pages and
// failures, in the units the print routines use.

#include "print/Printer.h"
#include "core/RuntimeError.h"
#include "print/PrinterSet.h"
#include "print/RecordingDevice.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;

namespace {

class PrinterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto device = std::make_unique<RecordingDevice>();
        recorder = device.get();
        printer.setDevice(std::move(device));
        printer.setScaleMode(vbMillimeters);
        printer.FontName = QStringLiteral("Courier New");
        printer.FontSize = 12;
    }

    const QList<RecordedItem> &page(int document, int index)
    {
        return recorder->documents.at(document).pages.at(index);
    }

    Printer printer;
    RecordingDevice *recorder = nullptr;
};

TEST_F(PrinterTest, PrintKeepsTheLineAndPrintLineStartsANewOne)
{
    printer.setCurrentX(20);
    printer.setCurrentY(30);
    printer.Print(QStringLiteral("12"));
    const double width = printer.TextWidth(QStringLiteral("12"));
    EXPECT_GT(width, 3.0);
    EXPECT_NEAR(printer.CurrentX(), 20 + width, 1e-9);
    EXPECT_EQ(printer.CurrentY(), 30);
    printer.PrintLine(QStringLiteral("34"));
    EXPECT_EQ(printer.CurrentX(), 0);
    const double lineHeight = printer.TextHeight(QStringLiteral("Ag"));
    EXPECT_NEAR(printer.CurrentY(), 30 + lineHeight, 1e-9);
    // 12 points is 4.23 mm; a line is a little more than that.
    EXPECT_GT(lineHeight, 4.2);
    EXPECT_LT(lineHeight, 6.5);

    const auto &items = page(0, 0);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].text, QStringLiteral("12"));
    EXPECT_EQ(items[0].rect.topLeft(), QPointF(20, 30));
    EXPECT_NEAR(items[1].rect.left(), 20 + width, 1e-9);
    EXPECT_EQ(items[1].textStyle.font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(items[1].textStyle.font.pointSizeF(), 12);
}

TEST_F(PrinterTest, BiggerFontsMakeTallerLinesAndBoldIsKept)
{
    printer.FontSize = 8;
    const double small = printer.TextHeight(QStringLiteral("Ag"));
    printer.FontSize = 24;
    printer.FontBold = true;
    printer.ForeColor = QColor(0, 0, 128);
    printer.FontTransparent = false;
    EXPECT_NEAR(printer.TextHeight(QStringLiteral("Ag")) / small, 3.0, 0.25);
    printer.PrintLine(QStringLiteral("X"));
    const RecordedItem &item = page(0, 0).at(0);
    EXPECT_TRUE(item.textStyle.font.bold());
    EXPECT_EQ(item.textStyle.color, QColor(0, 0, 128));
    EXPECT_FALSE(item.textStyle.transparent);
}

TEST_F(PrinterTest, EmptyTextMovesToTheNextLineWithoutStartingADocument)
{
    printer.setCurrentY(10);
    printer.PrintLine();
    EXPECT_GT(printer.CurrentY(), 10);
    EXPECT_TRUE(recorder->documents.isEmpty());
}

TEST_F(PrinterTest, BoxCornersFillAndState)
{
    printer.FillStyle = vbFSSolid;
    printer.FillColor = Qt::black;
    printer.DrawWidth = 1;
    printer.Line(12, 40, 14, 42, Qt::black);
    printer.FillStyle = vbFSTransparent;
    printer.Line(50, 60, 47, 55, QColor(255, 0, 0)); // corners in any order
    const auto &items = page(0, 0);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].kind, RecordedItem::Box);
    EXPECT_EQ(items[0].rect, QRectF(12, 40, 2, 2));
    EXPECT_EQ(items[0].boxStyle.fillStyle, vbFSSolid);
    EXPECT_EQ(items[1].rect, QRectF(47, 55, 3, 5));
    EXPECT_EQ(items[1].boxStyle.fillStyle, vbFSTransparent);
    EXPECT_EQ(items[1].boxStyle.lineColor, QColor(255, 0, 0));
}

TEST_F(PrinterTest, TwipsAndMillimetresNameTheSamePlace)
{
    printer.setScaleMode(vbTwips);
    printer.setCurrentX(1440); // one inch
    printer.setCurrentY(720);
    printer.setScaleMode(vbMillimeters);
    EXPECT_NEAR(printer.CurrentX(), 25.4, 1e-9);
    EXPECT_NEAR(printer.CurrentY(), 12.7, 1e-9);
    printer.setScaleMode(vbTwips);
    printer.Line(0, 0, 1440, 1440, Qt::black);
    EXPECT_NEAR(page(0, 0).at(0).rect.width(), 25.4, 1e-9);
    // Font sizes stay in points whatever the scale.
    const double twipsWidth = printer.TextWidth(QStringLiteral("W"));
    printer.setScaleMode(vbMillimeters);
    EXPECT_NEAR(printer.TextWidth(QStringLiteral("W")), twipsWidth * 25.4 / 1440, 1e-9);
    EXPECT_EQ(printer.ScaleMode(), vbMillimeters);
}

TEST_F(PrinterTest, PagesExistOnlyWhenSomethingIsDrawnOnThem)
{
    printer.PrintQuality = vbPRPQDraft;
    printer.DocumentKind = QStringLiteral("schedine");
    printer.Print(QStringLiteral("a"));
    printer.NewPage();
    EXPECT_EQ(printer.CurrentX(), 0);
    printer.Print(QStringLiteral("b"));
    printer.NewPage();
    printer.EndDoc();
    ASSERT_EQ(recorder->documents.size(), 1);
    EXPECT_EQ(recorder->documents[0].pages.size(), 2);
    EXPECT_TRUE(recorder->documents[0].ended);
    EXPECT_EQ(recorder->documents[0].options.printQuality, -1);
    EXPECT_EQ(recorder->documents[0].options.kind, QStringLiteral("schedine"));

    // The next drawing begins a new document.
    printer.Print(QStringLiteral("c"));
    printer.EndDoc();
    ASSERT_EQ(recorder->documents.size(), 2);
    EXPECT_EQ(recorder->documents[1].pages.size(), 1);
    // EndDoc with nothing drawn sends nothing.
    printer.EndDoc();
    EXPECT_EQ(recorder->documents.size(), 2);
}

TEST_F(PrinterTest, ADeviceThatCannotStartKeepsThePrinterErrorAndDropsTheDocument)
{
    recorder->failOnDocument = 0;
    printer.Print(QStringLiteral("x"));
    printer.Print(QStringLiteral("ignored"));
    ASSERT_FALSE(printer.status());
    EXPECT_EQ(printer.status().error().number(), 482);
    EXPECT_EQ(printer.status().error().description(), QStringLiteral("Printer error"));
    printer.EndDoc();
    EXPECT_TRUE(recorder->documents.isEmpty());
    EXPECT_FALSE(printer.documentOpen());
    // The device works again for the next document.
    printer.Print(QStringLiteral("x"));
    EXPECT_TRUE(printer.status());
    printer.EndDoc();
    ASSERT_EQ(recorder->documents.size(), 1);
    EXPECT_TRUE(recorder->documents[0].ended);
}

TEST_F(PrinterTest, KillDocAbandonsTheDocument)
{
    printer.Print(QStringLiteral("half"));
    printer.KillDoc();
    ASSERT_EQ(recorder->documents.size(), 1);
    EXPECT_TRUE(recorder->documents[0].aborted);
    EXPECT_FALSE(recorder->documents[0].ended);
    EXPECT_FALSE(printer.documentOpen());
}

TEST_F(PrinterTest, PicturesAtTheirOwnSizeOrScaled)
{
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.setDotsPerMeterX(int(300 / 0.0254)); // 300 dpi: one inch wide
    picture.setDotsPerMeterY(int(300 / 0.0254));
    printer.PaintPicture(picture, 10, 20);
    printer.PaintPicture(picture, 0, 0, 100, 50);
    const auto &items = page(0, 0);
    EXPECT_NEAR(items[0].rect.width(), 25.4, 0.01);
    EXPECT_NEAR(items[0].rect.height(), 12.7, 0.01);
    EXPECT_EQ(items[0].rect.topLeft(), QPointF(10, 20));
    EXPECT_EQ(items[1].rect, QRectF(0, 0, 100, 50));
    EXPECT_EQ(items[1].pictureSize, QSize(300, 150));
}

TEST(PrinterListTest, FilePdfComesAfterTheQueuesAndSelectionIsExact)
{
    PrinterSource source;
    source.names = [] { return QStringList{"Ufficio", "Casa", "File PDF"}; };
    source.create = [](const QString &name) { return std::make_unique<RecordingDevice>(name); };
    source.defaultName = [] { return QStringLiteral("Casa"); };
    PrinterSet printers(source);
    EXPECT_EQ(printers.CurrentPrinter().DeviceName(), QStringLiteral("Casa"));
    EXPECT_EQ(printers.Printers().last(), QStringLiteral("File PDF"));
    EXPECT_FALSE(printers.SelectPrinter(QStringLiteral("ufficio")));
    EXPECT_EQ(printers.CurrentPrinter().DeviceName(), QStringLiteral("Casa"));
    EXPECT_TRUE(printers.SelectPrinter(QStringLiteral("Ufficio")));
    EXPECT_EQ(printers.CurrentPrinter().DeviceName(), QStringLiteral("Ufficio"));
    EXPECT_EQ(PrinterSet().Printers().last(), QStringLiteral("File PDF"));
}

} // namespace
