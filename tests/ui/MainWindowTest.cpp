// The main window as a player uses it: stakes, lead number, random prognosis, clear, print
// buttons and the exit question, through its real controls.

#include "app/ButtonKeys.h"
#include "core/ArchiveStore.h"
#include "core/Corpo.h"
#include "support/MainWindowFixture.h"
#include "ui/frmStatistiche.h"
#include "ui/frmVerifica.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QToolButton>
#include <sys/stat.h>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

class MainWindowTest : public MainWindowFixture
{
protected:
    QStringList cellTexts() const
    {
        QStringList texts;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                texts << form->cell(r, c)->text();
        return texts;
    }
    QStringList amounts() const
    {
        QStringList texts;
        for (TextBox *box : form->txtImpQuad)
            texts << box->text();
        texts << form->txtImportoSistema->text();
        for (QLabel *label : form->lblVincite)
            texts << label->text();
        return texts;
    }
    void leaveStakeBox(int index)
    {
        QTest::keyClick(form->txtImpQuad[index], Qt::Key_Tab);
        settle();
    }
};

const QStringList kZeroAmounts(7, QStringLiteral("0,00"));

TEST_F(MainWindowTest, StartState)
{
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Zelmoravintesca by Vandrel - Versione %1 - Freeware")
                  .arg(corpo::versionText()));
    EXPECT_EQ(cellTexts(), QStringList(16, QStringLiteral("  ")));
    EXPECT_EQ(amounts(), kZeroAmounts);
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("vuoto.zlm"));
    EXPECT_EQ(form->cmbRuote->count(), 11);
    EXPECT_EQ(form->cmbRuote->currentText(), QStringLiteral("Bari"));
    EXPECT_EQ(program.ruote.last(), QStringLiteral("Nazionale"));
    EXPECT_EQ(form->sistema().NomeSistema.text(), QStringLiteral("vuoto.zlm           "));
    EXPECT_EQ(form->sistema().Ruota.text(), QString(10, u' '));
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(MainWindowTest, ButtonsCarryTheirCaptionsAndTooltips)
{
    const struct
    {
        QToolButton *button;
        const char *text;
        const char *tip;
    } buttons[] = {{form->cmdApri, "&Apri", "Apri Sistema"},
                   {form->cmdSalva, "&Salva", "Salva Sistema"},
                   {form->cmdCapogioco, "&Capogioco", "Inserisci il capogioco di ogni schedina"},
                   {form->cmdCasuale, "Cas&uale", "Genera un pronostico casuale"},
                   {form->cmdPrnSchedine, "&Schedine", "Stampa Schedine"},
                   {form->cmdPrnTabulato, "&Tabulato", "Stampa Tabulato"},
                   {form->cmdCancella, "Canc&ella", "Cancella Sistema"}};
    for (const auto &b : buttons) {
        SCOPED_TRACE(b.button->objectName().toStdString());
        EXPECT_EQ(b.button->text(), QString::fromUtf8(b.text));
        EXPECT_EQ(b.button->toolTip(), QString::fromUtf8(b.tip));
        EXPECT_FALSE(b.button->icon().isNull());
    }
    EXPECT_EQ(form->cmd12Euro->text(), QStringLiteral("12 €"));
    EXPECT_FALSE(form->cmd12Euro->toolTip().isEmpty());
}

TEST_F(MainWindowTest, AmboStakeTypedAndLeft)
{
    typeInto(form->txtImpQuad[0], QStringLiteral("1,5"));
    leaveStakeBox(0);
    EXPECT_EQ(amounts(), (QStringList{"1,50", "0,00", "0,00", "12,00", "62,50", "0,00", "0,00"}));
    EXPECT_EQ(form->sistema().Puntate[0], 1.5f);
    EXPECT_EQ(form->sistema().ImportoSistema, 12.0f);
}

TEST_F(MainWindowTest, TernoStakeAloneHasNoAmboShare)
{
    typeInto(form->txtImpQuad[1], QStringLiteral("3"));
    leaveStakeBox(1);
    EXPECT_EQ(amounts(),
              (QStringList{"0,00", "3,00", "0,00", "24,00", "0,00", "3.375,00", "0,00"}));
}

