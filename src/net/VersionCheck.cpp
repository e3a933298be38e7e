#include "net/VersionCheck.h"
#include "net/ReceivedBytes.h"

#include "core/BuildSettings.h"
#include "core/Cp1252.h"
#include "core/NumberReading.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <optional>

namespace zelmora {

namespace {
constexpr int kTimeoutMs = 5000;
constexpr int kMaxRedirects = 5;
} // namespace

QString versionQueryAddress(const QString &server)
{
    const QString host = server.isEmpty() ? webHost() : server;
    return QStringLiteral("http://") + host + QStringLiteral("/public/lotto/ver_zelmora.asp");
}

// --- The exchange ---------------------------------------------------------------------------

namespace {

// Qt's HTTP client (6.4) reads a head that never ends without a limit, and goes on reading it
// in its own thread even after abort(). So until the head is complete, the bytes the
// connection has brought are watched at this interval: more than a head and a body may hold
// means the head is too long, and the connection is cut under the client as it is aborted.
constexpr int kHeadWatchMs = 20;
// What Qt's client is let take from the connection before we read it.
constexpr qint64 kReadChunk = 16 * 1024;

qsizetype headSize(const QNetworkReply &reply)
{
    qsizetype size = 0;
    for (const auto &[name, value] : reply.rawHeaderPairs())
        size += name.size() + value.size() + 4; // ": " and the line end
    return size;
}

// The answer's body once the exchange finished, or nothing when it failed.
std::optional<QByteArray> exchange(const QUrl &url)
{
    QNetworkAccessManager manager; // a fresh client: no cache, no cookies, no connections kept
    manager.setProxy(QNetworkProxy::NoProxy);
    manager.setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    // What arrives is what is kept: no compressed body that grows once unpacked.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setRawHeader("User-Agent", "Zelmoravintesca");

    // Counted from before the connection opens, so that it is among the counted ones.
    const ReceivedBytes received(quint16(url.port(80)));
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QNetworkReply *r = reply.get();
    r->setReadBufferSize(kReadChunk);
    QByteArray body;
    bool givenUp = false;
    const auto giveUp = [r, &givenUp, &received] {
        givenUp = true;
        r->abort();
        received.cut();
    };

    QEventLoop loop;
    QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, r, giveUp);

    quint64 headStart = 0; // what had arrived when the current head began
    QTimer headWatch;
    QObject::connect(&headWatch, &QTimer::timeout, r, [&] {
        if (received.count() - headStart > quint64(kMaxAnswerHead + kMaxAnswerBody))
            giveUp();
    });
    QObject::connect(r, &QNetworkReply::redirected, r, [&] {
        headStart = received.count();
        headWatch.start(kHeadWatchMs);
    });
    QObject::connect(r, &QNetworkReply::metaDataChanged, r, [&] {
        headWatch.stop();
        const qint64 length = r->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (headSize(*r) > kMaxAnswerHead || length > kMaxAnswerBody)
            giveUp();
    });
    QObject::connect(r, &QNetworkReply::readyRead, r, [&] {
        body += r->read(kMaxAnswerBody + 1 - body.size());
        if (body.size() > kMaxAnswerBody)
            giveUp();
    });
    deadline.start(kTimeoutMs);
    headWatch.start(kHeadWatchMs);
    if (!r->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (givenUp || r->error() != QNetworkReply::NoError || status < 200 || status > 299)
        return std::nullopt;
    body += r->read(kMaxAnswerBody + 1 - body.size());
    if (body.size() > kMaxAnswerBody)
        return std::nullopt;
    return body;
}

} // namespace

Result<QByteArray> DownloadFile(const QString &address)
{
    const QUrl url(address);
    if (url.scheme() != QLatin1String("http") || url.host().isEmpty())
        return RuntimeError(RuntimeError::DeviceIoError);
    if (std::optional<QByteArray> body = exchange(url))
        return std::move(*body);
    return RuntimeError(RuntimeError::DeviceIoError);
}

Result<QString> firstLine(const QByteArray &answer)
{
    if (answer.isEmpty())
        return RuntimeError(RuntimeError::InputPastEndOfFile);
    return fromCp1252(TextLines(answer).next().toByteArray());
}

QStringList versionFields(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(u'.');
}

double versionFieldValue(const QString &field)
{
    return leadingNumber(field);
}

Result<VersionOrder> compareVersions(const QString &local, const QString &server)
{
    const QStringList mine = versionFields(local);
    const QStringList theirs = versionFields(server);
    for (int i = 0; i < mine.size(); ++i) {
        if (i >= theirs.size())
            return RuntimeError(RuntimeError::SubscriptOutOfRange);
        const double l = versionFieldValue(mine[i]);
        const double s = versionFieldValue(theirs[i]);
        if (s > l)
            return VersionOrder::Newer;
        if (s < l)
            return VersionOrder::Older;
    }
    return VersionOrder::Same;
}

} // namespace zelmora
