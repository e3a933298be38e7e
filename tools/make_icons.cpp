// Writes the program's icon, the same drawing as its window icon, as PNG files for the
// desktop's icon theme:
//   make_icons <folder>
// gives <folder>/<N>x<N>/apps/zelmoravintesca.png for each size the theme is given.

#include "ui/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: make_icons <folder>\n";
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QIcon icon = zelmora::artwork::windowIcon();
    for (int px : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(px);
        const QString file = folder + QStringLiteral("/zelmoravintesca.png");
        if (!QDir().mkpath(folder) || !icon.pixmap(px).save(file)) {
            err << "cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
