// The listing blocks and the listing page drawn on the recording device.

#include "core/BuildSettings.h"
#include "core/Stakes.h"
#include "print/ListingBlocks.h"
#include "print/ListingPage.h"
#include "print/RecordingDevice.h"
#include "support/RecordingPrinters.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;

namespace {

Sistema sampleSystem()
{
    Sistema s;
    const int rows[4][4] = {{5, 11, 12, 13}, {21, 5, 22, 23}, {31, 32, 5, 33}, {41, 42, 43, 5}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            s.Righe[r][c] = std::uint8_t(rows[r][c]);
    Trasponi(s);
    s.Capogioco = 5;
    s.Puntate = puntate12Euro();
    s.ImportoSistema = 12.0f;
    s.Ruota = QStringLiteral("Bari");
    s.NomeSistema = QStringLiteral("vuoto.zlm");
    return s;
}

const RecordedItem *findText(const QList<RecordedItem> &items, const QString &text)
{
    for (const RecordedItem &item : items)
        if (item.kind == RecordedItem::Text && item.text == text)
            return &item;
    return nullptr;
}

QStringList texts(const QList<RecordedItem> &items)
{
    QStringList list;
    for (const RecordedItem &item : items)
        if (item.kind == RecordedItem::Text)
            list << item.text;
    return list;
}

class ListingBlocksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto device = std::make_unique<RecordingDevice>();
        recorder = device.get();
        printer.setDevice(std::move(device));
        printer.setScaleMode(vbMillimeters);
    }
    const QList<RecordedItem> &items() { return recorder->documents.last().pages.last(); }

    Printer printer;
    RecordingDevice *recorder = nullptr;
    Sistema sistema = sampleSystem();
};

TEST_F(ListingBlocksTest, GridRowsStepDownAndNumbersFollowEachOther)
{
    printer.setScaleMode(vbTwips);
    printer.FillStyle = vbFSSolid;
    StampaGriglia(printer, sistema, 60, 73, 7.5f, 21, 36);
    EXPECT_EQ(printer.ScaleMode(), vbTwips);
    EXPECT_EQ(printer.FillStyle, vbFSSolid);
    EXPECT_EQ(printer.FontName, QStringLiteral("Courier New"));
    EXPECT_EQ(printer.FontSize, 36);
    EXPECT_FALSE(printer.FontBold);
    EXPECT_TRUE(printer.FontTransparent);

    const auto &list = items();
    ASSERT_EQ(list.size(), 16);
    EXPECT_EQ(texts(list).mid(0, 4), (QStringList{"05", "11", "12", "13"}));
    const double pitch = list[1].rect.left() - list[0].rect.left();
    EXPECT_NEAR(pitch, list[0].rect.width() + 7.5, 1e-6);
    // Courier's two digits are 1.2 em: about 15.2 mm at 36 points.
    EXPECT_NEAR(list[0].rect.width(), 15.24, 0.3);
    for (int r = 0; r < 4; ++r) {
        EXPECT_NEAR(list[r * 4].rect.top(), 73 + 21 * (r + 1), 1e-6);
        EXPECT_NEAR(list[r * 4].rect.left(), 60, 1e-6);
        EXPECT_TRUE(list[r * 4].textStyle.font.bold());
        EXPECT_TRUE(list[r * 4].textStyle.transparent);
    }
}

TEST_F(ListingBlocksTest, StakesAndWinningsColumns)
{
    StampaPuntate(printer, sistema, 15, 260, 10);
    EXPECT_EQ(printer.FillStyle, vbFSTransparent);
    const auto &list = items();
    EXPECT_EQ(texts(list),
              (QStringList{"Ambo", "Terno", "Quaterna", "€ 1,15", "€ 0,25", "€ 0,10"}));
    EXPECT_NEAR(list[0].rect.top(), 268, 1e-6);
    EXPECT_NEAR(list[1].rect.left(), 35, 1e-6);
    EXPECT_NEAR(list[2].rect.left(), 55, 1e-6);
    // Amounts one heading line lower, two points smaller.
    EXPECT_NEAR(list[3].rect.top(), 268 + list[0].rect.height(), 1e-6);
    EXPECT_EQ(list[3].textStyle.font.pointSizeF(), 8);
    EXPECT_EQ(list[0].textStyle.font.pointSizeF(), 10);
}

