// The two files of saved settings: impostazioni.cfg (heading and listing printer) and the slip
// calibration read and saved by the print windows, with the messages they show.

#include "app/Settings.h"
#include "app/Program.h"
#include "app/Taratura.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "support/ScriptedUiServices.h"
#include "ui/SharedFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zelmora;

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        program.ui = &ui;
        program.appPath = folder.path() + u'/';
        program.intestazioneStampa = QStringLiteral("old heading");
        program.stampanteTabulato = QStringLiteral("old printer");
    }

    // Saves the two settings as the settings window does: into the program, then the file.
    Result<void> save(const QString &heading, const QString &printer)
    {
        program.intestazioneStampa = heading;
        program.stampanteTabulato = printer;
        return writeSettingsFile(program);
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(folder.path() + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray fileBytes(const QString &name) const
    {
        QFile f(folder.path() + u'/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The program's own printers: two that record, Alfa the default.
    Program program{print::PrinterSource{
        [] {
            return QStringList{QStringLiteral("Alfa"), QStringLiteral("Beta")};
        },
        [](const QString &name) { return std::make_unique<print::RecordingDevice>(name); },
        [] { return QStringLiteral("Alfa"); }}};
    QTemporaryDir folder;
    ScriptedUiServices ui;
};

const QString kReadError62 = QStringLiteral(
    "Error 62 (Input past end of file) in procedure ReadConfiguration of Modulo corpo");

TEST_F(SettingsTest, ReadsTheTwoLinesWhateverTheirEnds)
{
    const struct
    {
        const char *name;
        QByteArray file;
        const char *heading;
        const char *printer;
        bool error; // the second line is missing
    } cases[] = {
        {"Windows line ends", "TITOLO\r\nHP LaserJet\r\n", "TITOLO", "HP LaserJet", false},
        {"old Mac line ends", "TITOLO\rHP LaserJet\r", "TITOLO", "HP LaserJet", false},
        {"Unix line ends", "TITOLO\nHP LaserJet\n", "TITOLO", "HP LaserJet", false},
        {"no final line end", "TITOLO\r\nHP LaserJet", "TITOLO", "HP LaserJet", false},
        {"a third line", "TITOLO\r\nHP LaserJet\r\nthird line\r\n", "TITOLO", "HP LaserJet", false},
        {"blanks kept", "  TITOLO  \r\n HP \r\n", "  TITOLO  ", " HP ", false},
        {"two empty lines", "\r\n\r\n", "", "", false},
        {"an empty line between carriage returns", "TITOLO\r\rHP", "TITOLO", "", false},
        {"an empty line between mixed line ends", "TITOLO\n\r\nHP", "TITOLO", "", false},
        {"the Windows code page", QByteArray("\x80 LOTTO \xe8\r\nStampante \x80\r\n"), "€ LOTTO è",
         "Stampante €", false},
        {"no second line", "TITOLO\r\n", "TITOLO", "old printer", true},
        {"one line without its end", "TITOLO", "TITOLO", "old printer", true},
        {"one empty line", "\r\n", "", "old printer", true},
        {"an empty file", "", "old heading", "old printer", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        program.intestazioneStampa = QStringLiteral("old heading");
        program.stampanteTabulato = QStringLiteral("old printer");
        ui.clear();
        writeFile(QStringLiteral("impostazioni.cfg"), c.file);

        ReadConfiguration(program);
        EXPECT_EQ(program.intestazioneStampa, QString::fromUtf8(c.heading));
        EXPECT_EQ(program.stampanteTabulato, QString::fromUtf8(c.printer));
        EXPECT_EQ(ui.messages(), c.error ? QStringList{kReadError62} : QStringList{});
    }
}

TEST_F(SettingsTest, NoFileYetGivesTheDefaultsAndAFileThatCannotBeReadIsReported)
{
    // A new installation: a blank heading, the default printer, no message, nothing written.
    ReadConfiguration(program);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(program.intestazioneStampa, QString());
    EXPECT_EQ(program.stampanteTabulato, program.printers.DefaultPrinterName());
    EXPECT_FALSE(QFile::exists(impostazioniPath(program.appPath)));

    // Something that stands there and cannot be read is reported and changes nothing.
    program.intestazioneStampa = QStringLiteral("old heading");
    program.stampanteTabulato = QStringLiteral("old printer");
    ASSERT_TRUE(QDir().mkdir(impostazioniPath(program.appPath)));
    ReadConfiguration(program);
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].text.endsWith(
        QStringLiteral(") in procedure ReadConfiguration of Modulo corpo")));
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(ui.shown[0].title.isEmpty()); // the program title
    EXPECT_EQ(program.intestazioneStampa, QStringLiteral("old heading"));
    EXPECT_EQ(program.stampanteTabulato, QStringLiteral("old printer"));
}

// What stands where a file should be but is not a regular file: a named pipe nobody writes
// to, a link to /dev/zero, a folder. Each is refused at once like an unreadable file.
void plantNonFile(const QString &path, int kind)
{
    QFile::remove(path);
    QDir(path).removeRecursively();
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case 0:
        ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
        break;
    case 1:
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
        break;
    default:
        ASSERT_TRUE(QDir().mkpath(path));
    }
}

TEST_F(SettingsTest, APipeADeviceOrAFolderIsRefusedAndABigSettingsFileReadOnlyInPart)
{
    // What plantNonFile leaves in place of the file, by kind.
    const char *const planted[] = {"a pipe instead of the file", "a device instead of the file",
                                   "a folder instead of the file"};
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(planted[kind]);
        plantNonFile(impostazioniPath(program.appPath), kind);
        ui.clear();
        ReadConfiguration(program);
        EXPECT_EQ(ui.messages(),
                  QStringList{QStringLiteral("Error 75 (Path/File access error) in procedure "
                                             "ReadConfiguration of Modulo corpo")})
            << kind;
        EXPECT_EQ(program.intestazioneStampa, QStringLiteral("old heading"));
        // The calibration file likewise, and nothing of it is taken.
        plantNonFile(calibrationPath(program.appPath), kind);
        ui.clear();
        print::TaraturaAmbetto calibration;
        calibration.Top = 7;
        LeggiTaraturaAmbetto(calibration, program, QStringLiteral("frmStampaSchedine"));
        EXPECT_EQ(ui.messages(),
                  QStringList{QStringLiteral("Error 75 (Path/File access error) in procedure "
                                             "LeggiTaraturaAmbetto of Form frmStampaSchedine")})
            << kind;
        EXPECT_EQ(calibration.Top, 7.0f);
    }
    // A million lines: the two that count are read, the rest is never loaded.
    QDir(impostazioniPath(program.appPath)).removeRecursively();
    QByteArray big = "TITOLO\r\nFile PDF\r\n";
    big.append(QByteArray("riga\r\n").repeated(1'000'000));
    writeFile(QStringLiteral("impostazioni.cfg"), big);
    ui.clear();
    ReadConfiguration(program);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(program.intestazioneStampa, QStringLiteral("TITOLO"));
    EXPECT_EQ(program.stampanteTabulato, QStringLiteral("File PDF"));
}

