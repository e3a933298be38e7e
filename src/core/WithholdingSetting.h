#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zelmora {

class RuntimeError;

// The withholding on winnings that the check takes off the gross, kept in "ritenuta.cfg" in the
// program folder: one line, the percentage with a decimal comma and at most two decimals
// ("8,00"). No file yet means the default 8%.

// The file's path in a program folder ending in "/".
QString withholdingPath(const QString &folder);

// A percentage from 0 to 100 with at most two decimals ("8", "8,5", "12,25"; a dot is read as
// the comma) in hundredths of a percent; nothing for anything else.
std::optional<int> parseWithholding(const QString &text);
// "8,00" for 800.
QString withholdingText(int basisPoints);

// The setting stored in the folder, or the default when there is no file. A file that exists
// and cannot be read, or holds no percentage, is an error (13 Type mismatch for one that holds
// something else).
Result<int> readWithholding(const QString &folder);
// Why the setting could not be read, in the player's words.
QString withholdingFailureText(const RuntimeError &error);
// Writes the setting whole, then replaces the file.
Result<void> writeWithholding(const QString &folder, int basisPoints);

} // namespace zelmora
