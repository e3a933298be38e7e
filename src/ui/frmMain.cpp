#include "ui/frmMain.h"

#include "app/AutoResizer.h"
#include "app/Forms.h"
#include "app/Pause.h"
#include "app/Program.h"
#include "app/Settings.h"
#include "app/Twips.h"
#include "app/UiServices.h"
#include "app/WebPage.h"
#include "core/Corpo.h"
#include "core/FileIO.h"
#include "core/Format.h"
#include "core/GridCheck.h"
#include "core/KeyFilters.h"
#include "core/NumberReading.h"
#include "core/Prognosis.h"
#include "core/RuntimeError.h"
#include "core/Stakes.h"
#include "core/SystemFileIO.h"
#include "core/WheelsFile.h"
#include "ui/Artwork.h"
#include "ui/PaintedPicture.h"
#include "ui/RoundedBox.h"
#include "ui/ScreenPlacement.h"
#include "ui/SharedFiles.h"
#include "ui/SpokenNames.h"
#include "ui/TextBox.h"
#include "ui/TextFit.h"
#include "ui/frmAbout.h"
#include "ui/frmStampaSchedine.h"
#include "ui/frmStatistiche.h"
#include "ui/frmTabulato.h"
#include "ui/frmVerifica.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <cstring>
#include <random>
#include <utility>

namespace zelmora {

namespace {

const QColor kLeadCellColour(128, 128, 255);
const QString kEmptyCell = QStringLiteral("  ");
const QString kSystemFilter = QStringLiteral("Sistemi Zelmoravintesca (*.zlm)|*.zlm");
const QString kEmptySystemName = QStringLiteral("vuoto.zlm");
constexpr int kDesignWidth = 9315;
constexpr int kDesignHeight = 5835;
// How often a file waiting for the window to be free looks again.
constexpr int kWaitingLookMs = 200;

// The panels' and boxes' looks: a light blue gradient under the square, the stakes and the
// commands; the tiles behind the cells; white boxes for the amounts and the system's name.
const BoxLook kPanelLook{QColor(0xf7, 0xf8, 0xff), QColor(0xe2, 0xe5, 0xf7),
                         QColor(0x9a, 0xa0, 0xd0), 6};
const QColor kTileBorder(0x80, 0x88, 0xc8);
const BoxLook kAmountLook{Qt::white, Qt::white, QColor(0xb0, 0xb4, 0xd8), 3};

// `label` placed at `twips` in the window's font, bold or not.
QLabel *placeLabel(QLabel *label, const QRect &twips, bool bold, Qt::Alignment alignment)
{
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setAlignment(alignment);
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
    return label;
}

QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &twips, bool bold = false,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    return placeLabel(new QLabel(text, parent), twips, bold, alignment);
}

// A label on a white box, for an amount or the system's name.
QLabel *makeBoxedLabel(QWidget *parent, const QString &text, const QRect &twips,
                       Qt::Alignment alignment)
{
    auto *label = new RoundedLabel(kAmountLook, parent);
    label->setText(text);
    // The text kept clear of the border.
    label->setContentsMargins(2, 1, 2, 1);
    return placeLabel(label, twips, false, alignment);
}

QFrame *makePanel(QWidget *parent, const char *name, const QRect &twips)
{
    auto *panel = new RoundedFrame(kPanelLook, parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return panel;
}

} // namespace

frmMain::frmMain(Program &program, QWidget *parent) : QWidget(parent), m_program(program)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(artwork::windowIcon());
    setFont(QFont(QStringLiteral("Calibri"), 10));
    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    setMinimumSize(size() * 0.6);

    buildBanner();
    buildSquare();
    buildStakes();
    buildCommands();
    setTabOrder();

    // The desktop's own keys for saving and opening, beside the buttons' mnemonics. The button
    // takes the focus first, as a click would, so a stake being typed is taken in.
    const auto shortcut = [this](QKeySequence::StandardKey key, QToolButton *button) {
        connect(new QShortcut(key, this), &QShortcut::activated, button, [button] {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        });
    };
    shortcut(QKeySequence::Save, cmdSalva);
    shortcut(QKeySequence::Open, cmdApri);

