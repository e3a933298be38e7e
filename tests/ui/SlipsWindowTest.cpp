// The print-slips window driven through its controls, printing on recording devices.

#include "app/Program.h"
#include "core/Stakes.h"
#include "print/CalibrationFile.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "support/RecordingPrinters.h"
#include "support/ScriptedUiServices.h"
#include "support/WidgetTest.h"
#include "ui/frmAnteprima.h"
#include "ui/frmPrnInCorso.h"
#include "ui/frmStampaSchedine.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

class SlipsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        program.ui = &ui;
        program.appPath = folder.path() + u'/';
        writeSettings("CIRCOLO\r\nUfficio\r\n");
        TaraturaAmbetto t;
        t.DXnumeri = 5;
        t.DYnumeri = 4;
        t.Top = 50;
        t.Left = 20;
        t.Intestazione = 8;
        t.DXimporti = 5;
        t.DYimporti = 4;
        t.Qualita = TaggedQuality::integer(kQualitaBassa);
        t.Stampante = QStringLiteral("Schedine");
        EXPECT_TRUE(writeCalibration(program.appPath + QStringLiteral("printA.cfg"), t));

        Sistema s;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                s.Righe[r][c] = std::uint8_t(r == c ? 7 : 10 * (r + 1) + c);
        Trasponi(s);
        s.Puntate = puntate12Euro();
        s.ImportoSistema = 12;
        s.Ruota = QStringLiteral("Bari");
        sistema = s;
        program.ruote = QStringList{"Bari", "Roma"};

        owner.show();
        owner.setEnabled(false);
        form = new frmStampaSchedine(sistema, program, &owner);
        form->Form_Load();
        ASSERT_TRUE(showActive(*form));
        ui.clear();
    }
    void TearDown() override
    {
        if (form)
            form->close();
    }

    void writeSettings(const char *text)
    {
        QFile f(program.appPath + QStringLiteral("impostazioni.cfg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    RecordingDevice *slips() { return devices[QStringLiteral("Schedine")]; }

    QTemporaryDir folder;
    ScriptedUiServices ui;
    RecordingPrinters devices{{"Ufficio", "Schedine", "File PDF"}};
    Program program{devices.source()};
    Sistema sistema;
    QWidget owner;
    QPointer<frmStampaSchedine> form;
};

TEST_F(SlipsWindowTest, OpensWithAllPlaysAndTheSheet)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Stampa Schedine"));
    EXPECT_EQ(form->meDa->text(), QStringLiteral("1"));
    EXPECT_EQ(form->meA->text(), QStringLiteral("8"));
    EXPECT_EQ(form->labSchede->text(), QStringLiteral("8"));
    EXPECT_TRUE(form->chkPronostico->isChecked());
}

TEST_F(SlipsWindowTest, StampaPrintsTheSheetAndEightSlipsOnTheCalibratedPrinter)
{
    QTest::mouseClick(form->cmdStampa, Qt::LeftButton);
    ASSERT_TRUE(slips());
    ASSERT_EQ(slips()->documents.size(), 1);
    EXPECT_EQ(slips()->documents[0].pages.size(), 9);
    EXPECT_TRUE(slips()->documents[0].ended);
    EXPECT_TRUE(form->isEnabled());
    // No progress window is left behind.
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QLatin1String("frmPrnInCorso") && w->isVisible());
}

TEST_F(SlipsWindowTest, TheHeadingIsReadAgainAtEveryPrint)
{
    form->chkPronostico->setChecked(false);
    form->meDa->setText(QStringLiteral("2"));
    form->meA->setText(QStringLiteral("2"));
    form->cmdStampa->click();
    writeSettings("NUOVO CIRCOLO\r\nUfficio\r\n");
    form->cmdStampa->click();
    ASSERT_EQ(slips()->documents.size(), 2);
    const auto lastText = [](const QList<RecordedItem> &page) {
        QString text;
        for (const RecordedItem &item : page)
            if (item.kind == RecordedItem::Text)
                text = item.text;
        return text;
    };
    EXPECT_EQ(lastText(slips()->documents[0].pages[0]), QStringLiteral("CIRCOLO"));
    EXPECT_EQ(lastText(slips()->documents[1].pages[0]), QStringLiteral("NUOVO CIRCOLO"));
}

