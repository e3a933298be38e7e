// The check window driven through its controls: an archive imported through the file dialog,
// the system checked against it and against typed numbers, a check interrupted, and the
// report printed on recording devices.

#include "app/Program.h"
#include "core/FileIO.h"
#include "core/Sistema.h"
#include "print/PrintSamples.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"
#include "support/RecordingPrinters.h"
#include "support/ScriptedUiServices.h"
#include "support/WidgetTest.h"
#include "ui/DateBox.h"
#include "ui/NumberStatisticsModel.h"
#include "ui/WindowWork.h"
#include "ui/frmAnteprima.h"
#include "ui/frmStatistiche.h"
#include "ui/frmVerifica.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

// Rows 7 11 12 13 / 21 7 22 23 / 31 32 7 33 / 41 42 43 7, on Bari; stakes 1,00 Ambo,
// 0,50 Terno, 0,10 Quaterna: 12,80 a draw.
Sistema testSystem()
{
    Sistema s = zelmora::testing::samplePrintSystem(QStringLiteral("prova.zlm"));
    s.Puntate = {1.0f, 0.5f, 0.1f};
    s.ImportoSistema = 12.8f;
    return s;
}

// Worked out by hand from the payouts, withholding 8%:
//   05/01/2024 Bari 11 12 50 60 70: play 1 has 2 hits, Ambo 100 x 250 / 6 = 41,67 (net 38,34).
//   08/01/2024 Bari 7 11 12 13 80: play 1 has all 4, 6 ambi 250,00 + 4 terni 2.250,00 +
//     quaterna 12.000,00 = 14.500,00 (net 13.340,00); plays 6, 7 and 8 have 2 hits, 41,67 each;
//     the draw 14.625,01, net 13.455,01.
//   10/01/2024 Bari 1 2 3 4 5: nothing. The Milano line and the broken lines are not Bari's.
const char *const kArchive = "# prova\n"
                             "2024/01/05\tBA\t11\t12\t50\t60\t70\n"
                             "08/01/2024 Bari 7,11,12,13,80\n"
                             "2024-01-10;ba;1;2;3;4;5\n"
                             "2024-01-08 MI 7 11 12 13 80\n"
                             "2024/13/40 BA 1 2 3 4 5\n"
                             "2024/01/11 BA 1 2 3 4\n";

class VerificaWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        program.ui = &ui;
        program.appPath = folder.path() + u'/';
        program.intestazioneStampa = QStringLiteral("CIRCOLO");
        program.stampanteTabulato = QStringLiteral("Tabulati");
        form = std::make_unique<frmVerifica>(testSystem(), program);
        form->Form_Load();
        ASSERT_TRUE(showActive(*form));
        waitIdle();
        ui.clear();
    }

    // Waits for the archive's reading, an import or a check to end.
    void waitIdle()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form->busy(); }, 20000));
    }

    void check()
    {
        form->cmdVerifica->click();
        waitIdle();
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.path() + u'/' + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    void import(const QString &path)
    {
        ui.setNextFile(path);
        form->cmdImporta->click();
        waitIdle();
    }

    int rows() const { return form->grdVincite->model()->rowCount(); }

    QStringList row(int r) const
    {
        const QAbstractItemModel *model = form->grdVincite->model();
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        return cells;
    }

    QStringList totals() const
    {
        QStringList texts;
        for (QLabel *label : form->lblTotale)
            texts << label->text();
        return texts;
    }

    QStringList printedTexts(const RecordedDocument &document) const
    {
        QStringList texts;
        for (const auto &page : document.pages)
            for (const RecordedItem &item : page)
                if (item.kind == RecordedItem::Text)
                    texts << item.text;
        return texts;
    }

    QTemporaryDir folder;
    ScriptedUiServices ui;
    RecordingPrinters devices{{"Ufficio", "Tabulati", "File PDF"}};
    Program program{devices.source()};
    std::unique_ptr<frmVerifica> form;
};

