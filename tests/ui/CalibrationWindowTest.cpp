// The calibration window driven through its real controls: loading printA.cfg, the bars and
// their value boxes, the printer and the quality, the test page and the save.

#include "app/Program.h"
#include "app/Taratura.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "support/ScriptedUiServices.h"
#include "support/WidgetTest.h"
#include "ui/frmTaraturaAmbetto.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

const QString kNoPrinter = QStringLiteral("Attenzione non e' selezionata nessuna stampante");
const QString kErrorTitle = QStringLiteral("!!! E R R O R E !!!");

// A printer whose heading text fails with the error number the test sets; 0 draws normally.
class FailingDevice : public RecordingDevice
{
public:
    FailingDevice(const QString &name, const int &failWith)
        : RecordingDevice(name), m_failWith(failWith)
    {
    }
    void drawText(const QPointF &at, const QString &text, const TextStyle &style) override
    {
        if (m_failWith != 0) {
            fail(m_failWith);
            return;
        }
        RecordingDevice::drawText(at, text, style);
    }

private:
    const int &m_failWith;
};

// A calibration as a save leaves it.
TaraturaAmbetto storedCalibration()
{
    TaraturaAmbetto t;
    t.DXnumeri = 5.25f;
    t.DYnumeri = 4.2f;
    t.Top = 34.75f;
    t.Left = 12.5f;
    t.Intestazione = 10;
    t.Ximporti = 27;
    t.Yimporti = 108.75f;
    t.DXimporti = 5.1f;
    t.DYimporti = 0.05f;
    t.Qualita = TaggedQuality::integer(kQualitaNormale);
    t.Stampante = QStringLiteral("Schedine");
    return t;
}

class CalibrationWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        sistema = Sistema();
        sistema.NomeSistema = QStringLiteral("prova.zlm");
        installPrinters(
            {QStringLiteral("Ufficio"), QStringLiteral("Schedine"), QStringLiteral("File PDF")});
        program->appPath = folder.path() + u'/';
        program->intestazioneStampa = QStringLiteral("CIRCOLO");
    }
    void TearDown() override { window.reset(); }

    void installPrinters(const QStringList &names)
    {
        devices.clear();
        PrinterSource source;
        source.names = [names] { return names; };
        source.create = [this](const QString &name) {
            auto device = std::make_unique<FailingDevice>(name, failWith);
            devices[name] = device.get();
            return device;
        };
        source.defaultName = [] { return QStringLiteral("Ufficio"); };
        // A new program keeps the folder and the settings the test gave the one before.
        auto next = std::make_unique<Program>(source);
        if (program) {
            next->appPath = program->appPath;
            next->intestazioneStampa = program->intestazioneStampa;
        }
        program = std::move(next);
        program->ui = &ui;
    }

    void save(const TaraturaAmbetto &t)
    {
        EXPECT_TRUE(writeCalibration(calibrationPath(program->appPath), t));
    }

    // Loads the window as the print-slips window does and shows it active.
    void open()
    {
        window = std::make_unique<frmTaraturaAmbetto>(sistema, *program);
        window->Form_Load();
        ASSERT_TRUE(showActive(*window));
    }

    QScrollBar *bar(const char *name) const
    {
        return window->findChild<QScrollBar *>(QString::fromLatin1(name));
    }
    QLineEdit *box(const char *name) const
    {
        return window->findChild<QLineEdit *>(QString::fromLatin1(name));
    }

    int boxesOn(const RecordedDocument &document) const
    {
        int boxes = 0;
        for (const RecordedItem &item : document.pages.value(0))
            boxes += item.kind == RecordedItem::Box;
        return boxes;
    }

    QTemporaryDir folder;
    std::unique_ptr<Program> program;
    ScriptedUiServices ui;
    int failWith = 0;
    QMap<QString, RecordingDevice *> devices;
    Sistema sistema;
    std::unique_ptr<frmTaraturaAmbetto> window;
};

