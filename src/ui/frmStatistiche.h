#pragma once

#include "app/Program.h"
#include "core/DrawArchive.h"
#include "core/NumberStatistics.h"
#include "core/Sistema.h"

#include "ui/WindowWork.h"

#include <QDialog>
#include <QPointer>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;

namespace zelmora {

class DateBox;
class DelayChartView;
class NumberStatisticsModel;

namespace print {
struct StatisticsReport;
}

// "Ritardi e frequenze": for one wheel of the wheels list and the archive's draws between two
// dates, each number's frequency, delay and maximum delay in a sortable table and a bar chart,
// and the delays of the system's eight plays; prints them on the listing printer and previews
// them. The figures are worked out on a worker thread: the window answers throughout, shows
// the progress, and Interrompi, Escape or closing stop the work at once.
class frmStatistiche : public QDialog
{
    Q_OBJECT
public:
    // `archive` is a snapshot the window's worker reads, shared and never changed. The dates
    // open as given (the check window's), the wheel on the system's.
    frmStatistiche(const Sistema &sistema, std::shared_ptr<const DrawArchive> archive,
                   Program &program, const QDate &from, const QDate &to, QWidget *parent = nullptr);
    ~frmStatistiche() override;

    // Works out the figures of the system's wheel and shows the window modally.
    void showModal();

    QLabel *lblSistema = nullptr;
    QComboBox *cmbRuota = nullptr;
    DateBox *dtpDal = nullptr;
    DateBox *dtpAl = nullptr;
    QPushButton *cmdCalcola = nullptr;
    QPushButton *cmdInterrompi = nullptr;
    QLabel *lblRiepilogo = nullptr;
    DelayChartView *picGrafico = nullptr;
    QLabel *lblPuntatore = nullptr;
    QTableView *grdNumeri = nullptr;
    QTableWidget *grdGiocate = nullptr;
    QLabel *lblAvanzamento = nullptr;
    QProgressBar *prgCalcolo = nullptr;
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdAnteprima = nullptr;
    QPushButton *cmdChiudi = nullptr;

    // The statistics shown, if any.
    const std::optional<NumberStatistics> &statistics() const { return m_statistics; }
    bool busy() const { return m_work->busy(); }

public slots:
    void cmdCalcola_Click();
    void cmdChiudi_Click();
    void cmdStampa_Click();
    void cmdAnteprima_Click();
    void cmbRuota_Activated();
    void picGrafico_Pointed(int number);

protected:
    // Escape while the figures are worked out stops the work and keeps the window; otherwise
    // it closes the window, as the title bar's close and Chiudi always do, cancelling the work.
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The program's desktop services.
    UiServices &ui() const { return *m_program.ui; }
    // The wheel chosen, as an index of WheelCodes, or kNoWheel.
    int chosenWheel() const;
    void startStatistics(int wheel, const QDate &from, const QDate &to);
    void showStatistics(const NumberStatistics &figures);
    void clearStatistics(const QString &why);
    void fitTables();
    void setRunning(bool running);
    print::StatisticsReport report() const;

    Sistema m_sistema;
    std::shared_ptr<const DrawArchive> m_archive;
    Program &m_program;
    PlayNumbers m_plays{};
    std::optional<NumberStatistics> m_statistics;
    QString m_wheelName;             // the wheel of the figures shown
    QDate m_from, m_to;              // their dates
    WindowWork *m_work = nullptr;    // the window's own worker thread
    bool m_closing = false;          // the title bar's close is under way
    QPointer<QWidget> m_focusBefore; // where the focus was when the work began
    NumberStatisticsModel *m_model = nullptr;
};

} // namespace zelmora
