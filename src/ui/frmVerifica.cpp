#include "ui/frmVerifica.h"

#include "app/UiServices.h"
#include "core/ArchiveText.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"
#include "core/WithholdingSetting.h"
#include "print/CheckReport.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "ui/PrintNotice.h"
#include "ui/frmAnteprima.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zelmora {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kArchiveFilter =
    QStringLiteral("Archivi delle estrazioni (*.txt *.csv);;Tutti i file (*)|*.txt");

QString dateText(const QDate &date)
{
    return print::drawDateLabel(date);
}

QTableWidgetItem *cellItem(const QString &text, bool number = false, bool bold = false)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    return item;
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

    auto *layout = new QVBoxLayout(this);

    lblSistema = new QLabel(this);
    lblSistema->setObjectName(QStringLiteral("lblSistema"));
    QFont bold = font();
    bold.setBold(true);
    lblSistema->setFont(bold);
    lblSistema->setText(
        QStringLiteral("Sistema: %1    Ruota: %2    Importo per estrazione: € %3")
            .arg(m_sistema.NomeSistema.text().trimmed(),
                 m_wheel == kNoWheel ? m_sistema.Ruota.text().trimmed() : wheelName(m_wheel),
                 formatMask(m_sistema.ImportoSistema, QStringLiteral("###,##0.00"))));
    layout->addWidget(lblSistema);

    // What to check against: typed numbers, or the archive between two dates.
    auto *against = new QGroupBox(QStringLiteral("Verifica con"), this);
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
    dtpDal = new QDateEdit(against);
    dtpDal->setObjectName(QStringLiteral("dtpDal"));
    auto *lblAl = new QLabel(QStringLiteral("A&l"), against);
    dtpAl = new QDateEdit(against);
    dtpAl->setObjectName(QStringLiteral("dtpAl"));
    for (QDateEdit *edit : {dtpDal, dtpAl}) {
        edit->setDisplayFormat(kDateFormat);
        edit->setCalendarPopup(true);
        edit->setMinimumDate(QDate(1871, 1, 1));
        edit->setMaximumDate(QDate(9999, 12, 31));
    }
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
    grid->addWidget(lblArchivio, 2, 0, 1, 5);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    layout->addWidget(against);

    auto *actions = new QHBoxLayout;
    cmdImporta = new QPushButton(QStringLiteral("&Importa archivio..."), this);
    cmdImporta->setObjectName(QStringLiteral("cmdImporta"));
    cmdImporta->setToolTip(QStringLiteral("Aggiungi all'archivio le estrazioni di un file"));
    cmdImporta->setAutoDefault(false);
    cmdVerifica = new QPushButton(QStringLiteral("&Verifica"), this);
    cmdVerifica->setObjectName(QStringLiteral("cmdVerifica"));
    cmdVerifica->setDefault(true);
    cmdInterrompi = new QPushButton(QStringLiteral("In&terrompi"), this);
    cmdInterrompi->setObjectName(QStringLiteral("cmdInterrompi"));
    cmdInterrompi->setAutoDefault(false);
    cmdInterrompi->setEnabled(false);
    actions->addWidget(cmdImporta);
    actions->addStretch();
    actions->addWidget(cmdVerifica);
    actions->addWidget(cmdInterrompi);
    layout->addLayout(actions);

    auto *lblRisultati =
        new QLabel(QStringLiteral("&Risultati: le estrazioni con una vincita"), this);
    layout->addWidget(lblRisultati);
    grdVincite = new QTableWidget(0, 6, this);
    grdVincite->setObjectName(QStringLiteral("grdVincite"));
    grdVincite->setHorizontalHeaderLabels(
        {QStringLiteral("Data"), QStringLiteral("Numeri estratti"), QStringLiteral("Giocata"),
         QStringLiteral("Punti"), QStringLiteral("Lordo €"), QStringLiteral("Netto €")});
    grdVincite->verticalHeader()->setVisible(false);
    grdVincite->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdVincite->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdVincite->setTabKeyNavigation(false);
    grdVincite->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdVincite->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grdVincite->setMinimumHeight(220);
    grdVincite->setWordWrap(false);
    grdVincite->verticalHeader()->setDefaultSectionSize(grdVincite->fontMetrics().height() + 6);
    lblRisultati->setBuddy(grdVincite);
    layout->addWidget(grdVincite, 1);

    auto *progress = new QHBoxLayout;
    lblAvanzamento = new QLabel(this);
    lblAvanzamento->setObjectName(QStringLiteral("lblAvanzamento"));
    prgVerifica = new QProgressBar(this);
    prgVerifica->setObjectName(QStringLiteral("prgVerifica"));
    prgVerifica->setVisible(false);
    progress->addWidget(lblAvanzamento, 1);
    progress->addWidget(prgVerifica, 1);
    layout->addLayout(progress);

    auto *totals = new QGroupBox(QStringLiteral("Totali"), this);
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
        totalsGrid->addWidget(caption, i / 3, (i % 3) * 2);
        totalsGrid->addWidget(value, i / 3, (i % 3) * 2 + 1);
        lblTotale[i] = value;
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
    layout->addLayout(buttons);

    QWidget::setTabOrder(optNumeri, txtNumeri);
    QWidget::setTabOrder(txtNumeri, optArchivio);
    QWidget::setTabOrder(optArchivio, dtpDal);
    QWidget::setTabOrder(dtpDal, dtpAl);
    QWidget::setTabOrder(dtpAl, cmdImporta);
    QWidget::setTabOrder(cmdImporta, cmdVerifica);
    QWidget::setTabOrder(cmdVerifica, cmdInterrompi);
    QWidget::setTabOrder(cmdInterrompi, grdVincite);
    QWidget::setTabOrder(grdVincite, cmdStampa);
    QWidget::setTabOrder(cmdStampa, cmdAnteprima);
    QWidget::setTabOrder(cmdAnteprima, cmdChiudi);

    connect(optArchivio, &QRadioButton::toggled, this, &frmVerifica::optArchivio_Toggled);
    // Typing numbers chooses them.
    connect(txtNumeri, &QLineEdit::textEdited, optNumeri, [this] { optNumeri->setChecked(true); });
    connect(cmdImporta, &QPushButton::clicked, this, &frmVerifica::cmdImporta_Click);
    connect(cmdVerifica, &QPushButton::clicked, this, &frmVerifica::cmdVerifica_Click);
    connect(cmdInterrompi, &QPushButton::clicked, this, &frmVerifica::cmdInterrompi_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &frmVerifica::cmdStampa_Click);
    connect(cmdAnteprima, &QPushButton::clicked, this, &frmVerifica::cmdAnteprima_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &frmVerifica::reject);

    resize(760, 600);
}

