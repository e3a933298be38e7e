#pragma once

#include <QString>
#include <QStringList>

namespace zelmora {

// The system's temporary folder with its trailing separator.
QString GetTempFolder();

// The address of the version query: "http://" + the maker's host + the fixed path.
QString versionQueryAddress();
// Points the query at another host (and port); tests use a server of their own.
void setVersionServer(const QString &hostAndPort);

// Downloads an address to a file with a GET that asks for a fresh copy. The answer must come
// within 5 seconds, have a 2xx status and at most 64 KiB of body; otherwise the result is
// false and nothing is written. The user interface waits without taking input meanwhile.
bool DownloadFile(const QString &address, const QString &filePath, bool dropCache);

// A version text split at every ".": an empty text has no fields.
QStringList versionFields(const QString &text);
// The value of one field: the number its text begins with (blanks skipped), 0 without digits.
// Kept as a double, so a field of any length compares by its full value.
double versionFieldValue(const QString &field);

enum class VersionOrder
{
    Same,
    Newer,
    Older
};
// The server's version against the local one, field by field as numbers, over the local
// fields. A server version that runs out of fields before the order is decided raises
// RuntimeError 9 (subscript out of range).
VersionOrder compareVersions(const QString &local, const QString &server);

// The first line of a text file (ending at CR, CR LF or LF), read as Windows-1252 like the
// program's other files. An empty file raises 62, a missing one 53.
QString readFirstLine(const QString &filePath);

} // namespace zelmora
