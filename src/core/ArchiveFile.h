#pragma once

#include "core/ArchiveText.h"

#include <QString>

namespace zelmora {

// The largest archive file read: fifty years of every wheel take under 4 MiB.
constexpr qint64 kMaxArchiveBytes = 64 * 1024 * 1024;

// Reads an archive file whole. Only a regular file is opened, so a FIFO or a device never
// blocks the program; a file larger than kMaxArchiveBytes is refused unread. Failures throw
// RuntimeError: 53 for a missing file, 75 for anything that is not a regular file, 7 (Out of
// memory) for a file over the limit, 70 or 57 when it cannot be read. A file that is not text
// is not an error here: its reading says notText.
ArchiveReading readArchiveFile(const QString &path);

} // namespace zelmora
