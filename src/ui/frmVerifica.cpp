#include "ui/frmVerifica.h"

#include "app/Program.h"
#include "app/UiServices.h"
#include "core/ArchiveAddress.h"
#include "core/ArchiveMessages.h"
#include "core/ArchiveText.h"
#include "core/DrawDate.h"
#include "core/FolderMemory.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"
#include "core/WithholdingSetting.h"
#include "net/ArchiveUpdate.h"
#include "print/CheckReport.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "ui/ArchiveSnapshot.h"
#include "ui/CheckResultModel.h"
#include "ui/DateBox.h"
#include "ui/PrintNotice.h"
#include "ui/ReadOnlyTable.h"
#include "ui/ScreenPlacement.h"
#include "ui/SpokenNames.h"
#include "ui/frmAnteprima.h"
#include "ui/frmStatistiche.h"

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
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace zelmora {

namespace {

const QString kArchiveFilter =
    QStringLiteral("Archivi delle estrazioni (*.txt *.csv);;Tutti i file (*)|*.txt");
// The size the window asks for; a smaller screen gets a smaller window that scrolls.
constexpr QSize kPreferredSize(760, 600);

QString dateText(const QDate &date)
{
    return print::drawDateLabel(date);
}

// The progress of an update as the window's label says it.
QString updateProgressText(UpdatePhase phase, qint64 done, qint64 total)
{
    switch (phase) {
    case UpdatePhase::Download:
        return total > 0 ? QStringLiteral("Scaricamento dell'archivio: %1 di %2 KB")
                               .arg(countText(done / 1024), countText(total / 1024))
                         : QStringLiteral("Scaricamento dell'archivio: %1 KB")
                               .arg(countText(done / 1024));
    case UpdatePhase::Unpack:
        return QStringLiteral("Apertura dell'archivio scaricato...");
    case UpdatePhase::Merge:
        if (total == kWaitingForLock)
            return QStringLiteral("In attesa dell'altra copia del programma…");
        return QStringLiteral("Unione all'archivio: %1").arg(percentText(done, total));
    }
    return QString();
}

} // namespace

frmVerifica::frmVerifica(const Sistema &sistema, Program &program, QWidget *parent)
    : ReportWindow(program, QStringLiteral("frmVerifica"), QStringLiteral("Verifica"),
                   QStringLiteral("&Chiudi"), parent),
      m_sistema(sistema), m_store(m_program.appPath + QString::fromLatin1(ArchiveStore::kFileName))
{
    m_wheel = wheelIndex(m_sistema.Ruota.text().trimmed());
    QWidget *page = this->page();
    QVBoxLayout *layout = pageLayout();
    prgVerifica = prgAvanzamento;
    prgVerifica->setObjectName(QStringLiteral("prgVerifica"));
    cmdStampa->setToolTip(QStringLiteral("Stampa la tabella sulla stampante del tabulato"));

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
    // The option before the box says what it takes.
    setSpokenName(txtNumeri, QStringLiteral("Numeri di un'estrazione"));
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
    nameByLabel(lblDal, dtpDal);
    nameByLabel(lblAl, dtpAl);
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
    cmdAggiorna = new QPushButton(QStringLiteral("A&ggiorna archivio"), page);
    cmdAggiorna->setObjectName(QStringLiteral("cmdAggiorna"));
    cmdAggiorna->setToolTip(QStringLiteral(
        "Scarica l'archivio pubblico di tutte le estrazioni e aggiungi quelle nuove"));
    cmdAggiorna->setAutoDefault(false);
    cmdStatistiche = new QPushButton(QStringLiteral("Ritardi e &frequenze..."), page);
    cmdStatistiche->setObjectName(QStringLiteral("cmdStatistiche"));
    cmdStatistiche->setToolTip(
        QStringLiteral("Frequenza, ritardo e ritardo massimo dei numeri di una ruota tra le date"));
    cmdStatistiche->setAutoDefault(false);
    cmdVerifica = new QPushButton(QStringLiteral("&Verifica"), page);
    cmdVerifica->setObjectName(QStringLiteral("cmdVerifica"));
    cmdVerifica->setDefault(true);
    actions->addWidget(cmdImporta);
    actions->addWidget(cmdAggiorna);
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
    nameByLabel(lblRisultati, grdVincite);
    layout->addWidget(grdVincite, 1);
    fitColumns();

    addProgressRow();

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

    QWidget::setTabOrder(optNumeri, txtNumeri);
    QWidget::setTabOrder(txtNumeri, optArchivio);
    QWidget::setTabOrder(optArchivio, dtpDal);
    QWidget::setTabOrder(dtpDal, dtpAl);
    QWidget::setTabOrder(dtpAl, cmdImporta);
    QWidget::setTabOrder(cmdImporta, cmdAggiorna);
    QWidget::setTabOrder(cmdAggiorna, cmdStatistiche);
    QWidget::setTabOrder(cmdStatistiche, cmdVerifica);
    QWidget::setTabOrder(cmdVerifica, cmdInterrompi);
    QWidget::setTabOrder(cmdInterrompi, grdVincite);
    QWidget::setTabOrder(grdVincite, cmdStampa);
    QWidget::setTabOrder(cmdStampa, cmdAnteprima);
    QWidget::setTabOrder(cmdAnteprima, cmdChiudi);

    connect(optArchivio, &QRadioButton::toggled, this, &frmVerifica::optArchivio_Toggled);
    // Typing numbers chooses them.
    connect(txtNumeri, &QLineEdit::textEdited, optNumeri, [this] { optNumeri->setChecked(true); });
    connect(cmdImporta, &QPushButton::clicked, this, &frmVerifica::cmdImporta_Click);
    connect(cmdAggiorna, &QPushButton::clicked, this, &frmVerifica::cmdAggiorna_Click);
    connect(cmdStatistiche, &QPushButton::clicked, this, &frmVerifica::cmdStatistiche_Click);
    connect(cmdVerifica, &QPushButton::clicked, this, &frmVerifica::cmdVerifica_Click);

    setMinimumSize(240, 180);
    resize(kPreferredSize);
}

void frmVerifica::showModal()
{
    placeOnScreen(this, parentWidget(), kPreferredSize);
    Form_Load();
    cmdVerifica->setFocus();
    exec();
}

void frmVerifica::Form_Load()
{
    lblArchivio->setText(QStringLiteral("Lettura dell'archivio delle estrazioni..."));
    const ArchiveStore store = m_store;
    const int wheel = m_wheel;
    m_loading = true;
    m_work->run<LoadedArchive>(
        [store, wheel](Worker<LoadedArchive> &worker) {
            ArchiveSnapshot read = readArchiveSnapshot(store, worker.progress(archiveReadingText));
            LoadedArchive loaded;
            loaded.interrupted = read.interrupted;
            loaded.notice = std::move(read.notice);
            loaded.wheel = read.archive->summaryOf(wheel);
            loaded.archive = std::move(read.archive);
            return loaded;
        },
        [this](LoadedArchive loaded) {
            m_loading = false;
            if (loaded.interrupted)
                return;
            takeArchive(loaded);
            optArchivio_Toggled();
            if (!loaded.notice.isEmpty())
                warningMessage(ui(), loaded.notice, QStringLiteral("Archivio delle estrazioni"));
        });
}

void frmVerifica::takeArchive(const LoadedArchive &loaded)
{
    m_archive = loaded.archive;
    m_summary = loaded.wheel;
    showArchive();
}

void frmVerifica::showArchive()
{
    if (m_wheel == kNoWheel) {
        lblArchivio->setText(QStringLiteral("La ruota del sistema non è nell'elenco delle ruote: "
                                            "si possono verificare solo numeri scritti."));
    } else if (m_summary.draws == 0) {
        lblArchivio->setText(QStringLiteral("Nessuna estrazione di %1 in archivio: \"Aggiorna "
                                            "archivio\" scarica tutte le estrazioni dal 1939.")
                                 .arg(wheelName(m_wheel)));
    } else {
        lblArchivio->setText(QStringLiteral("In archivio: %1 di %2, dal %3 al %4.")
                                 .arg(countOf(m_summary.draws, "estrazione", "estrazioni"),
                                      wheelName(m_wheel), dateText(m_summary.first),
                                      dateText(m_summary.last)));
    }
    // The dates open on the whole archive, and reach every draw it holds.
    const QDate first = m_archive->firstDate();
    const QDate last = m_archive->lastDate();
    const QDate earliest =
        first.isValid() ? std::min(first, earliestDrawDate()) : earliestDrawDate();
    for (DateBox *box : {dtpDal, dtpAl})
        box->setDateRange(earliest, latestDrawDate());
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
    request.initDir = archiveFolder(m_program.appPath);
    request.filter = kArchiveFilter;
    request.fileMustExist = true;
    request.severalFiles = true; // a year or a decade of files in one go
    const FileDialogResult chosen = ui().ShowOpen(this, request);
    if (!chosen.confirmed || chosen.fileNames.isEmpty())
        return;
    rememberArchiveFolder(m_program.appPath, QFileInfo(chosen.fileNames.first()).absolutePath());

    const ArchiveStore store = m_store;
    const QStringList paths = chosen.fileNames;
    const int wheel = m_wheel;
    const QString form = objectName();
    m_work->run<ArchiveChange>(
        [store, paths, wheel, form](Worker<ArchiveChange> &worker) {
            return importFiles(store, paths, wheel, form, worker);
        },
        [this](ArchiveChange change) {
            finishArchiveChange(change, QStringLiteral("Importa archivio"));
        });
}

frmVerifica::ArchiveChange frmVerifica::importFiles(const ArchiveStore &store,
                                                    const QStringList &paths, int wheel,
                                                    const QString &form,
                                                    Worker<ArchiveChange> &worker)
{
    ArchiveChange done;
    ArchiveImport import;
    DrawArchive merged;
    try {
        import = store.import(paths, &merged, worker.progress([](qint64 at, qint64 total) {
            if (total == kWaitingForLock)
                return QStringLiteral("In attesa dell'altra copia del programma…");
        return QStringLiteral("Importazione in corso: %1").arg(percentText(at, total));
    }));
}
catch (const std::bad_alloc &)
{
    import = ArchiveImport();
    import.saving = archiveOutOfMemory();
    import.failedPath = store.path();
}
// The archive the import reached; when only its save failed, the window still checks
// against it, as the message says.
if (import.merged) {
    done.loaded.wheel = merged.summaryOf(wheel);
    done.loaded.archive = std::make_shared<const DrawArchive>(std::move(merged));
}
done.message = archiveImportMessage(import, QStringLiteral("cmdImporta_Click"), form);
done.trouble = import.interrupted || !import.saving ||
               std::any_of(import.files.begin(), import.files.end(), importHadTrouble);
return done;
} // namespace zelmora

void frmVerifica::finishArchiveChange(const ArchiveChange &change, const QString &title)
{
    if (change.loaded.archive)
        takeArchive(change.loaded);
    optArchivio->setChecked(true);
    ui().message(change.trouble ? MessageIcon::Warning : MessageIcon::None, change.message, title);
}

void frmVerifica::cmdAggiorna_Click()
{
    if (busy())
        return;
    const Result<ArchiveAddress> address = archiveAddress(m_program.appPath);
    if (!address) {
        warningMessage(ui(), address.error().description(), QStringLiteral("Aggiorna archivio"));
        return;
    }
    const ArchiveStore store = m_store;
    const int wheel = m_wheel;
    const QString from = address->address;
    m_work->run<ArchiveChange>(
        [store, wheel, from](Worker<ArchiveChange> &worker) {
            ArchiveChange done;
            DrawArchive merged;
            const auto progress = [&worker](UpdatePhase phase, qint64 at, qint64 total) {
                worker.tell(at, total == 0 ? -1 : total, updateProgressText(phase, at, total));
                return worker.keepGoing();
            };
            const Result<ArchiveUpdate> update = updateArchive(store, from, progress, &merged);
            if (!update) {
                done.message = update.error().description();
                done.trouble = true;
                return done;
            }
            if (update->merge.merged) {
                done.loaded.wheel = merged.summaryOf(wheel);
                done.loaded.archive = std::make_shared<const DrawArchive>(std::move(merged));
            }
            done.message = archiveUpdateMessage(*update);
            done.trouble = update->interrupted || archiveUpdateHadTrouble(*update);
            return done;
        },
        [this](ArchiveChange change) {
            finishArchiveChange(change, QStringLiteral("Aggiorna archivio"));
        });
}

void frmVerifica::cmdStatistiche_Click()
{
    if (busy())
        return;
    // The figures window reads the archive as the check window holds it, over its dates.
    frmStatistiche statistiche(m_sistema, m_archive, m_program, dtpDal->date(), dtpAl->date(),
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
    std::optional<Draw> typed;
    QDate from, to;
    if (optNumeri->isChecked()) {
        const auto numbers = parseDrawnNumbers(txtNumeri->text());
        if (!numbers) {
            warningMessage(ui(),
                           QStringLiteral("Scrivi cinque numeri diversi da 1 a 90, separati da "
                                          "spazi o virgole (es. 7 12 45 80 81)."));
            txtNumeri->setFocus();
            return false;
        }
        typed.emplace();
        typed->wheel = m_wheel;
        typed->numbers = *numbers;
    } else {
        if (m_wheel == kNoWheel) {
            warningMessage(ui(),
                           QStringLiteral("La ruota del sistema non è nell'elenco delle ruote: "
                                          "scrivi i numeri di un'estrazione."));
            return false;
        }
        const std::optional<QDate> dal = dtpDal->checkedDate(ui(), QStringLiteral("Dal"));
        if (!dal)
            return false;
        const std::optional<QDate> al = dtpAl->checkedDate(ui(), QStringLiteral("Al"));
        if (!al)
            return false;
        if (*dal > *al) {
            warningMessage(ui(), QStringLiteral("La data \"Dal\" viene dopo la data \"Al\"."));
            dtpDal->setFocus();
            return false;
        }
        from = *dal;
        to = *al;
    }

    const Result<CheckedSystem> checked = checkedSystem(m_sistema);
    if (!checked) {
        reportError(ui(), checked.error(), QStringLiteral("cmdVerifica_Click"), objectName());
        return false;
    }
    const CheckedSystem system = *checked;
    const Result<int> setting = readWithholding(m_program.appPath);
    if (!setting) {
        const RuntimeError &error = setting.error();
        criticalMessage(
            ui(),
            QStringLiteral("%1: %2\r\n%3")
                .arg(withholdingPath(m_program.appPath), withholdingFailureText(error),
                     formErrorMessage(error, QStringLiteral("cmdVerifica_Click"), objectName())));
        return false;
    }
    const int withholding = *setting;

    // The worker picks the draws from the window's snapshot of the archive.
    const std::shared_ptr<const DrawArchive> archive = m_archive;
    const int wheel = m_wheel;
    m_work->run<CheckDone>(
        [=](Worker<CheckDone> &worker) {
            CheckDone done;
            QList<Draw> draws;
            if (typed) {
                draws.append(*typed);
                done.against = QStringLiteral("numeri scritti %1").arg(print::drawnText(*typed));
            } else {
                worker.tell(0, 0, QStringLiteral("Verifica in corso..."));
                // Only a cancel cuts the choice short (the result is then never shown); a stop
                // is seen by the check, whose totals then cover the draws checked.
                draws = archive->drawsOf(wheel, from, to, [&] { return worker.canceled(); });
                done.against = QStringLiteral("archivio, %1 dal %2 al %3")
                                   .arg(countOf(draws.size(), "estrazione", "estrazioni"),
                                        dateText(from), dateText(to));
            }
            done.draws = int(draws.size());
            if (draws.isEmpty())
                return done;
            const auto progress = worker.progress([](qint64 at, qint64 total) {
                return QStringLiteral("Verifica in corso: %1 di %2")
                    .arg(countText(at), countOf(total, "estrazione", "estrazioni"));
            });
            done.result = checkSystem(system, draws, withholding,
                                      [&](int at, int total) { return progress(at, total); });
            return done;
        },
        [this, from, to](CheckDone done) {
            if (done.draws == 0) {
                warningMessage(
                    ui(), QStringLiteral("Nessuna estrazione di %1 in archivio dal %2 al %3.\r\n"
                                         "Importa un file di estrazioni con \"Importa archivio\".")
                              .arg(wheelName(m_wheel), dateText(from), dateText(to)));
                return;
            }
            if (!done.result) {
                reportError(ui(), done.result.error(), QStringLiteral("cmdVerifica_Click"),
                            objectName());
                return;
            }
            auto result = std::make_shared<const CheckResult>(std::move(done.result).value());
            m_against =
                result->interrupted ? done.against + QStringLiteral(" (interrotta)") : done.against;
            showResult(std::move(result));
        });
    return true;
}

void frmVerifica::setRunning(bool running)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{optNumeri, txtNumeri, optArchivio, cmdImporta,
                                          cmdAggiorna, cmdStatistiche, cmdVerifica})
        w->setEnabled(!running);
    optArchivio_Toggled();
    if (running)
        cmdInterrompi->setFocus();
    else
        cmdVerifica->setFocus();
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

void frmVerifica::showResult(std::shared_ptr<const CheckResult> shown)
{
    m_result = std::move(shown);
    const CheckResult &result = *m_result;
    m_model->setResult(m_result);
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
    report.heading = m_program.intestazioneStampa;
    report.systemName = m_sistema.NomeSistema.text().trimmed();
    report.wheel = m_wheel == kNoWheel ? m_sistema.Ruota.text().trimmed() : wheelName(m_wheel);
    report.against = m_against;
    report.result = m_result ? m_result : std::make_shared<const CheckResult>();
    report.printerName = m_program.stampanteTabulato;
    return report;
}

bool frmVerifica::hasReport() const
{
    return m_result != nullptr;
}

ReportWindow::ReportJobs frmVerifica::reportJobs() const
{
    print::PrinterSet *printers = &m_program.printers;
    const print::CheckReport report = this->report();
    return {[printers, report](const print::PrintProgress &progress) {
                return print::printCheck(*printers, report, progress);
            },
            [printers, report] { return print::previewCheck(*printers, report); }};
}

bool frmVerifica::escapeCloses() const
{
    // While the archive is still being read on opening, Escape closes the window.
    return !busy() || m_loading;
}

} // namespace zelmora
