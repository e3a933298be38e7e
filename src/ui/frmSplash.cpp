#include "ui/frmSplash.h"

#include "app/Twips.h"
#include "core/Corpo.h"
#include "ui/Artwork.h"
#include "ui/ScreenPlacement.h"
#include "ui/TextFit.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace zelmora {

namespace {

QLabel *arialLabel(QWidget *parent, const char *name, const QString &text, const QRect &twips,
                   double points)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSizeF(points);
    label->setFont(font);
    return label;
}

// A text too long for its label at the designed size (the product name, the maker) gets a
// smaller font, down to 8 points, until it fits on one line.
void fitWidth(QLabel *label)
{
    QFont font = fontToFit(label->font(), label->text(), label->width());
    font.setPointSizeF(std::max<qreal>(8, font.pointSizeF()));
    label->setFont(font);
}

} // namespace

frmSplash::frmSplash(const corpo::Identity &identity)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_title(identity.AppTitle)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Not shown (the window has no frame), but names it for the window manager.
    setWindowTitle(QStringLiteral("Zelmoravintesca"));
    setFixedSize(twipsToPixels(8385), twipsToPixels(4980));
    setStyleSheet(QStringLiteral("frmSplash, QWidget#frmSplash { background: white; }"));
    setAutoFillBackground(true);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(120, 90, 8160, 4800));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setStyleSheet(QStringLiteral(
        "QFrame#Frame1 { border: 1px solid #9aa0d0; border-radius: 6px;"
        " background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #ffffff, stop:1 #e6e8ff); }"
        "QLabel { background: transparent; color: #2c305a; }"));
    Frame1->installEventFilter(this);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(180, 510, 3945, 3960));
    Image1->setPixmap(artwork::emblem(Image1->size()));

    lblProductName = arialLabel(Frame1, "lblProductName", QStringLiteral("Prodotto"),
                                QRect(4860, 420, 3090, 1485), 32.25);
    lblProductName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblCompanyProduct = arialLabel(Frame1, "lblCompanyProduct", QStringLiteral("by Vandrel"),
                                   QRect(4950, 2100, 2505, 615), 26.25);
    lblPlatform = arialLabel(Frame1, "lblPlatform", QStringLiteral("Linux"),
                             QRect(5640, 3060, 1380, 360), 15.75);
    lblVersion = arialLabel(Frame1, "lblVersion", QStringLiteral("Versione"),
                            QRect(5640, 3420, 1980, 285), 12);
}

void frmSplash::Form_Load()
{
    lblVersion->setText(QStringLiteral("Versione ") + corpo::versionText());
    lblProductName->setText(m_title);
    fitWidth(lblProductName);
    fitWidth(lblCompanyProduct);
    CenterForm(this);
}

void frmSplash::Form_KeyPress()
{
    close();
}

void frmSplash::Frame1_Click()
{
    close();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    Form_KeyPress();
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelmora
