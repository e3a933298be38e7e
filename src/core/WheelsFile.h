#pragma once

#include <QByteArray>
#include <QStringList>

namespace zelmora {

// The wheel names in a wheels file: delimited text where a field ends at a line end or a
// comma, a name may stand in double quotes (and then hold commas), blanks around an unquoted
// name are dropped and empty lines are skipped. Only the first kMaxRuote names are kept.
QStringList parseRuote(const QByteArray &bytes);

} // namespace zelmora
