#include "ui/frmAnteprima.h"

#include "print/PageRenderer.h"
#include "ui/Artwork.h"
#include "ui/ScreenPlacement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zelmora {

namespace {
constexpr int kPaperMarginPx = 12; // grey around the sheet
constexpr double kZoomStep = 1.25;
constexpr double kMinScale = 0.5;  // pixels a millimetre
constexpr double kMaxScale = 16.0; // a 2 mm box 32 pixels wide
} // namespace

// --- The page ------------------------------------------------------------------------------

PreviewPageView::PreviewPageView(const print::Preview &preview, QWidget *parent)
    : QWidget(parent), m_preview(preview)
{
    setObjectName(QStringLiteral("picPagina"));
    setAutoFillBackground(false);
    resize(sizeHint());
}

void PreviewPageView::setPage(int index)
{
    m_page = std::clamp(index, 0, std::max(0, m_preview.pageCount() - 1));
    // Only the page shown is held: a long report's pages are drawn as they are turned to.
    m_items = m_preview.page(m_page);
    update();
}

void PreviewPageView::setScale(double pixelsPerMm)
{
    m_scale = std::clamp(pixelsPerMm, kMinScale, kMaxScale);
    resize(sizeHint());
    update();
}

QSize PreviewPageView::sizeHint() const
{
    const QSizeF paper = m_preview.layout.fullRect(QPageLayout::Millimeter).size();
    return QSize(qCeil(paper.width() * m_scale) + 2 * kPaperMarginPx,
                 qCeil(paper.height() * m_scale) + 2 * kPaperMarginPx);
}

void PreviewPageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));

    const QRectF paper = m_preview.layout.fullRect(QPageLayout::Millimeter);
    const QRectF printable = m_preview.layout.paintRect(QPageLayout::Millimeter);
    const QRectF sheet(kPaperMarginPx, kPaperMarginPx, paper.width() * m_scale,
                       paper.height() * m_scale);
    painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(sheet, Qt::white);

    painter.translate(sheet.topLeft());
    painter.scale(m_scale, m_scale);
    // Where the printer cannot reach, when it cannot reach the whole sheet.
    if (printable != paper) {
        QPen edge(QColor(160, 160, 160), 1, Qt::DotLine);
        edge.setCosmetic(true);
        painter.setPen(edge);
        painter.drawRect(printable);
    }
    painter.setClipRect(printable);
    painter.translate(printable.topLeft());
    print::renderPage(painter, m_items, m_preview.dpi);
}

// --- The window ----------------------------------------------------------------------------

frmAnteprima::frmAnteprima(print::Preview preview, const QString &title, QWidget *parent)
    : QDialog(parent), m_preview(std::move(preview))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima - ") + title);
    setWindowIcon(artwork::windowIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    labStampante = new QLabel(QStringLiteral("Stampante: ") + m_preview.printerName, this);
    labStampante->setObjectName(QStringLiteral("labStampante"));
    labPagina = new QLabel(this);
    labPagina->setObjectName(QStringLiteral("labPagina"));
    labPagina->setAlignment(Qt::AlignCenter);

    const auto button = [this](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdPrecedente = button(QStringLiteral("&Precedente"), "cmdPrecedente");
    cmdSuccessiva = button(QStringLiteral("&Successiva"), "cmdSuccessiva");
    cmdIngrandisci = button(QStringLiteral("&Ingrandisci"), "cmdIngrandisci");
    cmdRiduci = button(QStringLiteral("&Riduci"), "cmdRiduci");
    cmdChiudi = button(QStringLiteral("&Chiudi"), "cmdChiudi");
    cmdChiudi->setDefault(true);

    picPagina = new PreviewPageView(m_preview);
    scrPagina = new QScrollArea(this);
    scrPagina->setObjectName(QStringLiteral("scrPagina"));
    scrPagina->setWidget(picPagina);
    scrPagina->setAlignment(Qt::AlignCenter);
    scrPagina->setBackgroundRole(QPalette::Mid);
    scrPagina->setFocusPolicy(Qt::NoFocus);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrecedente);
    buttons->addWidget(labPagina, 1);
    buttons->addWidget(cmdSuccessiva);
    buttons->addSpacing(16);
    buttons->addWidget(cmdRiduci);
    buttons->addWidget(cmdIngrandisci);
    buttons->addSpacing(16);
    buttons->addWidget(cmdChiudi);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labStampante);
    layout->addWidget(scrPagina, 1);
    layout->addLayout(buttons);

    setTabOrder(cmdPrecedente, cmdSuccessiva);
    setTabOrder(cmdSuccessiva, cmdRiduci);
    setTabOrder(cmdRiduci, cmdIngrandisci);
    setTabOrder(cmdIngrandisci, cmdChiudi);

    connect(cmdPrecedente, &QPushButton::clicked, this, &frmAnteprima::cmdPrecedente_Click);
    connect(cmdSuccessiva, &QPushButton::clicked, this, &frmAnteprima::cmdSuccessiva_Click);
    connect(cmdIngrandisci, &QPushButton::clicked, this, &frmAnteprima::cmdIngrandisci_Click);
    connect(cmdRiduci, &QPushButton::clicked, this, &frmAnteprima::cmdRiduci_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);

    // A window about as tall as the screen allows, with an A4 sheet's proportions.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int height = screen ? screen->availableGeometry().height() * 85 / 100 : 800;
    resize(height * 3 / 4, height);
    showPage(0);
}

void frmAnteprima::showModal(print::Preview preview, const QString &title, QWidget *parent)
{
    frmAnteprima window(std::move(preview), title, parent);
    placeOnScreen(&window, parent);
    window.exec();
}

void frmAnteprima::showPage(int index)
{
    const int count = m_preview.pageCount();
    picPagina->setPage(index);
    const int shown = picPagina->page();
    labPagina->setText(count == 0 ? QStringLiteral("Nessuna pagina")
                                  : QStringLiteral("Pagina %1 di %2").arg(shown + 1).arg(count));
    cmdPrecedente->setEnabled(shown > 0);
    cmdSuccessiva->setEnabled(shown + 1 < count);
}

void frmAnteprima::cmdPrecedente_Click()
{
    showPage(picPagina->page() - 1);
}

void frmAnteprima::cmdSuccessiva_Click()
{
    showPage(picPagina->page() + 1);
}

void frmAnteprima::cmdIngrandisci_Click()
{
    picPagina->setScale(picPagina->scale() * kZoomStep);
}

void frmAnteprima::cmdRiduci_Click()
{
    picPagina->setScale(picPagina->scale() / kZoomStep);
}

void frmAnteprima::fitPage()
{
    const QSizeF paper = m_preview.layout.fullRect(QPageLayout::Millimeter).size();
    const QSize room =
        scrPagina->viewport()->size() - QSize(2 * kPaperMarginPx, 2 * kPaperMarginPx);
    if (paper.isEmpty() || room.isEmpty())
        return;
    picPagina->setScale(std::min(room.width() / paper.width(), room.height() / paper.height()));
}

void frmAnteprima::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The whole sheet in view the first time; the player zooms from there.
    if (!m_fitted) {
        m_fitted = true;
        fitPage();
    }
}

void frmAnteprima::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        cmdPrecedente_Click();
        return;
    case Qt::Key_PageDown:
        cmdSuccessiva_Click();
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(m_preview.pageCount() - 1);
        return;
    case Qt::Key_Plus:
        cmdIngrandisci_Click();
        return;
    case Qt::Key_Minus:
        cmdRiduci_Click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace zelmora
