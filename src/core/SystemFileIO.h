#pragma once

#include "core/RuntimeError.h"
#include "core/Sistema.h"

#include <QString>
#include <optional>

namespace zelmora {

// Saving and opening a system file, without windows: each returns what happened and the
// window that asked shows it.

// The name "vuoto.zlm" stands for the empty system; a system is never saved under it (the
// lower-case name only, as the check has always been).
bool isReservedSystemName(const QString &name);

// Writes the system's 106 bytes to the path, whole or not at all: the error that stopped the
// write, or nothing when the file is saved.
std::optional<RuntimeError> saveSystemFile(const QString &path, const Sistema &sistema);

// What opening a system file gave.
struct OpenedSystem
{
    std::optional<Sistema> sistema;    // the system read, when the file is one
    std::optional<RuntimeError> error; // the file could not be read at all
    // Read, but not a system (no signature, too short, numbers out of range).
    bool notASystem() const { return !error && !sistema; }
};
// Reads the first 106 bytes of the path (nothing after them) as a system.
OpenedSystem openSystemFile(const QString &path);

} // namespace zelmora
