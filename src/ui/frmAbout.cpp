#include "ui/frmAbout.h"

#include "app/Twips.h"
#include "app/UiServices.h"
#include "core/Corpo.h"
#include "ui/Artwork.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace zelmora {

frmAbout::frmAbout(Program &program, QWidget *parent)
    : QDialog(parent), m_title(program.identity.AppTitle), m_ui(*program.ui)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(twipsToPixels(6690), twipsToPixels(3735));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twipsRect(180, 180, 3810, 1770));
    picIcon->setPixmap(artwork::banner(picIcon->size()));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(twipsRect(4200, 180, 2325, 720));
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSizeF(15.75);
    lblTitle->setFont(verdana);

    lblVersion = new QLabel(QStringLiteral("Versione 1.0"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(twipsRect(4320, 1200, 2085, 285));
    QFont calibriBold(QStringLiteral("Calibri"));
    calibriBold.setPointSizeF(11.25);
    calibriBold.setBold(true);
    lblVersion->setFont(calibriBold);

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(twipsRect(4320, 1560, 2085, 285));
    lblDescription->setFont(QFont(QStringLiteral("Calibri"), 10));

    QFont small(QStringLiteral("Calibri"), 9);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4320, 2760, 1980, 405));
    cmdOK->setFont(small);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(4320, 3240, 1995, 345));
    cmdSysInfo->setFont(small);
    cmdSysInfo->setAutoDefault(false);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("Informazioni su ") + m_title);
    lblVersion->setText(QStringLiteral("Versione ") + corpo::versionText());
    lblTitle->setText(m_title);
    // The title shrinks to fit its label on one line.
    QFont font = lblTitle->font();
    while (font.pointSizeF() > 8 &&
           QFontMetricsF(font).horizontalAdvance(lblTitle->text()) > lblTitle->width())
        font.setPointSizeF(font.pointSizeF() - 0.75);
    lblTitle->setFont(font);
    lblDescription->setText(QStringLiteral("Versione freeware"));
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The engraved rule above the buttons: a grey line with a white one under it.
    QPainter p(this);
    const int left = twipsToPixels(120);
    const int right = twipsToPixels(6420);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(left, twipsToPixels(2445), right, twipsToPixels(2445));
    p.setPen(Qt::white);
    p.drawLine(left, twipsToPixels(2580), right, twipsToPixels(2580));
}

void frmAbout::StartSysInfo()
{
    // This desktop has no system-information tool for the button to start.
    plainMessage(m_ui,
                 QStringLiteral("Le informazioni sul sistema non sono disponibili in questa fase"));
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

} // namespace zelmora