TEST_F(MainWindowTest, StakeBoxesRefuseDotsAndLettersAndTakeAtMostFiveCharacters)
{
    typeInto(form->txtImpQuad[2], QStringLiteral("1.5a"));
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(form->txtImpQuad[2]->text(), QStringLiteral("15"));
    QTest::keyClicks(form->txtImpQuad[2], QStringLiteral("12345"));
    EXPECT_EQ(form->txtImpQuad[2]->text().size(), 5);

    // Left, the box shows "15123,00": longer than it takes, yet Backspace still shortens it;
    // the limit only stops it growing.
    leaveStakeBox(2);
    EXPECT_EQ(form->txtImpQuad[2]->text(), QStringLiteral("15123,00"));
    form->txtImpQuad[2]->setFocus(Qt::TabFocusReason);
    form->txtImpQuad[2]->end(false);
    QTest::keyClick(form->txtImpQuad[2], Qt::Key_Backspace);
    EXPECT_EQ(form->txtImpQuad[2]->text(), QStringLiteral("15123,0"));
    QTest::keyClicks(form->txtImpQuad[2], QStringLiteral("5"));
    EXPECT_EQ(form->txtImpQuad[2]->text(), QStringLiteral("15123,0"));
}

TEST_F(MainWindowTest, UnreadableStakeCountsAsZero)
{
    typeInto(form->txtImpQuad[0], QStringLiteral("2"));
    leaveStakeBox(0);
    form->txtImpQuad[0]->setFocus(Qt::TabFocusReason);
    settle();
    QTest::keyClick(form->txtImpQuad[0], Qt::Key_Backspace); // the selection goes: empty box
    leaveStakeBox(0);
    EXPECT_EQ(amounts(), kZeroAmounts);
    typeInto(form->txtImpQuad[0], QStringLiteral(",,"));
    leaveStakeBox(0);
    EXPECT_EQ(amounts(), kZeroAmounts);
}

TEST_F(MainWindowTest, TwelveEuroSetsTheStakesAndLeavesTheSquare)
{
    form->cell(0, 0)->setText(QStringLiteral("5"));
    // Enter presses the focused button, as the program sets it up for every window.
    EnterPressesButtons enter;
    qApp->installEventFilter(&enter);
    form->cmd12Euro->setFocus();
    QTest::keyClick(form->cmd12Euro, Qt::Key_Return);
    EXPECT_EQ(amounts(),
              (QStringList{"1,15", "0,25", "0,10", "12,00", "47,92", "425,00", "13.412,50"}));
    EXPECT_EQ(form->cell(0, 0)->text(), QStringLiteral("5"));
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(MainWindowTest, EnterInTheLastCellMovesOnToTheStakes)
{
    typeInto(form->cell(3, 3), QStringLiteral("8"));
    QTest::keyClick(form->cell(3, 3), Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->txtImpQuad[0]);
    EXPECT_EQ(form->txtImpQuad[0]->selectedText(), QStringLiteral("0,00"));
}

TEST_F(MainWindowTest, ClearAfterAFullSystem)
{
    typeValidSquare();
    form->cmd12Euro->click();
    ui.setNextInput(QStringLiteral("7"));
    form->cmdCapogioco->click();
    form->cmbRuote->setCurrentIndex(4);
    form->cmdCancella->click();
    EXPECT_EQ(cellTexts(), QStringList(16, QStringLiteral("  ")));
    EXPECT_EQ(amounts(), kZeroAmounts);
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("vuoto.zlm"));
    EXPECT_EQ(form->cmbRuote->currentIndex(), 0);
    EXPECT_EQ(form->sistema().Capogioco, 0);
    EXPECT_EQ(form->sistema().Righe, Square{});
    EXPECT_EQ(form->sistema().Puntate, (Amounts{0, 0, 0}));
}

TEST_F(MainWindowTest, LeadNumberOnAnEmptySquare)
{
    ui.setNextInput(QStringLiteral("7"));
    form->cmdCapogioco->click();
    settle();
    ASSERT_EQ(ui.shown.size(), 2);
    EXPECT_EQ(ui.shown[0].kind, QStringLiteral("InputBox"));
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("Inserisci il capogioco (1-90)"));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("CAPOGIOCO"));
    EXPECT_EQ(ui.shown[0].defaultText, QStringLiteral("0"));
    EXPECT_EQ(ui.shown[1].text, QStringLiteral("La prima quaterna non è completa!!!"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form->cell(i, i)->text(), QStringLiteral("7"));
    EXPECT_EQ(form->sistema().Capogioco, 7);
    EXPECT_EQ(QApplication::focusWidget(), form->cell(0, 1));

    // The next question offers the lead number already set.
    form->cmdCapogioco->click();
    EXPECT_EQ(ui.shown.last().defaultText, QStringLiteral("7"));
}

