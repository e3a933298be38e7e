// The calibration test page on the recording device: an outline at every box of the slip,
// exactly where the slip run puts its marks, and the zero heading.

#include "print/CalibrationPage.h"
#include "core/BuildSettings.h"
#include "core/RuntimeError.h"
#include "print/RecordingDevice.h"
#include "print/SlipRun.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;

namespace {

TaraturaAmbetto calibration()
{
    TaraturaAmbetto t;
    t.DXnumeri = 5.5f;
    t.DYnumeri = 4.25f;
    t.Top = 40;
    t.Left = 20;
    t.Intestazione = 10;
    t.DXimporti = 5;
    t.DYimporti = 4;
    // Stale values: the page places the amount block from Left and Top, never from these.
    t.Ximporti = 99;
    t.Yimporti = 99;
    t.Qualita = TaggedQuality::integer(kQualitaNormale);
    return t;
}

QList<RecordedItem> itemsOf(const QList<RecordedItem> &page, RecordedItem::Kind kind)
{
    QList<RecordedItem> items;
    for (const RecordedItem &item : page)
        if (item.kind == kind)
            items << item;
    return items;
}

class CalibrationPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto device = std::make_unique<RecordingDevice>();
        recorder = device.get();
        printer.setDevice(std::move(device));
    }
    void print()
    {
        EXPECT_TRUE(
            printCalibrationTest(printer, taratura, nomeSistema, QStringLiteral("CIRCOLO")));
    }
    const RecordedDocument &document() const { return recorder->documents.at(0); }
    const QList<RecordedItem> &page() const { return document().pages.at(0); }

    Printer printer;
    RecordingDevice *recorder = nullptr;
    TaraturaAmbetto taratura = calibration();
    QString nomeSistema = QStringLiteral("prova.zlm           ");
};

TEST_F(CalibrationPageTest, OutlinesEveryBoxInTheSlipRunsOrder)
{
    // Whatever an earlier print left in the printer is set up again, the fill colour too.
    printer.FillStyle = vbFSSolid;
    printer.setScaleMode(vbTwips);
    printer.DrawStyle = 2;
    printer.DrawWidth = 3;
    printer.ForeColor = Qt::red;
    printer.FillColor = Qt::blue;
    print();

    ASSERT_EQ(recorder->documents.size(), 1);
    EXPECT_EQ(document().options.kind, QStringLiteral("taratura"));
    ASSERT_EQ(document().pages.size(), 1);
    EXPECT_TRUE(document().ended);
    EXPECT_FALSE(document().aborted);
    EXPECT_FALSE(printer.documentOpen());

    // The slip's boxes, then the rulers: two lines and a tick every 10 mm of 150 and 200 mm.
    ASSERT_EQ(itemsOf(page(), RecordedItem::Box).size(), 90 + 12 + 104 + 2 + 16 + 21);
    const QList<RecordedItem> boxes = itemsOf(page(), RecordedItem::Box).mid(0, 90 + 12 + 104);
    for (const RecordedItem &box : boxes) {
        EXPECT_EQ(box.rect.size(), QSizeF(2, 2));
        EXPECT_EQ(box.boxStyle.fillStyle, vbFSTransparent);
        EXPECT_EQ(box.boxStyle.lineColor, QColor(Qt::black));
        EXPECT_EQ(box.boxStyle.drawStyle, 0);
        EXPECT_EQ(box.boxStyle.drawWidth, 1);
        EXPECT_EQ(box.boxStyle.fillColor, QColor(Qt::black));
    }
    // The numbers 1 to 90, the wheels 0 to 11, then the amounts line by line.
    const struct
    {
        int index;
        double x, y;
        const char *what;
    } cases[] = {
        {0, 20, 40, "number 1"},
        {9, 20 + 9 * 5.5, 40, "number 10"},
        {10, 20, 44.25, "number 11"},
        {36, 20 + 6 * 5.5, 40 + 3 * 4.25, "number 37"},
        {89, 20 + 9 * 5.5, 40 + 8 * 4.25, "number 90"},
        {90, 20 + 83.3, 40 - 0.9, "wheel box 0"},
        {101, 20 + 83.3, 40 - 0.9 + 11 * 5.2, "wheel box 11"},
        {102, 20 + 14.5, 40 + 74, "amount line 0, column 0"},
        {114, 20 + 14.5 + 12 * 5, 40 + 74, "amount line 0, column 12"},
        {115, 20 + 14.5, 40 + 74 + 4, "amount line 1, column 0"},
        {205, 20 + 14.5 + 12 * 5, 40 + 74 + 7 * 4, "amount line 7, column 12"},
    };
    for (const auto &c : cases) {
        EXPECT_NEAR(boxes[c.index].rect.x(), c.x, 1e-9) << c.what;
        EXPECT_NEAR(boxes[c.index].rect.y(), c.y, 1e-9) << c.what;
    }
}