void frmVerifica::showModal()
{
    Form_Load();
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    cmdVerifica->setFocus();
    exec();
}

void frmVerifica::Form_Load()
{
    try {
        m_store.load();
    } catch (const RuntimeError &error) {
        criticalMessage(
            QStringLiteral("L'archivio delle estrazioni non può essere letto:\r\n%1\r\n%2")
                .arg(m_store.path(),
                     formErrorMessage(error, QStringLiteral("Form_Load"), objectName())));
    }
    showArchive();
    optArchivio_Toggled();
}

void frmVerifica::showArchive()
{
    const DrawArchive &archive = m_store.archive();
    if (m_wheel == kNoWheel) {
        lblArchivio->setText(QStringLiteral("La ruota del sistema non è nell'elenco delle ruote: "
                                            "si possono verificare solo numeri scritti."));
    } else {
        const QList<Draw> draws = archive.drawsOf(m_wheel);
        if (draws.isEmpty())
            lblArchivio->setText(
                QStringLiteral("Nessuna estrazione di %1 in archivio: importa un file di "
                               "estrazioni con \"Importa archivio\".")
                    .arg(wheelName(m_wheel)));
        else
            lblArchivio->setText(QStringLiteral("In archivio: %1 estrazioni di %2, dal %3 al %4.")
                                     .arg(draws.size())
                                     .arg(wheelName(m_wheel), dateText(draws.first().date),
                                          dateText(draws.last().date)));
    }
    // The dates cover the whole archive.
    const QDate first = archive.firstDate().isValid() ? archive.firstDate() : QDate::currentDate();
    const QDate last = archive.lastDate().isValid() ? archive.lastDate() : QDate::currentDate();
    dtpDal->setDate(first);
    dtpAl->setDate(last);
}

