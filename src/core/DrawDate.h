#pragma once

#include <QDate>
#include <QStringView>

namespace zelmora {

// A draw's date as archives write it: YYYY/MM/DD, YYYY-MM-DD or DD/MM/YYYY, the year in four
// digits, day and month in one or two. Returns an invalid date for anything else, including
// a day that the calendar does not have (2023/02/29).
QDate parseDrawDate(QStringView text);

// The value of a run of `minDigits` to `maxDigits` ASCII digits, or -1 for anything else.
int digitsValue(QStringView text, int minDigits, int maxDigits);

// "2024-03-07": the form the stored archive and the command line's output write.
QString drawDateText(const QDate &date);
// The date in a text written as gg/mm/aaaa (day and month in one or two digits, blanks
// around it), or an invalid date for anything else, a day the calendar does not have included.
QDate parseItalianDate(QStringView text);
// "07/03/2024": a date as the player reads it, in windows, reports and messages.
QString italianDateText(const QDate &date);

// The dates a player may choose between: from the first draw of the Lotto's archives (or an
// earlier draw an archive holds) to the last day the calendar boxes show.
QDate earliestDrawDate(); // 01/01/1871
QDate latestDrawDate();   // 31/12/9999

} // namespace zelmora
