// Qt's own file dialog still holds the parts the program reaches into, under the names it
// looks for: a Qt release that renames one fails here, not in a player's typed names.

#include "app/FileDialogParts.h"

#include <QFileDialog>
#include <gtest/gtest.h>

using namespace zelmora;

TEST(FileDialogPartsTest, QtsDialogHasEveryPartTheProgramUses)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    EXPECT_TRUE(fileNameBox(dialog));
    EXPECT_TRUE(detailList(dialog));
}
