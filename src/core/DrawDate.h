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

// "2024-03-07": the form the stored archive and the command line write.
QString drawDateText(const QDate &date);

} // namespace zelmora
