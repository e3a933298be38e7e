#pragma once

#include <QByteArray>
#include <QString>

namespace zelmora {

// The most the wheels list and the settings file can sensibly hold; the rest of a longer file
// is not read.
constexpr qint64 kMaxTextFileBytes = 64 * 1024;

// Whole-file reading and writing with failures raised as RuntimeError: 53 for a missing
// file, 70 when access is refused, 75 for a path that cannot be opened, 57 or 61 when writing
// fails half-way.
// Only a regular file is read (a link to one is followed): a folder, a named pipe, a device
// or a socket is refused with 75, as a file that cannot be opened, and never waited on. At
// most maxBytes are read; the rest of a longer file is ignored.
QByteArray readWholeFile(const QString &path, qint64 maxBytes);

// True when nothing at all stands at the path: no file, no link, nothing else. A file the
// program writes itself and that is missing in this sense is a new installation's normal state.
bool nothingAt(const QString &path);

// Writes a new file beside the old one and puts it in place only when every byte was
// written, so a failed write leaves the earlier file as it was.
void writeWholeFile(const QString &path, const QByteArray &bytes);

} // namespace zelmora
