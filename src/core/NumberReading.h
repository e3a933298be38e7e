#pragma once

#include <QString>
#include <optional>

namespace zelmora {

// Reads the number at the start of a text the way cells and the lead-number box are read:
// leading blanks, an optional sign, then digits with "." as the decimal point. Anything after
// that is ignored; a text with no leading digits reads as 0 ("12abc" -> 12, "abc" -> 0).
double leadingNumber(const QString &text);

// The whole-number value of a square cell or the lead-number box: the leading number rounded
// halves to even.
int wholeValue(const QString &text);

// Reads an amount typed in a stake box with the Italian separators: a decimal comma and
// optional dots between thousands ("1,5", "1.234,50"). Blanks around it are allowed. An empty
// text, a lone comma, two commas or any other character make it unreadable.
std::optional<double> readAmount(const QString &text);

} // namespace zelmora
