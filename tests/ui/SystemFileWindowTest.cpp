// Saving and opening systems through the main window's buttons, with the file dialog answered
// by the test.

#include "core/Stakes.h"
#include "core/SystemFile.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QtEndian>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

class SystemFileWindowTest : public MainWindowFixture
{
protected:
    // Types the system, sets lead number 7, the 12-euro stakes and the wheel Bari.
    void prepareProva()
    {
        typeValidSquare();
        ui.setNextInput(QStringLiteral("7"));
        form->cmdCapogioco->click();
        form->cmd12Euro->click();
        form->cmbRuote->setCurrentIndex(0);
        ui.clear();
    }

    QByteArray save(const QString &name)
    {
        ui.setNextFile(path(name));
        form->cmdSalva->click();
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void open(const QString &name)
    {
        ui.setNextFile(path(name));
        form->cmdApri->click();
    }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QStringList screen() const
    {
        QStringList texts;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                texts << form->cell(r, c)->text();
        for (TextBox *box : form->txtImpQuad)
            texts << box->text();
        texts << form->txtImportoSistema->text() << form->lblNomeSistema->text()
              << form->cmbRuote->currentText();
        return texts;
    }
};

TEST_F(SystemFileWindowTest, SavedFileHasTheExactLayout)
{
    prepareProva();
    const QByteArray bytes = save(QStringLiteral("prova.zlm"));
    ASSERT_EQ(bytes.size(), 106);
    EXPECT_EQ(bytes.left(15), QByteArray("Zelmoravintesca"));
    EXPECT_EQ(bytes.mid(15, 10), QByteArray("Bari      "));
    EXPECT_EQ(bytes.mid(25, 20), QByteArray("prova.zlm           "));
    EXPECT_EQ(qFromLittleEndian<float>(bytes.constData() + 45), 12.0f);
    EXPECT_EQ(qFromLittleEndian<float>(bytes.constData() + 82), 1.15f);
    EXPECT_EQ(bytes.at(81), 7);
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("prova.zlm"));

    // The dialog starts in sistemi/ beside the program, which now exists.
    const auto &dialog = ui.shown.constFirst();
    EXPECT_EQ(dialog.kind, QStringLiteral("ShowSave"));
    EXPECT_EQ(dialog.request.initDir, path(QStringLiteral("sistemi")));
    EXPECT_TRUE(QDir(dialog.request.initDir).exists());
    EXPECT_EQ(dialog.request.filter, QStringLiteral("Sistemi Zelmoravintesca (*.zlm)|*.zlm"));
    EXPECT_EQ(dialog.request.defaultExt, QStringLiteral(".zlm"));
    EXPECT_TRUE(dialog.request.overwritePrompt);
    EXPECT_EQ(ui.busy, (QList<bool>{true, false}));
}

TEST_F(SystemFileWindowTest, SaveClearOpenRestoresTheSystem)
{
    prepareProva();
    form->cmbRuote->setCurrentIndex(7);
    save(QStringLiteral("Prova.zlm"));
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("prova.zlm"));
    const QStringList saved = screen();

    form->cmdCancella->click();
    open(QStringLiteral("Prova.zlm"));
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'|').toStdString();
    QStringList expected = saved;
    expected[expected.size() - 2] = QStringLiteral("Prova.zlm"); // as stored, not lower case
    EXPECT_EQ(screen(), expected);
    EXPECT_EQ(form->sistema().Capogioco, 7);
    EXPECT_EQ(form->lblVincite[2]->text(), QStringLiteral("13.412,50"));
}

TEST_F(SystemFileWindowTest, OpenShowsTheNameStoredInsideTheFile)
{
    prepareProva();
    save(QStringLiteral("prova.zlm"));
    ASSERT_TRUE(
        QFile::rename(path(QStringLiteral("prova.zlm")), path(QStringLiteral("altro.zlm"))));
    open(QStringLiteral("altro.zlm"));
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("prova.zlm"));
}

TEST_F(SystemFileWindowTest, ReservedNameIsRefusedOnlyInLowerCase)
{
    prepareProva();
    form->cmdSalva->click(); // cancelled dialog: nothing happens
    EXPECT_TRUE(ui.messages().isEmpty());

    EXPECT_TRUE(save(QStringLiteral("vuoto.zlm")).isEmpty());
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral("Impostare un nome diverso da\r\n[vuoto.zlm]")});
    EXPECT_EQ(ui.shown.last().icon, MessageIcon::Critical);
    EXPECT_EQ(ui.shown.last().title, QStringLiteral("Attenzione"));
    EXPECT_EQ(form->sistema().NomeSistema.trimmed(), QStringLiteral("vuoto.zlm"));

    EXPECT_EQ(save(QStringLiteral("VUOTO.ZLM")).size(), 106);
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("vuoto.zlm"));
    EXPECT_EQ(form->sistema().NomeSistema.trimmed(), QStringLiteral("VUOTO.ZLM"));
}

