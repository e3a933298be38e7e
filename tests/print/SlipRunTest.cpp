// The slip run and the prognosis sheet on the recording device.

#include "print/SlipRun.h"
#include "core/BuildSettings.h"
#include "core/RuntimeError.h"
#include "print/CalibrationPage.h"
#include "print/RecordingDevice.h"

#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;

namespace {

const QStringList kRuote = {"Bari",    "Cagliari", "Firenze", "Genova",  "Milano",   "Napoli",
                            "Palermo", "Roma",     "Torino",  "Venezia", "Nazionale"};

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
    t.Qualita = TaggedQuality::integer(kQualitaNormale);
    return t;
}

Sistema system()
{
    Sistema s;
    const int rows[4][4] = {{37, 1, 90, 12}, {2, 37, 3, 4}, {5, 6, 37, 7}, {8, 9, 10, 37}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            s.Righe[r][c] = std::uint8_t(rows[r][c]);
    Trasponi(s);
    s.Puntate = {1.15f, 0.25f, 0.10f};
    s.Ruota = QStringLiteral("Roma");
    s.NomeSistema = QStringLiteral("prova.zlm");
    s.ImportoSistema = 12;
    return s;
}

QList<QPointF> marksOn(const QList<RecordedItem> &page)
{
    QList<QPointF> marks;
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Box)
            marks << item.rect.topLeft();
    return marks;
}

bool hasMarkAt(const QList<RecordedItem> &page, const QPointF &at)
{
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Box && std::abs(item.rect.x() - at.x()) < 1e-4 &&
            std::abs(item.rect.y() - at.y()) < 1e-4 && std::abs(item.rect.width() - 2) < 1e-9 &&
            item.boxStyle.fillStyle == vbFSSolid)
            return true;
    return false;
}

QStringList texts(const QList<RecordedItem> &page)
{
    QStringList list;
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Text)
            list << item.text;
    return list;
}

QList<int> markedDenominations(float stake)
{
    const auto marks = stakeMarks(stake);
    QList<int> cents;
    for (int i = 0; i < kDenominations; ++i)
        if (marks[i])
            cents << int(std::lround(kDenominationValues[i] * 100));
    return cents;
}

TEST(SlipLayoutTest, BoxesStepFromTheCalibration)
{
    const TaraturaAmbetto t = calibration();
    EXPECT_EQ(numberBox(t, 1), QPointF(20, 40));
    EXPECT_EQ(numberBox(t, 37), QPointF(20 + 6 * 5.5, 40 + 3 * 4.25));
    EXPECT_EQ(numberBox(t, 10), QPointF(20 + 9 * 5.5, 40));
    EXPECT_EQ(numberBox(t, 11), QPointF(20, 44.25));
    EXPECT_EQ(numberBox(t, 90), QPointF(20 + 9 * 5.5, 40 + 8 * 4.25));
    EXPECT_NEAR(wheelBox(t, 0).x(), 103.3, 1e-9);
    EXPECT_NEAR(wheelBox(t, 11).y(), 40 - 0.9 + 11 * 5.2, 1e-9);
    EXPECT_NEAR(amountBox(t, 1, 0).x(), 34.5, 1e-9);
    EXPECT_NEAR(amountBox(t, 3, 12).x(), 34.5 + 12 * 5, 1e-9);
    EXPECT_NEAR(amountBox(t, 3, 12).y(), 40 + 74 + 3 * 4, 1e-9);
}

TEST(SlipLayoutTest, WheelBoxes)
{
    EXPECT_EQ(wheelBoxFor(QStringLiteral("Bari      "), kRuote), 0);
    EXPECT_EQ(wheelBoxFor(QStringLiteral("Venezia"), kRuote), 9);
    EXPECT_EQ(wheelBoxFor(QStringLiteral("Nazionale"), kRuote), 11); // the twelfth box
    EXPECT_EQ(wheelBoxFor(QStringLiteral("Atlantide"), kRuote), std::nullopt);
    EXPECT_EQ(wheelBoxFor(QStringLiteral("bari"), kRuote), std::nullopt);
    EXPECT_EQ(wheelBoxFor(QStringLiteral("Bari"), QStringList()), std::nullopt);
}