TEST_F(SettingsTest, WritesBothLinesInWindows1252WithCrLf)
{
    EXPECT_TRUE(save(QStringLiteral("€ LOTTO È"), QStringLiteral("Stampante 2")));
    EXPECT_EQ(fileBytes(QStringLiteral("impostazioni.cfg")),
              QByteArray("\x80 LOTTO \xC8\r\nStampante 2\r\n"));
    EXPECT_TRUE(save(QStringLiteral("BREVE"), QString()));
    EXPECT_EQ(fileBytes(QStringLiteral("impostazioni.cfg")), QByteArray("BREVE\r\n\r\n"));

    ReadConfiguration(program);
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(program.intestazioneStampa, QStringLiteral("BREVE"));
    EXPECT_EQ(program.stampanteTabulato, QString());
}

TEST_F(SettingsTest, AFailedWriteIsRaisedAndKeepsTheOldFile)
{
    writeFile(QStringLiteral("impostazioni.cfg"), "OLD\r\nP\r\n");
    program.appPath = folder.path() + QStringLiteral("/missing/");
    const Result<void> saved = save(QStringLiteral("NEW"), QStringLiteral("Q"));
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().number(), int(RuntimeError::PathNotFound));
    EXPECT_EQ(fileBytes(QStringLiteral("impostazioni.cfg")), QByteArray("OLD\r\nP\r\n"));
}

// --- Slip calibration --------------------------------------------------------------------

class TaraturaTest : public SettingsTest
{
protected:
    static print::TaraturaAmbetto record(const QString &printer)
    {
        print::TaraturaAmbetto r;
        r.DXnumeri = 6.1f;
        r.Top = 12.34f;
        r.DYimporti = 0.01f;
        r.Qualita = print::TaggedQuality::integer(print::kQualitaNormale);
        r.Stampante = printer;
        return r;
    }

    QString currentPrinter() { return program.printers.CurrentPrinter().DeviceName(); }
};