TEST_F(MainWindowTest, LeadNumberOutOfRangeOrCancelledChangesNothing)
{
    typeValidSquare();
    ui.setNextInput(QStringLiteral("9"));
    form->cmdCapogioco->click();
    const QStringList before = cellTexts();
    for (const char *input : {"0", "91", "-3", "300", "abc"}) {
        SCOPED_TRACE(input);
        ui.clear();
        ui.setNextInput(QString::fromLatin1(input));
        form->cmdCapogioco->click();
        ASSERT_EQ(ui.messages(), QStringList{QStringLiteral("I valori possibili sono da 1 a 90")})
            << input;
        EXPECT_EQ(ui.shown.last().icon, MessageIcon::Critical);
        EXPECT_EQ(ui.shown.last().title, QStringLiteral("Errore"));
        EXPECT_EQ(cellTexts(), before) << input;
        EXPECT_EQ(form->sistema().Capogioco, 9);
    }
    ui.clear();
    form->cmdCapogioco->click(); // cancelled: no answer queued
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(cellTexts(), before);

    ui.setNextInput(QStringLiteral("12abc"));
    form->cmdCapogioco->click();
    EXPECT_EQ(form->cell(2, 2)->text(), QStringLiteral("12"));
    EXPECT_EQ(form->sistema().Capogioco, 12);
}

TEST_F(MainWindowTest, RandomPrognosisKeepsTheLeadNumberOnTheDiagonal)
{
    ui.setNextInput(QStringLiteral("45"));
    form->cmdCapogioco->click();
    for (int press = 0; press < 40; ++press) {
        form->cmdCasuale->click();
        for (int r = 0; r < 4; ++r) {
            QSet<int> row;
            for (int c = 0; c < 4; ++c) {
                const int n = form->cell(r, c)->text().toInt();
                if (r == c) {
                    EXPECT_EQ(n, 45);
                } else {
                    EXPECT_GE(n, 1);
                    EXPECT_LE(n, 90);
                    EXPECT_NE(n, 45);
                }
                row.insert(n);
            }
            EXPECT_EQ(row.size(), 4);
        }
    }
    // The check after each press finds nothing: the only message is the one of the lead number
    // set on an empty square.
    EXPECT_EQ(ui.messages().size(), 1) << ui.messages().join(u'\n').toStdString();
}

TEST_F(MainWindowTest, PrintButtonsStopAtAnIncompleteSquare)
{
    for (QToolButton *button : {form->cmdPrnSchedine, form->cmdPrnTabulato}) {
        SCOPED_TRACE(button->objectName().toStdString());
        ui.clear();
        button->click();
        EXPECT_EQ(ui.messages(),
                  QStringList{QStringLiteral("La prima quaterna non è completa!!!")});
        EXPECT_TRUE(form->isEnabled());
    }
}

TEST_F(MainWindowTest, PrintButtonsBringTheSystemUpToDate)
{
    typeValidSquare();
    form->cmd12Euro->click();
    form->cmbRuote->setCurrentIndex(2);
    QString opened;
    onNextModal([&](QDialog *dialog) { opened = dialog->objectName(); });
    form->cmdPrnTabulato->click();
    EXPECT_EQ(opened, QStringLiteral("frmTabulato"));
    EXPECT_TRUE(form->isEnabled());
    EXPECT_TRUE(ui.messages().filter(QStringLiteral("quaterna")).isEmpty());
    EXPECT_EQ(form->sistema().Ruota.text(), QStringLiteral("Firenze   "));
    EXPECT_EQ(form->sistema().Colonne[3], (std::array<std::uint8_t, 4>{13, 23, 33, 7}));
    EXPECT_EQ(form->sistema().ImportoSistema, 12.0f);
}

