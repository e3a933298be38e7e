#include "ui/frmPrnInCorso.h"

#include "app/Twips.h"
#include "core/Format.h"
#include "ui/ScreenPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace zelmora {

// A window of its own, not a child of the print-slips window: that one is disabled while the
// run lasts, and the interrupt button must stay usable.
frmPrnInCorso::frmPrnInCorso(QWidget *owner) : QWidget(nullptr, Qt::Dialog)
{
    setObjectName(QStringLiteral("frmPrnInCorso"));
    setWindowTitle(QStringLiteral("Stampa in corso..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(4020), twipsToPixels(915));

    Label1 = new QLabel(QStringLiteral("Scheda n. 000000"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(240, 240, 1935, 375));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    cmdInterrompi = new QPushButton(QStringLiteral("&Interrompi"), this);
    cmdInterrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    cmdInterrompi->setGeometry(twipsRect(2760, 240, 1095, 375));
    connect(cmdInterrompi, &QPushButton::clicked, this, &frmPrnInCorso::cmdInterrompi_Click);

    placeOnScreen(this, owner);
    show();
    cmdInterrompi->setFocus();
}

void frmPrnInCorso::showPlay(int play)
{
    Label1->setText(QStringLiteral("Scheda n. ") + formatMask(play, QStringLiteral("0000")));
    Label1->repaint();
}

void frmPrnInCorso::cmdInterrompi_Click()
{
    interrompiStampa = true;
}

void frmPrnInCorso::closeEvent(QCloseEvent *event)
{
    interrompiStampa = true;
    QWidget::closeEvent(event);
}

} // namespace zelmora
