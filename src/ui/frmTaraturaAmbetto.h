#pragma once

#include "app/Program.h"
#include "core/Sistema.h"
#include "print/CalibrationFile.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zelmora {

// The slip calibration window: nine scroll bars for the positions and distances of the
// slip's boxes (hundredths of a millimetre), the slip printer, the print quality, a test page
// that outlines every box of the slip, and the save to printA.cfg. Every change is kept in the
// window's own record at once, so the test page prints what the window shows, saved or not.
class frmTaraturaAmbetto : public QDialog
{
    Q_OBJECT
public:
    // Calibrates the slips of `sistema`, whose name the test page prints under the context's
    // heading; the calibration file lies in the context's program folder.
    frmTaraturaAmbetto(const Sistema &sistema, Program &program, QWidget *parent = nullptr);

    // Builds the window over `owner`, loads it and shows it modally until it is closed.
    static void showModal(const Sistema &sistema, Program &program, QWidget *owner);

    // The bars' range: 0 to 300 mm, in hundredths of a millimetre.
    static constexpr int kBarMax = 30000;

    QGroupBox *framePosNumeri = nullptr;
    QLabel *lblTop = nullptr;
    QScrollBar *vsTop = nullptr;
    QLineEdit *labTop = nullptr;
    QLabel *lblLeft = nullptr;
    QScrollBar *vsLeft = nullptr;
    QLineEdit *labLeft = nullptr;

    QGroupBox *frameDistNumeri = nullptr;
    QLabel *lblY = nullptr;
    QScrollBar *VsY = nullptr;
    QLineEdit *labY = nullptr;
    QLabel *lblX = nullptr;
    QScrollBar *VsX = nullptr;
    QLineEdit *labX = nullptr;

    QGroupBox *framePosImporti = nullptr;
    QLabel *lblYimporti = nullptr;
    QScrollBar *vsYimporti = nullptr;
    QLineEdit *labYimporti = nullptr;
    QLabel *lblXimporti = nullptr;
    QScrollBar *vsXimporti = nullptr;
    QLineEdit *labXimporti = nullptr;

    QGroupBox *frameDistImporti = nullptr;
    QLabel *lblDYimporti = nullptr;
    QScrollBar *vsDYimporti = nullptr;
    QLineEdit *labDYimporti = nullptr;
    QLabel *lblDXimporti = nullptr;
    QScrollBar *vsDXimporti = nullptr;
    QLineEdit *labDXimporti = nullptr;

    QGroupBox *frameIntestazione = nullptr;
    QLabel *lblIntestazione = nullptr;
    QScrollBar *vsIntestazione = nullptr;
    QLineEdit *labIntestazione = nullptr;

    // The scale correction: the lengths of the test page's two rulers as measured on paper.
    QGroupBox *frameScala = nullptr;
    QLabel *lblRighelloX = nullptr;
    QLineEdit *txtRighelloX = nullptr;
    QLabel *lblRighelloY = nullptr;
    QLineEdit *txtRighelloY = nullptr;

    QGroupBox *frameStampante = nullptr;
    QComboBox *cmbStampante = nullptr;

    QGroupBox *frameQualita = nullptr;
    std::array<QRadioButton *, 2> optColor{};

    QPushButton *cmdTest = nullptr;
    QPushButton *cmdSalva = nullptr;
    QLabel *Image1 = nullptr;

    // The calibration being edited.
    print::TaraturaAmbetto taratura;

public slots:
    void Form_Load();
    // A length's bar moved (index into lengths(): VsX, VsY, vsTop, vsLeft, vsIntestazione,
    // vsXimporti, vsYimporti, vsDXimporti, vsDYimporti).
    void length_Change(int index);
    void optColor_Click(int Index);
    void cmdSalva_Click();
    void cmdTest_Click();
    void cmbStampante_Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Closing (Escape, the title bar) first checks the box being typed in, as leaving it
    // would: a value out of range gets the beep and its message before the window goes.
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The program's desktop services.
    UiServices &ui() const { return *m_program.ui; }
    const Sistema &m_sistema;
    Program &m_program;
    // One bar and what it edits.
    struct Length
    {
        QScrollBar *bar = nullptr;
        QLineEdit *box = nullptr;
        float print::TaraturaAmbetto::*field = nullptr;
    };
    void showLength(const Length &length);
    // The bars in the order the window loads them.
    std::array<Length, 9> lengths() const;

    // A typed length or ruler measure taken when the player presses Enter or leaves its box:
    // false when it was refused (with the beep and a message) and the box shows the value it
    // had again.
    bool takeTyped(QLineEdit *box);
    // The typed box after `from` in the tab order, or the control after it when it is the last.
    QWidget *nextTypedBox(QWidget *from);
    bool takeLength(const Length &length);
    bool takeMeasure(bool horizontal);
    // The rulers' nominal lengths on the printer chosen in the list, shown in their labels,
    // and the measured lengths the factors stand for.
    void showRulers();
    int nominalRuler(bool horizontal) const;
};

} // namespace zelmora
