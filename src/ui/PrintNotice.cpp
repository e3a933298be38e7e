#include "ui/PrintNotice.h"

#include "app/UiServices.h"
#include "print/Printer.h"

#include <QDir>
#include <QFileInfo>

namespace zelmora {

void announceDeliveredFiles(print::Printer &printer)
{
    const QStringList files = printer.takeDeliveredFiles();
    if (files.isEmpty())
        return;
    if (files.size() == 1) {
        ui().Notify(QStringLiteral("Stampato su File PDF:\n") + QDir::toNativeSeparators(files[0]));
        return;
    }
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    ui().Notify(QStringLiteral("Stampati su File PDF %1 documenti, in %2:\n")
                    .arg(files.size())
                    .arg(QDir::toNativeSeparators(QFileInfo(files[0]).absolutePath())) +
                names.join(u'\n'));
}

} // namespace zelmora
