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
    void print() { StampaTestTaratura(printer, taratura, nomeSistema, QStringLiteral("CIRCOLO")); }
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

    const QList<RecordedItem> boxes = itemsOf(page(), RecordedItem::Box);
    ASSERT_EQ(boxes.size(), 90 + 12 + 104);
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
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0].text, QStringLiteral("Zelmoravintesca - ") + webHost().toUpper());
    EXPECT_EQ(texts[0].rect.topLeft(), QPointF(20, 10));
    EXPECT_EQ(texts[1].text, QStringLiteral(" € 0,00 -- Scheda N. 0 -- prova.zlm           "));
    EXPECT_EQ(texts[2].text, QStringLiteral("CIRCOLO"));
    EXPECT_EQ(taratura.Ximporti, 20 + 14.5f);
    EXPECT_EQ(taratura.Yimporti, 40 + 74.0f);
}

TEST_F(CalibrationPageTest, PrintQualityFollowsTheStoredQuality)
{
    const struct
    {
        TaggedQuality quality;
        int printQuality;
    } cases[] = {
        {TaggedQuality::integer(kQualitaNormale), -3},
        {TaggedQuality::integer(kQualitaBassa), -1},
        {TaggedQuality{}, -1}, // never chosen
    };
    for (const auto &c : cases) {
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
    StampaSchedaAmbetto(printer, sistema, taratura, run);
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

TEST_F(CalibrationPageTest, AFailureReachesTheCallerWithTheDocumentStillOpen)
{
    struct FailingText : RecordingDevice
    {
        void drawText(const QPointF &, const QString &, const TextStyle &) override
        {
            throw RuntimeError(RuntimeError::DeviceIoError);
        }
    };
    auto device = std::make_unique<FailingText>();
    RecordingDevice *failing = device.get();
    printer.setDevice(std::move(device));
    try {
        print();
        FAIL() << "the failure was not thrown";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), RuntimeError::DeviceIoError);
    }
    EXPECT_TRUE(printer.documentOpen());
    ASSERT_EQ(failing->documents.size(), 1);
    EXPECT_FALSE(failing->documents[0].ended);
    EXPECT_EQ(taratura.Ximporti, 20 + 14.5f);
}

} // namespace
