#pragma once

#include <QString>

namespace zelmora {

// Formats a number with one of the program's display masks ("#0.00", "###,##0.00",
// "€ #,##0.00", " € ##0.00 -- ", "0#", "0000", "#0 -- ", ...). A mask is literal text around
// one numeric pattern of '#', '0', ',' and '.': '0' forces a digit, ',' asks for a thousands
// separator and the digits after '.' are the decimals. Output always uses the Italian
// separators (decimal comma, a dot between thousands). The value is rounded half away from
// zero at the mask's decimals, on its decimal form of 15 significant digits.
QString formatMask(double value, const QString &mask);

// Whole-number conversion used for cell values, the lead number and print offsets:
// halves go to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// A count with the Italian thousands separator: "76.824".
QString countText(qint64 n);
// A lotto number as the tables and reports show it, on two digits: "07", "45".
QString twoDigits(int n);
// A count and its noun, which agrees with it: "1 estrazione", "76.824 estrazioni".
QString countOf(qint64 n, const char *one, const char *many);
// How far a piece of work has come, in whole percent: "40%" (0% while the total is unknown).
QString percentText(qint64 done, qint64 total);

} // namespace zelmora