    AutoResizer1 = new AutoResizer(this);
    AutoResizer1->captureDesign();
}

void frmMain::buildBanner()
{
    Picture1 = new PaintedPicture(&artwork::paintBanner, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(60, 60, 6885, 1380));

    cmdRitardatari = new QPushButton(QStringLiteral("Ritardatari"), this);
    cmdRitardatari->setObjectName(QStringLiteral("cmdRitardatari"));
    cmdRitardatari->setGeometry(twipsRect(5505, 1020, 1320, 345));
    cmdRitardatari->setToolTip(QStringLiteral("Apri la pagina dei numeri ritardatari"));
    connect(cmdRitardatari, &QPushButton::clicked, this, &frmMain::cmdRitardatari_Click);

    // The check window's button sits on the banner above Ritardatari; "&V" makes Alt+V.
    cmdVerifica = new QPushButton(QStringLiteral("&Verifica"), this);
    cmdVerifica->setObjectName(QStringLiteral("cmdVerifica"));
    cmdVerifica->setGeometry(twipsRect(5505, 615, 1320, 345));
    cmdVerifica->setToolTip(
        QStringLiteral("Verifica le vincite del sistema su un'estrazione o sull'archivio"));
    connect(cmdVerifica, &QPushButton::clicked, this, &frmMain::cmdVerifica_Click);

    // Ritardi e frequenze one click from here, on the banner above Verifica; Alt+F.
    cmdStatistiche = new QPushButton(QStringLiteral("Ritardi e &frequenze"), this);
    cmdStatistiche->setObjectName(QStringLiteral("cmdStatistiche"));
    cmdStatistiche->setGeometry(twipsRect(5505, 210, 1320, 345));
    cmdStatistiche->setFont(fontToFit(cmdStatistiche->font(), QStringLiteral("Ritardi e frequenze"),
                                      cmdStatistiche->width() - 10));
    cmdStatistiche->setToolTip(QStringLiteral(
        "Frequenza, ritardo e ritardo massimo dei numeri di una ruota nell'archivio"));
    connect(cmdStatistiche, &QPushButton::clicked, this, &frmMain::cmdStatistiche_Click);
}

void frmMain::buildSquare()
{
    Picture2 = makePanel(this, "Picture2", QRect(60, 1500, 4215, 4275));

    std::array<TextBox *, 4> *rows[4] = {&txtQuaterna1, &txtQuaterna2, &txtQuaterna3,
                                         &txtQuaterna4};
    const QFont cellFont(QStringLiteral("Calibri"), 15, QFont::Bold);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const QColor colour = r == c ? kLeadCellColour : QColor(Qt::white);
            // The tile behind each cell.
            auto *tile = new RoundedFrame({colour, colour, kTileBorder, 8}, Picture2);
            tile->setObjectName(QStringLiteral("num_brick%1").arg(r * 4 + c));
            tile->setGeometry(twipsRect(480 + 840 * c, 480 + 840 * r, 795, 795));

            auto *box = new TextBox(Picture2);
            box->setObjectName(QStringLiteral("txtQuaterna%1_%2").arg(r + 1).arg(c));
            // The cells have no caption: a screen reader names each by its place.
            setSpokenName(box, QStringLiteral("Riga %1, colonna %2").arg(r + 1).arg(c + 1));
            box->setGeometry(twipsRect(660 + 840 * c, 660 + 840 * r, 435, 435));
            box->setMaxTyped(2);
            box->setAcceptedText(cellTextAccepted);
            connect(box, &TextBox::EditRefused, this, [this] { ui().Beep(); });
            box->setAlignment(Qt::AlignCenter);
            box->setFont(cellFont);
            box->setFrame(false);
            box->setText(QStringLiteral("00"));
            QPalette pal = box->palette();
            pal.setColor(QPalette::Base, colour);
            pal.setColor(QPalette::Text, Qt::black);
            box->setPalette(pal);
            (*rows[r])[c] = box;
            m_cells[r][c] = box;
            connect(box, &TextBox::KeyPress, this,
                    [this, r, c](int &key) { txtQuaterna_KeyPress(r + 1, c, key); });
            connect(box, &TextBox::GotFocus, this,
                    [this, r, c] { txtQuaterna_GotFocus(r + 1, c); });
            connect(box, &QLineEdit::textChanged, this,
                    [this, r, c] { txtQuaterna_Change(r + 1, c); });
        }
    }
}

