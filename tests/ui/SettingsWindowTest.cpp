// The settings window driven through its real controls: loading the saved heading and printer,
// typing the heading, choosing the printer, saving and leaving.

#include "app/Program.h"
#include "app/Settings.h"
#include "app/Twips.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "support/ScriptedUiServices.h"
#include "support/WidgetTest.h"
#include "ui/SharedFiles.h"
#include "ui/TextBox.h"
#include "ui/frmImpostazioni.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

const QStringList kPrinters = {QStringLiteral("HP LaserJet"), QStringLiteral("Epson FX"),
                               QStringLiteral("File PDF")};
const QString kSelect = QStringLiteral("Attenzione selezionare una stampante");
const QString kNone = QStringLiteral("Attenzione nessuna stampante installata");

class SettingsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        installPrinters(kPrinters);
    }
    void TearDown() override
    {
        window.reset();
        owner.reset();
    }

    void installPrinters(const QStringList &names)
    {
        program = std::make_unique<Program>(print::PrinterSource{
            [names] { return names; },
            [](const QString &name) { return std::make_unique<print::RecordingDevice>(name); },
            [names] { return names.value(0); }});
        program->ui = &ui;
        program->appPath = folder.path() + u'/';
    }

    void writeSettings(const QByteArray &bytes)
    {
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray savedSettings() const
    {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString settingsPath() const { return folder.path() + QStringLiteral("/impostazioni.cfg"); }

    // Loads the window as its owner would and shows it active.
    void open()
    {
        window = std::make_unique<frmImpostazioni>(*program);
        window->Form_Load();
        ASSERT_TRUE(showActive(*window));
    }

    void retype(const QString &keys)
    {
        window->mskIntestazione->setFocus(Qt::TabFocusReason);
        settle();
        window->mskIntestazione->selectAll();
        QTest::keyClick(window->mskIntestazione, Qt::Key_Delete);
        QTest::keyClicks(window->mskIntestazione, keys);
    }

    void save()
    {
        QTest::mouseClick(window->cmdSalva, Qt::LeftButton);
        settle();
    }

    QTemporaryDir folder;
    std::unique_ptr<Program> program;
    ScriptedUiServices ui;
    std::unique_ptr<QWidget> owner; // outlives the window it owns
    std::unique_ptr<frmImpostazioni> window;
};

TEST_F(SettingsWindowTest, ShowsTheSavedHeadingAndPrinter)
{
    writeSettings("LOTTO CLUB\r\nEpson FX\r\n");
    open();
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(window->mskIntestazione->text(), QStringLiteral("LOTTO CLUB"));
    EXPECT_EQ(window->cmbStampante->currentText(), QStringLiteral("Epson FX"));
    QStringList items;
    for (int i = 0; i < window->cmbStampante->count(); ++i)
        items << window->cmbStampante->itemText(i);
    EXPECT_EQ(items, kPrinters);
    EXPECT_EQ(QApplication::focusWidget(), window->mskIntestazione);
}

TEST_F(SettingsWindowTest, LayoutCaptionsFontsAndTabOrder)
{
    owner = std::make_unique<QWidget>();
    owner->setGeometry(100, 80, 900, 600);
    owner->show();
    writeSettings("\r\nHP LaserJet\r\n");
    window = std::make_unique<frmImpostazioni>(*program, owner.get());
    window->Form_Load();
    ASSERT_TRUE(showActive(*window));

    EXPECT_EQ(window->objectName(), QStringLiteral("frmImpostazioni"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Impostazioni"));
    EXPECT_EQ(window->size(), QSize(twipsToPixels(7275), twipsToPixels(900)));
    EXPECT_LE(
        (window->frameGeometry().center() - owner->frameGeometry().center()).manhattanLength(), 2)
        << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
        << window->geometry().x() << "," << window->geometry().y() << " "
        << owner->frameGeometry().x() << "," << owner->frameGeometry().y();

    const struct
    {
        QWidget *control;
        const char *name;
        QRect twips;
        const char *caption;
        bool bold;
    } controls[] = {
        {window->Label1, "Label1", {60, 120, 1815, 255}, "Intestazione stampa", true},
        {window->mskIntestazione, "mskIntestazione", {1980, 60, 5175, 315}, nullptr, false},
        {window->Label3, "Label3", {60, 480, 1815, 255}, "Stampante Tabulato", true},
        {window->cmbStampante, "cmbStampante", {1980, 420, 2115, 315}, nullptr, false},
        {window->cmdSalva, "cmdSalva", {4200, 480, 1455, 315}, "&Salva", true},
        {window->cmdUscita, "cmdUscita", {5700, 480, 1455, 315}, "&Uscita", true},
    };
    for (const auto &c : controls) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.control, nullptr);
        EXPECT_EQ(c.control->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(window->findChild<QWidget *>(QString::fromLatin1(c.name)), c.control);
        EXPECT_EQ(c.control->geometry(),
                  twipsRect(c.twips.x(), c.twips.y(), c.twips.width(), c.twips.height()));
        if (c.caption) {
            const auto *label = qobject_cast<QLabel *>(c.control);
            const auto *button = qobject_cast<QPushButton *>(c.control);
            EXPECT_EQ(label ? label->text() : button->text(), QString::fromUtf8(c.caption));
        }
        if (c.bold) {
            EXPECT_EQ(c.control->font().family(), QStringLiteral("MS Sans Serif"));
            EXPECT_DOUBLE_EQ(c.control->font().pointSizeF(), 8.25);
            EXPECT_TRUE(c.control->font().bold());
        }
    }

    QWidget *const order[] = {window->mskIntestazione, window->cmbStampante, window->cmdSalva,
                              window->cmdUscita, window->mskIntestazione};
    EXPECT_EQ(QApplication::focusWidget(), order[0]);
    for (int i = 1; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
    }
}

TEST_F(SettingsWindowTest, LowerCaseIsTypedAsUpperCaseAndSaved)
{
    writeSettings("\r\nEpson FX\r\n");
    open();
    retype(QStringLiteral("lotto di zelmora "));
    // A key that types a letter outside ASCII, as an Italian keyboard does.
    QTest::sendKeyEvent(QTest::Click, window->mskIntestazione, Qt::Key_Agrave, QStringLiteral("à"),
                        Qt::NoModifier);
    QTest::keyClicks(window->mskIntestazione, QStringLiteral(" 1"));
    EXPECT_EQ(window->mskIntestazione->text(), QStringLiteral("LOTTO DI ZELMORA À 1"));

    save();
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), int(QDialog::Accepted));
    EXPECT_EQ(savedSettings(), QByteArray("LOTTO DI ZELMORA \xC0 1\r\nEpson FX\r\n"));
    EXPECT_EQ(program->intestazioneStampa, QStringLiteral("LOTTO DI ZELMORA À 1"));
    EXPECT_EQ(program->stampanteTabulato, QStringLiteral("Epson FX"));
}