TEST_F(SystemFileWindowTest, SavingOverALongerFileLeavesExactly106Bytes)
{
    writeFile(QStringLiteral("lungo.zlm"), QByteArray(4000, 'x'));
    prepareProva();
    EXPECT_EQ(save(QStringLiteral("lungo.zlm")).size(), 106);
}

TEST_F(SystemFileWindowTest, IncompleteSquareIsNotSaved)
{
    form->cmdSalva->click();
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("La prima quaterna non è completa!!!")});
    EXPECT_EQ(ui.shown.size(), 1); // no dialog
}

TEST_F(SystemFileWindowTest, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    prepareProva();
    const QByteArray old = save(QStringLiteral("prova.zlm"));
    ASSERT_EQ(old.size(), 106);
    form->cmd12Euro->click();
    form->txtImpQuad[0]->setText(QStringLiteral("9,00"));
    form->CalcolaImporto();

    // Files may grow to 50 bytes only: the write fails half-way, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = 50;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    ui.clear();
    ui.setNextFile(path(QStringLiteral("prova.zlm")));
    form->cmdSalva->click();
    setrlimit(RLIMIT_FSIZE, &saved);

    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0],
              QStringLiteral("Error 61 (Disk full) in procedure cmdSalva_Click of Form frmMain"));
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("prova.zlm"));
    EXPECT_EQ(ui.busy.last(), false);
    QFile f(path(QStringLiteral("prova.zlm")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    // No half-written file is left beside it.
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.zlm*")}, QDir::Files),
              QStringList{QStringLiteral("prova.zlm")});
}

TEST_F(SystemFileWindowTest, ADamagedSquareIsReportedOnceAndTheWindowStaysAsItWas)
{
    prepareProva();
    const QByteArray good = save(QStringLiteral("prova.zlm"));
    const QStringList before = screen();
    QByteArray oneCell = good;
    oneCell[49 + 4 + 3] = char(200); // row 2, column 4
    QByteArray oneColumnCell = good;
    oneColumnCell[65 + 2] = char(91);
    QByteArray lead = good;
    lead[81] = char(91);
    QByteArray everyCell = good;
    for (int i = 49; i <= 81; ++i)
        everyCell[i] = char(255);
    for (const auto &[name, bytes] :
         {std::pair{"grande.zlm", oneCell}, std::pair{"colonna.zlm", oneColumnCell},
          std::pair{"capogioco.zlm", lead}, std::pair{"tutto255.zlm", everyCell}}) {
        writeFile(QString::fromLatin1(name), bytes);
        ui.clear();
        open(QString::fromLatin1(name));
        EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("Questo file non puo' essere letto")})
            << name;
        EXPECT_EQ(screen(), before) << name;
    }
}

TEST_F(SystemFileWindowTest, AWheelNotInTheListSelectsTheLastOne)
{
    prepareProva();
    QByteArray bytes = save(QStringLiteral("prova.zlm"));
    bytes.replace(15, 10, "  Atlantis");
    writeFile(QStringLiteral("atlantide.zlm"), bytes);
    open(QStringLiteral("atlantide.zlm"));
    EXPECT_EQ(form->cmbRuote->currentText(), QStringLiteral("Nazionale"));
    EXPECT_EQ(form->sistema().Ruota.text(), QStringLiteral("Atlantis  "));

    bytes.replace(15, 10, "   Genova ");
    writeFile(QStringLiteral("genova.zlm"), bytes);
    open(QStringLiteral("genova.zlm"));
    EXPECT_EQ(form->cmbRuote->currentText(), QStringLiteral("Genova"));
}

TEST_F(SystemFileWindowTest, FilesThatAreNotSystemsChangeNothing)
{
    prepareProva();
    const QByteArray good = save(QStringLiteral("prova.zlm"));
    form->txtImpQuad[1]->setText(QStringLiteral("2,00"));
    const QStringList before = screen();
    QByteArray nanStakes = good;
    qToLittleEndian(std::numeric_limits<float>::quiet_NaN(), nanStakes.data() + 86);
    QByteArray random(106, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 251);
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"testo.zlm", "Bari\r\nRoma\r\n"}, {"vuoto0.zlm", ""},     {"corto15.zlm", good.left(15)},
        {"corto105.zlm", good.left(105)},  {"nan.zlm", nanStakes}, {"casuale.zlm", random},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(QString::fromLatin1(c.name), c.bytes);
        ui.clear();
        open(QString::fromLatin1(c.name));
        EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("Questo file non puo' essere letto")})
            << c.name;
        EXPECT_EQ(ui.shown.last().icon, MessageIcon::Critical);
        EXPECT_EQ(ui.shown.last().title, QStringLiteral("E R R O R E"));
        EXPECT_EQ(screen(), before) << c.name;
    }
}

