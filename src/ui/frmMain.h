#pragma once

#include <QWidget>
#include <array>

class QFrame;

namespace zelmora {

class TextBox;

// The main window: the square of the system being edited and every action on it.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);

    // The 16 cells: txtQuaterna1 to txtQuaterna4 are rows 1 to 4, each indexed 0 to 3.
    std::array<TextBox *, 4> txtQuaterna1{}, txtQuaterna2{}, txtQuaterna3{}, txtQuaterna4{};
    QFrame *Picture2 = nullptr; // the square's panel

    // Cell of row r, column c (both 0-based).
    TextBox *cell(int row, int column) const;

    // Copies the cells into the system's rows and checks the square; a fault is shown and
    // the focus goes where it points. True when the square is valid.
    bool ControllaGriglia();

public slots:
    void Form_Load();

    void txtQuaterna_KeyPress(int row, int index, int &KeyAscii);
    void txtQuaterna_GotFocus(int row, int index);
    void txtQuaterna_Change(int row, int index);

private:
    void buildSquare();
    std::array<std::array<TextBox *, 4>, 4> m_cells{};
};

} // namespace zelmora
