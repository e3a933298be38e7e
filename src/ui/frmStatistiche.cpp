#include "ui/frmStatistiche.h"

#include "app/Program.h"
#include "app/UiServices.h"
#include "core/ArchiveStore.h"
#include "core/DrawDate.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "print/StatisticsReport.h"
#include "ui/ArchiveSnapshot.h"
#include "ui/DateBox.h"
#include "ui/DelayChartView.h"
#include "ui/NumberStatisticsModel.h"
#include "ui/PrintNotice.h"
#include "ui/ReadOnlyTable.h"
#include "ui/ScreenPlacement.h"
#include "ui/SpokenNames.h"
#include "ui/frmAnteprima.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmora {

namespace {

constexpr QSize kPreferredSize(1000, 780);
const QString kTitle = QStringLiteral("Ritardi e frequenze");
const QString kPointerHint =
    QStringLiteral("Passa il puntatore su una barra, o le frecce sul grafico: qui il numero con le "
                   "sue cifre.");

// A label that names `buddy`, for the eye and for a screen reader.
QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    nameByLabel(label, buddy);
    return label;
}

} // namespace

frmStatistiche::frmStatistiche(const Sistema &sistema, std::shared_ptr<const DrawArchive> archive,
                               Program &program, const QDate &from, const QDate &to,
                               QWidget *parent)
    : ReportWindow(program, QStringLiteral("frmStatistiche"), kTitle, QStringLiteral("Chi&udi"),
                   parent),
      m_sistema(sistema), m_archive(std::move(archive)), m_plays(playsOf(sistema))
{
    QWidget *page = this->page();
    QVBoxLayout *layout = pageLayout();
    prgCalcolo = prgAvanzamento;
    prgCalcolo->setObjectName(QStringLiteral("prgCalcolo"));
    cmdStampa->setToolTip(QStringLiteral("Stampa grafico e tabelle sulla stampante del tabulato"));
    cmdAnteprima->setToolTip(QStringLiteral("Mostra la pagina che Stampa metterebbe su carta"));

    QFont bold = font();
    bold.setBold(true);
    lblSistema = new QLabel(page);
    lblSistema->setObjectName(QStringLiteral("lblSistema"));
    lblSistema->setFont(bold);
    lblSistema->setWordWrap(true);
    lblSistema->setText(QStringLiteral("Sistema: %1    (i suoi numeri in arancione nel grafico, "
                                       "in grassetto nella tabella)")
                            .arg(m_sistema.NomeSistema.text().trimmed()));
    layout->addWidget(lblSistema);

    auto *choices = new QHBoxLayout;
    cmbRuota = new NamedComboBox(page);
    cmbRuota->setObjectName(QStringLiteral("cmbRuota"));
    QStringList wheels = m_program.ruote;
    if (wheels.isEmpty())
        for (int i = 0; i < kWheelCount; ++i)
            wheels << wheelName(i);
    for (const QString &name : wheels)
        cmbRuota->addItem(name.trimmed());
    const int own = wheelIndex(m_sistema.Ruota.text().trimmed());
    for (int i = 0; i < cmbRuota->count(); ++i)
        if (own != kNoWheel && wheelIndex(cmbRuota->itemText(i)) == own) {
            cmbRuota->setCurrentIndex(i);
            break;
        }
    dtpDal = new DateBox(page);
    dtpDal->setObjectName(QStringLiteral("dtpDal"));
    dtpAl = new DateBox(page);
    dtpAl->setObjectName(QStringLiteral("dtpAl"));
    showDates(from, to);
    cmdCalcola = new QPushButton(QStringLiteral("&Calcola"), page);
    cmdCalcola->setObjectName(QStringLiteral("cmdCalcola"));
    cmdCalcola->setDefault(true);
    choices->addWidget(buddyLabel(QStringLiteral("&Ruota"), cmbRuota, page));
    choices->addWidget(cmbRuota);
    choices->addSpacing(12);
    choices->addWidget(buddyLabel(QStringLiteral("&Dal"), dtpDal, page));
    choices->addWidget(dtpDal);
    choices->addWidget(buddyLabel(QStringLiteral("A&l"), dtpAl, page));
    choices->addWidget(dtpAl);
    auto *actions = new QHBoxLayout;
    actions->addWidget(cmdCalcola);
    actions->addWidget(cmdInterrompi);
    actions->addStretch();
    // Side by side while the window is wide enough, one under the other when it is not, so
    // the page is never wider than the window and the chart is seen whole.
    m_choicesRow = new QBoxLayout(QBoxLayout::LeftToRight);
    m_choicesRow->addLayout(choices);
    m_choicesRow->addSpacing(12);
    m_choicesRow->addLayout(actions, 1);
    layout->addLayout(m_choicesRow);

    lblRiepilogo = new QLabel(page);
    lblRiepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    lblRiepilogo->setWordWrap(true);
    layout->addWidget(lblRiepilogo);

    picGrafico = new DelayChartView(page);
    picGrafico->setObjectName(QStringLiteral("picGrafico"));
    auto *lblGrafico =
        buddyLabel(QStringLiteral("Ritardo &attuale di ogni numero"), picGrafico, page);
    lblGrafico->setFont(bold);
    layout->addWidget(lblGrafico);
    picGrafico->setMinimumHeight(260);
    layout->addWidget(picGrafico, 3);
    lblPuntatore = new QLabel(kPointerHint, page);
    lblPuntatore->setObjectName(QStringLiteral("lblPuntatore"));
    lblPuntatore->setFont(bold);
    layout->addWidget(lblPuntatore);

    auto *tables = m_tablesRow = new QBoxLayout(QBoxLayout::LeftToRight);
    auto *left = new QVBoxLayout;
    m_model = new NumberStatisticsModel(this);
    grdNumeri = new QTableView(page);
    grdNumeri->setObjectName(QStringLiteral("grdNumeri"));
    grdNumeri->setModel(m_model);
    grdNumeri->setSortingEnabled(true);
    grdNumeri->sortByColumn(NumberStatisticsModel::Number, Qt::AscendingOrder);
    // The first click on a figure's heading lists the largest first: the most drawn, the
    // longest delayed; a second click turns the order round.
    connect(grdNumeri->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                const bool newColumn = column != m_sortColumn;
                m_sortColumn = column;
                if (newColumn && column != NumberStatisticsModel::Number &&
                    order == Qt::AscendingOrder)
                    grdNumeri->sortByColumn(column, Qt::DescendingOrder);
            });
    setUpReadOnlyTable(grdNumeri);
    grdNumeri->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdNumeri->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdNumeri->setMinimumHeight(200);
    left->addWidget(
        buddyLabel(QStringLiteral("&Numeri (clic su un titolo per ordinare)"), grdNumeri, page));
    left->addWidget(grdNumeri, 1);
    tables->addLayout(left);

    auto *right = new QVBoxLayout;
    grdGiocate = new QTableWidget(kGiocate, 5, page);
    grdGiocate->setObjectName(QStringLiteral("grdGiocate"));
    grdGiocate->setHorizontalHeaderLabels({QStringLiteral("Giocata"), QStringLiteral("Numeri"),
                                           QStringLiteral("Ambo"), QStringLiteral("Terno"),
                                           QStringLiteral("Quaterna")});
    setUpReadOnlyTable(grdGiocate);
    grdGiocate->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdGiocate->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdGiocate->horizontalHeader()->setToolTip(
        QStringLiteral("Le estrazioni dopo l'ultima in cui la giocata ha fatto almeno ambo, "
                       "terno o quaterna"));
    right->addWidget(
        buddyLabel(QStringLiteral("&Giocate del sistema: ritardo di ambo, terno e quaterna"),
                   grdGiocate, page));
    right->addWidget(grdGiocate);
    right->addStretch();
    tables->addSpacing(16);
    tables->addLayout(right);
    tables->addStretch();
    m_choicesWide = choices->sizeHint().width() + 12 + actions->sizeHint().width();
    layout->addLayout(tables, 2);

    addProgressRow();

    QWidget::setTabOrder(cmbRuota, dtpDal);
    QWidget::setTabOrder(dtpDal, dtpAl);
    QWidget::setTabOrder(dtpAl, cmdCalcola);
    QWidget::setTabOrder(cmdCalcola, cmdInterrompi);
    QWidget::setTabOrder(cmdInterrompi, picGrafico);
    QWidget::setTabOrder(picGrafico, grdNumeri);
    QWidget::setTabOrder(grdNumeri, grdGiocate);
    QWidget::setTabOrder(grdGiocate, cmdStampa);
    QWidget::setTabOrder(cmdStampa, cmdAnteprima);
    QWidget::setTabOrder(cmdAnteprima, cmdChiudi);

    connect(cmdCalcola, &QPushButton::clicked, this, &frmStatistiche::cmdCalcola_Click);
    connect(cmbRuota, &QComboBox::activated, this, &frmStatistiche::cmbRuota_Activated);
    connect(picGrafico, &DelayChartView::pointed, this, &frmStatistiche::picGrafico_Pointed);

    fitTables();
    setMinimumSize(320, 240);
    resize(kPreferredSize);
}

