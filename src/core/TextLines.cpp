#include "core/TextLines.h"

namespace zelmora {

QByteArrayView TextLines::next()
{
    qsizetype end = m_at;
    while (end < m_text.size() && m_text[end] != '\r' && m_text[end] != '\n')
        ++end;
    const QByteArrayView line = m_text.sliced(m_at, end - m_at);
    m_at = end;
    if (m_at < m_text.size() && m_text[m_at] == '\r')
        ++m_at;
    if (m_at < m_text.size() && m_text[m_at] == '\n')
        ++m_at;
    return line;
}

} // namespace zelmora