TEST_F(TaraturaTest, ReadingChoosesOnlyAnExactlyMatchingPrinter)
{
    const struct
    {
        const char *name;
        const char *saved;
        const char *chosen;
    } cases[] = {
        {"the same name", "Beta", "Beta"},  {"lower case", "beta", "Alfa"},
        {"upper case", "BETA", "Alfa"},     {"a trailing blank", "Beta ", "Alfa"},
        {"not installed", "Gamma", "Alfa"}, {"no name", "", "Alfa"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(program.printers.SelectPrinter(QStringLiteral("Alfa")));
        SalvaTaraturaAmbetto(record(QString::fromUtf8(c.saved)), program,
                             QStringLiteral("frmTaraturaAmbetto"));

        print::TaraturaAmbetto read;
        LeggiTaraturaAmbetto(read, program, QStringLiteral("frmStampaSchedine"));
        EXPECT_TRUE(ui.messages().isEmpty());
        EXPECT_EQ(read, record(QString::fromUtf8(c.saved)));
        EXPECT_EQ(currentPrinter(), QString::fromUtf8(c.chosen));
    }
}

TEST_F(TaraturaTest, NoFileYetIsAllZeroOnTheDefaultPrinterAndAnUnreadableOneIsReported)
{
    for (const char *form : {"frmStampaSchedine", "frmTaraturaAmbetto"}) {
        SCOPED_TRACE(form);
        ui.clear();
        ASSERT_TRUE(program.printers.SelectPrinter(QStringLiteral("Beta")));
        print::TaraturaAmbetto r = record(QStringLiteral("Beta"));
        LeggiTaraturaAmbetto(r, program, QString::fromLatin1(form));
        EXPECT_TRUE(ui.shown.isEmpty());
        print::TaraturaAmbetto zero;
        zero.Stampante = QStringLiteral("Alfa");
        EXPECT_EQ(r, zero);
        EXPECT_EQ(currentPrinter(), QStringLiteral("Alfa"));
        EXPECT_FALSE(QFile::exists(calibrationPath(program.appPath)));
    }

    // Something that stands there and cannot be read is reported naming the window; the
    // record and the printer stay as they were.
    ASSERT_TRUE(QDir().mkdir(calibrationPath(program.appPath)));
    for (const char *form : {"frmStampaSchedine", "frmTaraturaAmbetto"}) {
        SCOPED_TRACE(form);
        ui.clear();
        ASSERT_TRUE(program.printers.SelectPrinter(QStringLiteral("Beta")));
        print::TaraturaAmbetto r = record(QStringLiteral("Beta"));
        LeggiTaraturaAmbetto(r, program, QString::fromLatin1(form));
        ASSERT_EQ(ui.shown.size(), 1);
        EXPECT_TRUE(ui.shown[0].text.startsWith(QStringLiteral("Error ")));
        EXPECT_TRUE(ui.shown[0].text.endsWith(
            QStringLiteral(") in procedure LeggiTaraturaAmbetto of Form ") +
            QString::fromLatin1(form)));
        EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(r, record(QStringLiteral("Beta")));
        EXPECT_EQ(currentPrinter(), QStringLiteral("Beta"));
    }
}

TEST_F(TaraturaTest, ADamagedFileKeepsWhatWasReadAndChoosesNoPrinter)
{
    SalvaTaraturaAmbetto(record(QStringLiteral("Beta")), program,
                         QStringLiteral("frmTaraturaAmbetto"));
    // Cut inside the printer name, which ends at byte 1280 + 2 + 4.
    const QByteArray bytes = fileBytes(QStringLiteral("printA.cfg"));
    writeFile(QStringLiteral("printA.cfg"), bytes.left(1280 + 2 + 4 - 1));

    print::TaraturaAmbetto r;
    r.Stampante = QStringLiteral("Beta");
    LeggiTaraturaAmbetto(r, program, QStringLiteral("frmStampaSchedine"));
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral("Error 62 (Input past end of file) in procedure "
                                         "LeggiTaraturaAmbetto of Form frmStampaSchedine")});
    EXPECT_EQ(r.Top, 12.34f);
    EXPECT_EQ(r.PrintQuality(), -3);
    EXPECT_EQ(currentPrinter(), QStringLiteral("Alfa"));
}

TEST_F(TaraturaTest, ADamagedScaleRecordIsReportedOnceAndPrintsWithoutCorrection)
{
    print::TaraturaAmbetto saved = record(QStringLiteral("Beta"));
    saved.ScalaX = 1.02f;
    saved.ScalaY = 0.98f;
    SalvaTaraturaAmbetto(saved, program, QStringLiteral("frmTaraturaAmbetto"));
    QByteArray bytes = fileBytes(QStringLiteral("printA.cfg"));
    bytes[1408] = 7; // another tag
    writeFile(QStringLiteral("printA.cfg"), bytes);

    print::TaraturaAmbetto r;
    LeggiTaraturaAmbetto(r, program, QStringLiteral("frmStampaSchedine"));
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("La correzione di scala in printA.cfg è danneggiata "
                                               "(il tipo è 7 invece di 3): si stampa con i "
                                               "fattori 1 e 1"));
    // Everything else was read and the printer chosen.
    EXPECT_EQ(r, record(QStringLiteral("Beta")));
    EXPECT_EQ(currentPrinter(), QStringLiteral("Beta"));

    // The whole record again: read silently.
    ui.clear();
    SalvaTaraturaAmbetto(saved, program, QStringLiteral("frmTaraturaAmbetto"));
    LeggiTaraturaAmbetto(r, program, QStringLiteral("frmStampaSchedine"));
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(r, saved);
}

TEST_F(TaraturaTest, AFailedSaveIsReportedNamingTheSaveButton)
{
    program.appPath = folder.path() + QStringLiteral("/missing/");
    SalvaTaraturaAmbetto(record(QStringLiteral("Beta")), program,
                         QStringLiteral("frmTaraturaAmbetto"));
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral("Error 76 (Path not found) in procedure cmdSalva_Click "
                                         "of Form frmTaraturaAmbetto")});
}

} // namespace
