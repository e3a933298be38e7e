// What a screen reader meets through Qt's accessibility interfaces: labels that name a box are
// its buddies and give it their words; the lists are called by what they choose. (Every
// window's names are read on the accessibility bus by the e2e test.)

#include "ui/SpokenNames.h"
#include "support/MainWindowFixture.h"
#include "ui/DateBox.h"
#include "ui/frmVerifica.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

QAccessibleInterface *spoken(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

class SpokenNamesTest : public MainWindowFixture
{
};

TEST_F(SpokenNamesTest, TheCaptionsBesideTheBoxesAreTheirBuddies)
{
    const std::pair<int, TextBox *> stakes[] = {
        {2, form->txtImpQuad[0]}, {10, form->txtImpQuad[1]}, {16, form->txtImpQuad[2]}};
    for (const auto &[caption, box] : stakes)
        EXPECT_EQ(form->lblGiocate[caption]->buddy(), box) << caption;
    EXPECT_EQ(form->lblGiocate[21]->buddy(), form->txtImportoSistema);

    frmVerifica verifica(form->sistema(), program, form.get());
    for (DateBox *box : {verifica.dtpDal, verifica.dtpAl}) {
        const auto labels = verifica.findChildren<QLabel *>();
        EXPECT_EQ(std::count_if(labels.cbegin(), labels.cend(),
                                [box](QLabel *label) { return label->buddy() == box; }),
                  1)
            << box->objectName().toStdString();
    }
}

TEST(SpokenNames, ALabelNamesItsBuddyInItsWordsWithoutTheKey)
{
    EXPECT_EQ(withoutMnemonic(QStringLiteral("&Dal")), QStringLiteral("Dal"));
    EXPECT_EQ(withoutMnemonic(QStringLiteral("A&l")), QStringLiteral("Al"));
    EXPECT_EQ(withoutMnemonic(QStringLiteral("Ambo && Terno")), QStringLiteral("Ambo & Terno"));
    EXPECT_EQ(withoutMnemonic(QStringLiteral("Fine&")), QStringLiteral("Fine"));

    QWidget window;
    auto *label = new QLabel(QStringLiteral("&Risultati"), &window);
    auto *box = new DateBox(&window);
    nameByLabel(label, box);
    EXPECT_EQ(label->buddy(), box);
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Risultati"));
    // The box's field takes the focus, so it bears the name too.
    EXPECT_EQ(box->lineEdit()->accessibleName(), QStringLiteral("Risultati"));
}

TEST(SpokenNames, AListIsCalledByWhatItChoosesAndItsEntryIsItsValue)
{
    QWidget window;
    auto *list = new NamedComboBox(&window);
    list->addItems({QStringLiteral("Bari"), QStringLiteral("Cagliari")});
    window.show();
    QAccessibleInterface *reading = spoken(list);
    ASSERT_NE(reading, nullptr);
    // Without a name it is called by its entry, as Qt calls every list.
    EXPECT_EQ(reading->text(QAccessible::Name), QStringLiteral("Bari"));
    setSpokenName(list, QStringLiteral("Ruota"));
    list->setCurrentIndex(1);
    EXPECT_EQ(reading->role(), QAccessible::ComboBox);
    EXPECT_EQ(reading->text(QAccessible::Name), QStringLiteral("Ruota"));
    EXPECT_EQ(reading->text(QAccessible::Value), QStringLiteral("Cagliari"));
    ASSERT_EQ(reading->childCount(), 1);
    EXPECT_EQ(reading->child(0)->object(), list->view());
    EXPECT_EQ(reading->indexOfChild(reading->child(0)), 0);
    EXPECT_TRUE(reading->state().collapsed);

    QAccessibleActionInterface *actions = reading->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_TRUE(reading->state().expanded);
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_FALSE(list->view()->isVisible());
}

} // namespace
