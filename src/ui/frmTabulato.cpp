#include "ui/frmTabulato.h"

#include "app/Program.h"
#include "app/Settings.h"
#include "app/Twips.h"
#include "app/UiServices.h"
#include "core/RuntimeError.h"
#include "print/ListingPage.h"
#include "print/Preview.h"
#include "print/Printer.h"
#include "ui/PrintNotice.h"
#include "ui/ScreenPlacement.h"
#include "ui/SharedFiles.h"
#include "ui/SpokenNames.h"
#include "ui/UpwardScrollBar.h"
#include "ui/frmAnteprima.h"
#include "ui/frmImpostazioni.h"

#include <QCheckBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace zelmora {

namespace {
QFont calibri(double points, bool bold = false)
{
    QFont font(QStringLiteral("Calibri"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
} // namespace

frmTabulato::frmTabulato(Sistema &sistema, Program &program, QWidget *parent)
    : QDialog(parent), m_sistema(sistema), m_program(program)
{
    setObjectName(QStringLiteral("frmTabulato"));
    setWindowTitle(QStringLiteral("Stampa Tabulato"));
    setFixedSize(twipsToPixels(2985), twipsToPixels(2775));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label2 = new QLabel(QStringLiteral("Copie"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twipsRect(120, 120, 735, 330));
    Label2->setFont(calibri(11.25, true));

    labCopie = new QLabel(QStringLiteral("1"), this);
    labCopie->setObjectName(QStringLiteral("labCopie"));
    labCopie->setGeometry(twipsRect(840, 120, 495, 330));
    labCopie->setFont(calibri(11.25, true));
    labCopie->setAlignment(Qt::AlignCenter);
    labCopie->setFrameShape(QFrame::StyledPanel);

    // The upper arrow raises the copies towards 20, the lower one lowers them towards 1.
    VsCopie = new UpwardScrollBar(this);
    VsCopie->setObjectName(QStringLiteral("VsCopie"));
    VsCopie->setGeometry(twipsRect(1320, 120, 255, 330));
    VsCopie->setRange(1, 20);
    VsCopie->setFocusPolicy(Qt::StrongFocus);
    nameByLabel(Label2, VsCopie);

    chkColor = new QCheckBox(QStringLiteral("A colori"), this);
    chkColor->setObjectName(QStringLiteral("chkColor"));
    chkColor->setGeometry(twipsRect(1800, 120, 1095, 255));
    chkColor->setFont(calibri(9.75));

    cmdImpostazioni = new QPushButton(QStringLiteral("&Impostazioni"), this);
    cmdImpostazioni->setObjectName(QStringLiteral("cmdImpostazioni"));
    cmdImpostazioni->setGeometry(twipsRect(120, 540, 2775, 495));
    cmdImpostazioni->setFont(calibri(12));
    cmdImpostazioni->setAutoDefault(false);

    cmdStampa = new QPushButton(QStringLiteral("&Stampa"), this);
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    cmdStampa->setGeometry(twipsRect(120, 1140, 2775, 915));
    cmdStampa->setFont(calibri(12, true));
    cmdStampa->setDefault(true);

    cmdAnteprima = new QPushButton(QStringLiteral("Ante&prima"), this);
    cmdAnteprima->setObjectName(QStringLiteral("cmdAnteprima"));
    cmdAnteprima->setGeometry(twipsRect(120, 2160, 2775, 495));
    cmdAnteprima->setFont(calibri(12));
    cmdAnteprima->setAutoDefault(false);
    cmdAnteprima->setToolTip(QStringLiteral("Mostra le pagine che Stampa metterebbe su carta"));

    setTabOrder(VsCopie, chkColor);
    setTabOrder(chkColor, cmdImpostazioni);
    setTabOrder(cmdImpostazioni, cmdStampa);
    setTabOrder(cmdStampa, cmdAnteprima);

    connect(VsCopie, &QScrollBar::valueChanged, this, &frmTabulato::VsCopie_Change);
    connect(cmdImpostazioni, &QPushButton::clicked, this, &frmTabulato::cmdImpostazioni_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &frmTabulato::cmdStampa_Click);
    connect(cmdAnteprima, &QPushButton::clicked, this, &frmTabulato::cmdAnteprima_Click);
}

void frmTabulato::showModal()
{
    Form_Load();
    placeOnScreen(this, parentWidget());
    cmdStampa->setFocus();
    exec();
}

void frmTabulato::Form_Load()
{
    ReadConfiguration(m_program);
    VsCopie->setValue(1);
    VsCopie_Change();
    chkColor->setChecked(true);
}

void frmTabulato::VsCopie_Change()
{
    labCopie->setText(QString::number(VsCopie->value()));
}

void frmTabulato::cmdImpostazioni_Click()
{
    frmImpostazioni::showModal(m_program, this);
    ReadConfiguration(m_program);
}

QImage frmTabulato::loadPicture(const QString &path, QStringList &missing) const
{
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        missing << path;
    return picture;
}

print::ListingJob frmTabulato::listingJob()
{
    const bool colour = chkColor->isChecked();
    QStringList missing;
    sfondo = loadPicture(m_program.appPath + (colour ? QStringLiteral("/images/sfondoColor.bmp")
                                                     : QStringLiteral("/images/sfondoBW.bmp")),
                         missing);
    vietato = loadPicture(m_program.appPath + (colour ? QStringLiteral("images/vietato.jpg")
                                                      : QStringLiteral("images/vietatoBW.jpg")),
                          missing);
    reportMissingPictures(ui(), missing, QStringLiteral("La pagina sarà stampata senza."));

    print::ListingJob job;
    job.copies = labCopie->text().toInt();
    job.colour = colour;
    job.sfondo = sfondo;
    job.vietato = vietato;
    job.heading = m_program.intestazioneStampa;
    job.printerName = m_program.stampanteTabulato;
    return job;
}

void frmTabulato::cmdStampa_Click()
{
    setEnabled(false);
    m_program.printers.CurrentPrinter().takeDeliveredFiles();
    const Result<void> printed = print::StampaTabulato(m_program.printers, m_sistema, listingJob());
    // Copies printed before a failure are where they are: the player is told of both.
    announceDeliveredFiles(ui(), m_program.printers.CurrentPrinter());
    if (!printed && printed.error().number() == RuntimeError::PrinterError)
        reportPrinterNotInstalled(ui());
    setEnabled(true);
}

void frmTabulato::cmdAnteprima_Click()
{
    showPreview(this, ui(), [this] {
        return print::previewListing(m_program.printers, m_sistema, listingJob());
    });
}

} // namespace zelmora
