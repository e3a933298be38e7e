#include "ui/ReportWindow.h"

#include "app/UiServices.h"
#include "ui/PrintNotice.h"
#include "ui/WindowWork.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zelmora {

QFont ReportWindow::windowFont()
{
    return QFont(QStringLiteral("Calibri"), 10);
}

ReportWindow::ReportWindow(Program &program, const QString &objectName, const QString &title,
                           const QString &closeCaption, QWidget *parent)
    : QDialog(parent), m_program(program)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(windowFont());

    // Everything but the closing row scrolls, so the window fits any screen at any scale.
    auto *outer = new QVBoxLayout(this);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scr") + objectName.mid(3));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // With the focus the page scrolls by the keys, where a small screen leaves some of it out
    // of sight; a screen reader calls it by the window's title.
    scroll->setAccessibleName(title);
    m_page = new QWidget(scroll);
    m_pageLayout = new QVBoxLayout(m_page);
    m_pageLayout->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(m_page);
    outer->addWidget(scroll, 1);

    cmdInterrompi = new QPushButton(QStringLiteral("In&terrompi"), m_page);
    cmdInterrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    cmdInterrompi->setAutoDefault(false);
    cmdInterrompi->setEnabled(false);
    lblAvanzamento = new QLabel(m_page);
    lblAvanzamento->setObjectName(QStringLiteral("lblAvanzamento"));
    lblAvanzamento->setWordWrap(true);
    prgAvanzamento = new QProgressBar(m_page);
    prgAvanzamento->setRange(0, 1000);
    prgAvanzamento->setVisible(false);

    auto *buttons = new QHBoxLayout;
    cmdStampa = new QPushButton(QStringLiteral("&Stampa"), this);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setToolTip(QStringLiteral("Stampa sulla stampante del tabulato"));
    cmdAnteprima = new QPushButton(QStringLiteral("Ante&prima"), this);
    cmdAnteprima->setObjectName(QStringLiteral("cmdAnteprima"));
    cmdAnteprima->setToolTip(QStringLiteral("Mostra le pagine che Stampa metterebbe su carta"));
    cmdChiudi = new QPushButton(closeCaption, this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton *button : {cmdStampa, cmdAnteprima, cmdChiudi})
        button->setAutoDefault(false);
    cmdStampa->setEnabled(false);
    cmdAnteprima->setEnabled(false);
    buttons->addWidget(cmdStampa);
    buttons->addWidget(cmdAnteprima);
    buttons->addStretch();
    buttons->addWidget(cmdChiudi);
    outer->addLayout(buttons);

    m_work = new WindowWork(this);
    m_work->showOn(prgAvanzamento, lblAvanzamento, cmdInterrompi);
    connect(m_work, &WindowWork::runningChanged, this, &ReportWindow::runningChanged);
    connect(m_work, &WindowWork::failed, this, [this] {
        criticalMessage(ui(), QStringLiteral("La memoria non basta per finire il lavoro."));
    });
    connect(cmdStampa, &QPushButton::clicked, this, &ReportWindow::cmdStampa_Click);
    connect(cmdAnteprima, &QPushButton::clicked, this, &ReportWindow::cmdAnteprima_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &ReportWindow::cmdChiudi_Click);
}

ReportWindow::~ReportWindow() = default; // the work, cancelled, ends with its window

bool ReportWindow::busy() const
{
    return m_work->busy();
}

void ReportWindow::addProgressRow()
{
    auto *row = new QHBoxLayout;
    row->addWidget(lblAvanzamento, 1);
    row->addWidget(prgAvanzamento, 1);
    m_pageLayout->addLayout(row);
}

void ReportWindow::runningChanged(bool running)
{
    setRunning(running);
    if (!running) {
        cmdStampa->setEnabled(hasReport());
        cmdAnteprima->setEnabled(hasReport());
    } else {
        cmdStampa->setEnabled(false);
        cmdAnteprima->setEnabled(false);
    }
}

void ReportWindow::cmdStampa_Click()
{
    if (!hasReport() || busy())
        return;
    printReport(this, m_program, *m_work, reportJobs().print);
}

void ReportWindow::cmdAnteprima_Click()
{
    if (!hasReport() || busy())
        return;
    previewReport(this, ui(), *m_work, reportJobs().preview);
}

void ReportWindow::cmdChiudi_Click()
{
    // Closing never waits for the work: it is cancelled, and the window goes at once.
    m_work->cancel();
    QDialog::reject();
}

bool ReportWindow::escapeCloses() const
{
    return !busy();
}

void ReportWindow::reject()
{
    if (!m_closing && !escapeCloses()) {
        m_work->stop();
        return;
    }
    cmdChiudi_Click();
}

void ReportWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close goes through reject(): it closes with one press.
    m_closing = true;
    QDialog::closeEvent(event);
    m_closing = false;
}

} // namespace zelmora