TEST_F(CalibrationPageTest, PrintsTheZeroHeadingAndKeepsTheAmountCorner)
{
    print();
    const QList<RecordedItem> texts = itemsOf(page(), RecordedItem::Text);
    ASSERT_EQ(texts.size(), 3 + 2); // the heading, then the rulers' lengths
    EXPECT_EQ(texts[0].text, QStringLiteral("Zelmoravintesca - ") + webHost().toUpper());
    EXPECT_EQ(texts[0].rect.topLeft(), QPointF(20, 10));
    EXPECT_EQ(texts[1].text, QStringLiteral(" € 0,00 -- Scheda N. 0 -- prova.zlm           "));
    EXPECT_EQ(texts[2].text, QStringLiteral("CIRCOLO"));
    EXPECT_EQ(taratura.Ximporti, 20 + 14.5f);
    EXPECT_EQ(taratura.Yimporti, 40 + 74.0f);
}

// The rulers from the printable area's origin: a line of the scaled length, a tick every
// 10 mm centred on its scaled place, the nominal length beside the end.
TEST_F(CalibrationPageTest, RulersMeasureTheScaledLengthsFromTheOrigin)
{
    const struct
    {
        const char *name;
        float x, y;
        QSizeF printable;
        int horizontal, vertical;
    } cases[] = {
        {"true scale", 1, 1, {210, 297}, 150, 200},
        {"wider and shorter", 1.02f, 0.98f, {210, 297}, 150, 200},
        {"narrower and taller on a smaller area", 0.95f, 1.05f, {200, 287}, 150, 200},
        // A small sheet: the longest tens that fit at a factor of 1,05.
        {"a small sheet", 1, 1, {148, 180}, 140, 170},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        recorder->documents.clear();
        recorder->pageSize = c.printable;
        taratura.ScalaX = c.x;
        taratura.ScalaY = c.y;
        print();
        const QList<RecordedItem> rulers = itemsOf(page(), RecordedItem::Box).mid(206);
        const int hTicks = c.horizontal / 10 + 1;
        const int vTicks = c.vertical / 10 + 1;
        ASSERT_EQ(rulers.size(), 2 + hTicks + vTicks);
        const double hEnd = c.horizontal * double(c.x);
        const double vEnd = c.vertical * double(c.y);
        for (const RecordedItem &box : rulers)
            EXPECT_EQ(box.boxStyle.fillStyle, vbFSSolid);
        EXPECT_EQ(rulers[0].rect, QRectF(0, 0, hEnd, kRulerLine));
        for (int i = 0; i < hTicks; ++i) {
            const QRectF &tick = rulers[1 + i].rect;
            const double at = i * 10 * double(c.x);
            EXPECT_NEAR(tick.left(), at - kRulerLine / 2, 1e-9) << "tick " << i * 10;
            EXPECT_NEAR(tick.width(), kRulerLine, 1e-9);
            EXPECT_EQ(tick.top(), 0);
            EXPECT_EQ(tick.height(), i % 5 == 0 || i == hTicks - 1 ? 5 : 3) << i * 10;
        }
        EXPECT_EQ(rulers[1 + hTicks].rect, QRectF(0, 0, kRulerLine, vEnd));
        for (int i = 0; i < vTicks; ++i) {
            const QRectF &tick = rulers[2 + hTicks + i].rect;
            const double at = i * 10 * double(c.y);
            EXPECT_NEAR(tick.top(), at - kRulerLine / 2, 1e-9) << "tick " << i * 10;
            EXPECT_NEAR(tick.height(), kRulerLine, 1e-9);
        }
        const QList<RecordedItem> texts = itemsOf(page(), RecordedItem::Text);
        ASSERT_EQ(texts.size(), 5);
        EXPECT_EQ(texts[3].text, QStringLiteral("%1 mm").arg(c.horizontal));
        EXPECT_NEAR(texts[3].rect.right(), hEnd, 1e-9);
        EXPECT_EQ(texts[4].text, QStringLiteral("%1 mm").arg(c.vertical));
        EXPECT_NEAR(texts[4].rect.bottom(), vEnd, 1e-9);
        EXPECT_EQ(texts[4].textStyle.font.pointSizeF(), 8);
    }
}