TEST_F(SlipsWindowTest, RangeFaultsBeepAndPrintNothing)
{
    const struct
    {
        const char *name;
        const char *da, *a, *message;
    } cases[] = {{"from after to", "5", "4", "'DA' è maggiore di 'A'"},
                 {"from below the first", "0", "8", "'DA' è minore del minimo"},
                 {"to past the last", "1", "9", "'A' è maggiore del massimo"},
                 {"from empty", "", "8", "'DA' è minore del minimo"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui.clear();
        form->meDa->setText(QString::fromLatin1(c.da));
        form->meA->setText(QString::fromLatin1(c.a));
        form->cmdStampa->click();
        EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(c.message)}) << c.da << c.a;
        EXPECT_EQ(ui.beeps, 1);
        EXPECT_EQ(ui.shown.last().icon, MessageIcon::Warning);
    }
    EXPECT_TRUE(!slips() || slips()->documents.isEmpty());
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(SlipsWindowTest, EnterMovesFromTheFirstBoxToTheSecondAndToStampa)
{
    form->meDa->setFocus();
    settle();
    QTest::keyClick(form->meDa, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->meA);
    QTest::keyClick(form->meA, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->cmdStampa);
    EXPECT_TRUE(!slips() || slips()->documents.isEmpty()); // Enter did not print
    // One digit each; letters are refused by the mask.
    form->meDa->selectAll();
    QTest::keyClicks(form->meDa, QStringLiteral("x34"));
    EXPECT_EQ(form->meDa->text(), QStringLiteral("3"));
}

TEST_F(SlipsWindowTest, InterruptOrClosingTheProgressStopsBeforeTheNextSlip)
{
    // As soon as the progress window shows slip 3, "Interrompi" is pressed, or the window is
    // closed from its title bar.
    for (const bool closeWindow : {false, true}) {
        SCOPED_TRACE(closeWindow ? "progress window closed" : "Interrompi pressed");
        QTimer presser;
        presser.setInterval(0);
        QObject::connect(&presser, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *progress = qobject_cast<frmPrnInCorso *>(w))
                    if (progress->isVisible() &&
                        progress->Label1->text() == QLatin1String("Scheda n. 0003")) {
                        if (closeWindow)
                            progress->close();
                        else
                            progress->cmdInterrompi->click();
                    }
        });
        presser.start();
        form->cmdStampa->click();
        presser.stop();
        ASSERT_EQ(slips()->documents.size(), closeWindow ? 2 : 1);
        EXPECT_EQ(slips()->documents.last().pages.size(), 4); // the sheet and slips 1 to 3
        EXPECT_TRUE(slips()->documents.last().ended);
    }
}

TEST_F(SlipsWindowTest, AFailedRunIsReportedOnceAndTheWindowWorksAgain)
{
    // A printer that fails once, and one that cannot write at all, with and without the
    // sheet: either way the failed run shows one message.
    const struct
    {
        const char *name;
        bool pronostico, failsForGood;
    } cases[] = {{"a printer that fails once, without the sheet", false, false},
                 {"a printer that cannot write, with the sheet", true, true},
                 {"a printer that cannot write, without the sheet", false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui.clear();
        form->chkPronostico->setChecked(c.pronostico);
        program.printers.SelectPrinter(QStringLiteral("Schedine"));
        slips()->documents.clear();
        slips()->failOnDocument = c.failsForGood ? -1 : 0;
        slips()->failEveryDocument = c.failsForGood;
        form->cmdStampa->click();
        EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("Stampante non installata")})
            << c.pronostico << c.failsForGood;
        EXPECT_EQ(ui.shown.last().title, QStringLiteral("!!! E R R O R E !!!"));
        EXPECT_TRUE(form->isEnabled());
        slips()->failEveryDocument = false;
        form->cmdStampa->click();
        EXPECT_EQ(slips()->documents.size(), 1);
    }
}

