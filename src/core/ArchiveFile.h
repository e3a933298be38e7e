#pragma once

#include "core/ArchiveText.h"
#include "core/Result.h"

#include <QString>

namespace zelmora {

// The largest archive file read, and the largest the program writes: every wheel since 1939
// takes under 4 MiB.
constexpr qint64 kMaxArchiveBytes = 64 * 1024 * 1024;

// Reads an archive file whole. Only a regular file is opened, so a FIFO or a device never
// blocks the program; a file larger than maxBytes is refused unread. A failure is the error:
// 53 for a missing file, 75 for anything that is not a regular file, 7 for a
// file over the limit, 70 or 57 when it cannot be read. A file that is not text is not an
// error here: its reading says notText.
Result<ArchiveReading> readArchiveFile(const QString &path, qint64 maxBytes = kMaxArchiveBytes,
                                       const ArchiveProgress &progress = {});

// Reads the program's own archive as readArchiveFile reads any other, except that a file over
// maxBytes (written by an older copy) is not refused: the draws of its first maxBytes of whole
// lines are read, and leftOut counts the draws on the lines after them.
Result<ArchiveReading> readStoredArchive(const QString &path, qint64 maxBytes = kMaxArchiveBytes,
                                         const ArchiveProgress &progress = {});

// Why an archive file could not be read, in the player's words: "non esiste", "non è un
// file normale", "supera i 64 MiB", ...
QString archiveFailureText(const RuntimeError &error, qint64 maxBytes = kMaxArchiveBytes);

// "supera i 64 MiB": a size over the limit, as every message about it says.
QString overLimitText(qint64 maxBytes = kMaxArchiveBytes);

} // namespace zelmora