TEST_F(SettingsWindowTest, PastedTextTurnsUpperCaseAndKeepsTheLimit)
{
    writeSettings("\r\nEpson FX\r\n");
    open();
    retype(QStringLiteral("ab"));
    QGuiApplication::clipboard()->setText(QStringLiteral("cd ef"));
    QTest::keyClick(window->mskIntestazione, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->mskIntestazione->text(), QStringLiteral("ABCD EF"));

    // A paste that would make the heading too long is refused whole.
    QGuiApplication::clipboard()->setText(QString(50, u'x'));
    QTest::keyClick(window->mskIntestazione, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->mskIntestazione->text(), QStringLiteral("ABCD EF"));
}

TEST_F(SettingsWindowTest, TheHeadingTakesAtMost55Characters)
{
    writeSettings("\r\nEpson FX\r\n");
    open();
    const QString typed = QStringLiteral("abcdefghij").repeated(5) + QStringLiteral("klmnopq");
    retype(typed);
    EXPECT_EQ(window->mskIntestazione->text(), typed.left(55).toUpper());
    QTest::keyClick(window->mskIntestazione, Qt::Key_Backspace);
    QTest::keyClicks(window->mskIntestazione, QStringLiteral("zz"));
    EXPECT_EQ(window->mskIntestazione->text(), typed.left(54).toUpper() + u'Z');
    save();
    EXPECT_EQ(savedSettings(),
              (typed.left(54).toUpper() + QStringLiteral("Z\r\nEpson FX\r\n")).toLatin1());
}

