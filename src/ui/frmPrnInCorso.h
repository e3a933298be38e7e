#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zelmora {

// The progress window of the slip run: which slip is being printed, and a button that asks
// the run to stop before the next slip.
class frmPrnInCorso : public QWidget
{
    Q_OBJECT
public:
    explicit frmPrnInCorso(QWidget *owner = nullptr);

    QLabel *Label1 = nullptr;
    QPushButton *cmdInterrompi = nullptr;
    // Set by the interrupt button, or by closing the window; the run reads it before each slip.
    bool interrompiStampa = false;

    // "Scheda n. 0003" for play 3, painted at once.
    void showPlay(int play);

public slots:
    void cmdInterrompi_Click();

protected:
    // Closing the window from its title bar stops the run too, as a progress window's close
    // does everywhere.
    void closeEvent(QCloseEvent *event) override;
};

} // namespace zelmora
