#include "ui/frmTaraturaAmbetto.h"

#include "app/Program.h"
#include "app/Taratura.h"
#include "app/Twips.h"
#include "app/UiServices.h"
#include "core/Format.h"
#include "core/RuntimeError.h"
#include "print/CalibrationPage.h"
#include "print/Printer.h"
#include "ui/Artwork.h"
#include "ui/Fonts.h"
#include "ui/PrintNotice.h"
#include "ui/ScreenPlacement.h"
#include "ui/SharedFiles.h"
#include "ui/SpokenNames.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QValidator>

#include <cmath>
#include <optional>

namespace zelmora {

using print::TaraturaAmbetto;

namespace {

// A bar that shows it has the focus: the toolkit's style draws none on a scroll bar, so the
// player would not see where the arrow keys go.
class FocusShowingScrollBar : public QScrollBar
{
public:
    explicit FocusShowingScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight), 2);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

// --- Geometry (twips) ----------------------------------------------------------------------

constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 6180;
constexpr int kMargin = 120;
constexpr int kGap = 120;
constexpr int kFrameWidth = 3720;
constexpr int kLeftColumn = kMargin;
constexpr int kRightColumn = kMargin + kFrameWidth + kGap;
constexpr int kTwoRowFrame = 1320;
constexpr int kOneRowFrame = 900;
constexpr int kRow1 = kMargin;
constexpr int kRow2 = kRow1 + kTwoRowFrame + kGap;
constexpr int kRow3 = kRow2 + kTwoRowFrame + kGap;
constexpr int kRow4 = kRow3 + kOneRowFrame + kGap;
constexpr int kRow5 = kRow4 + kOneRowFrame + kGap;
constexpr int kWideFrame = 2 * kFrameWidth + kGap;

// Inside a frame: the first line of controls below the caption, the second one under it.
constexpr int kFirstLine = 360;
constexpr int kSecondLine = 840;
constexpr int kLineHeight = 360;

// --- Typed millimetres -------------------------------------------------------------------------

// What a length box takes as it is typed or pasted: digits, a decimal comma and at most two
// decimals. Anything else is refused (and the box beeps).
class MillimetreValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        static const QRegularExpression typed(QStringLiteral("^[0-9]{0,5}(,[0-9]{0,2})?$"));
        return typed.match(input).hasMatch() ? Acceptable : Invalid;
    }
};

// A typed length in hundredths of a millimetre, read exactly from its digits; none for a box
// left empty or holding only the comma.
std::optional<int> typedHundredths(const QString &text)
{
    static const QRegularExpression typed(QStringLiteral("^([0-9]{0,5})(?:,([0-9]{0,2}))?$"));
    const QRegularExpressionMatch match = typed.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    const int whole = match.captured(1).toInt();
    const QString decimals = match.captured(2).leftJustified(2, u'0');
    return whole * 100 + decimals.toInt();
}

// A measured length as its box shows it: hundredths of a millimetre, decimal comma.
QString hundredthsText(int hundredths)
{
    return print::lengthText(float(hundredths) / 100.0f);
}

// The measured length, in hundredths of a millimetre, that a factor stands for.
int measuredFor(int nominal, float factor)
{
    return int(std::lround(nominal * 100.0 / double(factor)));
}

// The factor a measured length gives, nominal / measured.
float factorFor(int nominal, int measuredHundredths)
{
    return float(nominal * 100.0 / measuredHundredths);
}

} // namespace

// --- Construction ----------------------------------------------------------------------------

