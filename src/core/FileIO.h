#pragma once

#include <QByteArray>
#include <QString>

namespace zelmora {

// Whole-file reading and writing with failures raised as RuntimeError: 53 for a missing
// file, 70 when access is refused, 75 for a path that cannot be opened, 57 or 61 when writing
// fails half-way.
// At most maxBytes are read when it is given.
QByteArray readWholeFile(const QString &path, qint64 maxBytes = -1);

// True when nothing at all stands at the path: no file, no link, nothing else. A file the
// program writes itself and that is missing in this sense is a new installation's normal state.
bool nothingAt(const QString &path);

// Writes a new file beside the old one and puts it in place only when every byte was
// written, so a failed write leaves the earlier file as it was.
void writeWholeFile(const QString &path, const QByteArray &bytes);

} // namespace zelmora