// With factors, every box and the heading sit at their places multiplied from the origin; the
// boxes keep their 2 mm and the fonts their sizes.
TEST_F(CalibrationPageTest, FactorsMultiplyEveryPlaceButNoSize)
{
    print();
    const QList<RecordedItem> plain = page();
    recorder->documents.clear();
    taratura.ScalaX = 1.03f;
    taratura.ScalaY = 0.96f;
    print();
    const QList<RecordedItem> scaledPage = page();
    ASSERT_EQ(scaledPage.size(), plain.size());
    // The slip's 206 boxes and the heading's three lines, in the order they were drawn.
    int compared = 0;
    for (qsizetype i = 0; i < plain.size() && compared < 206 + 3; ++i) {
        const RecordedItem &before = plain[i];
        const RecordedItem &after = scaledPage[i];
        ASSERT_EQ(before.kind, after.kind);
        EXPECT_NEAR(after.rect.x(), before.rect.x() * double(1.03f), 1e-9) << i;
        EXPECT_NEAR(after.rect.y(), before.rect.y() * double(0.96f), 1e-9) << i;
        EXPECT_EQ(after.rect.size(), before.rect.size()) << i;
        EXPECT_EQ(after.textStyle.font, before.textStyle.font) << i;
        ++compared;
    }
    EXPECT_EQ(compared, 206 + 3);
}

TEST_F(CalibrationPageTest, PrintQualityFollowsTheStoredQuality)
{
    const struct
    {
        const char *name;
        TaggedQuality quality;
        int printQuality;
    } cases[] = {
        {"normal", TaggedQuality::integer(kQualitaNormale), -3},
        {"low", TaggedQuality::integer(kQualitaBassa), -1},
        {"never chosen", TaggedQuality{}, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        recorder->documents.clear();
        taratura.Qualita = c.quality;
        print();
        ASSERT_EQ(recorder->documents.size(), 1);
        EXPECT_EQ(document().options.printQuality, c.printQuality) << c.quality.value;
    }
}

TEST_F(CalibrationPageTest, EveryMarkOfARealSlipFallsOnAnOutline)
{
    // Lengths that no float holds exactly, so that any other arithmetic would show.
    taratura.Left = 12.3f;
    taratura.Top = 35.65f;
    taratura.DXimporti = 5.15f;
    taratura.DYimporti = 4.35f;
    print();
    const QList<RecordedItem> outlines = itemsOf(page(), RecordedItem::Box);

    // A slip run that marks as much as it can: every play, every denomination of the three
    // stake lines, the last wheel box.
    Sistema sistema;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            sistema.Righe[r][c] = std::uint8_t(1 + r * 22 + c * 5);
    Trasponi(sistema);
    sistema.Puntate = {391.85f, 391.85f, 391.85f};
    sistema.Ruota = QStringLiteral("Nazionale");
    SlipRun run;
    run.pronostico = false;
    run.ruote = QStringList{"Bari",    "Cagliari", "Firenze", "Genova",  "Milano",   "Napoli",
                            "Palermo", "Roma",     "Torino",  "Venezia", "Nazionale"};
    recorder->documents.clear();
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    ASSERT_EQ(recorder->documents.size(), 1);
    int marks = 0;
    for (const QList<RecordedItem> &slip : document().pages)
        for (const RecordedItem &mark : itemsOf(slip, RecordedItem::Box)) {
            ++marks;
            const bool onOutline =
                std::any_of(outlines.begin(), outlines.end(),
                            [&](const RecordedItem &box) { return box.rect == mark.rect; });
            EXPECT_TRUE(onOutline) << mark.rect.x() << "," << mark.rect.y();
        }
    EXPECT_EQ(marks, 8 * (4 + 1 + 3 * kDenominations));
}

TEST_F(CalibrationPageTest, AFailureIsTheResultAndTheUnfinishedPageIsAbandoned)
{
    struct FailingText : RecordingDevice
    {
        void drawText(const QPointF &, const QString &, const TextStyle &) override
        {
            fail(RuntimeError::DeviceIoError);
        }
    };
    auto device = std::make_unique<FailingText>();
    RecordingDevice *failing = device.get();
    printer.setDevice(std::move(device));
    const Result<void> printed =
        printCalibrationTest(printer, taratura, nomeSistema, QStringLiteral("CIRCOLO"));
    ASSERT_FALSE(printed) << "the failure was not told";
    EXPECT_EQ(printed.error().number(), RuntimeError::DeviceIoError);
    EXPECT_FALSE(printer.documentOpen());
    ASSERT_EQ(failing->documents.size(), 1);
    EXPECT_FALSE(failing->documents[0].ended);
    EXPECT_TRUE(failing->documents[0].aborted);
    EXPECT_EQ(taratura.Ximporti, 20 + 14.5f);
}

} // namespace