void frmStatistiche::showDates(const QDate &from, const QDate &to)
{
    // The boxes reach every draw the archive holds, and open on the dates given, else on the
    // whole archive.
    const QDate first = m_archive ? m_archive->firstDate() : QDate();
    const QDate last = m_archive ? m_archive->lastDate() : QDate();
    const QDate earliest =
        first.isValid() ? std::min(first, earliestDrawDate()) : earliestDrawDate();
    for (DateBox *box : {dtpDal, dtpAl})
        box->setDateRange(earliest, latestDrawDate());
    const QDate today = QDate::currentDate();
    dtpDal->setDate(from.isValid() ? from : first.isValid() ? first : today);
    dtpAl->setDate(to.isValid() ? to : last.isValid() ? last : today);
}

void frmStatistiche::showModal()
{
    placeOnScreen(this, parentWidget(), kPreferredSize);
    if (m_archive)
        QTimer::singleShot(0, this, &frmStatistiche::cmdCalcola_Click);
    else
        QTimer::singleShot(0, this, &frmStatistiche::readArchive);
    exec();
}

void frmStatistiche::readArchive()
{
    // Opened from the main window: the stored archive is read here, on the worker.
    lblRiepilogo->setText(QStringLiteral("Lettura dell'archivio delle estrazioni..."));
    const ArchiveStore store(m_program.appPath + QString::fromLatin1(ArchiveStore::kFileName));
    m_work->run<ArchiveSnapshot>(
        [store](Worker<ArchiveSnapshot> &worker) {
            return readArchiveSnapshot(store, worker.progress(archiveReadingText));
        },
        [this](ArchiveSnapshot read) {
            if (read.interrupted) {
                lblRiepilogo->setText(QStringLiteral("Lettura dell'archivio interrotta."));
                return;
            }
            m_archive = read.archive;
            showDates(QDate(), QDate());
            if (!read.notice.isEmpty())
                warningMessage(ui(), read.notice, QStringLiteral("Archivio delle estrazioni"));
            if (m_archive->isEmpty()) {
                clearStatistics(QStringLiteral(
                    "L'archivio delle estrazioni è vuoto: \"Aggiorna archivio\", nella finestra "
                    "Verifica, scarica tutte le estrazioni dal 1939."));
                return;
            }
            cmdCalcola_Click();
        });
}