TEST_F(VerificaWindowTest, ImportsAnArchiveAndListsEveryWinningPlayWithTheTotals)
{
    EXPECT_FALSE(form->cmdStampa->isEnabled());
    const QString path = writeFile(QStringLiteral("estratti.txt"), kArchive);
    import(path);
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_EQ(ui.shown[0].kind, QStringLiteral("ShowOpen"));
    EXPECT_EQ(ui.shown[0].request.initDir, folder.path() + u'/');
    EXPECT_TRUE(ui.shown[0].request.severalFiles);
    // The summary names the two lines skipped; the store is saved beside the settings.
    EXPECT_EQ(ui.shown[1].title, QStringLiteral("Importa archivio"));
    EXPECT_TRUE(ui.shown[1].text.contains(QStringLiteral("4 estrazioni aggiunte")));
    EXPECT_TRUE(ui.shown[1].text.contains(QStringLiteral("2 righe non lette (righe 6, 7)")));
    EXPECT_EQ(ui.shown[1].icon, MessageIcon::Warning);
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/estrazioni.txt")));
    EXPECT_EQ(form->dtpDal->date(), QDate(2024, 1, 5));
    EXPECT_EQ(form->dtpAl->date(), QDate(2024, 1, 10));
    EXPECT_TRUE(form->lblArchivio->text().contains(QStringLiteral("3 estrazioni di Bari")));

    QTest::keyClick(form.get(), Qt::Key_V, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->result() != nullptr; }, 3000));
    ASSERT_EQ(rows(), 6);
    EXPECT_EQ(row(0),
              (QStringList{"05/01/2024", "11 12 50 60 70", "1", "2 Ambo", "41,67", "38,34"}));
    EXPECT_EQ(row(1), (QStringList{"08/01/2024", "07 11 12 13 80", "1", "4 Quaterna", "14.500,00",
                                   "13.340,00"}));
    EXPECT_EQ(row(2), (QStringList{"", "", "6", "2 Ambo", "41,67", "38,34"}));
    EXPECT_EQ(row(4), (QStringList{"", "", "8", "2 Ambo", "41,67", "38,34"}));
    EXPECT_EQ(row(5), (QStringList{"", "Totale estrazione", "", "", "14.625,01", "13.455,01"}));
    EXPECT_EQ(totals(), (QStringList{"3", "2", "38,40", "14.666,68", "13.493,35", "13.454,95"}));

    // From 06/01 on, typed over the whole date as a player does: two draws, one winning.
    QTest::keyClick(form.get(), Qt::Key_D, Qt::AltModifier);
    QTest::keyClicks(form->dtpDal->lineEdit(), QStringLiteral("06/01/2024"));
    check();
    EXPECT_EQ(form->dtpDal->text(), QStringLiteral("06/01/2024"));
    EXPECT_EQ(totals(), (QStringList{"2", "1", "25,60", "14.625,01", "13.455,01", "13.429,41"}));
    EXPECT_EQ(form->lblAvanzamento->text(), QStringLiteral("Vincite su 1 estrazione di 2."));
    EXPECT_EQ(ui.shown.size(), 2);

    // A day the calendar does not have is refused with a word, and nothing is checked.
    form->dtpAl->lineEdit()->setText(QStringLiteral("31/02/2024"));
    form->cmdVerifica->click();
    ASSERT_EQ(ui.shown.size(), 3);
    EXPECT_TRUE(ui.shown[2].text.contains(QStringLiteral("31/02/2024")));
    EXPECT_TRUE(form->dtpAl->lineEdit()->hasFocus());
    form->dtpAl->setDate(QDate(2024, 1, 10));
    ui.clear();

    // The same file again, chosen together with a new one, adds only the new one's draw: the
    // others are known with the same numbers.
    ui.setNextFiles({path, writeFile(QStringLiteral("nuove.txt"), "2024/01/12 BA 1 2 3 4 5\n")});
    form->cmdImporta->click();
    waitIdle();
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_TRUE(ui.shown[1].text.contains(QStringLiteral("0 estrazioni aggiunte, 4 già presenti")));
    EXPECT_TRUE(ui.shown[1].text.contains(
        QStringLiteral("nuove.txt: 1 riga letta, 1 estrazione aggiunta, 0 già presenti")));
    EXPECT_EQ(form->archive().size(), 5);

    // Draws older than the first date the boxes used to offer are reached too. The import
    // dialog starts where archives were last chosen, across runs.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("archivi")));
    import(writeFile(QStringLiteral("archivi/antiche.txt"), "1860/03/05 BA 1 2 3 4 5\n"));
    frmVerifica again(testSystem(), program);
    ui.setNextFileCancelled();
    again.cmdImporta->click();
    EXPECT_EQ(ui.shown.last().request.initDir, folder.path() + QStringLiteral("/archivi"));
    EXPECT_EQ(form->dtpDal->date(), QDate(1860, 3, 5));
    EXPECT_EQ(form->dtpDal->minimumDate(), QDate(1860, 3, 5));
}

