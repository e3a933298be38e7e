#pragma once

#include "core/Result.h"
#include "net/FetchRules.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace zelmora {

// What one download may take and where it may go. Past any limit the transfer stops and fails.
// The defaults are the version query's.
struct FetchOptions
{
    int deadlineMs = 5000;    // the whole exchange: connections, redirects, heads, bodies; 0: none
    int connectTimeoutMs = 0; // each connection; 0: whatever is left of the deadline
    int lowSpeedBytes = 0;    // a transfer slower than this many bytes a second...
    int lowSpeedSeconds = 0;  // ...for this many seconds in a row is stopped; 0: never
    qint64 maxHead = 16 * 1024;    // the status lines and headers of all the answers together
    qint64 maxBody = 64 * 1024;    // the body of each answer, counted as it arrives
    QByteArray protocols = "http"; // the schemes allowed, as a comma-separated list of names
    int maxRedirects = 5;
    RedirectRule redirects = RedirectRule::SameOrigin;
    StatusRule statuses = StatusRule::AnySuccess;
    // The proxy the environment names (http_proxy, https_proxy, no_proxy, ...); otherwise none.
    bool environmentProxy = false;
    QList<QByteArray> headers; // more request headers, as "Name: value"
    // Asked as the answer arrives, and about once a second while nothing does, with the body's
    // bytes received so far and the length the answer announced (0 when none); false stops the
    // transfer. Unset, nothing is asked.
    std::function<bool(qint64 received, qint64 announced)> goOn;
};

// The answer a download took.
struct HttpAnswer
{
    int status = 0; // 200 or 304 for the archive; any 2xx for the version query
    QByteArray body;
    QByteArray etag;         // its ETag header as it came, or empty (or not fit to send back)
    QByteArray lastModified; // its Last-Modified header, likewise
    QString address;         // the address that gave it, after the redirects
};

// Asks the address with a GET (no cookies, no compressed body; the certificates of an https
// server always checked) and keeps the answer's body in memory, following redirects as the
// options' rules allow. Blocks the calling thread until the answer is complete, a limit is
// passed or goOn says stop. Any failure is an error whose description says in Italian what
// happened: error 57 for the network, the server or a stop, 7 for an answer past a limit.
Result<HttpAnswer> httpFetch(const QString &address, const FetchOptions &options);

// The body of httpFetch's answer; any failure is a plain error 57, which the version query
// keeps to itself.
Result<QByteArray> httpGet(const QString &address, const FetchOptions &options);

} // namespace zelmora
