#pragma once

#include <QByteArrayView>

namespace zelmora {

// Reads a text line by line, as the program's text files are read: each line runs up to its
// end, LF, CR LF or CR, and the last one needs no end at all.
class TextLines
{
public:
    explicit TextLines(QByteArrayView text) : m_text(text) {}

    bool atEnd() const { return m_at >= m_text.size(); }
    // The next line, without its end; call only while !atEnd().
    QByteArrayView next();
    // How far the reading has come, in bytes.
    qsizetype position() const { return m_at; }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

} // namespace zelmora
