#include "core/DrawDate.h"

namespace zelmora {

int digitsValue(QStringView text, int minDigits, int maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QDate parseDrawDate(QStringView text)
{
    const qsizetype first = text.indexOf(u'/') >= 0 ? text.indexOf(u'/') : text.indexOf(u'-');
    if (first < 0)
        return QDate();
    const QChar separator = text[first];
    const qsizetype second = text.indexOf(separator, first + 1);
    if (second < 0 || text.indexOf(separator, second + 1) >= 0 ||
        text.indexOf(separator == u'/' ? u'-' : u'/') >= 0)
        return QDate();
    const QStringView a = text.left(first);
    const QStringView b = text.mid(first + 1, second - first - 1);
    const QStringView c = text.mid(second + 1);

    int year, month, day;
    if (a.size() == 4) { // YYYY/MM/DD or YYYY-MM-DD
        year = digitsValue(a, 4, 4);
        month = digitsValue(b, 1, 2);
        day = digitsValue(c, 1, 2);
    } else if (separator == u'/' && c.size() == 4) { // DD/MM/YYYY
        day = digitsValue(a, 1, 2);
        month = digitsValue(b, 1, 2);
        year = digitsValue(c, 4, 4);
    } else {
        return QDate();
    }
    if (year < 1 || month < 0 || day < 0)
        return QDate();
    return QDate(year, month, day); // invalid when the calendar has no such day
}

QString drawDateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QDate parseItalianDate(QStringView text)
{
    text = text.trimmed();
    const qsizetype first = text.indexOf(u'/');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u'/', first + 1);
    if (second < 0)
        return QDate();
    const int day = digitsValue(text.left(first), 1, 2);
    const int month = digitsValue(text.mid(first + 1, second - first - 1), 1, 2);
    const int year = digitsValue(text.mid(second + 1), 4, 4);
    if (day < 0 || month < 0 || year < 1)
        return QDate();
    return QDate(year, month, day);
}

QString italianDateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QDate earliestDrawDate()
{
    return QDate(1871, 1, 1);
}

QDate latestDrawDate()
{
    return QDate(9999, 12, 31);
}

} // namespace zelmora
