// Runs the GoogleTest suite inside a QApplication on the offscreen platform unless another
// platform is asked for.

#include "support/WidgetTest.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// Ends, after each test, the dialog watches it left waiting, so they cannot act in the next.
class ModalWatchCleanup : public ::testing::EmptyTestEventListener
{
    void OnTestEnd(const ::testing::TestInfo &) override { zelmora::testing::endModalWatches(); }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelmoravintesca"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ModalWatchCleanup);
    return RUN_ALL_TESTS();
}