int frmStatistiche::chosenWheel() const
{
    return wheelIndex(cmbRuota->currentText());
}

void frmStatistiche::cmbRuota_Activated()
{
    cmdCalcola_Click();
}

void frmStatistiche::cmdCalcola_Click()
{
    if (!m_archive)
        return; // the archive is still being read
    // A new choice while the work runs starts it again: the run under way is cancelled, and
    // its figures never shown.
    const std::optional<QDate> from = dtpDal->checkedDate(ui(), QStringLiteral("Dal"), kTitle);
    if (!from)
        return;
    const std::optional<QDate> to = dtpAl->checkedDate(ui(), QStringLiteral("Al"), kTitle);
    if (!to)
        return;
    const QString wheel = cmbRuota->currentText();
    if (*from > *to) {
        clearStatistics(
            QStringLiteral("Nessuna cifra: la data \"Dal\" viene dopo la data \"Al\"."));
        warningMessage(ui(),
                       QStringLiteral("La data \"Dal\" (%1) viene dopo la data \"Al\" (%2): tra "
                                      "le due date non c'è nessuna estrazione.")
                           .arg(italianDateText(*from), italianDateText(*to)),
                       kTitle);
        dtpDal->setFocus();
        return;
    }
    if (chosenWheel() == kNoWheel) {
        clearStatistics(QStringLiteral("Nessuna cifra per %1.").arg(wheel));
        warningMessage(ui(),
                       QStringLiteral("Nessuna estrazione di %1 in archivio: non è una delle "
                                      "ruote del Lotto.")
                           .arg(wheel),
                       kTitle);
        return;
    }
    startStatistics(chosenWheel(), *from, *to);
}

