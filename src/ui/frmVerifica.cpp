#include "ui/frmVerifica.h"

#include "app/Program.h"
#include "app/UiServices.h"
#include "core/ArchiveText.h"
#include "core/DrawDate.h"
#include "core/FolderMemory.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"
#include "core/WithholdingSetting.h"
#include "print/CheckReport.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "ui/CheckResultModel.h"
#include "ui/DateBox.h"
#include "ui/PrintNotice.h"
#include "ui/ReadOnlyTable.h"
#include "ui/ScreenPlacement.h"
#include "ui/frmAnteprima.h"
#include "ui/frmStatistiche.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace zelmora {

namespace {

const QString kArchiveFilter =
    QStringLiteral("Archivi delle estrazioni (*.txt *.csv);;Tutti i file (*)|*.txt");
// The earliest date the boxes offer when the archive holds nothing earlier.
const QDate kEarliestDate(1871, 1, 1);
const QDate kLatestDate(9999, 12, 31);
// The size the window asks for; a smaller screen gets a smaller window that scrolls.
constexpr QSize kPreferredSize(760, 600);

QString dateText(const QDate &date)
{
    return print::drawDateLabel(date);
}

// What a reading or an import that ran out of memory is told as.
RuntimeError outOfMemory()
{
    return RuntimeError(RuntimeError::OutOfMemory,
                        QStringLiteral("la memoria non basta per leggere l'archivio"));
}

QString percentText(qint64 done, qint64 total)
{
    return QStringLiteral("%1%").arg(total > 0 ? done * 100 / total : 0);
}

} // namespace