TEST_F(VerificaWindowTest, TypedNumbersAreCheckedAsOneDrawAndWrongOnesAreRefused)
{
    form->txtNumeri->setFocus();
    QTest::keyClicks(form->txtNumeri, QStringLiteral("7 11 12 13"));
    EXPECT_TRUE(form->optNumeri->isChecked());
    QTest::keyClick(form->txtNumeri, Qt::Key_Return);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("cinque numeri")));
    EXPECT_EQ(form->result(), nullptr);

    QTest::keyClicks(form->txtNumeri, QStringLiteral(" 80"));
    QTest::keyClick(form->txtNumeri, Qt::Key_Return);
    waitIdle();
    ASSERT_TRUE(form->result() != nullptr);
    EXPECT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(row(0).mid(0, 2), (QStringList{"-", "07 11 12 13 80"}));
    EXPECT_EQ(totals(), (QStringList{"1", "1", "12,80", "14.625,01", "13.455,01", "13.442,21"}));

    // Alt+A, then Alt+N: each option takes the keys on to what it needs.
    QTest::keyClick(form.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(form->optArchivio->isChecked());
    EXPECT_TRUE(form->dtpDal->lineEdit()->hasFocus());
    QTest::keyClick(form.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(form->optNumeri->isChecked());
    EXPECT_TRUE(form->txtNumeri->hasFocus());

    // A withholding setting that holds no percentage is named in the message.
    writeFile(QStringLiteral("ritenuta.cfg"), "otto\r\n");
    ui.clear();
    form->cmdVerifica->click();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].startsWith(folder.path() + QStringLiteral("/ritenuta.cfg: ")));
}

TEST_F(VerificaWindowTest, AnEmptyArchiveAsksForAnImport)
{
    check();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("Importa archivio")));
    EXPECT_EQ(form->result(), nullptr);
}

TEST_F(VerificaWindowTest, ALongCheckShowsProgressAndStopsWhenInterrupted)
{
    QByteArray archive;
    QDate date(1990, 1, 1);
    for (int i = 0; i < 2000; ++i, date = date.addDays(1))
        archive += date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + " BA 11 12 50 60 70\n";
    import(writeFile(QStringLiteral("lungo.txt"), archive));
    ui.clear();

    // The worker waits for a free thread until Interrompi has been pressed, so the stop is
    // seen at its first look, whatever the machine's speed.
    auto *workers = form->findChild<QThreadPool *>();
    ASSERT_TRUE(workers);
    QSemaphore release;
    workers->start([&release] { release.acquire(); });
    form->cmdVerifica->click();
    EXPECT_TRUE(form->prgVerifica->isVisible());
    EXPECT_TRUE(form->cmdInterrompi->isEnabled());
    EXPECT_FALSE(form->cmdVerifica->isEnabled());
    EXPECT_TRUE(form->cmdChiudi->isEnabled());
    QTest::mouseClick(form->cmdInterrompi, Qt::LeftButton);
    release.release();
    waitIdle();

    ASSERT_TRUE(form->result() != nullptr);
    EXPECT_TRUE(form->result()->interrupted);
    const int checked = form->result()->totals.drawsChecked;
    EXPECT_GT(checked, 0);
    EXPECT_LT(checked, 2000);
    // Every draw checked won an ambo: the table and the totals cover those alone.
    EXPECT_EQ(rows(), checked);
    EXPECT_EQ(form->lblTotale[0]->text(), QString::number(checked));
    EXPECT_TRUE(form->lblAvanzamento->text().contains(QStringLiteral("interrotta")));
    EXPECT_FALSE(form->prgVerifica->isVisible());
    EXPECT_TRUE(form->cmdVerifica->isEnabled());
    EXPECT_FALSE(form->cmdInterrompi->isEnabled());

    // Run again without a stop, the whole archive is checked.
    check();
    EXPECT_FALSE(form->result()->interrupted);
    EXPECT_EQ(form->lblTotale[0]->text(), QStringLiteral("2.000"));
    EXPECT_EQ(form->lblTotale[3]->text(), QStringLiteral("83.340,00"));

    // An import waiting for another copy's lock on the archive stops at Escape, saves nothing
    // and says so; the window stays open.
    FileLock otherCopy(folder.path() + QStringLiteral("/estrazioni.txt.lock"));
    ASSERT_TRUE(otherCopy.tryLock());
    const QByteArray stored =
        *readWholeFile(folder.path() + QStringLiteral("/estrazioni.txt"), 1 << 20);
    ui.clear();
    ui.setNextFile(writeFile(QStringLiteral("altre.txt"), "2024/01/12 BA 1 2 3 4 5\n"));
    form->cmdImporta->click();
    EXPECT_TRUE(form->busy());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    waitIdle();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("Importazione interrotta")));
    EXPECT_EQ(*readWholeFile(folder.path() + QStringLiteral("/estrazioni.txt"), 1 << 20), stored);
}