TEST_F(SettingsWindowTest, APrinterNotInstalledExactlyIsWarnedAndTheFirstPreselected)
{
    for (const char *saved : {"Canon", "epson fx", "EPSON FX", "Epson FX ", ""}) {
        SCOPED_TRACE(saved);
        ui.clear();
        writeSettings(QByteArray("TITOLO\r\n") + saved + "\r\n");
        open();
        ASSERT_EQ(ui.shown.size(), 1);
        EXPECT_EQ(ui.shown[0].text, kSelect);
        EXPECT_EQ(ui.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(ui.shown[0].title, QStringLiteral("Importante"));
        EXPECT_EQ(window->cmbStampante->currentIndex(), 0);
        EXPECT_EQ(window->cmbStampante->currentText(), QStringLiteral("HP LaserJet"));

        save();
        EXPECT_EQ(savedSettings(), QByteArray("TITOLO\r\nHP LaserJet\r\n"));
        EXPECT_EQ(program->stampanteTabulato, QStringLiteral("HP LaserJet"));
    }
}

TEST_F(SettingsWindowTest, NoFileYetMeansABlankHeadingOnTheDefaultPrinterWithoutAWord)
{
    installPrinters({QStringLiteral("File PDF"), QStringLiteral("HP LaserJet")});
    open();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'|').toStdString();
    EXPECT_EQ(window->mskIntestazione->text(), QString());
    EXPECT_EQ(window->cmbStampante->currentText(), QStringLiteral("File PDF"));
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(SettingsWindowTest, AFileThatCannotBeReadIsStillReported)
{
    // A link to nowhere is not a new installation: something stands there and cannot be read.
    ASSERT_TRUE(QFile::link(folder.path() + QStringLiteral("/gone.cfg"), settingsPath()));
    open();
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.messages()[0].startsWith(QStringLiteral("Error ")));
    EXPECT_TRUE(ui.messages()[0].endsWith(
        QStringLiteral(") in procedure ReadConfiguration of Modulo corpo")));
    EXPECT_EQ(ui.messages()[1], kSelect);
}

TEST_F(SettingsWindowTest, AStoredHeadingIsShownTrimmedAndSavedTrimmed)
{
    const struct
    {
        QByteArray stored;
        const char *shown;
    } cases[] = {
        {"   LOTTO CLUB  ", "LOTTO CLUB"},
        {" Lotto club ", "LOTTO CLUB"}, // the box holds upper case only
        {"   ", ""},
        {QByteArray(" ") + QByteArray(55, 'A') + " ", nullptr}, // 55 after trimming: fits
        {QByteArray(56, 'A'), ""},                              // too long for the box
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        writeSettings(c.stored + "\r\nEpson FX\r\n");
        open();
        const QString shown =
            c.shown ? QString::fromUtf8(c.shown) : QString::fromLatin1(c.stored).trimmed();
        EXPECT_EQ(window->mskIntestazione->text(), shown);
        // Until saved, the heading printed is the one stored.
        EXPECT_EQ(program->intestazioneStampa, QString::fromLatin1(c.stored));
        save();
        EXPECT_EQ(savedSettings(), shown.toLatin1() + "\r\nEpson FX\r\n");
        EXPECT_EQ(program->intestazioneStampa, shown);
    }
}