TEST_F(ListingBlocksTest, WinningsOffsetsRoundHalvesToEven)
{
    const struct
    {
        const char *name;
        float step;
        double d1, d2;
    } cases[] = {{"whole step", 30, 30, 60},
                 {"the sheet's step", 12, 12, 24},
                 {"half rounded up to even", 7.5f, 8, 15},
                 {"half rounded down to even", 12.5f, 12, 25},
                 {"small half rounded down to even", 2.5f, 2, 5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        printer.FillStyle = vbFSSolid;
        StampaVincite(printer, sistema, 100, 37, c.step, 18);
        EXPECT_EQ(printer.FillStyle, vbFSSolid);
        const auto &list = items();
        const int n = int(list.size());
        EXPECT_NEAR(list[n - 5].rect.left() - 100, c.d1, 1e-6) << c.step;
        EXPECT_NEAR(list[n - 4].rect.left() - 100, c.d2, 1e-6) << c.step;
        EXPECT_NEAR(list[n - 2].rect.left() - 100, c.d1, 1e-6) << c.step;
    }
    EXPECT_EQ(texts(items()).mid(3, 3), (QStringList{"€ 47,92", "€ 425,00", "€ 13.412,50"}));
    EXPECT_EQ(sistema.Vincite, CalcolaVincite(sistema.Puntate));
}

TEST_F(ListingBlocksTest, LargeAmountsStayWholeAndAlike)
{
    const struct
    {
        const char *name;
        Amounts stakes;
    } cases[] = {{"99,99 in every box", {99.99f, 99.99f, 99.99f}},
                 {"the largest stakes the boxes take", {99999, 99999, 99999}},
                 {"a large Quaterna alone", {1, 1, 100}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sistema.Puntate = c.stakes;
        const qsizetype first = recorder->documents.isEmpty() ? 0 : items().size();
        // The listing's winnings, the prognosis sheet's (12 mm apart) and the listing's stakes.
        StampaVincite(printer, sistema, 100, 37, 30, 18);
        StampaVincite(printer, sistema, 10, 80, 12, 8);
        StampaPuntate(printer, sistema, 15, 260, 10);
        const QList<RecordedItem> list = items().mid(first);
        ASSERT_EQ(list.size(), 18);
        for (int block : {0, 6, 12}) {
            const double size = list[block + 3].textStyle.font.pointSizeF();
            for (int i = block + 3; i < block + 6; ++i) {
                SCOPED_TRACE(list[i].text.toStdString());
                EXPECT_EQ(list[i].textStyle.font.pointSizeF(), size);
                EXPECT_EQ(list[i].rect.left() - list[block + 3].rect.left(),
                          list[i - 3].rect.left() - list[block].rect.left());
                if (i < block + 5)
                    EXPECT_LT(list[i].rect.right(), list[i + 1].rect.left());
                else if (size < list[block].textStyle.font.pointSizeF() - 2)
                    EXPECT_LE(list[i].rect.right(), printer.ScaleWidth() - 5);
                else
                    EXPECT_LE(list[i].rect.right(), printer.ScaleWidth());
            }
        }
    }
    EXPECT_EQ(texts(items()).mid(39, 3), (QStringList{"€ 41,67", "€ 1.250,00", "€ 12.004.750,00"}));
}

TEST_F(ListingBlocksTest, ZeroStakesReadZeroEverywhere)
{
    sistema.Puntate = {0, 0, 0};
    sistema.Vincite = {1, 2, 3}; // stale: recomputed before printing
    StampaPuntate(printer, sistema, 15, 260, 10);
    StampaVincite(printer, sistema, 100, 37, 30, 18);
    EXPECT_EQ(texts(items()).filter(QStringLiteral("€")), QStringList(6, QStringLiteral("€ 0,00")));
}

TEST_F(ListingBlocksTest, PlaysIgnoreTheCallersXAndStepSevenMillimetres)
{
    printer.setCurrentX(77);
    printer.setCurrentY(200);
    StampaGiocate(printer, sistema);
    const auto &list = items();
    ASSERT_EQ(list.size(), 32);
    for (int line = 0; line < 8; ++line) {
        EXPECT_NEAR(list[line * 4].rect.left(), 15, 1e-6);
        EXPECT_NEAR(list[line * 4].rect.top(), 207 + 7 * line, 1e-6);
        EXPECT_NEAR(list[line * 4 + 1].rect.left(), list[line * 4].rect.right() + 9, 1e-6);
    }
    EXPECT_EQ(texts(list).mid(16, 4), (QStringList{"05", "21", "31", "41"})); // column 1
    EXPECT_EQ(list[0].textStyle.font.pointSizeF(), 16);
}

class ListingPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        job.heading = QStringLiteral("CIRCOLO DEL LOTTO");
        job.sfondo = QImage(100, 100, QImage::Format_RGB32);
        job.vietato = QImage(50, 10, QImage::Format_RGB32);
    }
    zelmora::testing::RecordingPrinters devices{{"Ufficio", "Tabulati", "File PDF"}};
    PrinterSet printers{devices.source()};
    ListingJob job;
    Sistema sistema = sampleSystem();
};