TEST_F(VerificaWindowTest, TheReportPrintsTheTableOnTheListingPrinter)
{
    import(writeFile(QStringLiteral("estratti.txt"), kArchive));
    check();
    ui.clear();
    // The report is printed on the window's worker: its run begins and ends.
    QSignalSpy run(form->findChild<WindowWork *>(), &WindowWork::runningChanged);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.count() == 2; }, 5000));
    ASSERT_TRUE(devices.contains(QStringLiteral("Tabulati")));
    const RecordingDevice &device = *devices[QStringLiteral("Tabulati")];
    ASSERT_EQ(device.documents.size(), 1);
    EXPECT_TRUE(device.documents[0].ended);
    EXPECT_EQ(device.documents[0].pages.size(), 1);
    const QStringList texts = printedTexts(device.documents[0]);
    for (const char *wanted :
         {"Zelmoravintesca by Vandrel - CIRCOLO", "Sistema: prova.zlm    Ruota: Bari", "05/01/2024",
          "08/01/2024", "07 11 12 13 80", "4 Quaterna", "14.500,00", "13.340,00",
          "Totale estrazione", "14.625,01", "13.455,01", "38,40", "14.666,68", "13.493,35",
          "13.454,95", "Estrazioni vincenti"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(wanted))) << wanted;
    // One line under the other: the two draws, the second draw's total, then the balance.
    QList<double> tops;
    for (const char *line : {"05/01/2024", "08/01/2024", "Totale estrazione", "Saldo €"})
        for (const RecordedItem &item : device.documents[0].pages[0])
            if (item.text == QString::fromUtf8(line))
                tops << item.rect.top();
    ASSERT_EQ(tops.size(), 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(tops[i], tops[i - 1] + 3) << i;
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(VerificaWindowTest, ALongReportGoesOnOverSeveralPagesWithItsHeadings)
{
    // Draws won on one play, and every third one on four plays with the draw's total: five
    // lines that must stay on one page.
    QByteArray archive;
    QDate date(2000, 1, 1);
    for (int i = 0; i < 150; ++i, date = date.addDays(1))
        archive += date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() +
                   (i % 3 ? " BA 11 12 50 60 70\n" : " BA 7 11 12 13 80\n");
    import(writeFile(QStringLiteral("anno.txt"), archive));
    check();
    form->cmdStampa->click();
    waitIdle();
    const RecordingDevice &device = *devices[QStringLiteral("Tabulati")];
    ASSERT_EQ(device.documents.size(), 1);
    const auto &pages = device.documents[0].pages;
    ASSERT_GE(pages.size(), 3);
    int rows = 0;
    for (const auto &page : pages) {
        int headings = 0;
        double headingTop = -1, firstRowTop = 1e9;
        QString firstRow;
        for (const RecordedItem &item : page) {
            if (item.text == QStringLiteral("Numeri estratti")) {
                ++headings;
                headingTop = item.rect.top();
            }
            rows += item.text == QStringLiteral("11 12 50 60 70");
            if (item.kind == RecordedItem::Text) {
                EXPECT_LE(item.rect.bottom(), device.pageSize.height()) << item.text.toStdString();
            }
        }
        for (const RecordedItem &item : page)
            if (item.kind == RecordedItem::Text && headingTop >= 0 &&
                item.rect.top() > headingTop + 2 && item.rect.top() < firstRowTop)
                firstRowTop = item.rect.top(), firstRow = item.text;
        EXPECT_EQ(headings, 1);
        // A page goes on with a new draw, never with the rest of one.
        if (firstRowTop < 1e9) {
            EXPECT_TRUE(QDate::fromString(firstRow, QStringLiteral("dd/MM/yyyy")).isValid() ||
                        firstRow.startsWith(QStringLiteral("Estrazioni")))
                << firstRow.toStdString();
        }
    }
    EXPECT_EQ(rows, 100);
}

TEST_F(VerificaWindowTest, APrinterFailureIsReportedAndAnteprimaPrintsNothing)
{
    import(writeFile(QStringLiteral("estratti.txt"), kArchive));
    check();
    ui.clear();
    program.printers.SelectPrinter(QStringLiteral("Tabulati"));
    devices[QStringLiteral("Tabulati")]->failOnDocument = 0;
    form->cmdStampa->click();
    waitIdle();
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("Stampante non installata")});
    EXPECT_EQ(ui.shown.last().title, QStringLiteral("!!! E R R O R E !!!"));
    EXPECT_TRUE(form->isEnabled());

    int pages = -1;
    onNextModal([&](QDialog *dialog) {
        auto *preview = qobject_cast<frmAnteprima *>(dialog);
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->windowTitle(), QStringLiteral("Anteprima - Verifica"));
        pages = preview->preview().pageCount();
    });
    form->cmdAnteprima->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return pages >= 0; }, 3000));
    EXPECT_EQ(pages, 1);
    for (const RecordedDocument &document : devices[QStringLiteral("Tabulati")]->documents)
        EXPECT_FALSE(document.ended);
}