void frmMain::buildStakes()
{
    Frame2 = makePanel(this, "Frame2", QRect(4350, 1500, 2595, 4275));
    const auto heading = [this](int index, const char *text, int top) {
        QLabel *l = makeLabel(Frame2, QString::fromUtf8(text), QRect(120, top, 2355, 375), true,
                              Qt::AlignCenter);
        QFont f = l->font();
        f.setPointSize(12);
        l->setFont(f);
        l->setObjectName(QStringLiteral("lblGiocate%1").arg(index));
        lblGiocate[index] = l;
    };
    const auto caption = [this](int index, const char *text, int top) {
        QLabel *l = makeLabel(Frame2, QString::fromUtf8(text), QRect(180, top, 960, 285), true);
        l->setObjectName(QStringLiteral("lblGiocate%1").arg(index));
        lblGiocate[index] = l;
    };
    const auto euro = [this](int index, QWidget *parent, const QRect &twips) {
        QLabel *l = makeLabel(parent, QStringLiteral("€"), twips, true, Qt::AlignCenter);
        l->setObjectName(QStringLiteral("lblEuro%1").arg(index));
        lblEuro[index] = l;
    };

    heading(0, "Importi Giocati", 600);
    const int stakeTops[3] = {1140, 1560, 1920};
    const int stakeCaptions[3] = {2, 10, 16};
    const char *names[3] = {"Ambo", "Terno", "Quaterna"};
    for (int i = 0; i < 3; ++i) {
        caption(stakeCaptions[i], names[i], stakeTops[i]);
        auto *box = new TextBox(Frame2);
        box->setObjectName(QStringLiteral("txtImpQuad%1").arg(i));
        // The play's caption beside the box names it; the reader says what the box holds.
        lblGiocate[stakeCaptions[i]]->setBuddy(box);
        setSpokenName(box, QStringLiteral("Puntata ") + QString::fromLatin1(names[i]));
        box->setGeometry(twipsRect(1320, stakeTops[i], 915, 285));
        box->setMaxTyped(5);
        box->setAcceptedText(stakeTextAccepted);
        connect(box, &TextBox::EditRefused, this, [this] { ui().Beep(); });
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setText(QStringLiteral("0,00"));
        txtImpQuad[i] = box;
        keepTextWhole(box);
        euro(i, Frame2, QRect(2235, stakeTops[i], 300, 285));
        connect(box, &TextBox::KeyPress, this,
                [this, i](int &key) { txtImpQuad_KeyPress(i, key); });
        connect(box, &TextBox::GotFocus, this, [this, i] { txtImpQuad_GotFocus(i); });
        connect(box, &TextBox::LostFocus, this, [this, i] { txtImpQuad_LostFocus(i); });
    }

    heading(1, "Importi di Vincita", 2340);
    const int winTops[3] = {2880, 3300, 3660};
    const int winCaptions[3] = {5, 4, 3};
    for (int i = 0; i < 3; ++i) {
        caption(winCaptions[i], names[i], winTops[i]);
        QLabel *l =
            makeBoxedLabel(Frame2, QStringLiteral("0,00"), QRect(1140, winTops[i], 1095, 285),
                           Qt::AlignRight | Qt::AlignVCenter);
        l->setObjectName(QStringLiteral("lblVincite%1").arg(i));
        lblVincite[i] = l;
        keepTextWhole(l);
        euro(3 + i, Frame2, QRect(2235, winTops[i], 300, 285));
    }
}

