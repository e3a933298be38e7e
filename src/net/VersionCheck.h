#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelmora {

// The address of the version query: "http://" + the host + the fixed path. The host is the
// maker's, or `server` (host and port) when given: tests use a server of their own.
QString versionQueryAddress(const QString &server = {});

// The most of an answer ever kept: the head (status line and headers) and the body.
constexpr qsizetype kMaxAnswerHead = 16 * 1024;
constexpr qsizetype kMaxAnswerBody = 64 * 1024;

// Asks the address with a GET for a fresh copy (no cached answer, no stored cookies) and keeps
// the answer's body in memory. The whole exchange, redirects and headers included, ends within
// 5 seconds; only an answer with a 2xx status, at most 16 KiB of head and at most 64 KiB of
// body counts; a redirect is followed only to the same scheme, host and port, at most 5 times.
// Any failure gives error 57 (the caller stays silent about it). The calling thread waits
// meanwhile: on the windows' thread, no window takes input or repaints until it returns.
Result<QByteArray> DownloadFile(const QString &address);

// The first line of an answer (ending at CR, CR LF or LF), read as Windows-1252 like the
// program's files. An empty answer is error 62 (input past end of file).
Result<QString> firstLine(const QByteArray &answer);

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
// fields. A server version that runs out of fields before the order is decided is error 9
// (subscript out of range).
Result<VersionOrder> compareVersions(const QString &local, const QString &server);

} // namespace zelmora