frmTaraturaAmbetto::frmTaraturaAmbetto(const Sistema &sistema, Program &program, QWidget *parent)
    : QDialog(parent), m_sistema(sistema), m_program(program)
{
    setObjectName(QStringLiteral("frmTaraturaAmbetto"));
    setWindowTitle(QStringLiteral("Taratura Stampa Schedine"));
    setWindowIcon(artwork::windowIcon());
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFont(msSansSerif());
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    const auto name = [](QWidget *w, const char *objectName) {
        w->setObjectName(QString::fromLatin1(objectName));
    };
    const auto frame = [&](const char *objectName, const QString &caption, int left, int top,
                           int height) {
        auto *box = new QGroupBox(caption, this);
        name(box, objectName);
        box->setGeometry(twipsRect(left, top, kFrameWidth, height));
        box->setFont(msSansSerif(true));
        return box;
    };
    // A box that takes millimetres typed with a decimal comma: a refused key beeps, and the
    // value is taken on Enter (which then moves on) or when the box is left.
    const auto typedBox = [&](QLineEdit *box) {
        box->setValidator(new MillimetreValidator(box));
        box->setMaxLength(8);
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
        connect(box, &QLineEdit::inputRejected, this, [this] { ui().Beep(); });
    };
    // One line of a frame: "X :" or "Y :", the bar, and the box that shows its length.
    const auto line = [&](QGroupBox *owner, int top, const QString &axis, QLabel *&label,
                          const char *labelName, QScrollBar *&bar, const char *barName,
                          QLineEdit *&box, const char *boxName) {
        label = new QLabel(axis, owner);
        name(label, labelName);
        label->setGeometry(twipsRect(180, top, 360, kLineHeight));
        label->setFont(msSansSerif(true));

        bar = new FocusShowingScrollBar(owner);
        name(bar, barName);
        bar->setGeometry(twipsRect(540, top + 45, 2100, 270));
        bar->setRange(0, kBarMax);
        bar->setSingleStep(10);
        bar->setPageStep(100);
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->installEventFilter(this);
        label->setBuddy(bar);

        box = new QLineEdit(owner);
        name(box, boxName);
        box->setGeometry(twipsRect(2760, top, 780, kLineHeight));
        box->setFont(msSansSerif());
        box->setAlignment(Qt::AlignCenter);
        box->setText(QStringLiteral("0"));
        box->setToolTip(QStringLiteral("Millimetri"));
        typedBox(box);
    };

    framePosNumeri = frame("framePosNumeri", QStringLiteral("Posizione Numero 1"), kLeftColumn,
                           kRow1, kTwoRowFrame);
    line(framePosNumeri, kFirstLine, QStringLiteral("X :"), lblLeft, "lblLeft", vsLeft, "vsLeft",
         labLeft, "labLeft");
    line(framePosNumeri, kSecondLine, QStringLiteral("Y :"), lblTop, "lblTop", vsTop, "vsTop",
         labTop, "labTop");

    frameDistNumeri = frame("frameDistNumeri", QStringLiteral("Distanza Numeri"), kRightColumn,
                            kRow1, kTwoRowFrame);
    line(frameDistNumeri, kFirstLine, QStringLiteral("X :"), lblX, "lblX", VsX, "VsX", labX,
         "labX");
    line(frameDistNumeri, kSecondLine, QStringLiteral("Y :"), lblY, "lblY", VsY, "VsY", labY,
         "labY");

    framePosImporti = frame("framePosImporti", QStringLiteral("Posizione Importi"), kLeftColumn,
                            kRow2, kTwoRowFrame);
    line(framePosImporti, kFirstLine, QStringLiteral("X :"), lblXimporti, "lblXimporti", vsXimporti,
         "vsXimporti", labXimporti, "labXimporti");
    line(framePosImporti, kSecondLine, QStringLiteral("Y :"), lblYimporti, "lblYimporti",
         vsYimporti, "vsYimporti", labYimporti, "labYimporti");

    frameDistImporti = frame("frameDistImporti", QStringLiteral("Distanza Importi"), kRightColumn,
                             kRow2, kTwoRowFrame);
    line(frameDistImporti, kFirstLine, QStringLiteral("X :"), lblDXimporti, "lblDXimporti",
         vsDXimporti, "vsDXimporti", labDXimporti, "labDXimporti");
    line(frameDistImporti, kSecondLine, QStringLiteral("Y :"), lblDYimporti, "lblDYimporti",
         vsDYimporti, "vsDYimporti", labDYimporti, "labDYimporti");

    frameIntestazione = frame("frameIntestazione", QStringLiteral("Posizione Intestazione"),
                              kLeftColumn, kRow3, kOneRowFrame);
    line(frameIntestazione, kFirstLine, QStringLiteral("Y :"), lblIntestazione, "lblIntestazione",
         vsIntestazione, "vsIntestazione", labIntestazione, "labIntestazione");

    frameQualita = frame("frameQualita", QStringLiteral("Qualita' di stampa"), kRightColumn, kRow3,
                         kOneRowFrame);
    optColor[0] = new QRadioButton(QStringLiteral("&Normale"), frameQualita);
    name(optColor[0], "optColor0");
    optColor[0]->setGeometry(twipsRect(240, kFirstLine, 1500, kLineHeight));
    optColor[1] = new QRadioButton(QStringLiteral("&Bassa"), frameQualita);
    name(optColor[1], "optColor1");
    optColor[1]->setGeometry(twipsRect(1920, kFirstLine, 1500, kLineHeight));
    for (QRadioButton *option : optColor)
        option->setFont(msSansSerif());
    optColor[0]->setChecked(true);

    frameScala = frame("frameScala", QStringLiteral("Scala: righelli della prova misurati (mm)"),
                       kLeftColumn, kRow4, kOneRowFrame);
    frameScala->resize(twipsRect(0, 0, kWideFrame, kOneRowFrame).size());
    const auto ruler = [&](int left, QLabel *&label, const char *labelName, QLineEdit *&box,
                           const char *boxName) {
        label = new QLabel(frameScala);
        name(label, labelName);
        label->setGeometry(twipsRect(left, kFirstLine, 2400, kLineHeight));
        label->setFont(msSansSerif(true));
        box = new QLineEdit(frameScala);
        name(box, boxName);
        box->setGeometry(twipsRect(left + 2460, kFirstLine, 900, kLineHeight));
        box->setFont(msSansSerif());
        box->setAlignment(Qt::AlignCenter);
        box->setToolTip(QStringLiteral("La lunghezza del righello misurata sulla pagina di prova, "
                                       "in millimetri"));
        label->setBuddy(box);
        typedBox(box);
    };
    ruler(180, lblRighelloX, "lblRighelloX", txtRighelloX, "txtRighelloX");
    ruler(3960, lblRighelloY, "lblRighelloY", txtRighelloY, "txtRighelloY");
    // Their labels change with the printer's rulers; a screen reader hears what they hold.
    setSpokenName(txtRighelloX, QStringLiteral("Righello X misurato (mm)"));
    setSpokenName(txtRighelloY, QStringLiteral("Righello Y misurato (mm)"));

    frameStampante =
        frame("frameStampante", QStringLiteral("&Stampante"), kLeftColumn, kRow5, kOneRowFrame);
    cmbStampante = new NamedComboBox(frameStampante);
    name(cmbStampante, "cmbStampante");
    setSpokenName(cmbStampante, withoutMnemonic(frameStampante->title()));
    cmbStampante->setGeometry(twipsRect(180, kFirstLine - 30, kFrameWidth - 360, 390));
    cmbStampante->setFont(msSansSerif());

    Image1 = new QLabel(this);
    name(Image1, "Image1");
    Image1->setGeometry(twipsRect(kRightColumn, kRow5, 1560, kOneRowFrame));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(artwork::slipPicture(Image1->size(), devicePixelRatioF()));

    const auto pictureButton = [&](const char *objectName, const QIcon &icon, const QString &tip,
                                   int left) {
        auto *button = new QPushButton(this);
        name(button, objectName);
        button->setGeometry(twipsRect(left, kRow5, 1020, kOneRowFrame));
        button->setIcon(icon);
        button->setIconSize(QSize(32, 32));
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        // Enter or Space on the focused button presses it; neither is the window's default.
        button->setAutoDefault(false);
        return button;
    };
    cmdTest = pictureButton("cmdTest", artwork::testPrintIcon(), QStringLiteral("Stampa di prova"),
                            kRightColumn + 1620);
    cmdSalva = pictureButton("cmdSalva", artwork::buttonIcon(artwork::ButtonIcon::Salva),
                             QStringLiteral("Salva la taratura"), kRightColumn + 2700);

    // Tab follows the frames as they are read, left to right, top to bottom; each typed box
    // comes right after its bar.
    const QList<QWidget *> order = {vsLeft,
                                    labLeft,
                                    vsTop,
                                    labTop,
                                    VsX,
                                    labX,
                                    VsY,
                                    labY,
                                    vsXimporti,
                                    labXimporti,
                                    vsYimporti,
                                    labYimporti,
                                    vsDXimporti,
                                    labDXimporti,
                                    vsDYimporti,
                                    labDYimporti,
                                    vsIntestazione,
                                    labIntestazione,
                                    optColor[0],
                                    optColor[1],
                                    txtRighelloX,
                                    txtRighelloY,
                                    cmbStampante,
                                    cmdTest,
                                    cmdSalva};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // A screen reader names each bar and its box as the range message names the length
    // ("Posizione Numero 1 / Y"), the box with its unit.
    for (const Length &length : lengths()) {
        const QString caption = print::lengthCaption(length.field);
        setSpokenName(length.bar, caption);
        setSpokenName(length.box, caption + QStringLiteral(" (mm)"));
    }

    // Every bar shows its value in the box beside it.
    const auto bars = lengths();
    for (int i = 0; i < int(bars.size()); ++i)
        connect(bars[i].bar, &QScrollBar::valueChanged, this, [this, i] { length_Change(i); });
    for (int i = 0; i < int(optColor.size()); ++i)
        connect(optColor[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                optColor_Click(i);
        });
    connect(cmdSalva, &QPushButton::clicked, this, &frmTaraturaAmbetto::cmdSalva_Click);
    connect(cmdTest, &QPushButton::clicked, this, &frmTaraturaAmbetto::cmdTest_Click);
    connect(cmbStampante, &QComboBox::currentTextChanged, this,
            &frmTaraturaAmbetto::cmbStampante_Change);
}

void frmTaraturaAmbetto::showModal(const Sistema &sistema, Program &program, QWidget *owner)
{
    frmTaraturaAmbetto window(sistema, program, owner);
    window.Form_Load();
    placeOnScreen(&window, owner);
    window.vsLeft->setFocus(Qt::OtherFocusReason);
    window.exec();
}

void frmTaraturaAmbetto::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the focused picture button and nothing else: a test print or a save is
    // never started from a bar or the printer list.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmTaraturaAmbetto::reject()
{
    if (auto *box = qobject_cast<QLineEdit *>(focusWidget()))
        takeTyped(box);
    QDialog::reject();
}

QWidget *frmTaraturaAmbetto::nextTypedBox(QWidget *from)
{
    // Enter goes on to the next length typed, as Enter goes on to the next cell in the main
    // window; after the last one, to what follows it in the tab order.
    bool passed = false;
    for (QWidget *next = nextInFocusChain(); next && next != this;
         next = next->nextInFocusChain()) {
        if (next == from)
            passed = true;
        else if (passed && qobject_cast<QLineEdit *>(next) && next->isEnabled() &&
                 next->isVisibleTo(this))
            return next;
    }
    return from->nextInFocusChain();
}

bool frmTaraturaAmbetto::eventFilter(QObject *watched, QEvent *event)
{
    // A typed box: Enter takes the value and moves on to the next control, as in the other
    // windows; leaving the box takes it too. A refused value keeps the focus on Enter.
    if (auto *box = qobject_cast<QLineEdit *>(watched)) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (takeTyped(box))
                    nextTypedBox(box)->setFocus(Qt::TabFocusReason);
                else
                    box->selectAll();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            takeTyped(box);
        }
        return QDialog::eventFilter(watched, event);
    }

    // The keys of a horizontal bar, whatever the toolkit's own mapping: the arrows move by a
    // tenth of a millimetre (right and down add), the page keys by a millimetre (Page Down
    // adds), Home and End go to the ends.
    auto *bar = qobject_cast<QScrollBar *>(watched);
    if (!bar || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QDialog::eventFilter(watched, event);
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = QAbstractSlider::SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = QAbstractSlider::SliderToMinimum;
        break;
    case Qt::Key_End:
        action = QAbstractSlider::SliderToMaximum;
        break;
    default:
        return QDialog::eventFilter(watched, event);
    }
    bar->triggerAction(action);
    return true;
}

std::array<frmTaraturaAmbetto::Length, 9> frmTaraturaAmbetto::lengths() const
{
    // Each length's bar and box, in the order of the calibration's own table of lengths.
    const std::array<std::pair<QScrollBar *, QLineEdit *>, 9> controls = {{
        {VsX, labX},
        {VsY, labY},
        {vsTop, labTop},
        {vsLeft, labLeft},
        {vsIntestazione, labIntestazione},
        {vsXimporti, labXimporti},
        {vsYimporti, labYimporti},
        {vsDXimporti, labDXimporti},
        {vsDYimporti, labDYimporti},
    }};
    std::array<Length, 9> lengths;
    for (std::size_t i = 0; i < lengths.size(); ++i)
        lengths[i] = {controls[i].first, controls[i].second, print::kCalibrationLengths[i].field};
    return lengths;
}

// --- Events ----------------------------------------------------------------------------------

void frmTaraturaAmbetto::Form_Load()
{
    LeggiTaraturaAmbetto(taratura, m_program, QStringLiteral("frmTaraturaAmbetto"));

    // A drop-down list selects its first entry by itself; the stored printer is selected only
    // when it is installed under exactly that name.
    int storedPrinter = -1;
    cmbStampante->clear();
    for (const QString &deviceName : m_program.printers.Printers()) {
        cmbStampante->addItem(deviceName);
        if (storedPrinter < 0 && deviceName == taratura.Stampante)
            storedPrinter = cmbStampante->count() - 1;
    }
    cmbStampante->setCurrentIndex(storedPrinter);
    if (cmbStampante->currentText().isEmpty()) {
        criticalMessage(ui(), QStringLiteral("Attenzione non e' selezionata nessuna stampante"),
                        QStringLiteral("Importante"));
        if (cmbStampante->count() > 0)
            cmbStampante->setCurrentIndex(0);
    }

    // A length the bars cannot show (a file written by hand or damaged) is brought into their
    // range, and the player is told which values were changed.
    CorreggiTaratura(ui(), taratura);
    for (const Length &length : lengths()) {
        const int value = int(roundHalfEven(double(taratura.*length.field) * 100));
        const int before = length.bar->value();
        length.bar->setValue(value);
        // The handler runs on a change of value; an unchanged bar still shows the field.
        if (before == value)
            showLength(length);
    }

    showRulers();

    const int quality = taratura.QualitaNormale() ? 0 : 1;
    if (optColor[quality]->isChecked())
        optColor_Click(quality);
    else
        optColor[quality]->setChecked(true);
}

void frmTaraturaAmbetto::showLength(const Length &length)
{
    taratura.*length.field = float(length.bar->value()) / 100.0f;
    length.box->setText(print::lengthText(taratura.*length.field));
}

bool frmTaraturaAmbetto::takeTyped(QLineEdit *box)
{
    if (box == txtRighelloX || box == txtRighelloY)
        return takeMeasure(box == txtRighelloX);
    for (const Length &length : lengths())
        if (length.box == box)
            return takeLength(length);
    return true;
}

bool frmTaraturaAmbetto::takeLength(const Length &length)
{
    const std::optional<int> typed = typedHundredths(length.box->text());
    if (typed && *typed > length.bar->maximum()) {
        // The box shows the bar's value again before the message takes the focus away.
        showLength(length);
        ui().Beep();
        warningMessage(
            ui(), print::rangeMessage(print::lengthCaption(length.field), hundredthsText(*typed)),
            QStringLiteral("Importante"));
        return false;
    }
    if (typed && *typed != length.bar->value())
        length.bar->setValue(*typed); // its change handler shows the value
    else
        showLength(length); // an empty box shows the bar's value again
    return true;
}

int frmTaraturaAmbetto::nominalRuler(bool horizontal) const
{
    const print::RulerLengths rulers =
        print::rulerLengths(m_program.printers.PrintableSizeOf(cmbStampante->currentText()));
    return horizontal ? rulers.horizontal : rulers.vertical;
}