TEST(SlipLayoutTest, StakesBreakIntoDistinctDenominations)
{
    EXPECT_EQ(markedDenominations(0), QList<int>());
    EXPECT_EQ(markedDenominations(250), (QList<int>{20000, 5000}));
    EXPECT_EQ(markedDenominations(1.15f), (QList<int>{100, 10, 5}));
    EXPECT_EQ(markedDenominations(8), (QList<int>{500, 300}));
    EXPECT_EQ(markedDenominations(0.40f), (QList<int>{20, 10, 5}));
    EXPECT_EQ(markedDenominations(0.25f), (QList<int>{20, 5}));
    EXPECT_EQ(markedDenominations(0.10f), (QList<int>{10}));
    EXPECT_EQ(markedDenominations(0.04f), QList<int>());
    const QList<int> all = {20000, 10000, 5000, 2000, 1000, 500, 300, 200, 100, 50, 20, 10, 5};
    EXPECT_EQ(markedDenominations(391.85f), all);
    EXPECT_EQ(markedDenominations(1000), all); // the rest is not marked
    EXPECT_EQ(playTotal({1.15f, 0.25f, 0.10f}), 1.5f);
    EXPECT_EQ(playTotal({0.1f, 0.2f, 0.3f}), 0.6f);
}

TEST(SlipLayoutTest, RangeMessages)
{
    const struct
    {
        const char *name;
        const char *da, *a;
        const char *message;
        const char *title;
    } cases[] = {
        {"every slip", "1", "8", "", ""},
        {"a single slip", "3", "3", "", ""},
        {"from after to", "5", "4", "'DA' è maggiore di 'A'", " !!! E R R O R E !!! "},
        {"from below the first", "0", "8", "'DA' è minore del minimo", "!!! E R R O R E !!!"},
        {"to past the last", "1", "9", "'A' è maggiore del massimo", "!!! E R R O R E !!!"},
        {"both past the last", "9", "9", "'A' è maggiore del massimo", "!!! E R R O R E !!!"},
        {"from empty", "", "3", "", ""}, // an empty box is not checked against the minimum
        {"to empty", "2", "", "'DA' è maggiore di 'A'", " !!! E R R O R E !!! "},
        // A masked box left empty reads "_": the minimum check then catches it.
        {"from masked and empty", "_", "8", "'DA' è minore del minimo", "!!! E R R O R E !!!"},
        {"to masked and empty", "1", "_", "'DA' è maggiore di 'A'", " !!! E R R O R E !!! "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const RangeCheck r = checkRange(QString::fromUtf8(c.da), QString::fromUtf8(c.a));
        EXPECT_EQ(r.ok, !*c.message) << c.da << "-" << c.a;
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.da << "-" << c.a;
        EXPECT_EQ(r.title, QString::fromUtf8(c.title)) << c.da << "-" << c.a;
    }
}

class SlipRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto device = std::make_unique<RecordingDevice>();
        recorder = device.get();
        printer.setDevice(std::move(device));
        run.ruote = kRuote;
        run.heading = QStringLiteral("CIRCOLO");
        run.pronostico = false;
    }
    const RecordedDocument &document() { return recorder->documents.at(0); }

    Printer printer;
    RecordingDevice *recorder = nullptr;
    Sistema sistema = system();
    TaraturaAmbetto taratura = calibration();
    SlipRun run;
};

TEST_F(SlipRunTest, APlayMarksItsNumbersWheelAndStakes)
{
    run.from = run.to = 3;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    ASSERT_EQ(document().pages.size(), 1);
    EXPECT_TRUE(document().ended);
    EXPECT_EQ(document().options.printQuality, -3);
    const auto &page = document().pages[0];
    // Row 3 of the square: 5, 6, 37, 7.
    for (int n : {5, 6, 37, 7})
        EXPECT_TRUE(hasMarkAt(page, numberBox(taratura, n))) << n;
    EXPECT_TRUE(hasMarkAt(page, QPointF(20 + 6 * 5.5, 40 + 3 * 4.25)));
    EXPECT_TRUE(hasMarkAt(page, wheelBox(taratura, 7))); // Roma
    // Ambo 1.15 on line 1: 1, 0.10, 0.05; Terno 0.25 on line 2: 0.20, 0.05; Quaterna 0.10.
    for (const auto &[line, column] :
         {std::pair{1, 8}, {1, 11}, {1, 12}, {2, 10}, {2, 12}, {3, 11}})
        EXPECT_TRUE(hasMarkAt(page, amountBox(taratura, line, column))) << line << "," << column;
    EXPECT_EQ(marksOn(page).size(), 4 + 1 + 6);
}