// The nine bars, their value boxes and their fields, in the order the window loads them.
const struct
{
    const char *bar;
    const char *box;
    float TaraturaAmbetto::*field;
    int stored;        // value of the bar for storedCalibration()
    const char *shown; // and what its box shows
} kLengths[] = {
    {"VsX", "labX", &TaraturaAmbetto::DXnumeri, 525, "5,25"},
    {"VsY", "labY", &TaraturaAmbetto::DYnumeri, 420, "4,2"},
    {"vsTop", "labTop", &TaraturaAmbetto::Top, 3475, "34,75"},
    {"vsLeft", "labLeft", &TaraturaAmbetto::Left, 1250, "12,5"},
    {"vsIntestazione", "labIntestazione", &TaraturaAmbetto::Intestazione, 1000, "10"},
    {"vsXimporti", "labXimporti", &TaraturaAmbetto::Ximporti, 2700, "27"},
    {"vsYimporti", "labYimporti", &TaraturaAmbetto::Yimporti, 10875, "108,75"},
    {"vsDXimporti", "labDXimporti", &TaraturaAmbetto::DXimporti, 510, "5,1"},
    {"vsDYimporti", "labDYimporti", &TaraturaAmbetto::DYimporti, 5, "0,05"},
};

TEST_F(CalibrationWindowTest, WithoutAFileEverythingStartsAtZeroOnTheFirstPrinter)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Taratura Stampa Schedine"));
    // A new installation is not an error: no message, the default printer chosen.
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'|').toStdString();
    for (const auto &l : kLengths) {
        ASSERT_TRUE(bar(l.bar)) << l.bar;
        EXPECT_EQ(bar(l.bar)->value(), 0) << l.bar;
        EXPECT_EQ(bar(l.bar)->orientation(), Qt::Horizontal) << l.bar;
        EXPECT_EQ(bar(l.bar)->maximum(), 30000) << l.bar;
        ASSERT_TRUE(box(l.box)) << l.box;
        EXPECT_EQ(box(l.box)->text(), QStringLiteral("0")) << l.box;
    }
    EXPECT_TRUE(window->optColor[1]->isChecked());
    EXPECT_FALSE(window->optColor[0]->isChecked());
    EXPECT_EQ(window->taratura.Qualita, TaggedQuality::integer(kQualitaBassa));
    EXPECT_EQ(window->cmbStampante->currentText(), QStringLiteral("Ufficio"));
    EXPECT_EQ(window->cmbStampante->count(), 3);
    EXPECT_FALSE(QFile::exists(calibrationPath(program->appPath))); // reading creates nothing
}

TEST_F(CalibrationWindowTest, ASavedCalibrationIsShownWithItsPrinterAndQuality)
{
    save(storedCalibration());
    open();
    EXPECT_TRUE(ui.shown.isEmpty()) << ui.messages().join(u'|').toStdString();
    EXPECT_EQ(window->cmbStampante->currentText(), QStringLiteral("Schedine"));
    EXPECT_EQ(program->printers.CurrentPrinter().DeviceName(), QStringLiteral("Schedine"));
    EXPECT_TRUE(window->optColor[0]->isChecked());
    EXPECT_EQ(window->taratura.Qualita, TaggedQuality::integer(kQualitaNormale));
    const TaraturaAmbetto stored = storedCalibration();
    for (const auto &l : kLengths) {
        EXPECT_EQ(bar(l.bar)->value(), l.stored) << l.bar;
        EXPECT_EQ(box(l.box)->text(), QString::fromLatin1(l.shown)) << l.box;
        EXPECT_EQ(window->taratura.*l.field, stored.*l.field) << l.bar;
    }
}

TEST_F(CalibrationWindowTest, TheKeyboardMovesABarInTenthsOfAMillimetre)
{
    save(storedCalibration());
    open();
    window->vsLeft->setFocus();
    const struct
    {
        const char *name;
        Qt::Key key;
        int value;
        const char *shown;
    } steps[] = {
        {"right arrow", Qt::Key_Right, 1260, "12,6"},
        {"left arrow", Qt::Key_Left, 1250, "12,5"},
        {"page down", Qt::Key_PageDown, 1350, "13,5"},
        {"page up", Qt::Key_PageUp, 1250, "12,5"},
        {"end", Qt::Key_End, 30000, "300"},
        {"right arrow at the end", Qt::Key_Right, 30000, "300"},
        {"home", Qt::Key_Home, 0, "0"},
        {"right arrow from zero", Qt::Key_Right, 10, "0,1"},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        QTest::keyClick(window->vsLeft, s.key);
        EXPECT_EQ(window->vsLeft->value(), s.value) << s.shown;
        EXPECT_EQ(window->labLeft->text(), QString::fromLatin1(s.shown));
        EXPECT_EQ(window->taratura.Left, float(s.value) / 100.0f) << s.shown;
    }
    // The other fields stay as they were.
    EXPECT_EQ(window->taratura.Top, 34.75f);
}

