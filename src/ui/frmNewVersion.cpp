#include "ui/frmNewVersion.h"

#include "app/Forms.h"
#include "app/Twips.h"
#include "app/WebPage.h"
#include "core/BuildSettings.h"
#include "ui/ScreenPlacement.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zelmora {

namespace {

QFont calibri(double points)
{
    QFont font(QStringLiteral("Calibri"));
    font.setPointSizeF(points);
    return font;
}

} // namespace

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

frmNewVersion::frmNewVersion(UiServices &ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("frmNewVersion"));
    setWindowTitle(QStringLiteral("Nuova Versione Disponibile!!"));
    setFixedSize(twipsToPixels(4875), twipsToPixels(1980));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const auto label = [this](const char *name, const QString &text, const QRect &twips,
                              double points) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        l->setFont(calibri(points));
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Versione Locale"), QRect(120, 180, 3180, 435), 14.25);
    lbLocalVersion =
        label("lbLocalVersion", QStringLiteral("00.00.00"), QRect(3420, 180, 1380, 435), 14.25);
    Label2 =
        label("Label2", QStringLiteral("Versione sul Server"), QRect(120, 840, 3180, 435), 14.25);
    lbRemoteVersion = label("lbRemoteVersion", QString(), QRect(3420, 840, 1380, 435), 14.25);

    lbURL = new LinkLabel(this);
    lbURL->setObjectName(QStringLiteral("lbURL"));
    lbURL->setGeometry(twipsRect(180, 1500, 2775, 285));
    lbURL->setText(QStringLiteral("http://") + webHost() + QStringLiteral("/lotto/"));
    QFont link = calibri(12);
    link.setUnderline(true);
    lbURL->setFont(link);
    QPalette palette = lbURL->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lbURL->setPalette(palette);
    lbURL->setToolTip(QStringLiteral("Click per aprire la pagina"));
    // The desktop's own pointing hand, as over any link.
    lbURL->setCursor(Qt::PointingHandCursor);
    lbURL->adjustSize();
    connect(lbURL, &LinkLabel::clicked, this, &frmNewVersion::lbURL_Click);
}

void frmNewVersion::Form_Load()
{
    CenterForm(this);
}

void frmNewVersion::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmNewVersion::Form_Activate()
{
    lbLocalVersion->setText(localVersion);
    lbRemoteVersion->setText(remoteVersion);
}

void frmNewVersion::lbURL_Click()
{
    OpenWebPage(m_ui, lbURL->text());
}

} // namespace zelmora