// While either report window works, the title bar's close and Chiudi close it with one press
// and Escape stops the work and keeps it, each at once; a cancelled run's result never shows.
TEST_F(VerificaWindowTest, AReportWindowAnswersClosingAtOnceWhileItWorks)
{
    import(writeFile(QStringLiteral("estratti.txt"), kArchive));
    ui.clear();
    struct Press
    {
        const char *name;
        std::function<void(QDialog &, QPushButton *chiudi)> press;
        bool closes;
    };
    const Press presses[] = {
        {"TitleBarClose", [](QDialog &window, QPushButton *) { window.close(); }, true},
        {"Chiudi",
         [](QDialog &, QPushButton *chiudi) { QTest::mouseClick(chiudi, Qt::LeftButton); }, true},
        {"Escape", [](QDialog &window, QPushButton *) { QTest::keyClick(&window, Qt::Key_Escape); },
         false},
    };
    // Each window with its work under way: the pool's one thread is held, so the work waits
    // for it until after the press, whatever the machine's speed.
    struct Window
    {
        const char *name;
        std::function<std::unique_ptr<QDialog>()> make;
        std::function<void(QDialog &)> start;
        std::function<QPushButton *(QDialog &)> chiudi;
    };
    const Window windows[] = {
        {"Verifica",
         [&] {
             auto window = std::make_unique<frmVerifica>(testSystem(), program);
             window->Form_Load();
             return std::unique_ptr<QDialog>(std::move(window));
         },
         [](QDialog &w) { static_cast<frmVerifica &>(w).cmdVerifica->click(); },
         [](QDialog &w) { return static_cast<frmVerifica &>(w).cmdChiudi; }},
        {"Statistiche",
         [&] {
             return std::unique_ptr<QDialog>(std::make_unique<frmStatistiche>(
                 testSystem(), std::make_shared<const DrawArchive>(form->archive()), program,
                 QDate(), QDate()));
         },
         [](QDialog &w) { static_cast<frmStatistiche &>(w).cmdCalcola->click(); },
         [](QDialog &w) { return static_cast<frmStatistiche &>(w).cmdChiudi; }},
    };
    for (const Window &kind : windows)
        for (const Press &press : presses) {
            SCOPED_TRACE(std::string(kind.name) + " " + press.name);
            std::unique_ptr<QDialog> window = kind.make();
            ASSERT_TRUE(showActive(*window));
            auto *work = window->findChild<WindowWork *>();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !work->busy(); }, 20000));
            QSemaphore release;
            window->findChild<QThreadPool *>()->start([&release] { release.acquire(); });
            kind.start(*window);
            ASSERT_TRUE(work->busy());
            QElapsedTimer pressed;
            pressed.start();
            press.press(*window, kind.chiudi(*window));
            EXPECT_LT(pressed.elapsed(), 200);
            EXPECT_EQ(window->isVisible(), !press.closes);
            // Cancelled, the run is over for the window at once; stopped, at the worker's next
            // look.
            EXPECT_EQ(work->busy(), !press.closes);
            release.release();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !work->busy(); }, 5000));
            window.reset(); // waits for the worker, released
        }
}

// Ritardi e frequenze over the three Bari draws: a delay that spans them all reads "mai", in
// the numbers' table and the plays'; the first click on a figure's heading lists the largest
// first; and a new choice while the figures are worked out starts them again.
TEST_F(VerificaWindowTest, TheStatisticsSayMaiAndListTheLargestFirst)
{
    import(writeFile(QStringLiteral("estratti.txt"), kArchive));
    frmStatistiche window(testSystem(), std::make_shared<const DrawArchive>(form->archive()),
                          program, QDate(), QDate());
    ASSERT_TRUE(showActive(window));
    window.cmdCalcola->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.statistics().has_value(); }, 5000));
    const QAbstractItemModel *numbers = window.grdNumeri->model();
    const auto cell = [&](int row, int column) {
        return numbers->index(row, column).data().toString();
    };
    // Number 90 never came: its delay is every draw.
    EXPECT_EQ(cell(89, NumberStatisticsModel::Delay), QStringLiteral("mai"));
    EXPECT_EQ(cell(10, NumberStatisticsModel::Delay), QStringLiteral("1")); // 11, on 08/01
    // Play 8 never made its quaterna.
    EXPECT_EQ(window.grdGiocate->item(7, 4)->text(), QStringLiteral("mai"));

    QTest::mouseClick(window.grdNumeri->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(window.grdNumeri->horizontalHeader()->sectionViewportPosition(
                                 NumberStatisticsModel::Delay) +
                                 5,
                             5));
    EXPECT_EQ(window.grdNumeri->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(cell(0, NumberStatisticsModel::Delay), QStringLiteral("mai"));

    // The choices stay free while the figures are worked out.
    auto *work = window.findChild<WindowWork *>();
    QSemaphore release;
    window.findChild<QThreadPool *>()->start([&release] { release.acquire(); });
    window.cmdCalcola->click();
    EXPECT_TRUE(work->busy());
    EXPECT_TRUE(window.cmbRuota->isEnabled());
    EXPECT_TRUE(window.dtpDal->isEnabled());
    window.cmdCalcola->click(); // starts again: the first run is cancelled
    release.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !work->busy(); }, 5000));
    EXPECT_TRUE(window.statistics().has_value());
}

TEST_F(VerificaWindowTest, EscapeClosesTheWindowAndEveryButtonHasAMnemonic)
{
    // The window fits a small screen, or a large one at twice the scale: what does not fit
    // scrolls.
    EXPECT_LE(form->minimumSizeHint().width(), 640);
    EXPECT_LE(form->minimumSizeHint().height(), 480);
    for (QPushButton *button : {form->cmdImporta, form->cmdVerifica, form->cmdInterrompi,
                                form->cmdStampa, form->cmdAnteprima, form->cmdChiudi})
        EXPECT_TRUE(button->text().contains(u'&')) << button->objectName().toStdString();
    EXPECT_TRUE(form->cmdVerifica->isDefault());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

} // namespace
