// The listing window driven through its controls, printing on recording devices.

#include "app/Program.h"
#include "core/Stakes.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "support/RecordingPrinters.h"
#include "support/ScriptedUiServices.h"
#include "support/WidgetTest.h"
#include "ui/frmAnteprima.h"
#include "ui/frmTabulato.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

class ListingWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        program.ui = &ui;
        program.appPath = folder.path() + u'/';
        writeSettings("CIRCOLO\r\nTabulati\r\n");
        Sistema s;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                s.Righe[r][c] = std::uint8_t(r == c ? 7 : 10 * (r + 1) + c);
        Trasponi(s);
        s.Puntate = puntate12Euro();
        s.ImportoSistema = 12;
        sistema = s;
        form.Form_Load();
        ASSERT_TRUE(showActive(form));
        ui.clear();
    }

    void writeSettings(const char *text)
    {
        QFile f(program.appPath + QStringLiteral("impostazioni.cfg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QTemporaryDir folder;
    ScriptedUiServices ui;
    RecordingPrinters devices{{"Ufficio", "Tabulati", "File PDF"}};
    Program program{devices.source()};
    Sistema sistema;
    frmTabulato form{sistema, program};
};

TEST_F(ListingWindowTest, OpensWithOneColourCopyAndTheSettingsRead)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Stampa Tabulato"));
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.chkColor->isChecked());
    EXPECT_EQ(program.intestazioneStampa, QStringLiteral("CIRCOLO"));
    EXPECT_EQ(program.stampanteTabulato, QStringLiteral("Tabulati"));
}

TEST_F(ListingWindowTest, CopiesStayBetweenOneAndTwenty)
{
    form.VsCopie->setFocus();
    for (int i = 0; i < 25; ++i)
        QTest::keyClick(form.VsCopie, Qt::Key_Up);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("20"));
    for (int i = 0; i < 25; ++i)
        QTest::keyClick(form.VsCopie, Qt::Key_Down);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("1"));
    // Clicked with the mouse where they are drawn, the upper arrow raises the number and the
    // lower one lowers it, as the keys do; the wheel turned up raises it too.
    QScrollBar *bar = form.VsCopie;
    const QPoint upperArrow(bar->width() / 2, 2);
    const QPoint lowerArrow(bar->width() / 2, bar->height() - 3);
    QTest::mouseClick(bar, Qt::LeftButton, {}, upperArrow);
    QTest::mouseClick(bar, Qt::LeftButton, {}, upperArrow);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("3"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, lowerArrow);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("2"));
    for (int i = 0; i < 25; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, upperArrow);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("20"));
    for (int i = 0; i < 25; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, lowerArrow);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("1"));
    QWheelEvent wheelUp(QPointF(upperArrow), bar->mapToGlobal(QPointF(upperArrow)), QPoint(),
                        QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheelUp);
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("2"));
    // Opening again starts from one copy and colour.
    form.chkColor->setChecked(false);
    form.Form_Load();
    EXPECT_EQ(form.labCopie->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.chkColor->isChecked());
}

TEST_F(ListingWindowTest, PrintsOnTheListingPrinterAndReportsMissingPicturesOnce)
{
    form.VsCopie->setValue(2);
    QTest::mouseClick(form.cmdStampa, Qt::LeftButton);
    EXPECT_TRUE(form.isEnabled());
    ASSERT_TRUE(devices.contains(QStringLiteral("Tabulati")));
    EXPECT_EQ(devices[QStringLiteral("Tabulati")]->documents.size(), 2);
    // No pictures in this program folder: one message naming both paths.
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(
        ui.messages()[0].contains(program.appPath + QStringLiteral("/images/sfondoColor.bmp")));
    EXPECT_TRUE(ui.messages()[0].contains(program.appPath + QStringLiteral("images/vietato.jpg")));
    // A printer queue writes no file: no notice.
    EXPECT_TRUE(ui.notices.isEmpty());

    // On a printer that writes files, a notice names the folder and every file written.
    devices[QStringLiteral("Tabulati")]->filesFolder = QStringLiteral("/carta/stampe");
    QTest::mouseClick(form.cmdStampa, Qt::LeftButton);
    ASSERT_EQ(ui.notices.size(), 1);
    EXPECT_EQ(ui.notices[0],
              QStringLiteral("Stampati su File PDF 2 documenti, in /carta/stampe:\n3.pdf\n4.pdf"));
    form.VsCopie->setValue(1);
    QTest::mouseClick(form.cmdStampa, Qt::LeftButton);
    ASSERT_EQ(ui.notices.size(), 2);
    EXPECT_EQ(ui.notices[1], QStringLiteral("Stampato su File PDF:\n/carta/stampe/5.pdf"));
}

