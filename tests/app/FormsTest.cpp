#include "app/Forms.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace zelmora;

namespace {

QWidget *makeForm(const char *name)
{
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    w->show();
    return w;
}

TEST(UnloadAllFormsExceptTest, KeepsOnlyTheNamedWindow)
{
    QPointer<QWidget> main = makeForm("frmMain");
    QPointer<QWidget> listing = makeForm("frmTabulato");
    QPointer<QWidget> lower = makeForm("frmmain"); // names compare case-sensitively
    UnloadAllFormsExcept(QStringLiteral("frmMain"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(main.isNull());
    EXPECT_TRUE(listing.isNull());
    EXPECT_TRUE(lower.isNull());
    delete main;
}

TEST(UnloadAllFormsExceptTest, EmptyNameUnloadsEveryWindow)
{
    QPointer<QWidget> main = makeForm("frmMain");
    QPointer<QWidget> splash = makeForm("frmSplash");
    UnloadAllFormsExcept(QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main.isNull());
    EXPECT_TRUE(splash.isNull());
}

} // namespace
