#include "net/VersionCheck.h"

#include "core/BuildSettings.h"
#include "core/Cp1252.h"
#include "core/NumberReading.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>

namespace zelmora {

namespace {
constexpr int kTimeoutMs = 5000;
constexpr int kMaxRedirects = 5;
// What is taken from the connection at a time; the socket keeps no more than this waiting.
constexpr qsizetype kReadChunk = 16 * 1024;
// A chunk-size line is a few hex digits and perhaps an extension.
constexpr qsizetype kMaxChunkLine = 1024;

QString &versionServer()
{
    static QString server;
    return server;
}

QByteArray headerValue(const QByteArray &line, qsizetype colon)
{
    return line.mid(colon + 1).trimmed();
}
} // namespace

QString versionQueryAddress()
{
    const QString host = versionServer().isEmpty() ? webHost() : versionServer();
    return QStringLiteral("http://") + host + QStringLiteral("/public/lotto/ver_zelmora.asp");
}

void setVersionServer(const QString &hostAndPort)
{
    versionServer() = hostAndPort;
}

// --- The answer, as it arrives -----------------------------------------------------------------

bool HttpAnswerReader::isRedirect() const
{
    return m_status == 301 || m_status == 302 || m_status == 303 || m_status == 307 ||
           m_status == 308;
}

HttpAnswerReader::State HttpAnswerReader::feed(const char *data, qsizetype size)
{
    while (m_state == State::Reading && size > 0) {
        switch (m_part) {
        case Part::Head: {
            // Only as much as the head may hold is ever kept.
            const qsizetype room = kMaxAnswerHead - m_pending.size();
            const qsizetype take = std::min(size, room);
            const qsizetype searchFrom = std::max<qsizetype>(0, m_pending.size() - 3);
            m_pending.append(data, take);
            qsizetype end = m_pending.indexOf("\r\n\r\n", searchFrom);
            qsizetype after = end + 4;
            const qsizetype bare = m_pending.indexOf("\n\n", searchFrom);
            if (bare >= 0 && (end < 0 || bare < end)) {
                end = bare;
                after = bare + 2;
            }
            if (end < 0) {
                if (take == room)
                    return fail();
                return m_state;
            }
            // What came after the head is body (or the next head after a 1xx answer).
            const qsizetype used = after - (m_pending.size() - take);
            data += used;
            size -= used;
            m_pending.truncate(end);
            parseHead(end);
            break;
        }
        case Part::Body:
            takeBody(data, size);
            size = 0;
            break;
        case Part::ChunkSize: {
            const qsizetype lineEnd = QByteArrayView(data, size).indexOf('\n');
            const qsizetype take = lineEnd < 0 ? size : lineEnd + 1;
            if (m_pending.size() + take > kMaxChunkLine)
                return fail();
            m_pending.append(data, take);
            data += take;
            size -= take;
            if (lineEnd < 0)
                break;
            QByteArray digits = m_pending.trimmed();
            m_pending.clear();
            const qsizetype extension = digits.indexOf(';');
            if (extension >= 0)
                digits.truncate(extension);
            bool ok = false;
            const qint64 length = digits.trimmed().toLongLong(&ok, 16);
            if (!ok || length < 0 || length > kMaxAnswerBody - m_body.size())
                return fail();
            if (length == 0)
                return m_state = State::Done; // trailers, if any, are not needed
            m_length = length;
            m_part = Part::ChunkData;
            break;
        }
        case Part::ChunkData: {
            const qsizetype take = qsizetype(std::min<qint64>(size, m_length));
            m_body.append(data, take);
            m_length -= take;
            data += take;
            size -= take;
            if (m_length == 0)
                m_part = Part::ChunkEnd;
            break;
        }
        case Part::ChunkEnd: {
            // The line end after a chunk: CR LF, or a bare LF.
            const char c = *data++;
            --size;
            if (c == '\n')
                m_part = Part::ChunkSize;
            else if (c != '\r')
                return fail();
            break;
        }
        }
    }
    return m_state;
}

HttpAnswerReader::State HttpAnswerReader::parseHead(qsizetype end)
{
    const QList<QByteArray> lines = m_pending.left(end).split('\n');
    m_pending.clear();
    const QByteArray statusLine = lines.value(0).trimmed();
    const QList<QByteArray> words = statusLine.split(' ');
    bool ok = false;
    const int status = words.value(1).toInt(&ok);
    if (!statusLine.startsWith("HTTP/") || !ok || status < 100 || status > 999)
        return fail();
    m_status = status;
    if (status < 200)
        return m_state; // an interim answer: the real one follows

    m_length = -1;
    m_chunked = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (name == "content-length") {
            const qint64 length = headerValue(line, colon).toLongLong(&ok);
            if (!ok || length < 0 || (m_length >= 0 && length != m_length))
                return fail();
            m_length = length;
        } else if (name == "transfer-encoding") {
            m_chunked = headerValue(line, colon).toLower().contains("chunked");
        } else if (name == "location") {
            m_location = headerValue(line, colon);
        }
    }
    if (isRedirect())
        return m_state = m_location.isEmpty() ? State::Failed : State::Done;
    if (status < 200 || status > 299)
        return fail();
    if (m_chunked) {
        m_part = Part::ChunkSize;
        return m_state;
    }
    if (m_length > kMaxAnswerBody)
        return fail();
    m_part = Part::Body;
    if (m_length == 0)
        m_state = State::Done;
    return m_state;
}