void frmStatistiche::startStatistics(int wheel, const QDate &from, const QDate &to)
{
    const std::shared_ptr<const DrawArchive> archive = m_archive;
    const PlayNumbers plays = m_plays;
    m_work->run<NumberStatistics>(
        [=](Worker<NumberStatistics> &worker) {
            worker.tell(0, 0, QStringLiteral("Calcolo in corso..."));
            const QList<Draw> draws =
                archive->drawsOf(wheel, from, to, [&] { return !worker.keepGoing(); });
            if (!worker.keepGoing()) {
                NumberStatistics stopped; // stopped or cancelled while the draws were picked
                stopped.interrupted = true;
                return stopped;
            }
            return numberStatistics(draws, plays, worker.progress([](qint64 done, qint64 total) {
                return QStringLiteral("Calcolo in corso: %1 di %2")
                    .arg(countText(done), countOf(total, "estrazione", "estrazioni"));
            }));
        },
        [this, wheel, from, to](NumberStatistics result) {
            if (result.interrupted) {
                lblAvanzamento->setText(m_statistics
                                            ? QStringLiteral("Calcolo interrotto: restano le "
                                                             "cifre di prima.")
                                            : QStringLiteral("Calcolo interrotto."));
                return;
            }
            lblAvanzamento->clear();
            if (result.draws == 0) {
                clearStatistics(
                    QStringLiteral("Nessuna estrazione di %1 tra il %2 e il %3.")
                        .arg(wheelName(wheel), italianDateText(from), italianDateText(to)));
                warningMessage(
                    ui(),
                    QStringLiteral("Nessuna estrazione di %1 tra il %2 e il %3.\r\n"
                                   "Scegli altre date, o importa un file di estrazioni "
                                   "dalla finestra Verifica.")
                        .arg(wheelName(wheel), italianDateText(from), italianDateText(to)),
                    kTitle);
                return;
            }
            m_wheelName = wheelName(wheel);
            m_from = from;
            m_to = to;
            showStatistics(result);
        });
}

void frmStatistiche::setRunning(bool running)
{
    // The choices stay free while the figures are worked out: a change starts them again.
    Q_UNUSED(running);
}

