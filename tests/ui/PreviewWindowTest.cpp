// The preview window turned and zoomed with its buttons and keys.

#include "support/WidgetTest.h"
#include "ui/frmAnteprima.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

Preview threePages()
{
    Preview preview;
    preview.printerName = QStringLiteral("File PDF");
    preview.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                 QPageLayout::Millimeter);
    for (int n = 1; n <= 3; ++n) {
        RecordedItem mark;
        mark.kind = RecordedItem::Box;
        mark.rect = QRectF(10 * n, 10, 2, 2);
        preview.pages.append({mark});
    }
    return preview;
}

TEST(PreviewWindowTest, PagesTurnWithTheButtonsAndKeysAndStopAtTheEnds)
{
    frmAnteprima window(threePages(), QStringLiteral("Stampa Schedine"));
    ASSERT_TRUE(showActive(window));
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Pagina 1 di 3"));
    EXPECT_FALSE(window.cmdPrecedente->isEnabled());

    QTest::keyClick(&window, Qt::Key_PageDown);
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Pagina 2 di 3"));
    // A mnemonic presses its button after a short press animation.
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.picPagina->page() == 2; }, 2000));
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Pagina 3 di 3"));
    EXPECT_FALSE(window.cmdSuccessiva->isEnabled());
    QTest::keyClick(&window, Qt::Key_PageDown);
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Pagina 3 di 3"));
    QTest::keyClick(&window, Qt::Key_Home);
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Pagina 1 di 3"));
    QTest::keyClick(&window, Qt::Key_End);
    EXPECT_EQ(window.picPagina->page(), 2);
    window.cmdPrecedente->click();
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Pagina 2 di 3"));
}

TEST(PreviewWindowTest, TheWholeSheetShowsFirstAndZoomStaysWithinBounds)
{
    frmAnteprima window(threePages(), QStringLiteral("Stampa Tabulato"));
    ASSERT_TRUE(showActive(window));
    settle();
    // The sheet fits the window when it opens.
    const QSize page = window.picPagina->size();
    EXPECT_LE(page.height(), window.height());
    EXPECT_LE(page.width(), window.width());

    const double fitted = window.picPagina->scale();
    QTest::keyClick(&window, Qt::Key_Plus);
    EXPECT_NEAR(window.picPagina->scale(), fitted * 1.25, 1e-9);
    QTest::keyClick(&window, Qt::Key_Minus);
    EXPECT_NEAR(window.picPagina->scale(), fitted, 1e-9);
    for (int i = 0; i < 40; ++i)
        window.cmdIngrandisci->click();
    EXPECT_DOUBLE_EQ(window.picPagina->scale(), 16);
    for (int i = 0; i < 40; ++i)
        window.cmdRiduci->click();
    EXPECT_DOUBLE_EQ(window.picPagina->scale(), 0.5);
}

TEST(PreviewWindowTest, EscapeAndChiudiCloseIt)
{
    frmAnteprima window(threePages(), QStringLiteral("Stampa Tabulato"));
    ASSERT_TRUE(showActive(window));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(showActive(window));
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 2000));
}

TEST(PreviewWindowTest, APreviewWithoutPagesSaysSo)
{
    Preview empty = threePages();
    empty.pages.clear();
    frmAnteprima window(empty, QStringLiteral("Stampa Tabulato"));
    EXPECT_EQ(window.labPagina->text(), QStringLiteral("Nessuna pagina"));
    EXPECT_FALSE(window.cmdSuccessiva->isEnabled());
    EXPECT_FALSE(window.cmdPrecedente->isEnabled());
}

} // namespace