HttpAnswerReader::State HttpAnswerReader::takeBody(const char *data, qsizetype size)
{
    const qint64 wanted = m_length >= 0 ? m_length - m_body.size() : kMaxAnswerBody + 1;
    const qsizetype take = qsizetype(std::min<qint64>(size, wanted));
    if (m_body.size() + take > kMaxAnswerBody)
        return fail();
    m_body.append(data, take);
    if (m_length >= 0 && m_body.size() == m_length)
        m_state = State::Done;
    return m_state;
}

HttpAnswerReader::State HttpAnswerReader::finish()
{
    if (m_state != State::Reading)
        return m_state;
    // Only a body that runs to the end of the connection is complete when it ends.
    if (m_status >= 200 && m_part == Part::Body && m_length < 0)
        return m_state = State::Done;
    return fail();
}

// --- The exchange ---------------------------------------------------------------------------

namespace {

QByteArray requestFor(const QUrl &url, bool dropCache)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port() >= 0)
        host += ':' + QByteArray::number(url.port());
    QByteArray request = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n";
    if (dropCache)
        request += "Cache-Control: no-cache\r\nPragma: no-cache\r\n";
    request += "Accept: */*\r\nUser-Agent: Zelmoravintesca\r\nConnection: close\r\n\r\n";
    return request;
}

// One GET on its own connection, read into `reader` until it is done, fails, or the deadline
// passes (a failure too).
void exchange(const QUrl &url, bool dropCache, const QDeadlineTimer &deadline,
              HttpAnswerReader &reader)
{
    using State = HttpAnswerReader::State;
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    // Qt keeps no more than this much waiting for us; the rest stays with the system.
    socket.setReadBufferSize(kReadChunk);
    QEventLoop loop;
    bool ended = false;
    const auto stop = [&] {
        ended = true;
        loop.quit();
    };
    const auto readAvailable = [&] {
        char buffer[kReadChunk];
        while (reader.state() == State::Reading) {
            const qint64 got = socket.read(buffer, sizeof buffer);
            if (got <= 0)
                break;
            reader.feed(buffer, got);
        }
        if (reader.state() != State::Reading)
            stop();
    };
    QObject::connect(&socket, &QTcpSocket::connected, &loop,
                     [&] { socket.write(requestFor(url, dropCache)); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, readAvailable);
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] {
        readAvailable();
        reader.finish();
        stop();
    });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         // The server closing is how many answers end: disconnected follows.
                         if (error != QAbstractSocket::RemoteHostClosedError)
                             stop();
                     });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, stop);
    timer.start(std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime())));
    socket.connectToHost(url.host(), quint16(url.port(80)));
    if (!ended)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    // Closing from this end is no end of the answer: the handlers hear nothing more.
    QObject::disconnect(&socket, nullptr, &loop, nullptr);
    socket.abort();
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port(80) == b.port(80);
}

} // namespace

bool DownloadFile(const QString &address, QByteArray &body, bool dropCache)
{
    body.clear();
    const QDeadlineTimer deadline(kTimeoutMs);
    QUrl url(address);
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        if (url.scheme() != QLatin1String("http") || url.host().isEmpty())
            return false;
        HttpAnswerReader reader;
        exchange(url, dropCache, deadline, reader);
        if (reader.state() != HttpAnswerReader::State::Done)
            return false;
        if (!reader.isRedirect()) {
            body = reader.body();
            return true;
        }
        const QUrl next = url.resolved(QUrl::fromEncoded(reader.location()));
        if (!next.isValid() || !sameOrigin(url, next))
            return false;
        url = next;
    }
    return false;
}

QString firstLine(const QByteArray &answer)
{
    if (answer.isEmpty())
        throw RuntimeError(RuntimeError::InputPastEndOfFile);
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

VersionOrder compareVersions(const QString &local, const QString &server)
{
    const QStringList mine = versionFields(local);
    const QStringList theirs = versionFields(server);
    for (int i = 0; i < mine.size(); ++i) {
        if (i >= theirs.size())
            throw RuntimeError(RuntimeError::SubscriptOutOfRange);
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
