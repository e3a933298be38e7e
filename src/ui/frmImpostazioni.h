#pragma once

#include "app/Program.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zelmora {

class TextBox;

// The settings window: the print heading and the printer for the listing, saved to
// impostazioni.cfg. It lives only while shown and builds the printer list afresh each time.
// It reads and changes the settings of the context it is handed.
class frmImpostazioni : public QDialog
{
    Q_OBJECT
public:
    explicit frmImpostazioni(Program &program, QWidget *parent = nullptr);

    // Builds the window over `owner`, loads it and shows it modal until it is closed.
    static void showModal(Program &program, QWidget *owner);

    // The most characters the heading can hold.
    static constexpr int kHeadingLength = 55;

    QLabel *Label1 = nullptr;
    TextBox *mskIntestazione = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cmbStampante = nullptr;
    QPushButton *cmdSalva = nullptr;
    QPushButton *cmdUscita = nullptr;

    void setVisible(bool visible) override;

public slots:
    void Form_Load();
    void mskIntestazione_KeyPress(int &KeyAscii);
    void mskIntestazione_Change();
    void cmdSalva_Click();
    void cmdUscita_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The program's desktop services.
    UiServices &ui() const { return *m_program.ui; }
    void centreOverOwner();
    Program &m_program;
};

} // namespace zelmora