void frmVerifica::optArchivio_Toggled()
{
    const bool archive = optArchivio->isChecked();
    dtpDal->setEnabled(archive);
    dtpAl->setEnabled(archive);
}

void frmVerifica::cmdImporta_Click()
{
    FileDialogRequest request;
    request.initDir = m_context.appPath;
    request.filter = kArchiveFilter;
    request.fileMustExist = true;
    request.severalFiles = true; // a year or a decade of files in one go
    const FileDialogResult chosen = ui().ShowOpen(this, request);
    if (!chosen.confirmed || chosen.fileNames.isEmpty())
        return;
    ui().setBusy(true);
    const QList<FileImport> imports = m_store.importFiles(chosen.fileNames);
    QString saveError;
    try {
        m_store.save();
    } catch (const RuntimeError &error) {
        saveError = formErrorMessage(error, QStringLiteral("cmdImporta_Click"), objectName());
    }
    ui().setBusy(false);
    QString summary = importsSummary(imports);
    if (!saveError.isEmpty())
        summary += QStringLiteral("\r\n\r\nL'archivio non è stato salvato: %1").arg(saveError);
    const bool trouble =
        !saveError.isEmpty() || std::any_of(imports.begin(), imports.end(), importHadTrouble);
    ui().message(trouble ? MessageIcon::Warning : MessageIcon::None, summary,
                 QStringLiteral("Importa archivio"));
    showArchive();
    optArchivio->setChecked(true);
}

void frmVerifica::cmdVerifica_Click()
{
    if (m_running)
        return;
    try {
        runCheck();
    } catch (const RuntimeError &error) {
        setRunning(false);
        criticalMessage(formErrorMessage(error, QStringLiteral("cmdVerifica_Click"), objectName()));
    }
}