TEST_F(ListingPageTest, OnePageWithEveryBlockWhereItBelongs)
{
    job.printerName = QStringLiteral("Tabulati");
    ASSERT_TRUE(StampaTabulato(printers, sistema, job));
    EXPECT_EQ(printers.CurrentPrinter().DeviceName(), QStringLiteral("Tabulati"));
    const RecordingDevice *device = devices[QStringLiteral("Tabulati")];
    ASSERT_EQ(device->documents.size(), 1);
    const RecordedDocument &doc = device->documents[0];
    EXPECT_TRUE(doc.ended);
    EXPECT_EQ(doc.options.printQuality, -3);
    EXPECT_EQ(doc.options.colorMode, 2);
    ASSERT_EQ(doc.pages.size(), 1);
    const auto &page = doc.pages[0];

    const QStringList all = texts(page);
    EXPECT_EQ(all[0], QStringLiteral("Zelmoravintesca by Vandrel - "));
    EXPECT_EQ(all[1], QStringLiteral("CIRCOLO DEL LOTTO"));
    EXPECT_EQ(all[2], QStringLiteral("x") + QString(93, QChar(0x2014)) + QStringLiteral("x"));
    EXPECT_EQ(all[3], QStringLiteral("Nome Sistema vuoto.zlm           "));
    EXPECT_EQ(all[4], QString(26, u' ') + webHost().toUpper());

    const RecordedItem *name = findText(page, QStringLiteral("Zelmoravintesca"));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->textStyle.color, QColor(0, 0, 128));
    EXPECT_EQ(name->textStyle.font.family(), QStringLiteral("Comic Sans MS"));
    EXPECT_NEAR(name->rect.left(), 30, 1e-6);

    // Square rows at 94, 115, 136, 157; winnings headings at 45; stakes headings at 268.
    for (const double y : {94.0, 115.0, 136.0, 157.0}) {
        int numbers = 0;
        for (const RecordedItem &item : page)
            if (item.kind == RecordedItem::Text && std::abs(item.rect.top() - y) < 1e-6 &&
                item.textStyle.font.pointSizeF() == 36)
                ++numbers;
        EXPECT_EQ(numbers, 4) << y;
    }
    const auto headings = [&](const QString &text) {
        QList<double> ys;
        for (const RecordedItem &item : page)
            if (item.kind == RecordedItem::Text && item.text == text)
                ys << item.rect.top();
        return ys;
    };
    EXPECT_EQ(headings(QStringLiteral("Ambo")), (QList<double>{268, 45}));
    // Plays from 207 to 256.
    int plays = 0;
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Text && item.textStyle.font.pointSizeF() == 16 &&
            item.rect.left() >= 15 - 1e-6 && item.rect.top() >= 207 - 1e-6 &&
            item.rect.top() <= 256 + 1e-6)
            ++plays;
    EXPECT_EQ(plays, 32);

    const RecordedItem *wheel = findText(page, QStringLiteral("Bari      "));
    ASSERT_TRUE(wheel);
    EXPECT_EQ(wheel->textStyle.color, QColor(255, 0, 0));
    EXPECT_EQ(wheel->rect.topLeft(), QPointF(120, 208));
    const RecordedItem *amount = findText(page, QStringLiteral("€ 12,00"));
    ASSERT_TRUE(amount);
    EXPECT_EQ(amount->textStyle.font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(amount->textStyle.font.pointSizeF(), 72);
    EXPECT_NEAR(amount->rect.top(), 208 + wheel->rect.height(), 1e-6);

    QList<QRectF> pictures;
    for (const RecordedItem &item : page)
        if (item.kind == RecordedItem::Picture)
            pictures << item.rect;
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures[0], QRectF(7, 43, 180, 180));
    EXPECT_NEAR(pictures[1].left(), 80, 1e-6);
    EXPECT_NEAR(pictures[1].top(), amount->rect.bottom(), 1e-6);
}