void frmMain::buildCommands()
{
    frmComandi = makePanel(this, "frmComandi", QRect(7080, 60, 2175, 5715));

    struct ButtonDesign
    {
        QToolButton **button;
        const char *name;
        const char *caption;
        const char *tooltip;
        int left, top;
        void (frmMain::*slot)();
    };
    const ButtonDesign designs[] = {
        {&cmdApri, "cmdApri", "&Apri", "Apri Sistema", 60, 60, &frmMain::cmdApri_Click},
        {&cmdSalva, "cmdSalva", "&Salva", "Salva Sistema", 1140, 60, &frmMain::cmdSalva_Click},
        {&cmdCapogioco, "cmdCapogioco", "&Capogioco", "Inserisci il capogioco di ogni schedina", 60,
         1020, &frmMain::cmdCapogioco_Click},
        {&cmdCasuale, "cmdCasuale", "Cas&uale", "Genera un pronostico casuale", 1140, 1020,
         &frmMain::cmdCasuale_Click},
        {&cmdPrnSchedine, "cmdPrnSchedine", "&Schedine", "Stampa Schedine", 60, 1980,
         &frmMain::cmdPrnSchedine_Click},
        {&cmdPrnTabulato, "cmdPrnTabulato", "&Tabulato", "Stampa Tabulato", 1140, 1980,
         &frmMain::cmdPrnTabulato_Click},
        {&cmdCancella, "cmdCancella", "Canc&ella", "Cancella Sistema", 60, 2940,
         &frmMain::cmdCancella_Click},
        {&cmd12Euro, "cmd12Euro", "12 €", "Imposta le puntate del sistema da 12 €", 1140, 2940,
         &frmMain::cmd12Euro_Click},
    };
    const artwork::ButtonIcon icons[] = {
        artwork::ButtonIcon::Apri,      artwork::ButtonIcon::Salva,
        artwork::ButtonIcon::Capogioco, artwork::ButtonIcon::Casuale,
        artwork::ButtonIcon::Schedine,  artwork::ButtonIcon::Tabulato,
        artwork::ButtonIcon::Cancella,
    };
    for (int i = 0; i < 8; ++i) {
        const ButtonDesign &design = designs[i];
        auto *button = new QToolButton(frmComandi);
        button->setObjectName(QString::fromLatin1(design.name));
        button->setText(QString::fromUtf8(design.caption));
        button->setToolTip(QString::fromUtf8(design.tooltip));
        button->setGeometry(twipsRect(design.left, design.top, 975, 855));
        button->setFocusPolicy(Qt::StrongFocus);
        QFont f = button->font();
        f.setPointSizeF(9);
        if (i < 7) {
            button->setIcon(artwork::buttonIcon(icons[i]));
            button->setIconSize(QSize(twipsToPixels(480), twipsToPixels(480)));
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        } else {
            f.setBold(true);
            f.setPointSize(16);
        }
        button->setFont(f);
        connect(button, &QToolButton::clicked, this, design.slot);
        *design.button = button;
    }

    QLabel *total = makeLabel(frmComandi, QStringLiteral("Importo Sistema"),
                              QRect(60, 3900, 2055, 285), true, Qt::AlignCenter);
    total->setObjectName(QStringLiteral("lblGiocate21"));
    lblGiocate[21] = total;
    QLabel *euro = makeLabel(frmComandi, QStringLiteral("€"), QRect(180, 4260, 330, 375), true,
                             Qt::AlignCenter);
    euro->setObjectName(QStringLiteral("lblEuro6"));
    QFont euroFont = euro->font();
    euroFont.setPointSize(14);
    euro->setFont(euroFont);
    lblEuro[6] = euro;

    txtImportoSistema = new TextBox(frmComandi);
    txtImportoSistema->setObjectName(QStringLiteral("txtImportoSistema"));
    txtImportoSistema->setGeometry(twipsRect(540, 4200, 1515, 495));
    txtImportoSistema->setReadOnly(true);
    txtImportoSistema->setFocusPolicy(Qt::NoFocus);
    txtImportoSistema->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont totalFont(QStringLiteral("Calibri"), 14, QFont::Bold);
    txtImportoSistema->setFont(totalFont);
    txtImportoSistema->setText(QStringLiteral("0,00"));
    keepTextWhole(txtImportoSistema);
    nameByLabel(total, txtImportoSistema);

    lblNomeSistema =
        makeBoxedLabel(frmComandi, QString(), QRect(180, 4800, 1875, 315), Qt::AlignCenter);
    lblNomeSistema->setObjectName(QStringLiteral("lblNomeSistema"));
    keepTextWhole(lblNomeSistema);

    cmbRuote = new NamedComboBox(frmComandi);
    cmbRuote->setObjectName(QStringLiteral("cmbRuote"));
    setSpokenName(cmbRuote, QStringLiteral("Ruota"));
    cmbRuote->setGeometry(twipsRect(180, 5280, 1875, 330));
    connect(cmbRuote, &QComboBox::textActivated, this, &frmMain::cmbRuote_Change);
}

