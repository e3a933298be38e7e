#pragma once

#include "app/Program.h"
#include "core/Sistema.h"

#include <QWidget>
#include <array>
#include <map>

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;
class QPushButton;
class QTimer;

namespace zelmora {

class AutoResizer;
class TextBox;
class frmTabulato;

// The main window: the square of the system being edited, its stakes, winnings, total, name
// and wheel, and the buttons for every action on it.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    // The window of the program `program`, whose files (the wheels, the settings and the
    // systems' folder) are in its program folder.
    explicit frmMain(Program &program, QWidget *parent = nullptr);

    // The system this window edits and owns, handed to the windows that print or check it.
    Sistema &sistema() { return m_sistema; }
    // The program folder, settings and wheels, handed to the windows this one opens.
    Program &program() { return m_program; }

    // The 16 cells: txtQuaterna1 to txtQuaterna4 are rows 1 to 4, each indexed 0 to 3.
    std::array<TextBox *, 4> txtQuaterna1{}, txtQuaterna2{}, txtQuaterna3{}, txtQuaterna4{};
    std::array<TextBox *, 3> txtImpQuad{}; // stakes: Ambo, Terno, Quaterna
    std::array<QLabel *, 3> lblVincite{};  // winnings: Ambo, Terno, Quaterna
    std::map<int, QLabel *> lblGiocate;    // headings and row captions, by index
    std::array<QLabel *, 7> lblEuro{};     // "€" beside each amount
    TextBox *txtImportoSistema = nullptr;
    QLabel *lblNomeSistema = nullptr;
    QComboBox *cmbRuote = nullptr;
    QToolButton *cmdApri = nullptr, *cmdSalva = nullptr, *cmdCapogioco = nullptr,
                *cmdCasuale = nullptr, *cmdPrnSchedine = nullptr, *cmdPrnTabulato = nullptr,
                *cmdCancella = nullptr, *cmd12Euro = nullptr;
    QPushButton *cmdRitardatari = nullptr;
    QWidget *Picture1 = nullptr;  // banner
    QFrame *Picture2 = nullptr;   // square panel
    QFrame *Frame2 = nullptr;     // stakes panel
    QFrame *frmComandi = nullptr; // command panel

    // Opens the check window (Alt+V); on the banner above Ritardatari.
    QPushButton *cmdVerifica = nullptr;
    QPushButton *cmdStatistiche = nullptr;
    AutoResizer *AutoResizer1 = nullptr;

    // Cell of row r, column c (both 0-based).
    TextBox *cell(int row, int column) const;

    // Opens the system file at `path` as Apri opens the file chosen, with Apri's messages.
    void openSystemPath(const QString &path);
    // Opens the system file at `path` as Apri does once the window is free: at once (from the
    // event loop) when it is enabled and no modal window is open, otherwise when the modal
    // window or the print-slips window has closed, so a run never mixes two systems. Only
    // the last file asked for waits.
    void openWhenFree(const QString &path);

    // The window's routines that the other actions share.
    bool ControllaGriglia();
    void AzzeraSistema();
    void CalcolaImporto();
    void MostraVincite();
    void MostraPuntate();
    void MostraGriglia();
    void ImpostaCapogioco(bool ask);
    void PronosticoCasuale();
    void Sistema12Euro();
    void CaricaRuote();

public slots:
    void Form_Load();
    void Form_Click();

    void txtQuaterna_KeyPress(int row, int index, int &KeyAscii);
    void txtQuaterna_GotFocus(int row, int index);
    void txtQuaterna_Change(int row, int index);
    void txtImpQuad_KeyPress(int index, int &KeyAscii);
    void txtImpQuad_GotFocus(int index);
    void txtImpQuad_LostFocus(int index);
    void cmbRuote_Change();

    void cmdApri_Click();
    void cmdSalva_Click();
    void cmdCancella_Click();
    void cmdCapogioco_Click();
    void cmdCasuale_Click();
    void cmd12Euro_Click();
    void cmdPrnSchedine_Click();
    void cmdPrnTabulato_Click();
    void cmdRitardatari_Click();
    void cmdVerifica_Click();
    void cmdStatistiche_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The program's desktop services.
    UiServices &ui() const { return *m_program.ui; }
    Sistema m_sistema;
    Program &m_program;
    // Returns true when the window may close (the exit question).
    bool Form_QueryUnload();
    void buildBanner();
    void buildSquare();
    void buildStakes();
    void buildCommands();
    void setTabOrder();
    bool prepareForPrint();
    QString systemFolder() const;

    // Opens the waiting file when the window is free; otherwise looks again shortly.
    void openWaitingSystem();

    std::array<std::array<TextBox *, 4>, 4> m_cells{};
    QString m_waitingPath;             // the file openWhenFree keeps until the window is free
    QTimer *m_waitingTimer = nullptr;  // looks again while a file waits
    frmTabulato *m_tabulato = nullptr; // made on first use, kept after closing
};

} // namespace zelmora
