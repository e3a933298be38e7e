#pragma once

#include "app/Program.h"
#include "core/ArchiveStore.h"
#include "core/Sistema.h"
#include "core/SystemCheck.h"

#include "ui/ReportWindow.h"
#include "ui/WindowWork.h"

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace zelmora {

class CheckResultModel;
class DateBox;

namespace print {
struct CheckReport;
}

// "Verifica": checks the system against five numbers typed for one draw, or against the
// archive's draws on the system's wheel between two dates; lists each draw with a win and the
// totals; imports archive files; prints the table as a report on the listing printer, and
// previews it. Reading the archive, an import and a check run on a worker thread: the window
// answers throughout, shows their progress, and Interrompi stops them at once.
class frmVerifica : public ReportWindow
{
    Q_OBJECT
public:
    // `sistema` is the system to check, already through the square check, its columns taken.
    // The program folder holds the stored archive and the withholding; the report is printed
    // with the settings' heading on their listing printer.
    frmVerifica(const Sistema &sistema, Program &program, QWidget *parent = nullptr);

    // Loads the window (the stored archive and the whole archive's dates) and shows it modally.
    void showModal();

    QLabel *lblSistema = nullptr;
    QRadioButton *optNumeri = nullptr;
    QLineEdit *txtNumeri = nullptr;
    QRadioButton *optArchivio = nullptr;
    QLabel *lblArchivio = nullptr;
    DateBox *dtpDal = nullptr;
    DateBox *dtpAl = nullptr;
    QPushButton *cmdImporta = nullptr;
    QPushButton *cmdAggiorna = nullptr;
    QPushButton *cmdStatistiche = nullptr;
    QPushButton *cmdVerifica = nullptr;
    QTableView *grdVincite = nullptr;
    QProgressBar *prgVerifica = nullptr;
    // Draws checked, draws with a win, staked, gross, net, balance.
    std::array<QLabel *, 6> lblTotale{};

    // The last check's result, or null.
    const CheckResult *result() const { return m_result.get(); }
    // The archive as the window last read or imported it, and its file.
    const DrawArchive &archive() const { return *m_archive; }
    const QString &archivePath() const { return m_store.path(); }
public slots:
    void Form_Load();
    void cmdImporta_Click();
    void cmdAggiorna_Click();
    void cmdStatistiche_Click();
    void cmdVerifica_Click();
    void optArchivio_Toggled();

protected:
    // Escape while an import or a check runs stops it and keeps the window open; while the
    // archive is still being read on opening, or when nothing runs, it closes the window.
    bool escapeCloses() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool hasReport() const override;
    ReportJobs reportJobs() const override;
    void setRunning(bool running) override;

private:
    // What the worker hands back: the archive read on opening or after an import, with the
    // system's wheel at a glance.
    struct LoadedArchive
    {
        std::shared_ptr<const DrawArchive> archive;
        WheelSummary wheel;
        QString notice; // what the player is told once about the stored archive
        bool interrupted = false;
    };
    // What an import or an update hands back: the archive it reached, if it reached one, and
    // what the player is told.
    struct ArchiveChange
    {
        LoadedArchive loaded;
        QString message;
        bool trouble = false;
    };

    struct CheckDone
    {
        Result<CheckResult> result{CheckResult{}};
        QString against; // what the check was against, for the report
        int draws = 0;
    };

    // The import of the files chosen, on the worker.
    static ArchiveChange importFiles(const ArchiveStore &store, const QStringList &paths, int wheel,
                                     const QString &form, Worker<ArchiveChange> &worker);
    // The window after an import or an update: the archive reached, and the message.
    void finishArchiveChange(const ArchiveChange &change, const QString &title);
    void takeArchive(const LoadedArchive &loaded);
    void showArchive();
    void showResult(std::shared_ptr<const CheckResult> result);
    void fitColumns();
    print::CheckReport report() const;
    // Checks the window's choices and starts the check; false when they cannot be used.
    bool startCheck();

    Sistema m_sistema;
    ArchiveStore m_store;
    // The archive as last read or imported: a snapshot the workers share, never changed.
    std::shared_ptr<const DrawArchive> m_archive = std::make_shared<const DrawArchive>();
    WheelSummary m_summary; // the system's wheel in it
    int m_wheel = -1;
    bool m_loading = false; // the run is the reading of the archive on opening
    CheckResultModel *m_model = nullptr;
    std::shared_ptr<const CheckResult> m_result;
    QString m_against; // what the last check was against, for the report
};

} // namespace zelmora
