#include "core/WheelsFile.h"

#include "core/Cp1252.h"
#include "core/Sistema.h"

namespace zelmora {

QStringList parseRuote(const QByteArray &bytes)
{
    const QString text = fromCp1252(bytes);
    QStringList names;
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };

    while (i < n && names.size() < kMaxRuote) {
        // Skip blanks and empty lines before a field.
        while (i < n && (text[i] == u' ' || text[i] == u'\t' || isLineEnd(text[i])))
            ++i;
        if (i >= n)
            break;
        QString field;
        if (text[i] == u'"') {
            ++i;
            while (i < n && text[i] != u'"')
                field += text[i++];
            ++i; // closing quote
            // Anything up to the next delimiter is dropped.
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
        } else {
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                field += text[i++];
            field = field.trimmed();
        }
        if (i < n && text[i] == u',')
            ++i;
        names.append(field);
    }
    return names;
}

int wheelPosition(const QStringList &ruote, const QString &name)
{
    const QString wanted = name.trimmed();
    for (int w = 0; w < ruote.size(); ++w)
        if (ruote[w].trimmed() == wanted)
            return w;
    return -1;
}

} // namespace zelmora