TEST_F(SettingsWindowTest, LeavingWithUscitaSavesNothing)
{
    const QByteArray file("LOTTO CLUB\r\nEpson FX\r\n");
    writeSettings(file);
    open();
    retype(QStringLiteral("altro"));
    window->cmbStampante->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window->cmbStampante, Qt::Key_Up);
    ASSERT_EQ(window->cmbStampante->currentText(), QStringLiteral("HP LaserJet"));

    QTest::mouseClick(window->cmdUscita, Qt::LeftButton);
    settle();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), int(QDialog::Rejected));
    EXPECT_EQ(savedSettings(), file);
    EXPECT_EQ(program->intestazioneStampa, QStringLiteral("LOTTO CLUB"));
    EXPECT_EQ(program->stampanteTabulato, QStringLiteral("Epson FX"));
    EXPECT_TRUE(ui.messages().isEmpty());

    program->intestazioneStampa = program->stampanteTabulato = QStringLiteral("x");
    ReadConfiguration(*program);
    EXPECT_EQ(program->intestazioneStampa, QStringLiteral("LOTTO CLUB"));
    EXPECT_EQ(program->stampanteTabulato, QStringLiteral("Epson FX"));
}

TEST_F(SettingsWindowTest, KeysOfTheWindow)
{
    const QByteArray file("LOTTO\r\nEpson FX\r\n");
    writeSettings(file);
    open();
    // Enter in the heading box presses no button.
    QTest::keyClicks(window->mskIntestazione, QStringLiteral(" clubq"));
    // Delete deletes the character after the cursor.
    QTest::keyClick(window->mskIntestazione, Qt::Key_Left);
    QTest::keyClick(window->mskIntestazione, Qt::Key_Delete);
    EXPECT_EQ(window->mskIntestazione->text(), QStringLiteral("LOTTO CLUB"));
    QTest::keyClick(window->mskIntestazione, Qt::Key_Return);
    settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(savedSettings(), file);

    // Alt+S is the save button, pressed after its short press animation.
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
    EXPECT_EQ(savedSettings(), QByteArray("LOTTO CLUB\r\nEpson FX\r\n"));

    // Alt+U leaves.
    open();
    QTest::keyClicks(window->mskIntestazione, QStringLiteral("x"));
    QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 2000));
    EXPECT_EQ(savedSettings(), QByteArray("LOTTO CLUB\r\nEpson FX\r\n"));
}

TEST_F(SettingsWindowTest, NoPrinterInstalledIsWarnedAndSavesAnEmptyLine)
{
    installPrinters({});
    writeSettings("TITOLO\r\nEpson FX\r\n");
    open();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, kNone);
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Importante"));
    EXPECT_EQ(window->cmbStampante->count(), 0);
    EXPECT_TRUE(window->isVisible());

    save();
    EXPECT_EQ(savedSettings(), QByteArray("TITOLO\r\n\r\n"));
    EXPECT_EQ(program->stampanteTabulato, QString());
}

TEST_F(SettingsWindowTest, AFailedSaveIsReportedAndTheWindowStaysOpen)
{
    writeSettings("TITOLO\r\nEpson FX\r\n");
    open();
    retype(QStringLiteral("nuovo"));
    program->appPath = folder.path() + QStringLiteral("/missing/");

    save();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("Error 76 (Path not found) in procedure "
                                               "cmdSalva_Click of Form frmImpostazioni"));
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(window->isVisible());
    // The new values are taken up even though the file was not written.
    EXPECT_EQ(program->intestazioneStampa, QStringLiteral("NUOVO"));
    EXPECT_EQ(program->stampanteTabulato, QStringLiteral("Epson FX"));
    EXPECT_EQ(savedSettings(), QByteArray("TITOLO\r\nEpson FX\r\n"));
}

} // namespace
