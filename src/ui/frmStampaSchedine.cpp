#include "ui/frmStampaSchedine.h"

#include "app/Program.h"
#include "app/Settings.h"
#include "app/Taratura.h"
#include "app/Twips.h"
#include "app/UiServices.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "print/SlipRun.h"
#include "ui/Artwork.h"
#include "ui/PrintNotice.h"
#include "ui/ScreenPlacement.h"
#include "ui/SharedFiles.h"
#include "ui/SpokenNames.h"
#include "ui/frmAnteprima.h"
#include "ui/frmPrnInCorso.h"
#include "ui/frmTaraturaAmbetto.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace zelmora {

namespace {

QLineEdit *rangeBox(QWidget *parent, const char *name, const QRect &twips)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    box->setInputMask(QStringLiteral("9;_"));
    box->setAlignment(Qt::AlignCenter);
    QFont font = box->font();
    font.setPointSize(14);
    font.setBold(true);
    box->setFont(font);
    return box;
}

void reportPrinterError(UiServices &ui, int number)
{
    if (number == RuntimeError::PrinterError)
        reportPrinterNotInstalled(ui);
    else
        reportUnexpectedPrinterError(ui);
}

} // namespace

frmStampaSchedine::frmStampaSchedine(Sistema &sistema, Program &program, QWidget *owner)
    : QWidget(nullptr), m_sistema(sistema), m_program(program), m_owner(owner)
{
    setObjectName(QStringLiteral("frmStampaSchedine"));
    setWindowTitle(QStringLiteral("Stampa Schedine"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(artwork::windowIcon());
    setFont(QFont(QStringLiteral("Calibri"), 10));
    setFixedSize(twipsToPixels(4200), twipsToPixels(3120));

    imgNewScheda = new QLabel(this);
    imgNewScheda->setObjectName(QStringLiteral("imgNewScheda"));
    imgNewScheda->setGeometry(twipsRect(120, 120, 900, 900));
    imgNewScheda->setPixmap(
        artwork::buttonIcon(artwork::ButtonIcon::Schedine).pixmap(twipsToPixels(840)));
    imgNewScheda->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(QStringLiteral("Totale schedine"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(1140, 180, 1800, 330));
    labSchede = new QLabel(QStringLiteral("8"), this);
    labSchede->setObjectName(QStringLiteral("labSchede"));
    labSchede->setGeometry(twipsRect(2940, 180, 600, 330));
    QFont bold = labSchede->font();
    bold.setBold(true);
    labSchede->setFont(bold);

    auto *daLabel = new QLabel(QStringLiteral("&Da"), this);
    daLabel->setGeometry(twipsRect(1140, 660, 420, 375));
    meDa = rangeBox(this, "meDa", QRect(1560, 600, 600, 435));
    nameByLabel(daLabel, meDa);
    auto *aLabel = new QLabel(QStringLiteral("&A"), this);
    aLabel->setGeometry(twipsRect(2400, 660, 300, 375));
    meA = rangeBox(this, "meA", QRect(2700, 600, 600, 435));
    nameByLabel(aLabel, meA);

    chkPronostico = new QCheckBox(QStringLiteral("Pronostico"), this);
    chkPronostico->setObjectName(QStringLiteral("chkPronostico"));
    chkPronostico->setGeometry(twipsRect(1140, 1200, 2400, 330));

    cmdTaratura = new QPushButton(QStringLiteral("&Taratura"), this);
    cmdTaratura->setObjectName(QStringLiteral("cmdTaratura"));
    cmdTaratura->setGeometry(twipsRect(120, 1800, 1800, 615));
    cmdStampa = new QPushButton(QStringLiteral("&Stampa"), this);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setGeometry(twipsRect(2040, 1800, 2040, 615));
    QFont big = cmdStampa->font();
    big.setPointSize(12);
    big.setBold(true);
    cmdStampa->setFont(big);
    cmdStampa->setDefault(true);

    cmdAnteprima = new QPushButton(QStringLiteral("Ante&prima"), this);
    cmdAnteprima->setObjectName(QStringLiteral("cmdAnteprima"));
    cmdAnteprima->setGeometry(twipsRect(120, 2520, 3960, 495));
    cmdAnteprima->setToolTip(QStringLiteral("Mostra le pagine che Stampa metterebbe su carta"));

    setTabOrder(meDa, meA);
    setTabOrder(meA, chkPronostico);
    setTabOrder(chkPronostico, cmdStampa);
    setTabOrder(cmdStampa, cmdTaratura);
    setTabOrder(cmdTaratura, cmdAnteprima);

    meDa->installEventFilter(this);
    meA->installEventFilter(this);
    connect(cmdTaratura, &QPushButton::clicked, this, &frmStampaSchedine::cmdTaratura_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &frmStampaSchedine::cmdStampa_Click);
    connect(cmdAnteprima, &QPushButton::clicked, this, &frmStampaSchedine::cmdAnteprima_Click);

    placeOnScreen(this, owner);
}

// However the window goes, the main window must not stay disabled.
frmStampaSchedine::~frmStampaSchedine()
{
    if (m_owner)
        m_owner->setEnabled(true);
}

void frmStampaSchedine::Form_Load()
{
    m_minimo = print::kMinGiocata;
    m_massimo = print::kMaxGiocata;
    labSchede->setText(QString::number(m_massimo));
    meDa->setText(QStringLiteral("1"));
    meA->setText(QStringLiteral("8"));
    chkPronostico->setChecked(true);

    QStringList missing;
    const auto load = [&missing](const QString &path) {
        const QImage picture = QImageReader(path).read();
        if (picture.isNull())
            missing << path;
        return picture;
    };
    vietato = load(m_program.appPath + QStringLiteral("images/vietato.jpg"));
    sfondo = load(m_program.appPath + QStringLiteral("/images/sfondoColor.bmp"));
    reportMissingPictures(ui(), missing, QStringLiteral("Il pronostico sarà stampato senza."));
}

bool frmStampaSchedine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == meDa)
                meA->setFocus(Qt::TabFocusReason);
            else if (watched == meA)
                cmdStampa->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmStampaSchedine::cmdTaratura_Click()
{
    frmTaraturaAmbetto::showModal(m_sistema, m_program, this);
}

void frmStampaSchedine::cmdStampa_Click()
{
    // With no calibration saved yet every mark would land in the corner: the player is asked
    // first whether to calibrate. A saved calibration, even all zeros, asks nothing.
    if (nothingAt(calibrationPath(m_program.appPath)) &&
        askYesNo(ui(),
                 QStringLiteral("La stampante delle schedine non è ancora stata tarata: senza "
                                "taratura tutti i segni finiscono nell'angolo in alto a "
                                "sinistra del foglio.\r\nAprire la Taratura prima di stampare?"),
                 windowTitle()) == Answer::Yes) {
        cmdTaratura_Click();
        return;
    }
    setEnabled(false);
    StampaSchedaAmbetto();
    setEnabled(true);
}

void frmStampaSchedine::cmdAnteprima_Click()
{
    setEnabled(false);
    std::optional<print::SlipRun> run = prepareRun();
    if (!run) {
        setEnabled(true);
        return;
    }
    int sheetError = 0;
    run->sheetFailed = [&sheetError](int number) { sheetError = number; };
    Result<print::Preview> preview =
        print::previewRun(m_program.printers.CurrentPrinter(), [&](print::Printer &printer) {
            print::printSlips(printer, m_sistema, taratura, *run);
        });
    if (!preview)
        sheetError = preview.error().number();
    setEnabled(true);
    if (sheetError != 0) {
        reportPrinterError(ui(), sheetError);
        return;
    }
    frmAnteprima::showModal(std::move(preview).value(), windowTitle(), this);
}

std::optional<print::SlipRun> frmStampaSchedine::prepareRun()
{
    ReadConfiguration(m_program);
    LeggiTaraturaAmbetto(taratura, m_program, QStringLiteral("frmStampaSchedine"));
    CorreggiTaratura(ui(), taratura);

    // The masked boxes are read as shown: an empty one reads "_".
    const print::RangeCheck range = print::checkRange(meDa->displayText(), meA->displayText());
    if (!range.ok) {
        ui().Beep();
        warningMessage(ui(), range.message, range.title);
        return std::nullopt;
    }
    print::SlipRun run;
    run.from = range.from;
    run.to = range.to;
    run.pronostico = chkPronostico->isChecked();
    run.heading = m_program.intestazioneStampa;
    run.pictures = print::SheetPictures{sfondo, vietato};
    run.ruote = m_program.ruote;
    return run;
}

void frmStampaSchedine::StampaSchedaAmbetto()
{
    std::optional<print::SlipRun> run = prepareRun();
    if (!run)
        return;

    QPointer<frmPrnInCorso> progress = new frmPrnInCorso(this);
    run->doEvents = [this] { ui().DoEvents(); };
    // A progress window that has gone was closed: the player asked the run to stop.
    run->interrupted = [progress] { return !progress || progress->interrompiStampa; };
    run->progress = [progress](int play) {
        if (progress)
            progress->showPlay(play);
    };
    // A printer that cannot write fails the sheet and then the slips: the player hears of the
    // failed run once, from whichever part reported first.
    bool reported = false;
    run->sheetFailed = [this, &reported](int number) {
        if (number == RuntimeError::PrinterError) {
            reportPrinterError(ui(), number);
            reported = true;
        }
    };
    m_program.printers.CurrentPrinter().takeDeliveredFiles();
    const Result<void> printed =
        print::StampaSchedaAmbetto(m_program.printers.CurrentPrinter(), m_sistema, taratura, *run);
    if (!printed) {
        if (progress)
            progress->close();
        if (!reported)
            reportPrinterError(ui(), printed.error().number());
        return;
    }
    if (progress)
        progress->close();
    announceDeliveredFiles(ui(), m_program.printers.CurrentPrinter());
}

void frmStampaSchedine::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmStampaSchedine::closeEvent(QCloseEvent *event)
{
    if (m_owner)
        m_owner->setEnabled(true);
    event->accept();
}

} // namespace zelmora
