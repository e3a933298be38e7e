#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace zelmora {

// What one download may take and where it may go. Past any limit the transfer stops and fails.
struct FetchOptions
{
    int deadlineMs = 5000;         // the whole exchange: connections, redirects, heads, bodies
    qint64 maxHead = 16 * 1024;    // the status lines and headers of all the answers together
    qint64 maxBody = 64 * 1024;    // the body of each answer
    QByteArray protocols = "http"; // the schemes allowed, as a comma-separated list of names
    int maxRedirects = 5;          // followed only to the same scheme, host and port
    // Asked as the body arrives, with the bytes received so far and the length the answer
    // announced (0 when none); false stops the transfer. Unset, nothing is asked.
    std::function<bool(qint64 received, qint64 announced)> goOn;
};

// Asks the address with a GET for a fresh copy (no cache, no cookies, no proxy, no compressed
// body) and keeps the body of the answer in memory. Blocks the calling thread until the answer
// is complete or the deadline passes. Only a 2xx status counts: anything else (no connection,
// a limit passed, a redirect elsewhere, a stop asked) is error 57.
Result<QByteArray> httpGet(const QString &address, const FetchOptions &options);

} // namespace zelmora
