// Renders the program's artwork into PNG files, for looking at it outside the program:
//   artwork_preview <folder>
// Writes banner.png (460 x 96), icon-<name>-32.png and -48.png for each button, and the
// window icon at 64 px plus its small sizes.

#include "ui/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <utility>

using zelmora::artwork::ButtonIcon;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: artwork_preview <folder>\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        err << "cannot create " << dir.path() << "\n";
        return 1;
    }

    bool ok = true;
    auto save = [&](const QPixmap &pixmap, const QString &name) {
        if (!pixmap.save(dir.filePath(name))) {
            err << "cannot write " << name << "\n";
            ok = false;
        }
    };

    save(zelmora::artwork::banner(QSize(460, 96)), QStringLiteral("banner.png"));

    const std::pair<ButtonIcon, const char *> buttons[] = {
        {ButtonIcon::Apri, "apri"},           {ButtonIcon::Salva, "salva"},
        {ButtonIcon::Capogioco, "capogioco"}, {ButtonIcon::Casuale, "casuale"},
        {ButtonIcon::Schedine, "schedine"},   {ButtonIcon::Tabulato, "tabulato"},
        {ButtonIcon::Cancella, "cancella"},
    };
    for (const auto &[kind, name] : buttons) {
        const QIcon icon = zelmora::artwork::buttonIcon(kind);
        for (int px : {32, 48})
            save(icon.pixmap(px), QStringLiteral("icon-%1-%2.png").arg(name).arg(px));
    }

    const QIcon window = zelmora::artwork::windowIcon();
    for (int px : {16, 24, 32, 64})
        save(window.pixmap(px), QStringLiteral("window-%1.png").arg(px));

    return ok ? 0 : 1;
}
