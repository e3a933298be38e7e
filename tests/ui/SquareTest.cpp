// The square of the main window driven through its real cells with keystrokes.

#include "support/MainWindowFixture.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QWindow>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

class SquareTest : public MainWindowFixture
{
protected:
    void typeInto(int row, int column, const char *keys)
    {
        MainWindowFixture::typeInto(form->cell(row, column), QString::fromLatin1(keys));
    }
    void fillValid() { typeValidSquare(); }
};

TEST_F(SquareTest, CellsStartEmptyWithTheDiagonalInLightBlue)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(form->cell(r, c)->text(), QStringLiteral("  "));
            EXPECT_EQ(form->cell(r, c)->maxTyped(), 2);
            const QColor base = form->cell(r, c)->palette().color(QPalette::Base);
            EXPECT_EQ(base, r == c ? QColor(128, 128, 255) : QColor(Qt::white));
        }
    EXPECT_EQ(form->findChild<TextBox *>(QStringLiteral("txtQuaterna3_2")), form->txtQuaterna3[2]);
}

TEST_F(SquareTest, NinetyFiveIsRefusedAndTheCellShowsDoubleZeroSelected)
{
    typeInto(1, 2, "9");
    EXPECT_TRUE(ui.messages().isEmpty());
    QTest::keyClick(form->cell(1, 2), Qt::Key_5);
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("I valori possibili sono da 1 a 90"));
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Errore"));
    EXPECT_EQ(form->cell(1, 2)->text(), QStringLiteral("00"));
    EXPECT_EQ(form->cell(1, 2)->selectedText(), QStringLiteral("00"));
    // Typing goes on replacing the selection.
    QTest::keyClicks(form->cell(1, 2), QStringLiteral("45"));
    EXPECT_EQ(form->cell(1, 2)->text(), QStringLiteral("45"));
}

TEST_F(SquareTest, LettersAndCommaBeepAndTypeNothing)
{
    typeInto(0, 0, "a");
    EXPECT_EQ(ui.beeps, 1);
    typeInto(0, 0, ",");
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(form->cell(0, 0)->text(), QStringLiteral("  "));
    typeInto(0, 0, "4");
    EXPECT_EQ(form->cell(0, 0)->text(), QStringLiteral("4"));
    QTest::keyClick(form->cell(0, 0), Qt::Key_Backspace);
    EXPECT_EQ(form->cell(0, 0)->text(), QString());
    EXPECT_EQ(ui.beeps, 2);
}

TEST_F(SquareTest, EnteringACellSelectsItsText)
{
    form->cell(2, 1)->setText(QStringLiteral("33"));
    form->cell(2, 1)->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(form->cell(2, 1)->selectedText(), QStringLiteral("33"));
    form->cell(2, 2)->setText(QStringLiteral("44"));
    QTest::mouseClick(form->cell(2, 2), Qt::LeftButton);
    settle();
    EXPECT_EQ(form->cell(2, 2)->selectedText(), QStringLiteral("44"));
}

TEST_F(SquareTest, EnterMovesAlongTheRowAndOnToTheNextRow)
{
    typeInto(0, 2, "5");
    QTest::keyClick(form->cell(0, 2), Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->cell(0, 3));
    QTest::keyClick(form->cell(0, 3), Qt::Key_Enter);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->cell(1, 0));
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_EQ(form->cell(0, 2)->text(), QStringLiteral("5"));
}

