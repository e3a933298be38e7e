#pragma once

#include "app/Program.h"
#include "core/Sistema.h"
#include "print/CalibrationFile.h"
#include "print/SlipRun.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelmora {

// The print-slips window: which plays to print, whether the prognosis sheet goes first, the
// calibration, and the slip run. The main window stays disabled while it is open.
class frmStampaSchedine : public QWidget
{
    Q_OBJECT
public:
    // Prints the slips of `sistema`, the system the main window holds, with the settings,
    // wheels and calibration of `context`. `owner` is the main window, disabled while this
    // window is open and enabled again when it closes.
    frmStampaSchedine(Sistema &sistema, Program &program, QWidget *owner);
    ~frmStampaSchedine() override;

    QCheckBox *chkPronostico = nullptr;
    QLineEdit *meDa = nullptr;
    QLineEdit *meA = nullptr;
    QPushButton *cmdTaratura = nullptr;
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdAnteprima = nullptr;
    QLabel *imgNewScheda = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *labSchede = nullptr;
    QImage sfondo;
    QImage vietato;
    print::TaraturaAmbetto taratura; // read again before every run

public slots:
    void Form_Load();
    void cmdTaratura_Click();
    void cmdStampa_Click();
    void cmdAnteprima_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape closes the window, as it closes every other one; during a print run the window
    // is disabled and takes no key.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The program's desktop services.
    UiServices &ui() const { return *m_program.ui; }
    // Checks the range and runs the slips with the progress window.
    void StampaSchedaAmbetto();
    // The settings and the calibration read afresh and the range checked, as before every
    // run; the run the window asks for, or nothing when the range is refused.
    std::optional<print::SlipRun> prepareRun();

    Sistema &m_sistema;
    Program &m_program;
    QPointer<QWidget> m_owner;
    int m_minimo = 1;
    int m_massimo = 8;
};

} // namespace zelmora