// Typing in a length's box, then Enter: what the bar and the record get, what the box shows,
// where the focus goes, and whether the player hears and reads a refusal.
TEST_F(CalibrationWindowTest, TypedLengthsSetTheirBarsOrAreRefused)
{
    save(storedCalibration());
    open();
    const struct
    {
        const char *typed; // the keys, one by one
        int value;         // the bar afterwards
        const char *shown; // the box afterwards
        int beeps;         // keys refused, and a value refused
        bool refused;      // the range message, the focus kept
    } cases[] = {
        {"40,5", 4050, "40,5", 0, false},
        {"0,07", 7, "0,07", 0, false},
        {"300", 30000, "300", 0, false},
        {"12,345", 1234, "12,34", 1, false}, // a third decimal is not typed
        {"1a2.3", 12300, "123", 2, false},   // neither a letter nor a dot
        {"", 1250, "12,5", 0, false},        // an empty box shows the bar again
        {",", 1250, "12,5", 0, false},
        {"300,01", 1250, "12,5", 1, true},
        {"4000", 1250, "12,5", 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        ui.clear();
        ui.beeps = 0;
        window->vsLeft->setValue(1250);
        window->labLeft->setFocus();
        window->labLeft->selectAll();
        QTest::keyClick(window->labLeft, Qt::Key_Backspace);
        QTest::keyClicks(window->labLeft, QString::fromLatin1(c.typed));
        QTest::keyClick(window->labLeft, Qt::Key_Return);
        settle();
        EXPECT_EQ(window->vsLeft->value(), c.value);
        EXPECT_EQ(window->taratura.Left, float(c.value) / 100.0f);
        EXPECT_EQ(window->labLeft->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(ui.beeps, c.beeps);
        if (c.refused) {
            ASSERT_EQ(ui.shown.size(), 1);
            // The value is named by the words the window shows for it.
            EXPECT_EQ(ui.shown[0].text,
                      QStringLiteral("Il valore di Posizione Numero 1 / X (%1) è fuori "
                                     "dall'intervallo 0 - 300 mm")
                          .arg(QString::fromLatin1(c.typed)));
            EXPECT_EQ(ui.shown[0].title, QStringLiteral("Importante"));
            EXPECT_EQ(window->focusWidget(), window->labLeft);
        } else {
            EXPECT_TRUE(ui.shown.isEmpty()) << ui.messages().join(u'|').toStdString();
            // Enter moves on to the next length's box, where the next value is typed.
            EXPECT_EQ(window->focusWidget(), window->labTop);
        }
    }
    // Typed one after the other with Enter between, as a player calibrates: each value lands.
    ui.clear();
    window->labLeft->setFocus();
    window->labLeft->selectAll();
    QTest::keyClicks(window->labLeft, QStringLiteral("40,5"));
    QTest::keyClick(window->labLeft, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("30"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->vsLeft->value(), 4050);
    EXPECT_EQ(window->vsTop->value(), 3000);
    EXPECT_TRUE(ui.shown.isEmpty());
    // Leaving a box takes its value as Enter does.
    window->labTop->setFocus();
    window->labTop->selectAll();
    QTest::keyClicks(window->labTop, QStringLiteral("41,25"));
    window->VsX->setFocus();
    settle();
    EXPECT_EQ(window->vsTop->value(), 4125);
    EXPECT_EQ(window->taratura.Top, 41.25f);

    // Escape with a value out of range still in a box: the beep and the message, then the
    // window closes.
    ui.clear();
    window->labTop->setFocus();
    window->labTop->selectAll();
    QTest::keyClicks(window->labTop, QStringLiteral("301"));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral("Il valore di Posizione Numero 1 / Y "
                                         "(301) è fuori dall'intervallo 0 - 300 mm")});
    EXPECT_FALSE(window->isVisible());
}

// The rulers' measured lengths: the factors nominal / measured, refused outside 0,95 - 1,05,
// saved in record 12 and shown again as the measures they stand for.
TEST_F(CalibrationWindowTest, MeasuredRulersGiveTheScaleFactors)
{
    save(storedCalibration());
    open();
    EXPECT_EQ(window->lblRighelloX->text(), QStringLiteral("X (150 mm) :"));
    EXPECT_EQ(window->lblRighelloY->text(), QStringLiteral("Y (200 mm) :"));
    EXPECT_EQ(window->txtRighelloX->text(), QStringLiteral("150"));
    EXPECT_EQ(window->txtRighelloY->text(), QStringLiteral("200"));
    const struct
    {
        bool horizontal;
        const char *typed;
        float factor; // the factor afterwards
        const char *shown;
        bool refused;
    } cases[] = {
        {true, "147,5", float(150 / 147.5), "147,5", false},
        {false, "201,2", float(200 / 201.2), "201,2", false},
        {true, "142,86", float(150 / 142.86), "142,86", false}, // 1,04998
        {true, "157,89", float(150 / 157.89), "157,89", false}, // 0,95002
        {true, "142,85", float(150 / 157.89), "157,89", true},  // 1,05007
        {false, "210,53", float(200 / 201.2), "201,2", true},   // 0,94998
        {false, "0", float(200 / 201.2), "201,2", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        ui.clear();
        ui.beeps = 0;
        QLineEdit *box = c.horizontal ? window->txtRighelloX : window->txtRighelloY;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        QTest::keyClick(box, Qt::Key_Return);
        settle();
        EXPECT_EQ(c.horizontal ? window->taratura.ScalaX : window->taratura.ScalaY, c.factor);
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(ui.beeps, c.refused ? 1 : 0);
        if (c.refused) {
            ASSERT_EQ(ui.shown.size(), 1);
            EXPECT_TRUE(ui.shown[0].text.contains(c.horizontal
                                                      ? QStringLiteral("da 142,86 a 157,89 mm")
                                                      : QStringLiteral("da 190,48 a 210,52 mm")))
                << ui.shown[0].text.toStdString();
        } else {
            EXPECT_TRUE(ui.shown.isEmpty());
        }
    }
    window->cmdSalva->click();
    TaraturaAmbetto saved;
    EXPECT_EQ(readCalibration(calibrationPath(program->appPath), saved)->state,
              ScaleRecordRead::Read);
    EXPECT_EQ(saved.ScalaX, float(150 / 157.89));
    EXPECT_EQ(saved.ScalaY, float(200 / 201.2));

    // Opened again, the window shows the measures the factors stand for.
    open();
    EXPECT_EQ(window->txtRighelloX->text(), QStringLiteral("157,89"));
    EXPECT_EQ(window->txtRighelloY->text(), QStringLiteral("201,2"));
    EXPECT_EQ(window->taratura.ScalaX, saved.ScalaX);
}

TEST_F(CalibrationWindowTest, TabVisitsEveryControlAndMnemonicsReachTheirControls)
{
    save(storedCalibration());
    open();
    window->vsLeft->setFocus();
    settle();
    QStringList visited{window->focusWidget()->objectName()};
    for (int i = 0; i < 24; ++i) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        settle();
        visited << window->focusWidget()->objectName();
    }
    // The option pair is one stop, at the chosen option; the arrows move between the two.
    // Every typed box comes right after its bar; the measured rulers after the quality.
    const QStringList expected{"vsLeft",
                               "labLeft",
                               "vsTop",
                               "labTop",
                               "VsX",
                               "labX",
                               "VsY",
                               "labY",
                               "vsXimporti",
                               "labXimporti",
                               "vsYimporti",
                               "labYimporti",
                               "vsDXimporti",
                               "labDXimporti",
                               "vsDYimporti",
                               "labDYimporti",
                               "vsIntestazione",
                               "labIntestazione",
                               "optColor0",
                               "txtRighelloX",
                               "txtRighelloY",
                               "cmbStampante",
                               "cmdTest",
                               "cmdSalva",
                               "vsLeft"};
    EXPECT_EQ(visited.join(u' ').toStdString(), expected.join(u' ').toStdString());
    window->optColor[0]->setFocus();
    QTest::keyClick(window->optColor[0], Qt::Key_Right);
    settle();
    EXPECT_TRUE(window->optColor[1]->isChecked());
    EXPECT_EQ(window->taratura.Qualita, TaggedQuality::integer(kQualitaBassa));

    // A mnemonic presses its option the way a click does, after a short press animation.
    QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->optColor[0]->isChecked(); }, 2000));
    EXPECT_EQ(window->taratura.Qualita, TaggedQuality::integer(kQualitaNormale));
    QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->optColor[1]->isChecked(); }, 2000));
    EXPECT_EQ(window->taratura.Qualita, TaggedQuality::integer(kQualitaBassa));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    settle();
    EXPECT_EQ(window->focusWidget(), window->cmbStampante);
}