TEST_F(SystemFileWindowTest, APipeOrADeviceChosenToOpenIsRefusedAtOnce)
{
    prepareProva();
    const QStringList before = screen();
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("tubo.zlm"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("zero.zlm"))));
    for (const char *name : {"tubo.zlm", "zero.zlm"}) {
        ui.clear();
        open(QString::fromLatin1(name));
        EXPECT_EQ(ui.messages(),
                  QStringList{QStringLiteral("Error 75 (Path/File access error) in procedure "
                                             "cmdApri_Click of Form frmMain")})
            << name;
        EXPECT_EQ(screen(), before) << name;
    }
}

TEST_F(SystemFileWindowTest, AMissingFileIsReportedByTheOpenRoutine)
{
    open(QStringLiteral("sparito.zlm"));
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral(
                  "Error 53 (File not found) in procedure cmdApri_Click of Form frmMain")});
    const auto &dialog = ui.shown.constFirst();
    EXPECT_TRUE(dialog.request.fileMustExist);
    EXPECT_TRUE(dialog.request.defaultExt.isEmpty());
}

// The file the program is started with, or that a later copy sends, opens as Apri opens it,
// with its messages.
TEST_F(SystemFileWindowTest, AFileHandedToTheWindowOpensAsApriOpensIt)
{
    prepareProva();
    save(QStringLiteral("Prova.zlm"));
    const QStringList saved = screen();
    form->cmdCancella->click();
    const QStringList cleared = screen();

    form->openWhenFree(path(QStringLiteral("Prova.zlm")));
    EXPECT_EQ(screen(), cleared); // not from inside the caller
    settle();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'|').toStdString();
    QStringList expected = saved;
    expected[expected.size() - 2] = QStringLiteral("Prova.zlm");
    EXPECT_EQ(screen(), expected);

    writeFile(QStringLiteral("testo.zlm"), "Bari\r\n");
    for (const auto &[name, message] :
         {std::pair{"sparito.zlm",
                    "Error 53 (File not found) in procedure cmdApri_Click of Form frmMain"},
          std::pair{"testo.zlm", "Questo file non puo' essere letto"}}) {
        ui.clear();
        form->openWhenFree(path(QString::fromLatin1(name)));
        settle();
        EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(message)}) << name;
        EXPECT_EQ(screen(), expected) << name;
    }
}

TEST_F(SystemFileWindowTest, AFileWaitsWhileTheSlipsOrAModalWindowAreOpenThenTheLastOneOpens)
{
    prepareProva();
    save(QStringLiteral("prova.zlm"));
    const QStringList prova = screen();
    form->cmbRuote->setCurrentIndex(3);
    form->cell(0, 1)->setText(QStringLiteral("90"));
    save(QStringLiteral("altro.zlm"));
    const QStringList altro = screen();
    ASSERT_NE(altro, prova);

    // The print-slips window disables the main window for as long as it is open: a file sent
    // meanwhile waits, and only the last of two opens (the first one, missing, would say so).
    ui.clear();
    form->cmdPrnSchedine->click();
    QPointer<QWidget> slips;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("frmStampaSchedine") && window->isVisible())
            slips = window;
    ASSERT_NE(slips, nullptr);
    ASSERT_FALSE(form->isEnabled());
    ui.clear();
    form->openWhenFree(path(QStringLiteral("sparito.zlm")));
    form->openWhenFree(path(QStringLiteral("prova.zlm")));
    QTest::qWait(500);
    EXPECT_EQ(screen(), altro);
    slips->close();
    ASSERT_TRUE(form->isEnabled());
    QTest::qWait(500);
    EXPECT_EQ(screen(), prova);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'|').toStdString();

    // A modal window open over it holds the file too, until it closes.
    QDialog modal(form.get());
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    form->openWhenFree(path(QStringLiteral("altro.zlm")));
    QTest::qWait(500);
    EXPECT_EQ(screen(), prova);
    modal.close();
    QTest::qWait(500);
    EXPECT_EQ(screen(), altro);
}

} // namespace
