#pragma once

#include "core/Corpo.h"

#include <QWidget>

class QFrame;
class QLabel;

namespace zelmora {

// The start-up window: the product's emblem, name, maker, platform and version. A key press
// or a click on its frame closes it early.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(const corpo::Identity &identity);

    QFrame *Frame1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblCompanyProduct = nullptr;
    QLabel *lblPlatform = nullptr;
    QLabel *lblVersion = nullptr;

public slots:
    void Form_Load();
    void Form_KeyPress();
    void Frame1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_title; // the program's title when the window was made
};

} // namespace zelmora