TEST_F(CalibrationWindowTest, TheTestPageUsesWhatTheWindowShowsAndASaveKeepsTheAmountCorner)
{
    save(storedCalibration());
    open();
    window->vsLeft->setValue(1300);
    window->vsTop->setValue(4010);
    window->optColor[1]->click();
    window->cmbStampante->setCurrentIndex(0); // "Ufficio", not the printer of the file

    QTest::mouseClick(window->cmdTest, Qt::LeftButton);
    EXPECT_TRUE(ui.shown.isEmpty()) << ui.messages().join(u'|').toStdString();
    EXPECT_EQ(program->printers.CurrentPrinter().DeviceName(), QStringLiteral("Ufficio"));
    ASSERT_EQ(devices[QStringLiteral("Ufficio")]->documents.size(), 1);
    const RecordedDocument &page = devices[QStringLiteral("Ufficio")]->documents[0];
    EXPECT_TRUE(page.ended);
    EXPECT_EQ(page.options.printQuality, -1);
    EXPECT_EQ(boxesOn(page), 206 + 39); // the slip's boxes and the rulers' lines and ticks
    EXPECT_EQ(page.pages[0].first().rect.topLeft(), QPointF(13, 40.1f));
    // The bars of the amount block still show what was loaded.
    EXPECT_EQ(window->vsXimporti->value(), 2700);
    EXPECT_EQ(window->labYimporti->text(), QStringLiteral("108,75"));

    window->cmdSalva->click();
    EXPECT_TRUE(window->isVisible());
    TaraturaAmbetto saved;
    EXPECT_TRUE(readCalibration(calibrationPath(program->appPath), saved));
    EXPECT_EQ(saved.Ximporti, 13.0f + 14.5f);
    EXPECT_EQ(saved.Yimporti, 40.1f + 74.0f);
    EXPECT_EQ(saved.Left, 13.0f);
    EXPECT_EQ(saved.Top, 40.1f);
    EXPECT_EQ(saved.DXnumeri, 5.25f);
    EXPECT_EQ(saved.Qualita, TaggedQuality::integer(kQualitaBassa));
    EXPECT_EQ(saved.Stampante, QStringLiteral("Ufficio"));
}

