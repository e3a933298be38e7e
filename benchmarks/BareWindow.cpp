// The floor of the program's start: a bare Qt window holding the kinds and numbers of widgets
// the main window holds (the 16 cells and 4 amount boxes, the labels, the wheel list, the
// command buttons and panels), with none of the program's work. benchmarks/startup.sh starts it
// as it starts the program.

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Finestra Qt di confronto"));
    auto *grid = new QGridLayout(&window);
    for (int i = 0; i < 20; ++i)
        grid->addWidget(new QLineEdit(QStringLiteral("0"), &window), i / 4, i % 4);
    for (int i = 0; i < 24; ++i)
        grid->addWidget(new QLabel(QStringLiteral("€ 0,00"), &window), 5 + i / 4, i % 4);
    auto *wheels = new QComboBox(&window);
    wheels->addItems({"Bari", "Cagliari", "Firenze", "Genova", "Milano", "Napoli", "Palermo",
                      "Roma", "Torino", "Venezia", "Nazionale"});
    grid->addWidget(wheels, 11, 0);
    for (int i = 0; i < 8; ++i)
        grid->addWidget(new QToolButton(&window), 12 + i / 4, i % 4);
    grid->addWidget(new QPushButton(QStringLiteral("Ritardatari"), &window), 14, 0);
    grid->addWidget(new QPushButton(QStringLiteral("Verifica"), &window), 14, 1);
    for (int i = 0; i < 3; ++i) {
        auto *frame = new QFrame(&window);
        frame->setFrameShape(QFrame::Panel);
        grid->addWidget(frame, 15, i);
    }
    // The main window's size: 9315 x 5835 twips at 15 twips a pixel.
    window.resize(621, 389);
    window.show();
    return QApplication::exec();
}
