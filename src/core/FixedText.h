#pragma once

#include <QString>

namespace zelmora {

// A text of fixed length: assigning cuts a longer text and pads a shorter one with blanks on
// the right, so the text always holds exactly N characters.
template <int N> class FixedText
{
public:
    FixedText() : m_text(N, u' ') {}
    FixedText(const QString &text) { assign(text); }

    FixedText &operator=(const QString &text)
    {
        assign(text);
        return *this;
    }

    void assign(const QString &text)
    {
        m_text = text.left(N);
        if (m_text.size() < N)
            m_text += QString(N - m_text.size(), u' ');
    }

    const QString &text() const { return m_text; }
    QString trimmed() const { return m_text.trimmed(); }
    static constexpr int length = N;

    bool operator==(const FixedText &other) const = default;

private:
    QString m_text;
};

} // namespace zelmora
