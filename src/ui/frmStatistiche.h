#pragma once

#include "app/Program.h"
#include "core/DrawArchive.h"
#include "core/NumberStatistics.h"
#include "core/Sistema.h"

#include "ui/ReportWindow.h"
#include "ui/WindowWork.h"

#include <QPointer>
#include <memory>
#include <optional>

class QBoxLayout;
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
class frmStatistiche : public ReportWindow
{
    Q_OBJECT
public:
    // `archive` is a snapshot the window's worker reads, shared and never changed; without one
    // (opened from the main window) the window reads the stored archive itself. The dates open
    // as given (the check window's), else on the whole archive; the wheel on the system's.
    frmStatistiche(const Sistema &sistema, std::shared_ptr<const DrawArchive> archive,
                   Program &program, const QDate &from, const QDate &to, QWidget *parent = nullptr);

    // Works out the figures of the system's wheel and shows the window modally.
    void showModal();

    QLabel *lblSistema = nullptr;
    QComboBox *cmbRuota = nullptr;
    DateBox *dtpDal = nullptr;
    DateBox *dtpAl = nullptr;
    QPushButton *cmdCalcola = nullptr;
    QLabel *lblRiepilogo = nullptr;
    DelayChartView *picGrafico = nullptr;
    QLabel *lblPuntatore = nullptr;
    QTableView *grdNumeri = nullptr;
    QTableWidget *grdGiocate = nullptr;
    QProgressBar *prgCalcolo = nullptr;

    // The statistics shown, if any.
    const std::optional<NumberStatistics> &statistics() const { return m_statistics; }

public slots:
    void cmdCalcola_Click();
    // Reads the program's stored archive on the worker, then works out the figures.
    void readArchive();
    void cmbRuota_Activated();
    void picGrafico_Pointed(int number);

protected:
    bool hasReport() const override;
    ReportJobs reportJobs() const override;
    void setRunning(bool running) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The wheel chosen, as an index of WheelCodes, or kNoWheel.
    int chosenWheel() const;
    void startStatistics(int wheel, const QDate &from, const QDate &to);
    void showStatistics(const NumberStatistics &figures);
    void clearStatistics(const QString &why);
    void fitTables();
    void showDates(const QDate &from, const QDate &to);
    // The rows of choices and of tables side by side, or one under the other on a narrow
    // window.
    void arrangeRows();
    print::StatisticsReport report() const;

    Sistema m_sistema;
    std::shared_ptr<const DrawArchive> m_archive;
    PlayNumbers m_plays{};
    std::optional<NumberStatistics> m_statistics;
    QString m_wheelName; // the wheel of the figures shown
    QDate m_from, m_to;  // their dates
    NumberStatisticsModel *m_model = nullptr;
    QBoxLayout *m_choicesRow = nullptr;
    QBoxLayout *m_tablesRow = nullptr;
    int m_choicesWide = 0; // the choices' width side by side
    int m_sortColumn = 0;  // the column the numbers' table is sorted by
};

} // namespace zelmora