// What a page shows, item by item: kind, place, text, font, colours and line and fill styles.
QStringList drawn(const QList<RecordedItem> &page)
{
    QStringList items;
    for (const RecordedItem &item : page) {
        const QRectF &r = item.rect;
        items << QStringLiteral("%1 %2,%3 %4x%5 %6 %7 %8 %9 %10 %11 %12 %13")
                     .arg(int(item.kind))
                     .arg(r.x(), 0, 'f', 3)
                     .arg(r.y(), 0, 'f', 3)
                     .arg(r.width(), 0, 'f', 3)
                     .arg(r.height(), 0, 'f', 3)
                     .arg(item.text, item.textStyle.font.toString(), item.textStyle.color.name(),
                          item.boxStyle.lineColor.name())
                     .arg(item.boxStyle.drawStyle)
                     .arg(item.boxStyle.drawWidth)
                     .arg(item.boxStyle.fillStyle)
                     .arg(item.boxStyle.fillColor.name());
    }
    return items;
}

TEST_F(SlipRunTest, ARunDependsOnNothingAnEarlierRunLeft)
{
    run.pronostico = true;
    run.from = 1;
    run.to = 2;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const RecordedDocument fresh = document();

    // The same printer after a test page and with every setting somewhere else.
    EXPECT_TRUE(
        printCalibrationTest(printer, taratura, QStringLiteral("prova.zlm"), QStringLiteral("X")));
    printer.setScaleMode(vbTwips);
    printer.FontName = QStringLiteral("Comic Sans MS");
    printer.FontSize = 40;
    printer.FontBold = true;
    printer.ForeColor = Qt::red;
    printer.FontTransparent = false;
    printer.DrawStyle = 2;
    printer.DrawWidth = 9;
    printer.FillStyle = vbFSTransparent;
    printer.FillColor = Qt::green;
    printer.ColorMode = vbPRCMMonochrome;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const RecordedDocument &again = recorder->documents.last();
    ASSERT_EQ(again.pages.size(), fresh.pages.size());
    EXPECT_EQ(again.options.kind, fresh.options.kind);
    EXPECT_EQ(again.options.colorMode, fresh.options.colorMode);
    for (int i = 0; i < fresh.pages.size(); ++i)
        EXPECT_EQ(drawn(again.pages[i]), drawn(fresh.pages[i])) << "page " << i + 1;
}

TEST_F(SlipRunTest, ZeroNumbersAndUnknownWheelsMarkNothing)
{
    sistema.Righe[0][1] = 0;
    Trasponi(sistema);
    sistema.Ruota = QStringLiteral("Atlantide");
    run.from = run.to = 1;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const auto &page = document().pages[0];
    EXPECT_EQ(marksOn(page).size(), 3 + 0 + 6);
    for (int b = 0; b < kWheelBoxes; ++b)
        EXPECT_FALSE(hasMarkAt(page, wheelBox(taratura, b)));
}

TEST_F(SlipRunTest, TheEleventhWheelMarksTheTwelfthBox)
{
    sistema.Ruota = QStringLiteral("Nazionale");
    run.from = run.to = 5;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    EXPECT_TRUE(hasMarkAt(document().pages[0], wheelBox(taratura, 11)));
    EXPECT_FALSE(hasMarkAt(document().pages[0], wheelBox(taratura, 10)));
}

TEST_F(SlipRunTest, HeadingOfPlayTwo)
{
    sistema.Puntate = {2.0f, 1.0f, 0.5f};
    sistema.NomeSistema = QStringLiteral("prova.zlm");
    run.from = run.to = 2;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const QStringList lines = texts(document().pages[0]);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Zelmoravintesca - ") + webHost().toUpper());
    EXPECT_EQ(lines[1], QStringLiteral(" € 3,50 -- Scheda N. 2 -- prova.zlm           "));
    EXPECT_EQ(lines[2], QStringLiteral("CIRCOLO"));
    const auto &page = document().pages[0];
    const RecordedItem *first = nullptr;
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Text && !first)
            first = &item;
    EXPECT_EQ(first->rect.topLeft(), QPointF(20, 10));
    EXPECT_EQ(first->textStyle.font.family(), QStringLiteral("Comic Sans MS"));
}