TEST_F(MainWindowTest, AltVChecksTheSquareThenOpensVerificaOnTheSystemOnScreen)
{
    // An incomplete square stops at the square check's message; no window opens.
    QTest::keyClick(form.get(), Qt::Key_V, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ui.messages().isEmpty(); }, 3000));
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("La prima quaterna non è completa!!!")});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    ui.clear();
    typeValidSquare();
    form->cmd12Euro->click();
    form->cmbRuote->setCurrentIndex(2);
    QString opened;
    QString system;
    QString archiveFolder;
    onNextModal([&](QDialog *dialog) {
        opened = dialog->objectName();
        if (auto *verifica = qobject_cast<frmVerifica *>(dialog)) {
            system = verifica->lblSistema->text();
            archiveFolder = QFileInfo(verifica->archivePath()).path();
        }
    });
    QTest::keyClick(form.get(), Qt::Key_V, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 3000));
    EXPECT_EQ(opened, QStringLiteral("frmVerifica"));
    EXPECT_TRUE(system.contains(QStringLiteral("Ruota: Firenze"))) << system.toStdString();
    EXPECT_TRUE(system.contains(QStringLiteral("12,00"))) << system.toStdString();
    EXPECT_EQ(archiveFolder, folder.path());
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(MainWindowTest, AltFOpensTheFiguresOnTheStoredArchiveWithoutACompleteSquare)
{
    // What the figures window shows once its own reading of the stored archive has ended.
    const auto openFigures = [&](const QString &awaited) {
        QString shownSummary;
        QString shownPlay;
        onNextModal([&](QDialog *dialog) {
            auto *figures = qobject_cast<frmStatistiche *>(dialog);
            ASSERT_NE(figures, nullptr);
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return figures->lblRiepilogo->text().contains(awaited); }, 5000));
            shownSummary = figures->lblRiepilogo->text();
            for (int c = 1; c < 3; ++c)
                if (QTableWidgetItem *item = figures->grdGiocate->item(0, c))
                    shownPlay += item->text() + u'|';
        });
        EXPECT_TRUE(showActive(*form));
        QTest::keyClick(form.get(), Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shownSummary.isEmpty(); }, 8000));
        return std::pair{shownSummary, shownPlay};
    };

    // No archive yet: the window says where the draws come from, and nothing is asked.
    EXPECT_EQ(openFigures(QStringLiteral("vuoto")).first,
              QStringLiteral("L'archivio delle estrazioni è vuoto: \"Aggiorna archivio\", "
                             "nella finestra Verifica, scarica tutte le estrazioni dal 1939."));
    EXPECT_TRUE(ui.shown.isEmpty());

    // Two draws stored and only half a first row typed: the play is followed as far as it goes,
    // on the wheel chosen on screen. Its ambo came out in the first draw, not in the second.
    const ArchiveStore store(path(QString::fromLatin1(ArchiveStore::kFileName)));
    const QByteArray draws = "2026-01-03 BA 7 11 50 60 70\n2026-01-07 BA 1 2 3 4 5\n"
                             "2026-01-07 FI 7 11 12 13 14\n";
    ASSERT_TRUE(
        store.importSources({ImportSource::inMemory(QStringLiteral("prova"), draws)}, nullptr)
            .saved);
    form->cell(0, 0)->setText(QStringLiteral("7"));
    form->cell(0, 1)->setText(QStringLiteral("11"));
    const auto [summary, firstPlay] = openFigures(QStringLiteral(": 2 estrazioni"));
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Bari, dal "))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral(": 2 estrazioni"))) << summary.toStdString();
    EXPECT_EQ(firstPlay, QStringLiteral("07 11|1|"));
    EXPECT_TRUE(ui.shown.isEmpty()) << ui.messages().join(u'\n').toStdString();
}

TEST_F(MainWindowTest, ExitQuestionNoKeepsEverythingYesUnloadsTheOthers)
{
    typeValidSquare();
    QPointer<QWidget> other = new QWidget;
    other->setObjectName(QStringLiteral("frmTabulato"));
    other->show();

    ui.setNextAnswer(Answer::No);
    EXPECT_FALSE(form->close());
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("Uscire dall'applicazione?"));
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(ui.shown[0].title, form->windowTitle());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->cell(1, 2)->text(), QStringLiteral("22"));
    EXPECT_EQ(endCalls, 0);

    ui.setNextAnswer(Answer::Yes);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(endCalls, 1);
    EXPECT_TRUE(other.isNull());
}

TEST_F(MainWindowTest, MissingWheelsFileGivesAnEmptyListAndAMessage)
{
    QFile::remove(path(QStringLiteral("ruote.grc")));
    program.appPath = folder.path() + u'/';
    form = std::make_unique<frmMain>(program);
    form->Form_Load();
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral(
                  "Error 53 (File not found) in procedure CaricaRuote of Modulo corpo")});
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(form->cmbRuote->count(), 0);
    EXPECT_TRUE(program.ruote.isEmpty());
    EXPECT_EQ(form->lblNomeSistema->text(), QStringLiteral("vuoto.zlm"));
}

// Whether a label shows its whole text: the label is as wide as its text needs, and no ink
// runs into its border and padding, as a text cut at its start does.
bool labelShowsWholeText(QLabel *label)
{
    if (label->sizeHint().width() > label->width())
        return false;
    const QImage image = label->grab().toImage();
    const int inside = label->contentsRect().left();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < inside; ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return false;
    return true;
}

// Whether a line edit shows its whole text: neither end is scrolled out of view.
bool editShowsWholeText(QLineEdit *edit)
{
    const QRect area = edit->contentsRect();
    const int y = area.center().y();
    return edit->cursorPositionAt(QPoint(area.left() + 1, y)) == 0 &&
           edit->cursorPositionAt(QPoint(area.right() - 1, y)) == edit->text().size();
}

