#pragma once

#include <QByteArray>
#include <QStringList>

namespace zelmora {

// The wheel names in a wheels file: delimited text where a field ends at a line end or a
// comma, a name may stand in double quotes (and then hold commas), blanks around an unquoted
// name are dropped and empty lines are skipped. Only the first kMaxRuote names are kept.
QStringList parseRuote(const QByteArray &bytes);

// The position of a wheel in the list, blanks around either name aside (a quoted name may keep
// them, a stored one is padded), or -1 when the list does not hold it.
int wheelPosition(const QStringList &ruote, const QString &name);

} // namespace zelmora