// With scale factors every place of a slip is multiplied from the printable area's origin: the
// marks of every number, wheel and stake, and each heading line; marks stay 2 mm and fonts keep
// their sizes. The prognosis sheet, on plain paper, is printed as without factors.
TEST_F(SlipRunTest, FactorsMultiplyEveryPlaceOfASlipButNoSize)
{
    run.pronostico = true;
    run.from = run.to = 3;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const RecordedDocument plain = document();
    recorder->documents.clear();
    taratura.ScalaX = 1.04f;
    taratura.ScalaY = 0.97f;
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    const RecordedDocument &scaledRun = document();
    ASSERT_EQ(scaledRun.pages.size(), 2);
    ASSERT_EQ(plain.pages.size(), 2);

    const QList<RecordedItem> &sheetBefore = plain.pages[0];
    const QList<RecordedItem> &sheetAfter = scaledRun.pages[0];
    ASSERT_EQ(sheetAfter.size(), sheetBefore.size());
    for (qsizetype i = 0; i < sheetBefore.size(); ++i)
        EXPECT_EQ(sheetAfter[i].rect, sheetBefore[i].rect) << "sheet item " << i;

    const QList<RecordedItem> &slip = scaledRun.pages[1];
    ASSERT_EQ(slip.size(), plain.pages[1].size());
    ASSERT_EQ(marksOn(slip).size(), 4 + 1 + 6);
    for (qsizetype i = 0; i < slip.size(); ++i) {
        const RecordedItem &before = plain.pages[1][i];
        EXPECT_NEAR(slip[i].rect.x(), before.rect.x() * double(1.04f), 1e-9) << i;
        EXPECT_NEAR(slip[i].rect.y(), before.rect.y() * double(0.97f), 1e-9) << i;
        EXPECT_EQ(slip[i].rect.size(), before.rect.size()) << i;
        EXPECT_EQ(slip[i].textStyle.font, before.textStyle.font) << i;
    }
    // Number 37, the wheel box of Roma and the 0,05 of the Ambo line, worked out by hand.
    for (const QPointF &at :
         {QPointF(20 + 6 * 5.5, 40 + 3 * 4.25), QPointF(20 + 83.3, 40 - 0.9 + 7 * 5.2),
          QPointF(20 + 14.5 + 12 * double(taratura.DXimporti),
                  40 + 74 + 1 * double(taratura.DYimporti))})
        EXPECT_TRUE(hasMarkAt(slip, QPointF(at.x() * double(1.04f), at.y() * double(0.97f))))
            << at.x() << "," << at.y();
}

