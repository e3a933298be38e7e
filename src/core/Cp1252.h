#pragma once

#include <QByteArray>
#include <QString>

namespace zelmora {

// Windows-1252, the single-byte code page of the program's files ("€" is byte 0x80), so files
// written on Windows open here and the other way round. Characters that the code page cannot
// hold are written as "?". The five unassigned bytes read as their C1 control characters.
QByteArray toCp1252(const QString &text);
QString fromCp1252(const QByteArray &bytes);

} // namespace zelmora
