#pragma once

#include "app/Program.h"
#include "core/Corpo.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace zelmora {

// The about window: the program's picture, title and version, and a way to the system's
// information tool where the platform has one.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // The about window of the program `program`.
    explicit frmAbout(Program &program, QWidget *parent = nullptr);

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

    void StartSysInfo();

public slots:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title; // the program's title when the window was made
    UiServices &m_ui;
};

} // namespace zelmora