TEST_F(SquareTest, KeysTypedAheadOfEnterGoToTheNextCell)
{
    // A fast player: every key is already waiting before the first one is handled.
    form->cell(0, 0)->setFocus(Qt::TabFocusReason);
    settle();
    // Queued on the window, the keys reach whichever cell has the focus when they are handled.
    QWindow *window = form->windowHandle();
    const auto queue = [window](Qt::Key key, const QString &text) {
        QCoreApplication::postEvent(window,
                                    new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    };
    queue(Qt::Key_6, QStringLiteral("6"));
    queue(Qt::Key_7, QStringLiteral("7"));
    queue(Qt::Key_Return, QStringLiteral("\r"));
    queue(Qt::Key_7, QStringLiteral("7"));
    queue(Qt::Key_8, QStringLiteral("8"));
    settle();
    EXPECT_EQ(form->cell(0, 0)->text(), QStringLiteral("67"));
    EXPECT_EQ(form->cell(0, 1)->text(), QStringLiteral("78"));
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(SquareTest, PastedTextIsCheckedLikeTypedText)
{
    QApplication::clipboard()->setText(QStringLiteral("97"));
    form->cell(3, 0)->setFocus(Qt::TabFocusReason);
    settle();
    QTest::keyClick(form->cell(3, 0), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("I valori possibili sono da 1 a 90")});
    EXPECT_EQ(form->cell(3, 0)->text(), QStringLiteral("00"));
}

TEST_F(SquareTest, PastedTextObeysTheKeysRules)
{
    struct Paste
    {
        TextBox *box;
        const char *clipboard;
        const char *after; // what the box shows after the paste over its whole text
        bool beep;
    };
    const Paste pastes[] = {
        {form->cell(1, 2), "-5", "  ", true},       {form->cell(1, 2), "5a", "  ", true},
        {form->cell(1, 2), "1.", "  ", true},       {form->cell(1, 2), "\t7", "  ", true},
        {form->cell(1, 2), " 7", " 7", false},      {form->cell(1, 2), "42", "42", false},
        {form->txtImpQuad[1], "-1", "0,00", true},  {form->txtImpQuad[1], "1,2,3", "0,00", true},
        {form->txtImpQuad[1], "1.5", "0,00", true}, {form->txtImpQuad[1], "12,5", "12,5", false},
    };
    for (const Paste &paste : pastes) {
        SCOPED_TRACE(paste.clipboard);
        ui.clear();
        paste.box->setText(paste.box == form->cell(1, 2) ? QStringLiteral("  ")
                                                         : QStringLiteral("0,00"));
        QApplication::clipboard()->setText(QString::fromUtf8(paste.clipboard));
        paste.box->setFocus(Qt::TabFocusReason);
        settle();
        paste.box->selectAll();
        QTest::keyClick(paste.box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(paste.box->text(), QString::fromUtf8(paste.after));
        EXPECT_EQ(ui.beeps > 0, paste.beep);
        EXPECT_TRUE(ui.messages().isEmpty());
    }
}

TEST_F(SquareTest, DeleteDeletesInCellsAndStakeBoxes)
{
    for (TextBox *box : {form->cell(0, 1), form->txtImpQuad[2]}) {
        ui.clear();
        box->setFocus(Qt::TabFocusReason);
        settle();
        box->setText(QStringLiteral("12"));
        box->setCursorPosition(0);
        QTest::keyClick(box, Qt::Key_Delete);
        EXPECT_EQ(box->text(), QStringLiteral("2"));
        EXPECT_EQ(ui.beeps, 0);
    }
}

TEST_F(SquareTest, CheckShowsTheFirstFaultAndMovesTheFocus)
{
    fillValid();
    form->cell(2, 3)->setText(QStringLiteral("00")); // "00" counts as empty
    EXPECT_FALSE(form->ControllaGriglia());
    settle();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("La terza quaterna non è completa!!!"));
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Attenzione!!"));
    EXPECT_EQ(QApplication::focusWidget(), form->cell(2, 3));

    form->cell(2, 3)->setText(QStringLiteral("0"));
    form->cell(1, 0)->setText(QStringLiteral("22")); // row 2 now holds 22 twice
    form->cell(2, 3)->setText(QStringLiteral("33"));
    EXPECT_FALSE(form->ControllaGriglia());
    settle();
    EXPECT_EQ(ui.messages().last(),
              QStringLiteral("Valore duplicato nella 2° quaterna orizzontale!!!"));
    EXPECT_EQ(QApplication::focusWidget(), form->cell(1, 2));
}

TEST_F(SquareTest, ValidSquareIsCopiedIntoTheSystem)
{
    fillValid();
    form->cell(0, 1)->setText(QStringLiteral("07")); // typed with a leading zero
    form->cell(1, 1)->setText(QStringLiteral("8"));
    form->cell(2, 2)->setText(QStringLiteral("9"));
    form->cell(3, 3)->setText(QStringLiteral("10"));
    form->cell(0, 0)->setText(QStringLiteral("6"));
    EXPECT_TRUE(form->ControllaGriglia());
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(form->sistema().Righe[0], (std::array<std::uint8_t, 4>{6, 7, 12, 13}));
}

} // namespace