TEST_F(ListingPageTest, BlackAndWhiteAndAnUnknownPrinter)
{
    job.colour = false;
    job.printerName = QStringLiteral("tabulati"); // matches only ignoring case: not chosen
    sistema.ImportoSistema = 1234.5f;
    sistema.Ruota = QString();
    ASSERT_TRUE(StampaTabulato(printers, sistema, job));
    EXPECT_EQ(printers.CurrentPrinter().DeviceName(), QStringLiteral("Ufficio"));
    const auto &page = devices[QStringLiteral("Ufficio")]->documents[0].pages[0];
    EXPECT_EQ(findText(page, QStringLiteral("Zelmoravintesca"))->textStyle.color,
              QColor(Qt::black));
    EXPECT_EQ(findText(page, QString(10, u' '))->textStyle.color, QColor(Qt::black));
    // A total this long would run off the page at 72 points: it is set smaller and fits.
    const RecordedItem *amount = findText(page, QStringLiteral("€ 1.234,50"));
    ASSERT_TRUE(amount);
    EXPECT_LT(amount->textStyle.font.pointSizeF(), 72);
    EXPECT_GE(amount->textStyle.font.pointSizeF(), 48);
    EXPECT_LE(amount->rect.right(), 210);
    EXPECT_EQ(amount->rect.left(), 120);
    EXPECT_EQ(devices[QStringLiteral("Ufficio")]->documents[0].options.colorMode, 2);
}

TEST_F(ListingPageTest, CopiesAreSeparateDocumentsAndAFailureStopsTheRest)
{
    job.copies = 3;
    ASSERT_TRUE(StampaTabulato(printers, sistema, job));
    RecordingDevice *device = devices[QStringLiteral("Ufficio")];
    ASSERT_EQ(device->documents.size(), 3);
    for (const RecordedDocument &doc : device->documents) {
        EXPECT_EQ(doc.pages.size(), 1);
        EXPECT_EQ(texts(doc.pages[0]), texts(device->documents[0].pages[0]));
    }

    device->documents.clear();
    device->failOnDocument = 1; // the second copy cannot start
    EXPECT_EQ(StampaTabulato(printers, sistema, job).error().number(), 482);
    ASSERT_EQ(device->documents.size(), 1);
    EXPECT_TRUE(device->documents[0].ended);
}

TEST_F(ListingPageTest, MissingPicturesAreLeftOut)
{
    job.sfondo = QImage();
    job.vietato = QImage();
    ASSERT_TRUE(StampaTabulato(printers, sistema, job));
    for (const RecordedItem &item : devices[QStringLiteral("Ufficio")]->documents[0].pages[0])
        EXPECT_NE(item.kind, RecordedItem::Picture);
}

} // namespace