void frmMain::setTabOrder()
{
    QList<QWidget *> order;
    for (const auto &row : m_cells)
        for (TextBox *box : row)
            order.append(box);
    for (TextBox *box : txtImpQuad)
        order.append(box);
    order << cmbRuote << cmdApri << cmdSalva << cmdCapogioco << cmdCasuale << cmdPrnSchedine
          << cmdPrnTabulato << cmdCancella << cmd12Euro << cmdStatistiche << cmdVerifica
          << cmdRitardatari;
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

TextBox *frmMain::cell(int row, int column) const
{
    return m_cells[row][column];
}

QString frmMain::systemFolder() const
{
    const QString folder = m_program.appPath + QStringLiteral("sistemi");
    QDir().mkpath(folder);
    return folder;
}

// --- Load, reset and exit -----------------------------------------------------------------

void frmMain::Form_Load()
{
    const corpo::Identity &identity = m_program.identity;
    setWindowTitle(identity.AppTitle + QStringLiteral(" by Vandrel - Versione ") +
                   corpo::versionText() + QStringLiteral(" - ") + identity.gEdition);
    CaricaRuote();
    AzzeraSistema();
    ReadConfiguration(m_program);
    // The player starts typing in the first cell.
    m_cells[0][0]->setFocus(Qt::OtherFocusReason);
}

void frmMain::CaricaRuote()
{
    const Result<QByteArray> bytes =
        readWholeFile(m_program.appPath + QStringLiteral("ruote.grc"), kMaxTextFileBytes);
    if (!bytes)
        reportError(ui(), bytes.error(), QStringLiteral("CaricaRuote"), {}, MessageIcon::None);
    const QStringList names = bytes ? parseRuote(*bytes) : QStringList();
    cmbRuote->clear();
    cmbRuote->addItems(names);
    m_program.ruote = names;
    if (!names.isEmpty())
        cmbRuote->setCurrentIndex(0);
}

void frmMain::AzzeraSistema()
{
    Sistema &s = m_sistema;
    s.Capogioco = 0;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            m_cells[r][c]->setText(kEmptyCell);
            s.Righe[r][c] = 0;
            s.Colonne[c][r] = 0;
        }
    }
    s.NomeSistema = kEmptySystemName;
    lblNomeSistema->setText(s.NomeSistema.trimmed());
    s.Ruota = QString();
    if (cmbRuote->count() > 0)
        cmbRuote->setCurrentIndex(0);
    for (TextBox *box : txtImpQuad)
        box->setText(QStringLiteral("0,00"));
    CalcolaImporto();
    MostraVincite();
}

// Clicks on the panels, labels and banner reach the window too: only the controls take them.
void frmMain::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Form_Click();
    QWidget::mousePressEvent(event);
}

void frmMain::Form_Click()
{
    frmAbout about(m_program, this);
    about.Form_Load();
    placeOnScreen(&about, this);
    about.exec();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (Form_QueryUnload())
        event->accept();
    else
        event->ignore();
}

