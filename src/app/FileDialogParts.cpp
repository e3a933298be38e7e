#include "app/FileDialogParts.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTreeView>

namespace zelmora {

QLineEdit *fileNameBox(const QFileDialog &dialog)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

QTreeView *detailList(const QFileDialog &dialog)
{
    return dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
}

} // namespace zelmora
