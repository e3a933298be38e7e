#include "ui/frmMain.h"

#include "app/Twips.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "core/GridCheck.h"
#include "core/KeyFilters.h"
#include "core/NumberReading.h"
#include "ui/TextBox.h"

#include <QFrame>

namespace zelmora {

namespace {
const QColor kLeadCellColour(128, 128, 255);
const QString kEmptyCell = QStringLiteral("  ");
} // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setFixedSize(twipsToPixels(9315), twipsToPixels(5835));
    buildSquare();
}

void frmMain::buildSquare()
{
    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twipsRect(60, 1500, 4215, 4275));
    Picture2->setFrameShape(QFrame::StyledPanel);

    std::array<TextBox *, 4> *rows[4] = {&txtQuaterna1, &txtQuaterna2, &txtQuaterna3,
                                         &txtQuaterna4};
    QFont cellFont(QStringLiteral("Calibri"), 14, QFont::Bold);
    QWidget *previous = nullptr;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            auto *box = new TextBox(Picture2);
            box->setObjectName(QStringLiteral("txtQuaterna%1_%2").arg(r + 1).arg(c));
            box->setGeometry(twipsRect(660 + 840 * c, 660 + 840 * (r - 0), 435, 435));
            box->setMaxLength(2);
            box->setAlignment(Qt::AlignCenter);
            box->setFont(cellFont);
            box->setText(QStringLiteral("00"));
            QPalette pal = box->palette();
            pal.setColor(QPalette::Base, r == c ? kLeadCellColour : QColor(Qt::white));
            pal.setColor(QPalette::Text, Qt::black);
            box->setPalette(pal);
            (*rows[r])[c] = box;
            m_cells[r][c] = box;
            connect(box, &TextBox::KeyPress, this,
                    [this, r, c](int &key) { txtQuaterna_KeyPress(r + 1, c, key); });
            connect(box, &TextBox::GotFocus, this,
                    [this, r, c] { txtQuaterna_GotFocus(r + 1, c); });
            connect(box, &QLineEdit::textChanged, this,
                    [this, r, c] { txtQuaterna_Change(r + 1, c); });
            if (previous)
                QWidget::setTabOrder(previous, box);
            previous = box;
        }
    }
}

TextBox *frmMain::cell(int row, int column) const
{
    return m_cells[row][column];
}

void frmMain::Form_Load()
{
    setWindowTitle(corpo::AppTitle + QStringLiteral(" by Vandrel - Versione ") +
                   corpo::versionText() + QStringLiteral(" - ") + corpo::gEdition);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m_cells[r][c]->setText(kEmptyCell);
}

void frmMain::txtQuaterna_KeyPress(int, int, int &KeyAscii)
{
    switch (FiltroTastiNumero(KeyAscii)) {
    case KeyAction::NextField:
        ui().SendTab();
        break;
    case KeyAction::Refuse:
        ui().Beep();
        break;
    case KeyAction::Pass:
        break;
    }
}

void frmMain::txtQuaterna_GotFocus(int row, int index)
{
    cell(row - 1, index)->setSelection(0, 2);
}

void frmMain::txtQuaterna_Change(int row, int index)
{
    TextBox *box = cell(row - 1, index);
    if (!zelmora::ControllaValore(box->text()).refused)
        return;
    ui().MsgBox(QString::fromUtf8(kMessaggioRange), vbCritical, QString::fromUtf8(kTitoloErrore));
    box->setText(QStringLiteral("00"));
    box->setSelection(0, 2);
}

bool frmMain::ControllaGriglia()
{
    CellValues values{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            values[r][c] = wholeValue(m_cells[r][c]->text());
    const GridCheckResult result = zelmora::ControllaGriglia(values, corpo::sistema);
    if (result.valid)
        return true;
    ui().MsgBox(result.message, vbCritical, QString::fromUtf8(kTitoloAttenzione));
    if (result.focusRow >= 0)
        m_cells[result.focusRow][result.focusColumn]->setFocus(Qt::OtherFocusReason);
    return false;
}

} // namespace zelmora
