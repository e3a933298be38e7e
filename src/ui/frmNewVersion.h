#pragma once

#include <QDialog>
#include <QLabel>

namespace zelmora {

class UiServices;

// A label that works as a link: it opens its own text as a web address when clicked, or when
// it has the focus and Enter or Space is pressed.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// Tells the player that the maker's server has a newer version, with a link to its page.
// It has no buttons: the window's close box (or Escape) closes it.
class frmNewVersion : public QDialog
{
    Q_OBJECT
public:
    // `ui` opens the download page.
    explicit frmNewVersion(UiServices &ui, QWidget *parent = nullptr);

    QString localVersion;
    QString remoteVersion;

    QLabel *Label1 = nullptr;
    QLabel *lbLocalVersion = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lbRemoteVersion = nullptr;
    LinkLabel *lbURL = nullptr;

public slots:
    void Form_Load();
    void Form_Activate();
    void lbURL_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    UiServices &m_ui;
};

} // namespace zelmora