frmVerifica::frmVerifica(const Sistema &sistema, ProgramContext context, QWidget *parent)
    : QDialog(parent), m_sistema(sistema), m_context(std::move(context)),
      m_store(m_context.appPath + QString::fromLatin1(ArchiveStore::kFileName))
{
    setObjectName(QStringLiteral("frmVerifica"));
    setWindowTitle(QStringLiteral("Verifica"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(QFont(QStringLiteral("Calibri"), 10));
    m_wheel = wheelIndex(m_sistema.Ruota.text().trimmed());

    // Everything but the closing row scrolls, so the window fits any screen at any scale.
    auto *outer = new QVBoxLayout(this);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrVerifica"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *page = new QWidget(scroll);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(page);
    outer->addWidget(scroll, 1);

    lblSistema = new QLabel(page);
    lblSistema->setObjectName(QStringLiteral("lblSistema"));
    QFont bold = font();
    bold.setBold(true);
    lblSistema->setFont(bold);
    lblSistema->setWordWrap(true);
    lblSistema->setText(
        QStringLiteral("Sistema: %1    Ruota: %2    Importo per estrazione: € %3")
            .arg(m_sistema.NomeSistema.text().trimmed(),
                 m_wheel == kNoWheel ? m_sistema.Ruota.text().trimmed() : wheelName(m_wheel),
                 formatMask(m_sistema.ImportoSistema, QStringLiteral("###,##0.00"))));
    layout->addWidget(lblSistema);

    // What to check against: typed numbers, or the archive between two dates.
    auto *against = new QGroupBox(QStringLiteral("Verifica con"), page);
    auto *grid = new QGridLayout(against);
    optNumeri = new QRadioButton(QStringLiteral("&Numeri di un'estrazione:"), against);
    optNumeri->setObjectName(QStringLiteral("optNumeri"));
    txtNumeri = new QLineEdit(against);
    txtNumeri->setObjectName(QStringLiteral("txtNumeri"));
    txtNumeri->setPlaceholderText(QStringLiteral("cinque numeri, es. 7 12 45 80 81"));
    txtNumeri->setMaxLength(40);
    grid->addWidget(optNumeri, 0, 0);
    grid->addWidget(txtNumeri, 0, 1, 1, 4);

    optArchivio = new QRadioButton(QStringLiteral("Estrazioni dell'&archivio"), against);
    optArchivio->setObjectName(QStringLiteral("optArchivio"));
    optArchivio->setChecked(true);
    auto *lblDal = new QLabel(QStringLiteral("&Dal"), against);
    dtpDal = new DateBox(against);
    dtpDal->setObjectName(QStringLiteral("dtpDal"));
    auto *lblAl = new QLabel(QStringLiteral("A&l"), against);
    dtpAl = new DateBox(against);
    dtpAl->setObjectName(QStringLiteral("dtpAl"));
    lblDal->setBuddy(dtpDal);
    lblAl->setBuddy(dtpAl);
    lblDal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblAl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(optArchivio, 1, 0);
    grid->addWidget(lblDal, 1, 1);
    grid->addWidget(dtpDal, 1, 2);
    grid->addWidget(lblAl, 1, 3);
    grid->addWidget(dtpAl, 1, 4);
    lblArchivio = new QLabel(against);
    lblArchivio->setObjectName(QStringLiteral("lblArchivio"));
    lblArchivio->setWordWrap(true);
    grid->addWidget(lblArchivio, 2, 0, 1, 5);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    layout->addWidget(against);
    // The option's key goes on to what it needs: the numbers box, or the first date.
    optNumeri->installEventFilter(this);
    optArchivio->installEventFilter(this);

    auto *actions = new QHBoxLayout;
    cmdImporta = new QPushButton(QStringLiteral("&Importa archivio..."), page);
    cmdImporta->setObjectName(QStringLiteral("cmdImporta"));
    cmdImporta->setToolTip(QStringLiteral("Aggiungi all'archivio le estrazioni di un file"));
    cmdImporta->setAutoDefault(false);
    cmdStatistiche = new QPushButton(QStringLiteral("Ritardi e &frequenze..."), page);
    cmdStatistiche->setObjectName(QStringLiteral("cmdStatistiche"));
    cmdStatistiche->setToolTip(
        QStringLiteral("Frequenza, ritardo e ritardo massimo dei numeri di una ruota tra le date"));
    cmdStatistiche->setAutoDefault(false);
    cmdVerifica = new QPushButton(QStringLiteral("&Verifica"), page);
    cmdVerifica->setObjectName(QStringLiteral("cmdVerifica"));
    cmdVerifica->setDefault(true);
    cmdInterrompi = new QPushButton(QStringLiteral("In&terrompi"), page);
    cmdInterrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    cmdInterrompi->setAutoDefault(false);
    cmdInterrompi->setEnabled(false);
    actions->addWidget(cmdImporta);
    actions->addWidget(cmdStatistiche);
    actions->addStretch();
    actions->addWidget(cmdVerifica);
    actions->addWidget(cmdInterrompi);
    layout->addLayout(actions);

    auto *lblRisultati =
        new QLabel(QStringLiteral("&Risultati: le estrazioni con una vincita"), page);
    layout->addWidget(lblRisultati);
    m_model = new CheckResultModel(this);
    grdVincite = new QTableView(page);
    grdVincite->setObjectName(QStringLiteral("grdVincite"));
    grdVincite->setModel(m_model);
    setUpReadOnlyTable(grdVincite);
    grdVincite->setWordWrap(false);
    grdVincite->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdVincite->horizontalHeader()->setSectionResizeMode(CheckResultModel::Drawn,
                                                         QHeaderView::Stretch);
    grdVincite->setMinimumHeight(160);
    lblRisultati->setBuddy(grdVincite);
    layout->addWidget(grdVincite, 1);
    fitColumns();

    auto *progress = new QHBoxLayout;
    lblAvanzamento = new QLabel(page);
    lblAvanzamento->setObjectName(QStringLiteral("lblAvanzamento"));
    lblAvanzamento->setWordWrap(true);
    prgVerifica = new QProgressBar(page);
    prgVerifica->setObjectName(QStringLiteral("prgVerifica"));
    prgVerifica->setVisible(false);
    prgVerifica->setRange(0, 1000);
    progress->addWidget(lblAvanzamento, 1);
    progress->addWidget(prgVerifica, 1);
    layout->addLayout(progress);

    auto *totals = new QGroupBox(QStringLiteral("Totali"), page);
    auto *totalsGrid = new QGridLayout(totals);
    const char *const captions[] = {"Estrazioni verificate", "Estrazioni vincenti",
                                    "Importo giocato €",     "Vincita lorda €",
                                    "Vincita netta €",       "Saldo €"};
    const char *const names[] = {"lblEstrazioni", "lblVincenti", "lblGiocato",
                                 "lblLordo",      "lblNetto",    "lblSaldo"};
    for (int i = 0; i < 6; ++i) {
        auto *caption = new QLabel(QString::fromUtf8(captions[i]), totals);
        auto *value = new QLabel(totals);
        value->setObjectName(QString::fromLatin1(names[i]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(110);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setFont(bold);
        // Two columns of three: the counts and the stake, then the winnings and the balance.
        totalsGrid->addWidget(caption, i % 3, (i / 3) * 2);
        totalsGrid->addWidget(value, i % 3, (i / 3) * 2 + 1);
        lblTotale[std::size_t(i)] = value;
    }
    layout->addWidget(totals);

    auto *buttons = new QHBoxLayout;
    cmdStampa = new QPushButton(QStringLiteral("&Stampa"), this);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setToolTip(QStringLiteral("Stampa la tabella sulla stampante del tabulato"));
    cmdStampa->setAutoDefault(false);
    cmdAnteprima = new QPushButton(QStringLiteral("Ante&prima"), this);
    cmdAnteprima->setObjectName(QStringLiteral("cmdAnteprima"));
    cmdAnteprima->setToolTip(QStringLiteral("Mostra le pagine che Stampa metterebbe su carta"));
    cmdAnteprima->setAutoDefault(false);
    cmdChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setAutoDefault(false);
    cmdStampa->setEnabled(false);
    cmdAnteprima->setEnabled(false);
    buttons->addWidget(cmdStampa);
    buttons->addWidget(cmdAnteprima);
    buttons->addStretch();
    buttons->addWidget(cmdChiudi);
    outer->addLayout(buttons);

    QWidget::setTabOrder(optNumeri, txtNumeri);
    QWidget::setTabOrder(txtNumeri, optArchivio);
    QWidget::setTabOrder(optArchivio, dtpDal);
    QWidget::setTabOrder(dtpDal, dtpAl);
    QWidget::setTabOrder(dtpAl, cmdImporta);
    QWidget::setTabOrder(cmdImporta, cmdStatistiche);
    QWidget::setTabOrder(cmdStatistiche, cmdVerifica);
    QWidget::setTabOrder(cmdVerifica, cmdInterrompi);
    QWidget::setTabOrder(cmdInterrompi, grdVincite);
    QWidget::setTabOrder(grdVincite, cmdStampa);
    QWidget::setTabOrder(cmdStampa, cmdAnteprima);
    QWidget::setTabOrder(cmdAnteprima, cmdChiudi);

    m_work = new WindowWork(this);

    connect(optArchivio, &QRadioButton::toggled, this, &frmVerifica::optArchivio_Toggled);
    // Typing numbers chooses them.
    connect(txtNumeri, &QLineEdit::textEdited, optNumeri, [this] { optNumeri->setChecked(true); });
    connect(cmdImporta, &QPushButton::clicked, this, &frmVerifica::cmdImporta_Click);
    connect(cmdStatistiche, &QPushButton::clicked, this, &frmVerifica::cmdStatistiche_Click);
    connect(cmdVerifica, &QPushButton::clicked, this, &frmVerifica::cmdVerifica_Click);
    connect(cmdInterrompi, &QPushButton::clicked, this, &frmVerifica::cmdInterrompi_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &frmVerifica::cmdStampa_Click);
    connect(cmdAnteprima, &QPushButton::clicked, this, &frmVerifica::cmdAnteprima_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &frmVerifica::reject);

    setMinimumSize(240, 180);
    resize(kPreferredSize);
}

frmVerifica::~frmVerifica()
{
    // A worker still running is told to stop, so that closing does not wait for a whole
    // import or check; the window's pool waits for it as it goes.
    m_work->stopAndWait();
}

void frmVerifica::showModal()
{
    placeOnScreen(this, parentWidget(), kPreferredSize);
    Form_Load();
    cmdVerifica->setFocus();
    exec();
}

void frmVerifica::startJob(std::function<void(Job &)> work, std::function<void()> finished,
                           std::function<QString(qint64, qint64)> progressText)
{
    setRunning(true);
    m_work->start(
        std::move(work),
        [this, finished = std::move(finished)] {
            setRunning(false);
            finished();
        },
        [this, progressText = std::move(progressText)](qint64 done, qint64 total) {
            // A wait of unknown length (another copy's import) moves the bar without a figure.
            prgVerifica->setRange(0, total == kWaitingForLock ? 0 : 1000);
            prgVerifica->setValue(total > 0 ? int(done * 1000 / total) : 0);
            lblAvanzamento->setText(progressText(done, total));
        });
}

void frmVerifica::Form_Load()
{
    lblArchivio->setText(QStringLiteral("Lettura dell'archivio delle estrazioni..."));
    auto stored = std::make_shared<StoredArchive>();
    const ArchiveStore store = m_store;
    m_loading = true;
    startJob(
        [stored, store](Job &job) {
            try {
                *stored = store.read([&job](qint64 done, qint64 total) {
                    job.done = done;
                    job.total = total;
                    return !job.stop;
                });
            } catch (const std::bad_alloc &) {
                *stored = StoredArchive();
                stored->unusable = outOfMemory();
            }
        },
        [this, stored] {
            m_loading = false;
            if (stored->interrupted)
                return;
            const QString notice = storedArchiveNotice(*stored, m_store.path());
            m_archive = std::move(stored->archive);
            showArchive();
            optArchivio_Toggled();
            lblAvanzamento->clear();
            if (!notice.isEmpty())
                warningMessage(ui(), notice, QStringLiteral("Archivio delle estrazioni"));
        },
        [](qint64 done, qint64 total) {
            return QStringLiteral("Lettura dell'archivio: %1").arg(percentText(done, total));
        });
}

void frmVerifica::showArchive()
{
    if (m_wheel == kNoWheel) {
        lblArchivio->setText(QStringLiteral("La ruota del sistema non è nell'elenco delle ruote: "
                                            "si possono verificare solo numeri scritti."));
    } else {
        const QList<Draw> draws = m_archive.drawsOf(m_wheel);
        if (draws.isEmpty())
            lblArchivio->setText(
                QStringLiteral("Nessuna estrazione di %1 in archivio: importa un file di "
                               "estrazioni con \"Importa archivio\".")
                    .arg(wheelName(m_wheel)));
        else
            lblArchivio->setText(QStringLiteral("In archivio: %1 di %2, dal %3 al %4.")
                                     .arg(countOf(draws.size(), "estrazione", "estrazioni"),
                                          wheelName(m_wheel), dateText(draws.first().date),
                                          dateText(draws.last().date)));
    }
    // The dates open on the whole archive, and reach every draw it holds.
    const QDate first = m_archive.firstDate();
    const QDate last = m_archive.lastDate();
    const QDate earliest = first.isValid() ? std::min(first, kEarliestDate) : kEarliestDate;
    for (DateBox *box : {dtpDal, dtpAl})
        box->setDateRange(earliest, kLatestDate);
    dtpDal->setDate(first.isValid() ? first : QDate::currentDate());
    dtpAl->setDate(last.isValid() ? last : QDate::currentDate());
}

void frmVerifica::optArchivio_Toggled()
{
    const bool archive = optArchivio->isChecked() && !busy();
    dtpDal->setEnabled(archive);
    dtpAl->setEnabled(archive);
}

bool frmVerifica::eventFilter(QObject *watched, QEvent *event)
{
    // Alt+N and Alt+A choose their option and take the player to what it needs.
    if (event->type() == QEvent::Shortcut && (watched == optNumeri || watched == optArchivio)) {
        auto *option = static_cast<QRadioButton *>(watched);
        if (!option->isEnabled())
            return true;
        option->setChecked(true);
        QWidget *next = option == optNumeri ? static_cast<QWidget *>(txtNumeri) : dtpDal;
        next->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmVerifica::cmdImporta_Click()
{
    if (busy())
        return;
    FileDialogRequest request;
    request.initDir = archiveFolder(m_context.appPath);
    request.filter = kArchiveFilter;
    request.fileMustExist = true;
    request.severalFiles = true; // a year or a decade of files in one go
    const FileDialogResult chosen = ui().ShowOpen(this, request);
    if (!chosen.confirmed || chosen.fileNames.isEmpty())
        return;
    rememberArchiveFolder(m_context.appPath, QFileInfo(chosen.fileNames.first()).absolutePath());

    auto outcome = std::make_shared<ArchiveImport>();
    auto merged = std::make_shared<DrawArchive>();
    const ArchiveStore store = m_store;
    const QStringList paths = chosen.fileNames;
    startJob(
        [=](Job &job) {
            try {
                *outcome = store.import(paths, merged.get(), [&job](qint64 done, qint64 total) {
                    job.done = done;
                    job.total = total;
                    return !job.stop;
                });
            } catch (const std::bad_alloc &) {
                *outcome = ArchiveImport();
                outcome->saveError = outOfMemory();
                outcome->failedPath = store.path();
            }
        },
        [this, outcome, merged] {
            // The archive the import reached; when only its save failed, the window still
            // checks against it, as the message says.
            if (outcome->merged)
                m_archive = std::move(*merged);
            const QString summary =
                archiveImportMessage(*outcome, QStringLiteral("cmdImporta_Click"), objectName());
            const bool trouble =
                outcome->interrupted || outcome->saveError ||
                std::any_of(outcome->files.begin(), outcome->files.end(), importHadTrouble);
            lblAvanzamento->clear();
            showArchive();
            optArchivio->setChecked(true);
            ui().message(trouble ? MessageIcon::Warning : MessageIcon::None, summary,
                         QStringLiteral("Importa archivio"));
        },
        [](qint64 done, qint64 total) {
            if (total == kWaitingForLock)
                return QStringLiteral("In attesa dell'altra copia del programma…");
            return QStringLiteral("Importazione in corso: %1").arg(percentText(done, total));
        });
}

void frmVerifica::cmdStatistiche_Click()
{
    if (busy())
        return;
    // The figures window reads the archive as the check window holds it, over its dates.
    frmStatistiche statistiche(m_sistema, m_archive, m_context, dtpDal->date(), dtpAl->date(),
                               this);
    statistiche.showModal();
}

void frmVerifica::cmdVerifica_Click()
{
    if (busy())
        return;
    startCheck();
}

bool frmVerifica::startCheck()
{
    QList<Draw> draws;
    QString against;
    if (optNumeri->isChecked()) {
        const auto numbers = parseDrawnNumbers(txtNumeri->text());
        if (!numbers) {
            warningMessage(ui(),
                           QStringLiteral("Scrivi cinque numeri diversi da 1 a 90, separati da "
                                          "spazi o virgole (es. 7 12 45 80 81)."));
            txtNumeri->setFocus();
            return false;
        }
        Draw draw;
        draw.wheel = m_wheel;
        draw.numbers = *numbers;
        draws.append(draw);
        against = QStringLiteral("numeri scritti %1").arg(print::drawnText(draw));
    } else {
        if (m_wheel == kNoWheel) {
            warningMessage(ui(),
                           QStringLiteral("La ruota del sistema non è nell'elenco delle ruote: "
                                          "scrivi i numeri di un'estrazione."));
            return false;
        }
        const std::optional<QDate> from = dtpDal->checkedDate(ui(), QStringLiteral("Dal"));
        if (!from)
            return false;
        const std::optional<QDate> to = dtpAl->checkedDate(ui(), QStringLiteral("Al"));
        if (!to)
            return false;
        if (*from > *to) {
            warningMessage(ui(), QStringLiteral("La data \"Dal\" viene dopo la data \"Al\"."));
            dtpDal->setFocus();
            return false;
        }
        draws = m_archive.drawsOf(m_wheel, *from, *to);
        if (draws.isEmpty()) {
            warningMessage(ui(),
                           QStringLiteral("Nessuna estrazione di %1 in archivio dal %2 al %3.\r\n"
                                          "Importa un file di estrazioni con \"Importa archivio\".")
                               .arg(wheelName(m_wheel), dateText(*from), dateText(*to)));
            return false;
        }
        against = QStringLiteral("archivio, %1 dal %2 al %3")
                      .arg(countOf(draws.size(), "estrazione", "estrazioni"), dateText(*from),
                           dateText(*to));
    }

    const Result<CheckedSystem> checked = checkedSystem(m_sistema);
    if (!checked) {
        criticalMessage(ui(), formErrorMessage(checked.error(), QStringLiteral("cmdVerifica_Click"),
                                               objectName()));
        return false;
    }
    const CheckedSystem system = *checked;
    const Result<int> setting = readWithholding(m_context.appPath);
    if (!setting) {
        const RuntimeError &error = setting.error();
        criticalMessage(
            ui(),
            QStringLiteral("%1: %2\r\n%3")
                .arg(withholdingPath(m_context.appPath), withholdingFailureText(error),
                     formErrorMessage(error, QStringLiteral("cmdVerifica_Click"), objectName())));
        return false;
    }
    const int withholding = *setting;

    auto result = std::make_shared<CheckResult>();
    auto failure = std::make_shared<std::optional<RuntimeError>>();
    startJob(
        [=](Job &job) {
            job.total = draws.size();
            Result<CheckResult> checked =
                checkSystem(system, draws, withholding, [&job](int done, int) {
                    job.done = done;
                    return !job.stop;
                });
            if (checked)
                *result = std::move(checked).value();
            else
                *failure = checked.error();
        },
        [this, result, failure, against] {
            if (*failure) {
                lblAvanzamento->clear();
                criticalMessage(
                    ui(),
                    formErrorMessage(**failure, QStringLiteral("cmdVerifica_Click"), objectName()));
                return;
            }
            m_against = result->interrupted ? against + QStringLiteral(" (interrotta)") : against;
            showResult(*result);
        },
        [](qint64 done, qint64 total) {
            if (total == 0)
                return QStringLiteral("Verifica in corso...");
            return QStringLiteral("Verifica in corso: %1 di %2")
                .arg(countText(done), countOf(total, "estrazione", "estrazioni"));
        });
    return true;
}

void frmVerifica::setRunning(bool running)
{
    for (QWidget *w : std::initializer_list<QWidget *>{optNumeri, txtNumeri, optArchivio,
                                                       cmdImporta, cmdStatistiche, cmdVerifica,
                                                       cmdStampa, cmdAnteprima, cmdChiudi})
        w->setEnabled(!running);
    optArchivio_Toggled();
    cmdInterrompi->setEnabled(running);
    prgVerifica->setVisible(running);
    if (running) {
        prgVerifica->setValue(0);
        cmdInterrompi->setFocus();
    } else {
        cmdStampa->setEnabled(m_result.has_value());
        cmdAnteprima->setEnabled(m_result.has_value());
        cmdVerifica->setFocus();
    }
}

void frmVerifica::cmdInterrompi_Click()
{
    m_work->stop();
}

void frmVerifica::fitColumns()
{
    // The columns hold their widest text: the dates, the hits and the largest amount.
    const QFontMetrics metrics = grdVincite->fontMetrics();
    QFont boldFont = grdVincite->font();
    boldFont.setBold(true);
    const QFontMetrics boldMetrics(boldFont);
    const int padding = 3 * grdVincite->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    QHeaderView *header = grdVincite->horizontalHeader();
    const auto fit = [&](int column, int textWidth) {
        const int headerWidth =
            metrics.horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString());
        header->resizeSection(column, std::max(textWidth, headerWidth) + padding);
    };
    fit(CheckResultModel::Date, metrics.horizontalAdvance(QStringLiteral("00/00/0000")));
    fit(CheckResultModel::Play, metrics.horizontalAdvance(QStringLiteral("0")));
    fit(CheckResultModel::Hits, metrics.horizontalAdvance(QStringLiteral("4 Quaterna")));
    fit(CheckResultModel::Gross, boldMetrics.horizontalAdvance(m_model->widestAmount()));
    fit(CheckResultModel::Net, boldMetrics.horizontalAdvance(m_model->widestAmount()));
}

void frmVerifica::showResult(const CheckResult &result)
{
    m_result = result;
    m_model->setResult(result);
    fitColumns();

    const CheckTotals &t = result.totals;
    lblTotale[0]->setText(countText(t.drawsChecked));
    lblTotale[1]->setText(countText(t.winningDraws));
    lblTotale[2]->setText(print::amountText(t.staked));
    lblTotale[3]->setText(print::amountText(t.gross));
    lblTotale[4]->setText(print::amountText(t.net));
    lblTotale[5]->setText(print::amountText(t.balance()));
    if (result.interrupted)
        lblAvanzamento->setText(
            QStringLiteral("Verifica interrotta: %1.")
                .arg(countOf(t.drawsChecked, "estrazione verificata", "estrazioni verificate")));
    else if (result.wins.isEmpty())
        lblAvanzamento->setText(QStringLiteral("Nessuna vincita su %1.")
                                    .arg(countOf(t.drawsChecked, "estrazione", "estrazioni")));
    else
        lblAvanzamento->setText(QStringLiteral("Vincite su %1 di %2.")
                                    .arg(countOf(t.winningDraws, "estrazione", "estrazioni"),
                                         countText(t.drawsChecked)));
    cmdStampa->setEnabled(true);
    cmdAnteprima->setEnabled(true);
}

print::CheckReport frmVerifica::report() const
{
    print::CheckReport report;
    report.heading = m_context.intestazioneStampa;
    report.systemName = m_sistema.NomeSistema.text().trimmed();
    report.wheel = m_wheel == kNoWheel ? m_sistema.Ruota.text().trimmed() : wheelName(m_wheel);
    report.against = m_against;
    report.result = m_result.value_or(CheckResult{});
    report.printerName = m_context.stampanteTabulato;
    return report;
}

void frmVerifica::cmdStampa_Click()
{
    if (!m_result || busy())
        return;
    print::PrinterSet &printers = m_context.program->printers;
    printReport(this, *m_context.program,
                [&] { return print::StampaVerifica(printers, report()); });
}

void frmVerifica::cmdAnteprima_Click()
{
    if (!m_result || busy())
        return;
    showPreview(this, ui(),
                [this] { return print::previewVerifica(m_context.program->printers, report()); });
}

void frmVerifica::reject()
{
    if (busy()) {
        m_work->stop();
        if (!m_loading)
            return;
    }
    QDialog::reject();
}

void frmVerifica::closeEvent(QCloseEvent *event)
{
    m_work->stop();
    if (busy() && !m_loading) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace zelmora