TEST_F(CalibrationWindowTest, LengthsOutsideTheBarsAreCorrectedAndReported)
{
    TaraturaAmbetto t = storedCalibration();
    t.DXnumeri = std::numeric_limits<float>::quiet_NaN();
    t.Top = 400;
    t.Left = -5;
    t.Intestazione = 300; // the end of the range is kept
    t.DYimporti = std::numeric_limits<float>::infinity();
    save(t);
    open();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Warning);
    const QString range =
        QStringLiteral(") è fuori dall'intervallo 0 - 300 mm ed è stato corretto");
    EXPECT_EQ(ui.shown[0].text.split(QStringLiteral("\r\n")),
              (QStringList{QStringLiteral("Il valore di Distanza Numeri / X (non numerico") + range,
                           QStringLiteral("Il valore di Posizione Numero 1 / Y (400") + range,
                           QStringLiteral("Il valore di Posizione Numero 1 / X (-5") + range,
                           QStringLiteral("Il valore di Distanza Importi / Y (inf") + range}));
    const struct
    {
        const char *bar;
        const char *box;
        int value;
        const char *shown;
    } corrected[] = {{"VsX", "labX", 0, "0"},
                     {"vsTop", "labTop", 30000, "300"},
                     {"vsLeft", "labLeft", 0, "0"},
                     {"vsIntestazione", "labIntestazione", 30000, "300"},
                     {"vsDYimporti", "labDYimporti", 30000, "300"}};
    for (const auto &c : corrected) {
        EXPECT_EQ(bar(c.bar)->value(), c.value) << c.bar;
        EXPECT_EQ(box(c.box)->text(), QString::fromLatin1(c.shown)) << c.box;
    }
    EXPECT_EQ(window->taratura.Top, 300.0f);
    EXPECT_EQ(window->taratura.Left, 0.0f);
    EXPECT_FALSE(std::isnan(window->taratura.DXnumeri));
}

