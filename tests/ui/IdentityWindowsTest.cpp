// The splash and about windows, and the web links.

#include "app/Program.h"
#include "app/WebPage.h"
#include "core/BuildSettings.h"
#include "core/Corpo.h"
#include "support/MainWindowFixture.h"
#include "support/ScriptedUiServices.h"
#include "ui/frmAbout.h"
#include "ui/frmSplash.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

TEST(SplashTest, ShowsTheProductAndClosesOnAKey)
{
    QPointer<frmSplash> splash = new frmSplash(corpo::Identity{});
    splash->Form_Load();
    ASSERT_TRUE(showActive(*splash));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash->lblProductName->text(), QStringLiteral("Zelmoravintesca"));
    EXPECT_EQ(splash->lblVersion->text(), QStringLiteral("Versione ") + corpo::versionText());
    EXPECT_EQ(splash->lblCompanyProduct->text(), QStringLiteral("by Vandrel"));
    EXPECT_EQ(splash->lblVersion->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(splash->lblVersion->font().bold());
    // Every label keeps its text on one line inside its box.
    for (QLabel *label : {splash->lblProductName, splash->lblCompanyProduct, splash->lblPlatform,
                          splash->lblVersion})
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
    QTest::keyClick(splash, Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST(SplashTest, AClickOnTheFrameClosesIt)
{
    QPointer<frmSplash> splash = new frmSplash(corpo::Identity{});
    splash->Form_Load();
    splash->show();
    QTest::mouseClick(splash->Frame1, Qt::LeftButton, {}, QPoint(4, 4));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST(AboutTest, TextsAndTheMissingSystemInformationTool)
{
    ScriptedUiServices ui;
    Program program;
    program.ui = &ui;
    frmAbout about(program);
    about.Form_Load();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Informazioni su Zelmoravintesca"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Zelmoravintesca"));
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Versione ") + corpo::versionText());
    EXPECT_EQ(about.lblDescription->text(), QStringLiteral("Versione freeware"));
    EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    about.show();
    about.cmdSysInfo->click();
    EXPECT_EQ(ui.messages(),
              QStringList{QStringLiteral(
                  "Le informazioni sul sistema non sono disponibili in questa fase")});
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(about.isVisible()); // the window stays open
    about.cmdOK->click();
    EXPECT_FALSE(about.isVisible());
}

TEST(WebPageTest, WwwAddressesGetAScheme)
{
    EXPECT_EQ(webAddress(QStringLiteral("www.vandrel.example/ritardatari")),
              QStringLiteral("http://www.vandrel.example/ritardatari"));
    EXPECT_EQ(webAddress(QStringLiteral("http://www.vandrel.example/lotto/")),
              QStringLiteral("http://www.vandrel.example/lotto/"));
    EXPECT_EQ(webAddress(QStringLiteral("WWW.X.EXAMPLE")), QStringLiteral("http://WWW.X.EXAMPLE"));
}

class MainWindowLinksTest : public MainWindowFixture
{
};

TEST_F(MainWindowLinksTest, RitardatariOpensTheMakersPageOrTellsItsAddress)
{
    const QString page = QStringLiteral("http://") + webHost() + QStringLiteral("/ritardatari");
    form->cmdRitardatari->click();
    EXPECT_EQ(ui.openedUrls, QStringList{page});
    EXPECT_TRUE(ui.messages().isEmpty());
    // With no browser to open it, the player is given the address.
    ui.openUrlResult = false;
    form->cmdRitardatari->click();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].endsWith(page)) << ui.messages()[0].toStdString();
}

TEST_F(MainWindowLinksTest, AClickOnTheBackgroundOpensTheAboutWindow)
{
    QString opened;
    onNextModal([&](QDialog *dialog) { opened = dialog->windowTitle(); });
    QTest::mouseClick(form.get(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opened, QStringLiteral("Informazioni su Zelmoravintesca"));
    // A click on a control does not.
    opened.clear();
    QTest::mouseClick(form->cell(0, 0), Qt::LeftButton);
    settle();
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace
