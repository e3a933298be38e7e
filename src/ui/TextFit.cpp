#include "ui/TextFit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace zelmora {

QFont fontToFit(const QFont &font, const QString &text, qreal width)
{
    QFont fitted = font;
    const qreal wanted = font.pointSizeF();
    if (wanted <= 0 || text.isEmpty() || width <= 0)
        return fitted;
    // Measured as labels measure their text for their size: whole pixels, bearings included.
    const auto tooWide = [&] {
        return QFontMetrics(fitted).boundingRect(QRect(), Qt::TextSingleLine, text).width() > width;
    };
    // Widths scale with the size, near enough for a first guess; each size tried loads a font of
    // its own that the program keeps, so the guess spares a long walk down.
    const qreal measured = QFontMetricsF(fitted).horizontalAdvance(text);
    qreal size = wanted;
    if (measured > width) {
        size = std::max<qreal>(1, wanted * width / measured);
        fitted.setPointSizeF(size);
    }
    // Hinting makes widths step rather than scale: shrink a little at a time until it fits.
    while (size > 1 && tooWide()) {
        size = std::max<qreal>(1, size * 0.96);
        fitted.setPointSizeF(size);
    }
    return fitted;
}

namespace {

// The pixels a line edit has for its text: its contents less the margins it keeps on both
// sides and the cursor's width.
qreal lineEditTextWidth(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect area = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    constexpr int kInnerMargins = 2 * 2 + 1; // the edit's own side margins and the cursor
    return area.width() - margins.left() - margins.right() - kInnerMargins;
}

// A framed label aligned to a side keeps its text away from the frame on that side, unless
// told otherwise; the room it asks for is an "x" wide.
qreal labelIndent(const QLabel *label, const QFont &font)
{
    if (!(label->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        return 0;
    if (label->indent() >= 0)
        return label->indent();
    return label->frameWidth() > 0 ? QFontMetrics(font).horizontalAdvance(u'x') : 0;
}

class TextFitter : public QObject
{
public:
    explicit TextFitter(QWidget *widget) : QObject(widget), m_widget(widget), m_base(widget->font())
    {
        widget->installEventFilter(this);
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            connect(edit, &QLineEdit::textChanged, this, &TextFitter::fit);
        fit();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_widget)
            return false;
        switch (event->type()) {
        case QEvent::FontChange:
            if (!m_adjusting) {
                m_base = m_widget->font();
                fit();
            }
            break;
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Paint: // a label's text changes without an event: check before drawing
            fit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void fit()
    {
        QString text;
        qreal width = 0;
        if (auto *label = qobject_cast<QLabel *>(m_widget)) {
            text = label->text();
            width =
                label->contentsRect().width() - 2 * label->margin() - labelIndent(label, m_base);
        } else if (auto *edit = qobject_cast<QLineEdit *>(m_widget)) {
            text = edit->text();
            width = lineEditTextWidth(edit);
        }
        const QFont wanted = fontToFit(m_base, text, width);
        if (wanted == m_widget->font())
            return;
        m_adjusting = true;
        m_widget->setFont(wanted);
        m_adjusting = false;
    }

    QWidget *m_widget;
    QFont m_base;
    bool m_adjusting = false;
};

} // namespace

void keepTextWhole(QWidget *widget)
{
    new TextFitter(widget);
}

} // namespace zelmora