bool frmMain::Form_QueryUnload()
{
    if (askYesNo(ui(), QStringLiteral("Uscire dall'applicazione?"), windowTitle()) != Answer::Yes)
        return false;
    UnloadAllFormsExcept(QStringLiteral("frmMain"));
    m_program.ending.End();
    return true;
}

// --- The square -----------------------------------------------------------------------------

namespace {
// What a key filter decided, carried out: Enter moves on, a refused key beeps.
void carryOut(UiServices &ui, KeyAction action)
{
    if (action == KeyAction::NextField)
        ui.SendTab();
    else if (action == KeyAction::Refuse)
        ui.Beep();
}
} // namespace

void frmMain::txtQuaterna_KeyPress(int, int, int &KeyAscii)
{
    carryOut(ui(), FiltroTastiNumero(KeyAscii));
}

void frmMain::txtQuaterna_GotFocus(int row, int index)
{
    cell(row - 1, index)->setSelection(0, 2);
}

void frmMain::txtQuaterna_Change(int row, int index)
{
    TextBox *box = cell(row - 1, index);
    if (!zelmora::ControllaValore(box->text()).refused)
        return;
    criticalMessage(ui(), QString::fromUtf8(kMessaggioRange), QString::fromUtf8(kTitoloErrore));
    box->setText(QStringLiteral("00"));
    box->setSelection(0, 2);
}

bool frmMain::ControllaGriglia()
{
    CellValues values{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            values[r][c] = wholeValue(m_cells[r][c]->text());
    const GridCheckResult result = zelmora::ControllaGriglia(values, m_sistema);
    if (result.valid)
        return true;
    criticalMessage(ui(), result.message, QString::fromUtf8(kTitoloAttenzione));
    if (result.focusRow >= 0)
        m_cells[result.focusRow][result.focusColumn]->setFocus(Qt::OtherFocusReason);
    return false;
}

void frmMain::MostraGriglia()
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m_cells[r][c]->setText(QString::number(m_sistema.Righe[r][c]));
}

void frmMain::ImpostaCapogioco(bool ask)
{
    Sistema &s = m_sistema;
    int value = s.Capogioco;
    if (ask) {
        const QString text =
            ui().InputBox(QStringLiteral("Inserisci il capogioco (1-90)"),
                          QStringLiteral("CAPOGIOCO"), QString::number(s.Capogioco));
        if (text.isEmpty())
            return;
        value = leadNumberFromText(text);
        if (value == 0) {
            criticalMessage(ui(), QString::fromUtf8(kMessaggioRange),
                            QString::fromUtf8(kTitoloErrore));
            return;
        }
    }
    for (int i = 0; i < 4; ++i)
        m_cells[i][i]->setText(QString::number(value));
    s.Capogioco = std::uint8_t(value);
    ControllaGriglia();
}

void frmMain::PronosticoCasuale()
{
    const float seconds = Timer();
    std::uint32_t seed = 0;
    std::memcpy(&seed, &seconds, sizeof seed);
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const Square square =
        zelmora::PronosticoCasuale(m_sistema.Capogioco, [&] { return uniform(generator); });
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m_cells[r][c]->setText(QString::number(square[r][c]));
    if (m_sistema.Capogioco != 0)
        ImpostaCapogioco(false);
}

// --- Stakes and winnings ------------------------------------------------------------------

void frmMain::txtImpQuad_KeyPress(int, int &KeyAscii)
{
    carryOut(ui(), FiltroTastiImporto(KeyAscii));
}

void frmMain::txtImpQuad_GotFocus(int index)
{
    txtImpQuad[index]->setSelection(0, 5);
}

void frmMain::txtImpQuad_LostFocus(int index)
{
    TextBox *box = txtImpQuad[index];
    box->setText(formatMask(stakeValue(box->text()), QString::fromLatin1(kMaskPuntata)));
    CalcolaImporto();
    MostraVincite();
}