void frmStatistiche::showStatistics(const NumberStatistics &figures)
{
    m_statistics = figures;
    const print::DelayChart chart = print::delayChartOf(figures, m_plays);
    m_model->setStatistics(figures, chart.marked);
    picGrafico->setStatistics(figures, m_plays);
    lblPuntatore->setText(kPointerHint);
    lblRiepilogo->setText(QStringLiteral("%1, dal %2 al %3: %4 (la prima del %5, l'ultima del %6).")
                              .arg(m_wheelName, italianDateText(m_from), italianDateText(m_to),
                                   countOf(figures.draws, "estrazione", "estrazioni"),
                                   italianDateText(figures.firstDate),
                                   italianDateText(figures.lastDate)));
    for (int play = 1; play <= kGiocate; ++play) {
        const PlayDelays &d = figures.plays[std::size_t(play - 1)];
        const QStringList cells{print::playName(play),
                                print::playNumbersText(m_plays[std::size_t(play - 1)]),
                                delayText(d[0], figures.draws), delayText(d[1], figures.draws),
                                delayText(d[2], figures.draws)};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignVCenter | (c >= 2 ? Qt::AlignRight : Qt::AlignLeft));
            grdGiocate->setItem(play - 1, c, item);
        }
    }
    fitTables();
    cmdStampa->setEnabled(true);
    cmdAnteprima->setEnabled(true);
}

void frmStatistiche::resizeEvent(QResizeEvent *event)
{
    ReportWindow::resizeEvent(event);
    arrangeRows();
}

void frmStatistiche::arrangeRows()
{
    // What the page has across: the window less its margins and the scroll bar.
    const int room = width() - 2 * layout()->contentsMargins().left() -
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 8;
    const auto arrange = [room](QBoxLayout *row, int wide) {
        const auto direction = room >= wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
        if (row->direction() != direction)
            row->setDirection(direction);
    };
    arrange(m_choicesRow, m_choicesWide);
    arrange(m_tablesRow, grdNumeri->width() + 16 + grdGiocate->width());
}

void frmStatistiche::fitTables()
{
    // Both tables show every figure whole: columns as wide as their widest text or heading,
    // and each table as wide as its columns.
    for (QTableView *table : {grdNumeri, static_cast<QTableView *>(grdGiocate)}) {
        table->resizeColumnsToContents();
        QHeaderView *header = table->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
            header->resizeSection(c, std::max(header->sectionSize(c), header->sectionSizeHint(c)) +
                                         12);
        const int width = header->length() + 2 * table->frameWidth() +
                          (table == grdNumeri ? table->verticalScrollBar()->sizeHint().width() : 0);
        table->setFixedWidth(width);
    }
    grdGiocate->setFixedHeight(grdGiocate->horizontalHeader()->sizeHint().height() +
                               kGiocate * grdGiocate->verticalHeader()->defaultSectionSize() +
                               2 * grdGiocate->frameWidth());
}

void frmStatistiche::clearStatistics(const QString &why)
{
    m_statistics.reset();
    m_model->clear();
    picGrafico->clear();
    grdGiocate->clearContents();
    lblRiepilogo->setText(why);
    lblPuntatore->setText(kPointerHint);
    cmdStampa->setEnabled(false);
    cmdAnteprima->setEnabled(false);
}

void frmStatistiche::picGrafico_Pointed(int number)
{
    const QString text = picGrafico->statisticsText(number);
    lblPuntatore->setText(text.isEmpty() ? kPointerHint : QStringLiteral("Numero ") + text);
}

print::StatisticsReport frmStatistiche::report() const
{
    print::StatisticsReport report;
    report.heading = m_program.intestazioneStampa;
    report.systemName = m_sistema.NomeSistema.text().trimmed();
    report.wheel = m_wheelName;
    report.from = m_from;
    report.to = m_to;
    report.figures = m_statistics.value_or(NumberStatistics{});
    report.plays = m_plays;
    report.printerName = m_program.stampanteTabulato;
    return report;
}

bool frmStatistiche::hasReport() const
{
    return m_statistics.has_value();
}

ReportWindow::ReportJobs frmStatistiche::reportJobs() const
{
    print::PrinterSet *printers = &m_program.printers;
    const print::StatisticsReport report = this->report();
    return {[printers, report](const print::PrintProgress &progress) {
                return print::printStatistics(*printers, report, progress);
            },
            [printers, report] { return print::previewStatistics(*printers, report); }};
}

} // namespace zelmora