bool frmTaraturaAmbetto::takeMeasure(bool horizontal)
{
    QLineEdit *const box = horizontal ? txtRighelloX : txtRighelloY;
    float &factor = horizontal ? taratura.ScalaX : taratura.ScalaY;
    const int nominal = nominalRuler(horizontal);
    const std::optional<int> typed = typedHundredths(box->text());
    if (!typed || nominal <= 0 || *typed == measuredFor(nominal, factor)) {
        showRulers();
        return true;
    }
    if (*typed == 0 || !print::scaleInRange(factorFor(nominal, *typed))) {
        // The measures that give a factor from 0,95 to 1,05, to the hundredth.
        int shortest = int(std::ceil(nominal * 100.0 / double(print::kMaxScale)));
        while (!print::scaleInRange(factorFor(nominal, shortest)))
            ++shortest;
        int longest = int(std::floor(nominal * 100.0 / double(print::kMinScale)));
        while (!print::scaleInRange(factorFor(nominal, longest)))
            --longest;
        showRulers();
        ui().Beep();
        warningMessage(
            ui(),
            QStringLiteral("Il righello %1 di %2 mm misurato %3 mm darebbe un fattore di "
                           "scala fuori dall'intervallo 0,95 - 1,05: la misura deve "
                           "essere da %4 a %5 mm")
                .arg(horizontal ? QStringLiteral("orizzontale") : QStringLiteral("verticale"))
                .arg(nominal)
                .arg(hundredthsText(*typed), hundredthsText(shortest), hundredthsText(longest)),
            QStringLiteral("Importante"));
        return false;
    }
    factor = factorFor(nominal, *typed);
    showRulers();
    return true;
}

void frmTaraturaAmbetto::showRulers()
{
    const int nominalX = nominalRuler(true);
    const int nominalY = nominalRuler(false);
    lblRighelloX->setText(QStringLiteral("X (%1 mm) :").arg(nominalX));
    lblRighelloY->setText(QStringLiteral("Y (%1 mm) :").arg(nominalY));
    txtRighelloX->setText(hundredthsText(measuredFor(nominalX, taratura.ScalaX)));
    txtRighelloY->setText(hundredthsText(measuredFor(nominalY, taratura.ScalaY)));
}

void frmTaraturaAmbetto::cmbStampante_Change()
{
    // Another printer may fit a shorter vertical ruler; the factors stay as they are.
    showRulers();
}

void frmTaraturaAmbetto::length_Change(int index)
{
    showLength(lengths()[index]);
}

void frmTaraturaAmbetto::optColor_Click(int Index)
{
    taratura.Qualita =
        print::TaggedQuality::integer(Index == 0 ? print::kQualitaNormale : print::kQualitaBassa);
}

void frmTaraturaAmbetto::cmdSalva_Click()
{
    taratura.Stampante = cmbStampante->currentText();
    SalvaTaraturaAmbetto(taratura, m_program, QStringLiteral("frmTaraturaAmbetto"));
}

void frmTaraturaAmbetto::cmdTest_Click()
{
    print::PrinterSet &printers = m_program.printers;
    printers.SelectPrinter(cmbStampante->currentText());
    printers.CurrentPrinter().takeDeliveredFiles();
    // Nothing of a page that fails half-way is sent to the printer. The test print traps every
    // error: what the libraries may throw (memory running out) is an unexpected printer error.
    Result<void> printed;
    try {
        printed =
            print::printCalibrationTest(printers.CurrentPrinter(), taratura,
                                        m_sistema.NomeSistema.text(), m_program.intestazioneStampa);
    } catch (const std::exception &) {
        printers.CurrentPrinter().KillDoc();
        reportUnexpectedPrinterError(ui());
        return;
    }
    if (printed) {
        announceDeliveredFiles(ui(), printers.CurrentPrinter());
        return;
    }
    if (printed.error().number() == RuntimeError::PrinterError)
        reportPrinterNotInstalled(ui());
    else
        reportUnexpectedPrinterError(ui());
}

} // namespace zelmora