void frmMain::CalcolaImporto()
{
    const Importo importo = zelmora::CalcolaImporto(
        {txtImpQuad[0]->text(), txtImpQuad[1]->text(), txtImpQuad[2]->text()});
    m_sistema.Puntate = importo.puntate;
    m_sistema.ImportoSistema = importo.totale;
    txtImportoSistema->setText(formatMask(importo.totale, QString::fromLatin1(kMaskImporto)));
}

void frmMain::MostraVincite()
{
    m_sistema.Vincite = CalcolaVincite(m_sistema.Puntate);
    for (int i = 0; i < 3; ++i)
        lblVincite[i]->setText(formatMask(m_sistema.Vincite[i], QString::fromLatin1(kMaskVincita)));
}

void frmMain::MostraPuntate()
{
    for (int i = 0; i < 3; ++i)
        txtImpQuad[i]->setText(formatMask(m_sistema.Puntate[i], QString::fromLatin1(kMaskPuntata)));
}

void frmMain::Sistema12Euro()
{
    m_sistema.Puntate = puntate12Euro();
    MostraVincite();
    MostraPuntate();
    CalcolaImporto();
}

void frmMain::cmbRuote_Change()
{
    m_sistema.Ruota = cmbRuote->currentText();
}

// --- Buttons --------------------------------------------------------------------------------

void frmMain::cmdCancella_Click()
{
    AzzeraSistema();
}

void frmMain::cmdCapogioco_Click()
{
    ImpostaCapogioco(true);
}

void frmMain::cmdCasuale_Click()
{
    PronosticoCasuale();
    ControllaGriglia();
}

void frmMain::cmd12Euro_Click()
{
    Sistema12Euro();
}

bool frmMain::prepareForPrint()
{
    m_sistema.Ruota = cmbRuote->currentText();
    if (!ControllaGriglia())
        return false;
    CalcolaImporto();
    Trasponi(m_sistema);
    return true;
}

void frmMain::cmdPrnSchedine_Click()
{
    if (!prepareForPrint())
        return;
    // Modeless: this window stays disabled until the print-slips window closes.
    setEnabled(false);
    auto *slips = new frmStampaSchedine(m_sistema, m_program, this);
    slips->Form_Load();
    slips->show();
    slips->activateWindow();
}

void frmMain::cmdPrnTabulato_Click()
{
    if (!prepareForPrint())
        return;
    if (!m_tabulato)
        m_tabulato = new frmTabulato(m_sistema, m_program, this);
    m_tabulato->showModal();
}

void frmMain::cmdVerifica_Click()
{
    // The same square check the print buttons run, then the check of the system on screen.
    if (!prepareForPrint())
        return;
    ReadConfiguration(m_program);
    frmVerifica verifica(m_sistema, m_program, this);
    verifica.showModal();
}

void frmMain::cmdStatistiche_Click()
{
    // The figures need no complete square: the plays are followed as far as they are typed.
    Sistema sistema = m_sistema;
    sistema.Ruota = cmbRuote->currentText();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const int value = wholeValue(m_cells[r][c]->text());
            sistema.Righe[r][c] = std::uint8_t(value >= 1 && value <= 90 ? value : 0);
        }
    frmStatistiche statistiche(sistema, nullptr, m_program, QDate(), QDate(), this);
    statistiche.showModal();
}

void frmMain::cmdRitardatari_Click()
{
    OpenWebPage(ui(), webHost() + QStringLiteral("/ritardatari"));
}

// --- System files ---------------------------------------------------------------------------

