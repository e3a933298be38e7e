#pragma once

#include "print/Preview.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace zelmora {

// Shows one page of a preview on paper: the sheet, the printable area's edge and the page's
// drawings, at a zoom of its own.
class PreviewPageView : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewPageView(const print::Preview &preview, QWidget *parent = nullptr);

    void setPage(int index);
    int page() const { return m_page; }
    // Pixels a millimetre of paper takes on screen.
    void setScale(double pixelsPerMm);
    double scale() const { return m_scale; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const print::Preview &m_preview;
    int m_page = 0;
    QList<print::RecordedItem> m_items; // the page shown, drawn when it was turned to
    double m_scale = 2;
};

// "Anteprima": the pages the next print would put on paper, one at a time, so a player can
// check the marks before using slips. Pages are turned with the buttons or Page Up and Page
// Down, and the zoom goes up and down with the buttons or "+" and "-".
class frmAnteprima : public QDialog
{
    Q_OBJECT
public:
    frmAnteprima(print::Preview preview, const QString &title, QWidget *parent = nullptr);

    // Shows the preview modally over `parent`.
    static void showModal(print::Preview preview, const QString &title, QWidget *parent);

    const print::Preview &preview() const { return m_preview; }

    QLabel *labStampante = nullptr;
    QLabel *labPagina = nullptr;
    QPushButton *cmdPrecedente = nullptr;
    QPushButton *cmdSuccessiva = nullptr;
    QPushButton *cmdIngrandisci = nullptr;
    QPushButton *cmdRiduci = nullptr;
    QPushButton *cmdChiudi = nullptr;
    QScrollArea *scrPagina = nullptr;
    PreviewPageView *picPagina = nullptr;

public slots:
    void showPage(int index);
    void cmdPrecedente_Click();
    void cmdSuccessiva_Click();
    void cmdIngrandisci_Click();
    void cmdRiduci_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitPage();

    print::Preview m_preview;
    bool m_fitted = false;
};

} // namespace zelmora