TEST_F(MainWindowTest, EveryAmountIsShownWholeAtEverySize)
{
    const QSize first = form->size();
    const struct
    {
        const char *stakes[3];
    } rows[] = {
        {{"0", "0", "1"}},
        {{"1", "1", "1"}},
        {{"99,99", "99,99", "99,99"}},
        {{"99999", "99999", "99999"}},
        {{"9,99", "0", "99999"}},
    };
    const QSize sizes[] = {first, form->minimumSize(), first * 0.8, first * 1.6,
                           QSize(form->minimumWidth(), first.height())};
    for (const auto &row : rows) {
        for (int i = 0; i < 3; ++i) {
            typeInto(form->txtImpQuad[i], QString::fromUtf8(row.stakes[i]));
            leaveStakeBox(i);
        }
        for (const QSize &size : sizes) {
            SCOPED_TRACE(QStringLiteral("%1 at %2x%3")
                             .arg(amounts().join(u' '))
                             .arg(size.width())
                             .arg(size.height())
                             .toStdString());
            form->resize(size);
            settle();
            for (QLabel *label : form->lblVincite)
                EXPECT_TRUE(labelShowsWholeText(label)) << label->text().toStdString();
            for (TextBox *box : form->txtImpQuad)
                EXPECT_TRUE(editShowsWholeText(box)) << box->text().toStdString();
            EXPECT_TRUE(editShowsWholeText(form->txtImportoSistema));
        }
        form->resize(first);
        settle();
    }
    // Short amounts keep the font the window gives them.
    form->cmd12Euro->click();
    settle();
    for (QLabel *label : form->lblVincite)
        EXPECT_EQ(label->font().pointSizeF(), form->lblGiocate[5]->font().pointSizeF());
    EXPECT_EQ(form->lblVincite[2]->text(), QStringLiteral("13.412,50"));
}

TEST_F(MainWindowTest, ALongSystemNameIsShownWhole)
{
    form->lblNomeSistema->setText(QStringLiteral("MMMMMMMMMMMMMMMM.zlm"));
    for (const QSize &size : {form->size(), form->minimumSize()}) {
        SCOPED_TRACE(::testing::Message() << size.width() << "x" << size.height());
        form->resize(size);
        settle();
        EXPECT_TRUE(labelShowsWholeText(form->lblNomeSistema));
    }
}

TEST_F(MainWindowTest, AWheelsFileThatIsNoFileIsRefusedAndAHugeOneGivesItsFirstNames)
{
    const QString path = folder.filePath(QStringLiteral("ruote.grc"));
    const QString refused = QStringLiteral(
        "Error 75 (Path/File access error) in procedure CaricaRuote of Modulo corpo");
    // A named pipe nobody writes to, a link to /dev/zero, a folder.
    for (int kind = 0; kind < 3; ++kind) {
        QFile::remove(path);
        if (kind == 0)
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == 1)
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
        else
            ASSERT_TRUE(QDir().mkpath(path));
        ui.clear();
        program.appPath = folder.path() + u'/';
        form = std::make_unique<frmMain>(program);
        form->Form_Load();
        EXPECT_EQ(ui.messages(), QStringList{refused}) << kind;
        EXPECT_EQ(form->cmbRuote->count(), 0) << kind;
    }
    QDir(path).removeRecursively();
    // Ten million lines: only the first 64 KiB are read, which hold the eleven names.
    {
        QFile big(path);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        const QByteArray block = QByteArray("Bari\r\n").repeated(100'000);
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(big.write(block), block.size());
    }
    ui.clear();
    program.appPath = folder.path() + u'/';
    form = std::make_unique<frmMain>(program);
    form->Form_Load();
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(form->cmbRuote->count(), 11);
}

TEST_F(MainWindowTest, ResizingScalesTheControls)
{
    const QRect cellBefore = form->cell(3, 3)->geometry();
    const qreal fontBefore = form->cell(3, 3)->font().pointSizeF();
    form->resize(form->size() * 1.5);
    settle();
    const QRect cellAfter = form->cell(3, 3)->geometry();
    EXPECT_NEAR(cellAfter.x(), cellBefore.x() * 1.5, 2);
    EXPECT_NEAR(cellAfter.width(), cellBefore.width() * 1.5, 2);
    EXPECT_NEAR(form->cell(3, 3)->font().pointSizeF(), fontBefore * 1.5, 0.1);
    form->resize(form->size() / 1.5);
    settle();
    EXPECT_EQ(form->cell(3, 3)->geometry(), cellBefore);
}

} // namespace
