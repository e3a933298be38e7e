#pragma once

#include "app/ProgramContext.h"
#include "core/ArchiveStore.h"
#include "core/Sistema.h"
#include "core/SystemCheck.h"

#include <QDialog>
#include <array>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace zelmora {

namespace print {
struct CheckReport;
}

// "Verifica": checks the system against five numbers typed for one draw, or against the
// archive's draws on the system's wheel between two dates; lists each draw with a win and the
// totals; imports archive files; prints the table as a report on the listing printer, and
// previews it.
class frmVerifica : public QDialog
{
    Q_OBJECT
public:
    // `sistema` is the system to check, already through the square check, its columns taken.
    // The program folder holds the stored archive and the withholding; the report is printed
    // with the settings' heading on their listing printer.
    frmVerifica(const Sistema &sistema, ProgramContext context, QWidget *parent = nullptr);

    // Loads the window (the stored archive and the whole archive's dates) and shows it modally.
    void showModal();

    QLabel *lblSistema = nullptr;
    QRadioButton *optNumeri = nullptr;
    QLineEdit *txtNumeri = nullptr;
    QRadioButton *optArchivio = nullptr;
    QLabel *lblArchivio = nullptr;
    QDateEdit *dtpDal = nullptr;
    QDateEdit *dtpAl = nullptr;
    QPushButton *cmdImporta = nullptr;
    QPushButton *cmdVerifica = nullptr;
    QPushButton *cmdInterrompi = nullptr;
    QTableWidget *grdVincite = nullptr;
    QLabel *lblAvanzamento = nullptr;
    QProgressBar *prgVerifica = nullptr;
    // Draws checked, draws with a win, staked, gross, net, balance.
    std::array<QLabel *, 6> lblTotale{};
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdAnteprima = nullptr;
    QPushButton *cmdChiudi = nullptr;

    // The last check's result, if any.
    const std::optional<CheckResult> &result() const { return m_result; }
    const ArchiveStore &store() const { return m_store; }

public slots:
    void Form_Load();
    void cmdImporta_Click();
    void cmdVerifica_Click();
    void cmdInterrompi_Click();
    void cmdStampa_Click();
    void cmdAnteprima_Click();
    void optArchivio_Toggled();

protected:
    // Escape or closing while a check runs stops the check and keeps the window open.
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showArchive();
    void showResult(const CheckResult &result);
    void setRunning(bool running);
    print::CheckReport report() const;
    // Runs the check the window's choices ask for; false when it cannot start.
    bool runCheck();

    Sistema m_sistema;
    ProgramContext m_context;
    ArchiveStore m_store;
    int m_wheel = -1;
    bool m_running = false;
    bool m_stop = false;
    std::optional<CheckResult> m_result;
    QString m_against; // what the last check was against, for the report
};

} // namespace zelmora