TEST_F(CalibrationWindowTest, AFailedTestPageIsReportedAbandonedAndTheWindowGoesOn)
{
    const struct
    {
        const char *name;
        int error;
        const char *message;
    } cases[] = {
        {"printer error", RuntimeError::PrinterError, "Stampante non installata"},
        {"device input/output error", RuntimeError::DeviceIoError, "Errore Stampante non previsto"},
    };
    save(storedCalibration());
    open();
    RecordingDevice *device = devices[QStringLiteral("Schedine")];
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui.clear();
        device->documents.clear();
        failWith = c.error;
        window->cmdTest->click();
        ASSERT_EQ(ui.shown.size(), 1) << c.message;
        EXPECT_EQ(ui.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(ui.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(ui.shown[0].title, kErrorTitle);
        ASSERT_EQ(device->documents.size(), 1);
        EXPECT_TRUE(device->documents[0].aborted) << c.message;
        EXPECT_FALSE(device->documents[0].ended);
        EXPECT_FALSE(program->printers.CurrentPrinter().documentOpen());
        EXPECT_TRUE(window->isVisible());

        // The printer works again: the next test page is a whole new document.
        failWith = 0;
        window->cmdTest->click();
        ASSERT_EQ(device->documents.size(), 2);
        EXPECT_TRUE(device->documents[1].ended);
        EXPECT_EQ(boxesOn(device->documents[1]), 206 + 39);
    }
    // A printer that cannot even start its document.
    ui.clear();
    device->failOnDocument = 0;
    window->cmdTest->click();
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("Stampante non installata")});
}

TEST_F(CalibrationWindowTest, NoPrintersInstalledStillLoadsPrintsAndSaves)
{
    installPrinters({});
    open();
    EXPECT_EQ(ui.messages(), QStringList{kNoPrinter});
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Importante"));
    EXPECT_EQ(window->cmbStampante->count(), 0);
    ui.clear();
    window->cmdTest->click(); // on the printer in use
    EXPECT_TRUE(ui.shown.isEmpty());
    window->cmdSalva->click();
    TaraturaAmbetto saved;
    EXPECT_TRUE(readCalibration(calibrationPath(program->appPath), saved));
    EXPECT_EQ(saved.Stampante, QString());
    EXPECT_EQ(saved.Ximporti, 14.5f);
}

TEST_F(CalibrationWindowTest, ShownModallyOverItsOwner)
{
    save(storedCalibration());
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    // Over a small window at the top of the screen, it still opens wholly on the screen.
    QWidget small;
    small.setGeometry(0, 0, 200, 100);
    small.show();
    onNextModal([&](QDialog *dialog) {
        EXPECT_TRUE(small.screen()->availableGeometry().contains(dialog->frameGeometry()))
            << dialog->frameGeometry().y();
    });
    frmTaraturaAmbetto::showModal(sistema, *program, &small);
    bool seen = false;
    onNextModal([&](QDialog *dialog) {
        seen = true;
        EXPECT_EQ(dialog->objectName(), QStringLiteral("frmTaraturaAmbetto"));
        EXPECT_TRUE(dialog->isModal());
        EXPECT_EQ(dialog->parentWidget(), &owner);
        EXPECT_LE(
            (dialog->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(),
            40);
        // Loaded before it is shown.
        auto *left = dialog->findChild<QScrollBar *>(QStringLiteral("vsLeft"));
        ASSERT_TRUE(left);
        EXPECT_EQ(left->value(), 1250);
    });
    frmTaraturaAmbetto::showModal(sistema, *program, &owner);
    EXPECT_TRUE(seen);
}

} // namespace