TEST_F(SlipsWindowTest, ACalibrationOutOfRangeIsCorrectedAndNamedBeforeEveryRun)
{
    TaraturaAmbetto t;
    t.DXnumeri = 5;
    t.DYnumeri = 4;
    t.Top = 3.4e38f;
    t.Left = std::numeric_limits<float>::quiet_NaN();
    t.Intestazione = std::numeric_limits<float>::infinity();
    t.DXimporti = -2;
    t.DYimporti = 4;
    t.Stampante = QStringLiteral("Schedine");
    EXPECT_TRUE(writeCalibration(program.appPath + QStringLiteral("printA.cfg"), t));
    const QString range =
        QStringLiteral(") è fuori dall'intervallo 0 - 300 mm ed è stato corretto");
    const QStringList named{QStringLiteral("Il valore di Posizione Numero 1 / Y (3,4e+38") + range,
                            QStringLiteral("Il valore di Posizione Numero 1 / X (non numerico") +
                                range,
                            QStringLiteral("Il valore di Posizione Intestazione / Y (inf") + range,
                            QStringLiteral("Il valore di Distanza Importi / X (-2") + range};
    // The slip run with its prognosis sheet, then the pages Anteprima lays out: each time one
    // message naming every value corrected, and every mark placed from the corrected values.
    for (QPushButton *button : {form->cmdStampa, form->cmdAnteprima}) {
        ui.clear();
        if (button == form->cmdAnteprima)
            onNextModal([](QDialog *) {});
        button->click();
        ASSERT_GE(ui.shown.size(), 1);
        EXPECT_EQ(ui.shown[0].text.split(QStringLiteral("\r\n")), named);
        EXPECT_EQ(ui.shown[0].icon, MessageIcon::Warning);
        EXPECT_EQ(ui.shown.size(), 1);
    }
    ASSERT_TRUE(slips());
    ASSERT_EQ(slips()->documents.size(), 1);
    const auto &pages = slips()->documents[0].pages;
    ASSERT_EQ(pages.size(), 9);
    // The sheet's heading starts at y0 = 300 + 2, and at x0 = 0 - 5 + 2 held at the page's
    // edge, 0.
    EXPECT_EQ(pages[0].first().rect.topLeft(), QPointF(0, 302));
    for (const auto &page : pages)
        for (const RecordedItem &item : page) {
            EXPECT_TRUE(std::isfinite(item.rect.x()) && std::isfinite(item.rect.y()));
            EXPECT_LE(item.rect.y(), 300 + 74 + 5 * 4 + 10);
        }
}

TEST_F(SlipsWindowTest, EscapeClosesAndEnablesTheMainWindowAgain)
{
    EXPECT_FALSE(owner.isEnabled());
    QTest::keyClick(form->meDa, Qt::Key_Escape);
    EXPECT_FALSE(form && form->isVisible());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(SlipsWindowTest, WithNoCalibrationSavedStampaOffersTaraturaFirst)
{
    QFile::remove(program.appPath + QStringLiteral("printA.cfg"));
    // Sì opens the calibration window, and nothing is printed.
    QString opened;
    ui.setNextAnswer(Answer::Yes);
    onNextModal([&](QDialog *dialog) {
        opened = dialog->objectName();
        dialog->reject();
    });
    form->cmdStampa->click();
    EXPECT_EQ(opened, QStringLiteral("frmTaraturaAmbetto"));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].text.contains(QStringLiteral("Taratura")));
    for (RecordingDevice *device : {devices[QStringLiteral("Ufficio")], slips()})
        EXPECT_TRUE(!device || device->documents.isEmpty());
    // No prints as before.
    ui.setNextAnswer(Answer::No);
    form->cmdStampa->click();
    ASSERT_FALSE(devices[QStringLiteral("Ufficio")]->documents.isEmpty());
}

} // namespace

namespace {

TEST_F(SlipsWindowTest, AnteprimaShowsTheSheetAndSlipsOnTheCalibratedPrinterAndPrintsNothing)
{
    form->meDa->setText(QStringLiteral("3"));
    int pages = -1;
    QString printer;
    onNextModal([&](QDialog *dialog) {
        auto *preview = qobject_cast<frmAnteprima *>(dialog);
        ASSERT_TRUE(preview);
        pages = int(preview->preview().pages.size());
        printer = preview->labStampante->text();
    });
    QTest::keyClick(form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pages >= 0; }, 3000));
    EXPECT_EQ(pages, 7); // the sheet and slips 3 to 8
    EXPECT_EQ(printer, QStringLiteral("Stampante: Schedine"));
    ASSERT_TRUE(slips());
    EXPECT_TRUE(slips()->documents.isEmpty());
    // No progress window came up for it.
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QLatin1String("frmPrnInCorso") && w->isVisible());
    EXPECT_TRUE(form->isEnabled());

    form->cmdStampa->click();
    ASSERT_EQ(slips()->documents.size(), 1);
    EXPECT_EQ(slips()->documents[0].pages.size(), 7);
}

TEST_F(SlipsWindowTest, AnteprimaRefusesABadRangeAsStampaDoes)
{
    form->meDa->setText(QStringLiteral("6"));
    form->meA->setText(QStringLiteral("2"));
    form->cmdAnteprima->click();
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("'DA' è maggiore di 'A'")});
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form->isEnabled());
}

} // namespace
