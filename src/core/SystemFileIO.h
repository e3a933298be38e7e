#pragma once

#include "core/Result.h"
#include "core/Sistema.h"

#include <QString>
#include <optional>

namespace zelmora {

// Saving and opening a system file, without windows: each returns what happened and the
// window that asked shows it.

// The name "vuoto.zlm" stands for the empty system; a system is never saved under it (the
// lower-case name only, as the check has always been).
bool isReservedSystemName(const QString &name);

// Writes the system's 106 bytes to the path, whole or not at all.
Result<void> saveSystemFile(const QString &path, const Sistema &sistema);

// Reads the first 106 bytes of the path (nothing after them) as a system. The error is a file
// that could not be read at all; nothing is a file read but not a system (no signature, too
// short, numbers out of range).
Result<std::optional<Sistema>> openSystemFile(const QString &path);

} // namespace zelmora