bool frmVerifica::runCheck()
{
    QList<Draw> draws;
    QString against;
    if (optNumeri->isChecked()) {
        const auto numbers = parseDrawnNumbers(txtNumeri->text());
        if (!numbers) {
            warningMessage(QStringLiteral("Scrivi cinque numeri diversi da 1 a 90, separati da "
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
            warningMessage(QStringLiteral("La ruota del sistema non è nell'elenco delle ruote: "
                                          "scrivi i numeri di un'estrazione."));
            return false;
        }
        const QDate from = dtpDal->date();
        const QDate to = dtpAl->date();
        if (from > to) {
            warningMessage(QStringLiteral("La data \"Dal\" viene dopo la data \"Al\"."));
            dtpDal->setFocus();
            return false;
        }
        draws = m_store.archive().drawsOf(m_wheel, from, to);
        if (draws.isEmpty()) {
            warningMessage(QStringLiteral("Nessuna estrazione di %1 in archivio dal %2 al %3.\r\n"
                                          "Importa un file di estrazioni con \"Importa archivio\".")
                               .arg(wheelName(m_wheel), dateText(from), dateText(to)));
            return false;
        }
        against = QStringLiteral("archivio, %1 estrazioni dal %2 al %3")
                      .arg(draws.size())
                      .arg(dateText(from), dateText(to));
    }

    const CheckedSystem system = checkedSystem(m_sistema);
    const int withholding = readWithholding(m_context.appPath);

    setRunning(true);
    prgVerifica->setRange(0, int(draws.size()));
    prgVerifica->setValue(0);
    lblAvanzamento->setText(QStringLiteral("Verifica in corso..."));
    const CheckResult result = checkSystem(system, draws, withholding, [this](int done, int total) {
        prgVerifica->setValue(done);
        lblAvanzamento->setText(
            QStringLiteral("Verifica in corso: %1 di %2 estrazioni").arg(done).arg(total));
        ui().DoEvents();
        return !m_stop;
    });
    setRunning(false);
    m_against = result.interrupted ? against + QStringLiteral(" (interrotta)") : against;
    showResult(result);
    return true;
}

void frmVerifica::setRunning(bool running)
{
    m_running = running;
    m_stop = false;
    for (QWidget *w :
         std::initializer_list<QWidget *>{optNumeri, txtNumeri, optArchivio, cmdImporta,
                                          cmdVerifica, cmdStampa, cmdAnteprima, cmdChiudi})
        w->setEnabled(!running);
    dtpDal->setEnabled(!running && optArchivio->isChecked());
    dtpAl->setEnabled(!running && optArchivio->isChecked());
    cmdInterrompi->setEnabled(running);
    prgVerifica->setVisible(running);
    if (running) {
        cmdInterrompi->setFocus();
    } else {
        cmdStampa->setEnabled(m_result.has_value());
        cmdAnteprima->setEnabled(m_result.has_value());
        cmdVerifica->setFocus();
    }
}

void frmVerifica::cmdInterrompi_Click()
{
    if (m_running)
        m_stop = true;
}

void frmVerifica::showResult(const CheckResult &result)
{
    m_result = result;
    grdVincite->setRowCount(0);
    for (const DrawWin &win : result.wins) {
        bool first = true;
        for (const PlayWin &play : win.plays) {
            const int row = grdVincite->rowCount();
            grdVincite->insertRow(row);
            grdVincite->setItem(row, 0, cellItem(first ? dateText(win.draw.date) : QString()));
            grdVincite->setItem(row, 1, cellItem(first ? print::drawnText(win.draw) : QString()));
            grdVincite->setItem(row, 2, cellItem(QString::number(play.play), true));
            grdVincite->setItem(
                row, 3,
                cellItem(QStringLiteral("%1 %2").arg(play.hits).arg(print::hitsName(play.hits))));
            grdVincite->setItem(row, 4, cellItem(print::amountText(play.gross), true));
            grdVincite->setItem(row, 5, cellItem(print::amountText(play.net), true));
            first = false;
        }
        // The draw's net is rounded once on its whole gross: shown when several plays won.
        if (win.plays.size() > 1) {
            const int row = grdVincite->rowCount();
            grdVincite->insertRow(row);
            auto *label = cellItem(QStringLiteral("Totale estrazione"), true, true);
            grdVincite->setItem(row, 1, label);
            grdVincite->setSpan(row, 1, 1, 3);
            grdVincite->setItem(row, 4, cellItem(print::amountText(win.gross), true, true));
            grdVincite->setItem(row, 5, cellItem(print::amountText(win.net), true, true));
        }
    }
    const CheckTotals &t = result.totals;
    lblTotale[0]->setText(QString::number(t.drawsChecked));
    lblTotale[1]->setText(QString::number(t.winningDraws));
    lblTotale[2]->setText(print::amountText(t.staked));
    lblTotale[3]->setText(print::amountText(t.gross));
    lblTotale[4]->setText(print::amountText(t.net));
    lblTotale[5]->setText(print::amountText(t.balance()));
    if (result.interrupted)
        lblAvanzamento->setText(
            QStringLiteral("Verifica interrotta: %1 estrazioni verificate.").arg(t.drawsChecked));
    else if (result.wins.isEmpty())
        lblAvanzamento->setText(
            QStringLiteral("Nessuna vincita su %1 estrazioni.").arg(t.drawsChecked));
    else
        lblAvanzamento->setText(QStringLiteral("Vincite su %1 estrazioni di %2.")
                                    .arg(t.winningDraws)
                                    .arg(t.drawsChecked));
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
    if (!m_result)
        return;
    setEnabled(false);
    print::CurrentPrinter().takeDeliveredFiles();
    const int failure = print::StampaVerifica(report());
    announceDeliveredFiles();
    setEnabled(true);
    if (failure == RuntimeError::PrinterError)
        reportPrinterNotInstalled();
    else if (failure != 0)
        criticalMessage(formErrorMessage(RuntimeError(failure), QStringLiteral("cmdStampa_Click"),
                                         objectName()));
}

void frmVerifica::cmdAnteprima_Click()
{
    if (!m_result)
        return;
    setEnabled(false);
    print::Preview preview;
    try {
        preview = print::previewVerifica(report());
    } catch (const RuntimeError &error) {
        setEnabled(true);
        criticalMessage(
            formErrorMessage(error, QStringLiteral("cmdAnteprima_Click"), objectName()));
        return;
    }
    setEnabled(true);
    frmAnteprima::showModal(std::move(preview), windowTitle(), this);
}

void frmVerifica::reject()
{
    if (m_running) {
        m_stop = true;
        return;
    }
    QDialog::reject();
}

void frmVerifica::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        m_stop = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace zelmora
