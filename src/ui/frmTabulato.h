#pragma once

#include "app/Program.h"
#include "core/Sistema.h"
#include "print/ListingPage.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zelmora {

// The listing window: number of copies, colour or black and white, the settings, and the
// print run of the listing page.
class frmTabulato : public QDialog
{
    Q_OBJECT
public:
    // The listing of `sistema`, the system the main window holds, with the settings of
    // `context`, which this window reads afresh and its settings window changes.
    frmTabulato(Sistema &sistema, Program &program, QWidget *parent = nullptr);

    // Loads the window afresh (copies back to 1, "A colori" ticked) and shows it modally.
    void showModal();

    QLabel *Label2 = nullptr;
    QLabel *labCopie = nullptr;
    QScrollBar *VsCopie = nullptr;
    QCheckBox *chkColor = nullptr;
    QPushButton *cmdImpostazioni = nullptr;
    QPushButton *cmdStampa = nullptr;
    QPushButton *cmdAnteprima = nullptr;
    // The two pictures of the page, loaded at each print.
    QImage sfondo;
    QImage vietato;

public slots:
    void Form_Load();
    void VsCopie_Change();
    void cmdImpostazioni_Click();
    void cmdStampa_Click();
    void cmdAnteprima_Click();

private:
    // The program's desktop services.
    UiServices &ui() const { return *m_program.ui; }
    Sistema &m_sistema;
    Program &m_program;
    // The run the window's choices ask for, with the page's pictures loaded afresh (a picture
    // that cannot be read is reported and left out).
    print::ListingJob listingJob();
    QImage loadPicture(const QString &path, QStringList &missing) const;
};

} // namespace zelmora