void frmMain::cmdSalva_Click()
{
    Sistema &s = m_sistema;
    if (!ControllaGriglia())
        return;
    s.Vincite = CalcolaVincite(s.Puntate);
    Trasponi(s);

    FileDialogRequest request;
    request.initDir = systemFolder();
    request.filter = kSystemFilter;
    request.defaultExt = QStringLiteral(".zlm");
    request.overwritePrompt = true;
    const FileDialogResult chosen = ui().ShowSave(this, request);
    if (!chosen.confirmed)
        return;

    const FixedText<20> previousName = s.NomeSistema;
    s.NomeSistema = chosen.fileTitle.left(20).trimmed();
    if (isReservedSystemName(s.NomeSistema.text())) {
        criticalMessage(ui(),
                        QStringLiteral("Impostare un nome diverso da\r\n[") + kEmptySystemName +
                            QStringLiteral("]"),
                        QStringLiteral("Attenzione"));
        s.NomeSistema = lblNomeSistema->text();
        return;
    }

    ui().setBusy(true);
    s.Ruota = cmbRuote->currentText();
    CalcolaImporto();
    if (const Result<void> saved = saveSystemFile(chosen.fileName, s); !saved) {
        // Nothing was written: the system keeps the name it had.
        s.NomeSistema = previousName;
        ui().setBusy(false);
        reportError(ui(), saved.error(), QStringLiteral("cmdSalva_Click"), objectName(),
                    MessageIcon::None);
        return;
    }
    ui().setBusy(false);
    lblNomeSistema->setText(s.NomeSistema.trimmed().toLower());
}

void frmMain::cmdApri_Click()
{
    FileDialogRequest request;
    request.initDir = systemFolder();
    request.filter = kSystemFilter;
    request.fileMustExist = true;
    const FileDialogResult chosen = ui().ShowOpen(this, request);
    if (!chosen.confirmed)
        return;
    openSystemPath(chosen.fileName);
}

void frmMain::openWhenFree(const QString &path)
{
    m_waitingPath = path;
    if (!m_waitingTimer) {
        m_waitingTimer = new QTimer(this);
        m_waitingTimer->setInterval(kWaitingLookMs);
        connect(m_waitingTimer, &QTimer::timeout, this, &frmMain::openWaitingSystem);
    }
    // Never from inside the caller: it may be answering a later copy, or be in a window's
    // routine; the event loop comes back to it.
    QTimer::singleShot(0, this, &frmMain::openWaitingSystem);
}

void frmMain::openWaitingSystem()
{
    if (m_waitingPath.isEmpty())
        return;
    // A modal window (a message, a dialog, the listing or the check) or the print-slips
    // window, which disables this one while it is open and while its run prints, holds the
    // system: the file waits until they close.
    if (!isEnabled() || QApplication::activeModalWidget() != nullptr) {
        m_waitingTimer->start();
        return;
    }
    m_waitingTimer->stop();
    const QString path = std::exchange(m_waitingPath, QString());
    openSystemPath(path);
}

void frmMain::openSystemPath(const QString &path)
{
    const Result<std::optional<Sistema>> loaded = openSystemFile(path);
    if (!loaded) {
        reportError(ui(), loaded.error(), QStringLiteral("cmdApri_Click"), objectName(),
                    MessageIcon::None);
        return;
    }
    if (!*loaded) {
        criticalMessage(ui(), QStringLiteral("Questo file non puo' essere letto"),
                        QStringLiteral("E R R O R E"));
        return;
    }

    ui().setBusy(true);
    AzzeraSistema();
    Sistema &s = m_sistema;
    s = **loaded;
    QString wheel = s.Ruota.text();
    while (wheel.startsWith(u' '))
        wheel.remove(0, 1);
    s.Ruota = wheel;
    ui().setBusy(false);

    MostraGriglia();
    if (s.Capogioco != 0)
        ImpostaCapogioco(false);
    lblNomeSistema->setText(s.NomeSistema.trimmed());
    MostraPuntate();
    ControllaGriglia();
    CalcolaImporto();
    MostraVincite();

    // The stored wheel, or the last of the list when the list does not hold it.
    if (cmbRuote->count() > 0) {
        QStringList listed;
        for (int i = 0; i < cmbRuote->count(); ++i)
            listed << cmbRuote->itemText(i);
        const int stored = wheelPosition(listed, s.Ruota.text());
        cmbRuote->setCurrentIndex(stored >= 0 ? stored : cmbRuote->count() - 1);
    }
}

} // namespace zelmora