TEST_F(ListingWindowTest, BlackAndWhiteUsesTheGreyPictures)
{
    QDir(folder.path()).mkpath(QStringLiteral("images"));
    QImage grey(20, 20, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    ASSERT_TRUE(grey.save(program.appPath + QStringLiteral("images/sfondoBW.bmp")));
    ASSERT_TRUE(grey.save(program.appPath + QStringLiteral("images/vietatoBW.jpg")));
    form.chkColor->setChecked(false);
    form.cmdStampa->click();
    EXPECT_TRUE(ui.messages().isEmpty());
    int pictures = 0;
    for (const RecordedItem &item : devices[QStringLiteral("Tabulati")]->documents[0].pages[0])
        pictures += item.kind == RecordedItem::Picture;
    EXPECT_EQ(pictures, 2);
}

TEST_F(ListingWindowTest, APrinterFailureIsShownOnceAndTheWindowWorksAgain)
{
    form.VsCopie->setValue(3);
    program.printers.SelectPrinter(QStringLiteral("Tabulati"));
    devices[QStringLiteral("Tabulati")]->failOnDocument = 1;
    form.cmdStampa->click();
    const QStringList errors = ui.messages().filter(QStringLiteral("Stampante"));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Stampante non installata")});
    EXPECT_EQ(ui.shown.last().title, QStringLiteral("!!! E R R O R E !!!"));
    EXPECT_EQ(ui.shown.last().icon, MessageIcon::Critical);
    EXPECT_EQ(devices[QStringLiteral("Tabulati")]->documents.size(), 1);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(form.cmdStampa->isEnabled());
}

TEST_F(ListingWindowTest, TheSettingsButtonReadsTheSettingsAgainWhenTheWindowCloses)
{
    onNextModal([&](QDialog *dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("frmImpostazioni"));
        // Meanwhile the settings change on disk, as a save there would do.
        writeSettings("NUOVA\r\nUfficio\r\n");
    });
    form.cmdImpostazioni->click();
    EXPECT_EQ(program.intestazioneStampa, QStringLiteral("NUOVA"));
    EXPECT_EQ(program.stampanteTabulato, QStringLiteral("Ufficio"));
    form.cmdStampa->click();
    EXPECT_TRUE(devices.contains(QStringLiteral("Ufficio")));
    EXPECT_EQ(devices[QStringLiteral("Ufficio")]->documents.size(), 1);
}

} // namespace

namespace {

TEST_F(ListingWindowTest, AnteprimaShowsEveryCopyLaidOutForTheListingPrinterAndPrintsNothing)
{
    form.VsCopie->setValue(2);
    int pages = -1;
    QString printer;
    onNextModal([&](QDialog *dialog) {
        auto *preview = qobject_cast<frmAnteprima *>(dialog);
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->windowTitle(), QStringLiteral("Anteprima - Stampa Tabulato"));
        pages = int(preview->preview().pages.size());
        printer = preview->labStampante->text();
    });
    // Alt+P is the button's mnemonic; it presses it after a short press animation.
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pages >= 0; }, 3000));
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(printer, QStringLiteral("Stampante: Tabulati"));
    ASSERT_TRUE(devices[QStringLiteral("Tabulati")]);
    EXPECT_TRUE(devices[QStringLiteral("Tabulati")]->documents.isEmpty());
    EXPECT_TRUE(form.isEnabled());

    // Stampa afterwards prints what was shown.
    form.cmdStampa->click();
    EXPECT_EQ(devices[QStringLiteral("Tabulati")]->documents.size(), 2);
}

TEST_F(ListingWindowTest, AnteprimaComesLastInTheTabOrder)
{
    EXPECT_EQ(form.cmdStampa->nextInFocusChain(), form.cmdAnteprima);
    EXPECT_EQ(form.cmdAnteprima->text(), QStringLiteral("Ante&prima"));
}

} // namespace
