#include "ui/frmImpostazioni.h"

#include "app/Program.h"
#include "app/Settings.h"
#include "app/Twips.h"
#include "app/UiServices.h"
#include "core/Cp1252.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "ui/Artwork.h"
#include "ui/Fonts.h"
#include "ui/ScreenPlacement.h"
#include "ui/SharedFiles.h"
#include "ui/SpokenNames.h"
#include "ui/TextBox.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace zelmora {

namespace {

constexpr int kClientWidth = 7275;
constexpr int kClientHeight = 900;

// A character the heading box takes: a printable one that the settings file can hold.
bool isHeadingCharacter(QChar c)
{
    const char16_t code = c.unicode();
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
        return false;
    return c == u'?' || toCp1252(QString(c)) != "?";
}

// Letters turn to upper case as they are typed, unless the upper case letter is one the
// settings file cannot hold.
QChar headingCharacter(QChar c)
{
    const QChar upper = c.toUpper();
    return isHeadingCharacter(upper) ? upper : c;
}

// The heading as the box shows it: letters in upper case, characters it does not take left
// out.
QString headingText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (QChar c : text)
        if (isHeadingCharacter(c))
            shown.append(headingCharacter(c));
    return shown;
}

// Blanks off both ends; other white space stays.
QString trimBlanks(const QString &text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

QFont boldSansSerif()
{
    return msSansSerif(true);
}

} // namespace

frmImpostazioni::frmImpostazioni(Program &program, QWidget *parent)
    : QDialog(parent), m_program(program)
{
    setObjectName(QStringLiteral("frmImpostazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    setWindowIcon(artwork::windowIcon());
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFont(msSansSerif(false));
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    const auto place = [](QWidget *w, const char *name, int left, int top, int width, int height) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(twipsRect(left, top, width, height));
    };

    Label1 = new QLabel(QStringLiteral("Intestazione stampa"), this);
    place(Label1, "Label1", 60, 120, 1815, 255);
    Label1->setFont(boldSansSerif());

    mskIntestazione = new TextBox(this);
    place(mskIntestazione, "mskIntestazione", 1980, 60, 5175, 315);
    mskIntestazione->setMaxTyped(kHeadingLength);
    nameByLabel(Label1, mskIntestazione);

    Label3 = new QLabel(QStringLiteral("Stampante Tabulato"), this);
    place(Label3, "Label3", 60, 480, 1815, 255);
    Label3->setFont(boldSansSerif());

    cmbStampante = new NamedComboBox(this);
    place(cmbStampante, "cmbStampante", 1980, 420, 2115, 315);
    nameByLabel(Label3, cmbStampante);

    cmdSalva = new QPushButton(QStringLiteral("&Salva"), this);
    place(cmdSalva, "cmdSalva", 4200, 480, 1455, 315);
    cmdSalva->setFont(boldSansSerif());

    cmdUscita = new QPushButton(QStringLiteral("&Uscita"), this);
    place(cmdUscita, "cmdUscita", 5700, 480, 1455, 315);
    cmdUscita->setFont(boldSansSerif());

    // The buttons act when clicked or when Enter is pressed on them, not as the window's
    // default button.
    for (QPushButton *button : {cmdSalva, cmdUscita}) {
        button->setAutoDefault(true);
        button->setDefault(false);
    }

    setTabOrder(mskIntestazione, cmbStampante);
    setTabOrder(cmbStampante, cmdSalva);
    setTabOrder(cmdSalva, cmdUscita);
    mskIntestazione->setFocus(Qt::OtherFocusReason);

    connect(mskIntestazione, &TextBox::KeyPress, this, &frmImpostazioni::mskIntestazione_KeyPress);
    connect(mskIntestazione, &QLineEdit::textEdited, this,
            &frmImpostazioni::mskIntestazione_Change);
    connect(cmdSalva, &QPushButton::clicked, this, &frmImpostazioni::cmdSalva_Click);
    connect(cmdUscita, &QPushButton::clicked, this, &frmImpostazioni::cmdUscita_Click);
}

void frmImpostazioni::showModal(Program &program, QWidget *owner)
{
    frmImpostazioni window(program, owner);
    window.Form_Load();
    window.exec();
}

void frmImpostazioni::setVisible(bool visible)
{
    const bool showing = visible && !isVisible();
    if (showing)
        centreOverOwner();
    QDialog::setVisible(visible);
    if (showing) {
        // Showing makes the first button the window's default; it only acts when it has the
        // focus.
        cmdSalva->setDefault(false);
        // Showing also selects the whole heading; the caret waits after it instead, so a key
        // pressed by chance does not wipe it.
        mskIntestazione->deselect();
    }
}

void frmImpostazioni::centreOverOwner()
{
    placeOnScreen(this, parentWidget());
}

void frmImpostazioni::keyPressEvent(QKeyEvent *event)
{
    // Enter in the heading or the printer box does not press a button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- Events --------------------------------------------------------------------------------

void frmImpostazioni::Form_Load()
{
    ReadConfiguration(m_program);

    // A stored heading that the box cannot hold is not shown.
    const QString heading = trimBlanks(m_program.intestazioneStampa);
    if (heading.size() <= kHeadingLength && headingText(heading).size() == heading.size())
        mskIntestazione->setText(headingText(heading));

    // A drop-down list selects its first entry by itself; the saved printer is selected only
    // when its name is installed exactly as saved.
    int saved = -1;
    cmbStampante->clear();
    for (const QString &name : m_program.printers.Printers()) {
        cmbStampante->addItem(name);
        if (saved < 0 && name == m_program.stampanteTabulato)
            saved = cmbStampante->count() - 1;
    }
    cmbStampante->setCurrentIndex(saved);

    if (cmbStampante->count() > 0 && cmbStampante->currentText().isEmpty()) {
        criticalMessage(ui(), QStringLiteral("Attenzione selezionare una stampante"),
                        QStringLiteral("Importante"));
        cmbStampante->setCurrentIndex(0);
    }
    if (cmbStampante->count() == 0)
        criticalMessage(ui(), QStringLiteral("Attenzione nessuna stampante installata"),
                        QStringLiteral("Importante"));

    mskIntestazione->setFocus(Qt::OtherFocusReason);
}

void frmImpostazioni::mskIntestazione_KeyPress(int &KeyAscii)
{
    if (KeyAscii < 32)
        return; // Backspace and Enter keep their meaning
    const QChar typed(KeyAscii);
    KeyAscii = isHeadingCharacter(typed) ? headingCharacter(typed).unicode() : 0;
}

void frmImpostazioni::mskIntestazione_Change()
{
    // Pasted text gets the same treatment as typed text.
    const QString text = mskIntestazione->text();
    const QString shown = headingText(text);
    if (shown == text)
        return;
    const int cursor = mskIntestazione->cursorPosition() - int(text.size() - shown.size());
    mskIntestazione->setText(shown);
    mskIntestazione->setCursorPosition(qMax(0, cursor));
}

void frmImpostazioni::cmdSalva_Click()
{
    m_program.intestazioneStampa = mskIntestazione->text();
    m_program.stampanteTabulato = cmbStampante->currentText();
    const Result<void> saved = writeSettingsFile(m_program);
    if (!saved) {
        reportError(ui(), saved.error(), QStringLiteral("cmdSalva_Click"),
                    QStringLiteral("frmImpostazioni"), MessageIcon::None);
        return;
    }
    accept();
}

void frmImpostazioni::cmdUscita_Click()
{
    reject();
}

} // namespace zelmora