TEST_F(SlipRunTest, AllPlaysWithTheSheetMakeNinePages)
{
    run.pronostico = true;
    QList<int> progress;
    run.progress = [&](int k) { progress << k; };
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    ASSERT_EQ(recorder->documents.size(), 1);
    EXPECT_EQ(document().pages.size(), 9);
    EXPECT_EQ(progress, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(texts(document().pages[0]).contains(QStringLiteral("Zelmoravintesca")));
    // Play 5 is column 1 of the square.
    for (int n : {37, 2, 5, 8})
        EXPECT_TRUE(hasMarkAt(document().pages[5], numberBox(taratura, n))) << n;
}

TEST_F(SlipRunTest, AnInterruptDuringPlayThreeKeepsPlaysOneToThree)
{
    run.pronostico = true;
    bool stop = false;
    run.progress = [&](int k) {
        if (k == 3)
            stop = true; // the button is pressed while play 3 is drawn
    };
    run.interrupted = [&] { return stop; };
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    EXPECT_EQ(document().pages.size(), 4); // the sheet and plays 1 to 3
    EXPECT_TRUE(document().ended);
}

TEST_F(SlipRunTest, AFailedSheetIsFollowedByACleanPageAndAFailedRunIsAbandoned)
{
    run.pronostico = true;
    run.from = run.to = 1;
    run.pictures.sfondo = QImage(10, 10, QImage::Format_RGB32);
    int sheetError = 0;
    run.sheetFailed = [&](int number) { sheetError = number; };
    // The background picture cannot be drawn: the sheet stops half-way.
    struct FailingPictures : RecordingDevice
    {
        void drawPicture(const QImage &, const QRectF &) override { fail(); }
    };
    auto device = std::make_unique<FailingPictures>();
    RecordingDevice *failing = device.get();
    printer.setDevice(std::move(device));
    EXPECT_TRUE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    EXPECT_EQ(sheetError, 482);
    // The unfinished sheet is abandoned; the slip follows in a document of its own, on a page
    // that holds only the slip.
    ASSERT_EQ(failing->documents.size(), 2);
    EXPECT_TRUE(failing->documents[0].aborted);
    EXPECT_TRUE(failing->documents[1].ended);
    ASSERT_EQ(failing->documents[1].pages.size(), 1);
    EXPECT_EQ(texts(failing->documents[1].pages[0]).size(), 3);

    failing->documents.clear();
    failing->failOnDocument = 0;
    run.pronostico = false;
    EXPECT_FALSE(StampaSchedaAmbetto(printer, sistema, taratura, run));
    EXPECT_FALSE(printer.documentOpen());
}

// --- The prognosis sheet ---------------------------------------------------------------------

class PrognosisSheetTest : public SlipRunTest
{
protected:
    const QList<RecordedItem> &sheet()
    {
        StampaPronostico(printer, sistema, taratura, QStringLiteral("CIRCOLO"),
                         SheetPictures{QImage(10, 10, QImage::Format_RGB32),
                                       QImage(10, 10, QImage::Format_RGB32)});
        printer.EndDoc();
        return recorder->documents.at(0).pages.at(0);
    }
    const RecordedItem *text(const QList<RecordedItem> &page, const QString &t)
    {
        for (const RecordedItem &item : page)
            if (item.kind == RecordedItem::Text && item.text == t)
                return &item;
        return nullptr;
    }
};

TEST_F(PrognosisSheetTest, MarginsRoundHalvesToEven)
{
    const struct
    {
        const char *name;
        float left, intestazione;
        int x0, y0;
    } cases[] = {{"whole millimetres", 20, 10, 17, 12},
                 {"left half rounded down", 9.5f, 0, 6, 2},
                 {"left half rounded up, heading half rounded down", 10.5f, 0.5f, 8, 2},
                 {"no margins: the sheet stays on the page", 0, 0, 0, 2},
                 {"left under 3 mm: the sheet stays on the page", 2.4f, 0, 0, 2},
                 {"left half rounded down, heading half rounded up", 11.5f, 1.5f, 8, 4}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TaraturaAmbetto t;
        t.Left = c.left;
        t.Intestazione = c.intestazione;
        EXPECT_EQ(marginX0(t), c.x0) << c.left;
        EXPECT_EQ(marginY0(t), c.y0) << c.intestazione;
    }
}

TEST_F(PrognosisSheetTest, EveryBlockFollowsTheCalibration)
{
    sistema.Ruota = QStringLiteral("BARI");
    const auto &page = sheet();
    const RecordedItem *heading = text(page, QStringLiteral("Zelmoravintesca by Vandrel - "));
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->rect.topLeft(), QPointF(17, 12));
    EXPECT_EQ(heading->textStyle.font.pointSizeF(), 5);
    const RecordedItem *name = text(page, QStringLiteral("Zelmoravintesca"));
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->rect.left(), 30, 1e-9);
    EXPECT_EQ(name->textStyle.color, QColor(0, 0, 128));
    EXPECT_TRUE(text(page, QStringLiteral("x") + QString(90, QChar(0x2014)) + QStringLiteral("x")));

    QList<QRectF> pictures;
    QList<double> squareRows;
    for (const RecordedItem &item : page) {
        if (item.kind == RecordedItem::Picture)
            pictures << item.rect;
        if (item.kind == RecordedItem::Text && item.textStyle.font.pointSizeF() == 16 &&
            !squareRows.contains(item.rect.top())) {
            squareRows << item.rect.top();
            EXPECT_NEAR(item.rect.left(), 47, 1e-9);
        }
    }
    EXPECT_EQ(squareRows, (QList<double>{44, 53, 62, 71}));
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures[0], QRectF(24, 22, 80, 80));
    EXPECT_EQ(pictures[1].size(), QSizeF(90, 20));

    QList<double> columns;
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Text && item.textStyle.font.pointSizeF() == 8)
            columns << item.rect.left();
    EXPECT_EQ(columns, (QList<double>{17, 29, 41}));

    const RecordedItem *wheel = text(page, QStringLiteral("BARI      € 12,00"));
    ASSERT_TRUE(wheel);
    EXPECT_EQ(wheel->rect.topLeft(), QPointF(17, 100));
    EXPECT_TRUE(text(page, webHost().toUpper()));
    // The sheet ends its page: the next drawing starts a second one.
    EXPECT_FALSE(printer.documentOpen());
}

TEST_F(PrognosisSheetTest, AmountsHaveNoThousandsSeparator)
{
    sistema.Ruota = QStringLiteral("BARI");
    sistema.ImportoSistema = 1250;
    EXPECT_TRUE(text(sheet(), QStringLiteral("BARI      € 1250,00")));
}

} // namespace
