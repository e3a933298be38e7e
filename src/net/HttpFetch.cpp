#include "net/HttpFetch.h"

#include "core/RuntimeError.h"
#include "core/UpdateCondition.h"

#include <QElapsedTimer>
#include <QUrl>

#include <curl/curl.h>

#include <memory>

namespace zelmora {

namespace {

// libcurl's global state is set up once, by whichever thread downloads first, and kept until
// the process ends.
bool curlReady()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

// What one exchange has received so far.
struct Transfer
{
    const FetchOptions &options;
    qint64 headSize = 0;     // over every answer, redirects included
    bool headOver = false;   // the head passed its limit: the header callback stopped it
    bool bodyOver = false;   // the body passed its limit: the write callback stopped it
    QByteArray body;         // of the current answer
    QByteArray etag;         // of the current answer
    QByteArray lastModified; // of the current answer
};

// The value of a header line "Name: value" when its name is `name` (in any case).
bool headerValue(QByteArrayView line, QByteArrayView name, QByteArray *value)
{
    if (line.size() <= name.size() || line.at(name.size()) != ':' ||
        line.first(name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    *value = line.sliced(name.size() + 1).toByteArray().trimmed();
    return true;
}

// libcurl hands the head over one whole line at a time, and holds a single line up to its own
// limit (CURL_MAX_HTTP_HEADER, 100 KiB) before it refuses it.
size_t onHeader(char *data, size_t size, size_t count, void *user)
{
    auto &transfer = *static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    transfer.headSize += qint64(bytes);
    if (transfer.headSize > transfer.options.maxHead) {
        transfer.headOver = true;
        return 0;
    }
    const QByteArrayView line(data, qsizetype(bytes));
    // A status line opens another answer (a redirect's, a proxy's): its headers are its own.
    if (line.startsWith("HTTP/")) {
        transfer.etag.clear();
        transfer.lastModified.clear();
    }
    QByteArray value;
    if (headerValue(line, "ETag", &value) && isUsableValidator(value))
        transfer.etag = value;
    else if (headerValue(line, "Last-Modified", &value) && isUsableValidator(value))
        transfer.lastModified = value;
    return bytes;
}

// The body is counted here as it arrives, whatever the answer announced: a chunked answer
// announces nothing.
size_t onBody(char *data, size_t size, size_t count, void *user)
{
    auto &transfer = *static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    if (transfer.body.size() + qint64(bytes) > transfer.options.maxBody) {
        transfer.bodyOver = true;
        return 0;
    }
    transfer.body.append(data, qsizetype(bytes));
    return bytes;
}

int onProgress(void *user, curl_off_t announced, curl_off_t received, curl_off_t, curl_off_t)
{
    const auto &transfer = *static_cast<const Transfer *>(user);
    return transfer.options.goOn(qint64(received), qint64(announced)) ? 0 : 1;
}

using Easy = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// The request's headers: what arrives is what is kept, fresh from the server and unpacked,
// then the caller's own.
HeaderList requestHeaders(const QList<QByteArray> &more)
{
    HeaderList list(nullptr, &curl_slist_free_all);
    QList<QByteArray> headers{"User-Agent: Zelmoravintesca", "Accept-Encoding: identity",
                              "Cache-Control: no-cache", "Pragma: no-cache"};
    headers += more;
    for (const QByteArray &header : headers) {
        curl_slist *longer = curl_slist_append(list.get(), header.constData());
        if (!longer)
            return HeaderList(nullptr, &curl_slist_free_all);
        list.release();
        list.reset(longer);
    }
    return list;
}

// "16 MiB", "64 KiB", "100 byte": a limit as the messages say it.
QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QStringLiteral("%1 KiB").arg(bytes / 1024);
    return QStringLiteral("%1 byte").arg(bytes);
}

RuntimeError networkError(const QString &why)
{
    return RuntimeError(RuntimeError::DeviceIoError, why);
}

// What went wrong with a transfer libcurl gave up, in the player's words.
RuntimeError transferError(CURLcode code, CURL *curl, const Transfer &transfer, const QUrl &url)
{
    const FetchOptions &options = transfer.options;
    const QString host = url.host();
    if (transfer.headOver)
        return RuntimeError(RuntimeError::OutOfMemory,
                            QStringLiteral("l'intestazione della risposta supera i %1")
                                .arg(sizeText(options.maxHead)));
    if (transfer.bodyOver || code == CURLE_FILESIZE_EXCEEDED)
        return RuntimeError(
            RuntimeError::OutOfMemory,
            QStringLiteral("il file scaricato supera i %1").arg(sizeText(options.maxBody)));
    curl_off_t connectedAfter = 0;
    curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connectedAfter);
    switch (code) {
    case CURLE_ABORTED_BY_CALLBACK:
        return networkError(QStringLiteral("scaricamento interrotto"));
    case CURLE_COULDNT_RESOLVE_HOST:
        return networkError(QStringLiteral("il server %1 non si trova: manca la rete, o il nome è "
                                           "sbagliato")
                                .arg(host));
    case CURLE_COULDNT_RESOLVE_PROXY:
        return networkError(QStringLiteral("il proxy indicato dall'ambiente non si trova"));
    case CURLE_COULDNT_CONNECT:
        return networkError(QStringLiteral("nessuna connessione con il server %1").arg(host));
    case CURLE_OPERATION_TIMEDOUT:
        if (connectedAfter == 0 && transfer.headSize == 0)
            return networkError(
                QStringLiteral("il server %1 non ha accettato la connessione in tempo").arg(host));
        if (options.deadlineMs > 0)
            return networkError(QStringLiteral("il server %1 non ha risposto entro %2 secondi")
                                    .arg(host)
                                    .arg(options.deadlineMs / 1000.0));
        return networkError(QStringLiteral("il server %1 trasmette troppo lentamente (meno di %2 "
                                           "al secondo per %3 secondi)")
                                .arg(host, sizeText(options.lowSpeedBytes))
                                .arg(options.lowSpeedSeconds));
    case CURLE_PEER_FAILED_VERIFICATION:
        return networkError(
            QStringLiteral("il certificato del server %1 non è valido: la connessione sicura è "
                           "rifiutata")
                .arg(host));
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        return networkError(
            QStringLiteral("la connessione sicura con il server %1 non è riuscita").arg(host));
    case CURLE_UNSUPPORTED_PROTOCOL:
        return networkError(
            QStringLiteral("l'indirizzo %1 non è http o https ammesso").arg(url.toDisplayString()));
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return networkError(
            QStringLiteral("la connessione con il server %1 si è interrotta").arg(host));
    default:
        return networkError(
            QStringLiteral("errore di rete (%1)").arg(QString::fromUtf8(curl_easy_strerror(code))));
    }
}

} // namespace

Result<HttpAnswer> httpFetch(const QString &address, const FetchOptions &options)
{
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return networkError(QStringLiteral("l'indirizzo %1 non è valido").arg(address));
    if (!curlReady())
        return networkError(QStringLiteral("la libreria di rete non si avvia"));
    const Easy easy(curl_easy_init(), &curl_easy_cleanup);
    const HeaderList headers = requestHeaders(options.headers);
    if (!easy || !headers)
        return RuntimeError(RuntimeError::OutOfMemory);
    CURL *curl = easy.get();
    Transfer transfer{options, 0, false, false, {}, {}, {}};

    // An option that cannot be set (an older libcurl, no memory) fails the whole exchange
    // rather than leave a limit unset.
    CURLcode set = CURLE_OK;
    const auto option = [&](CURLoption name, auto value) {
        if (set == CURLE_OK)
            set = curl_easy_setopt(curl, name, value);
    };
    option(CURLOPT_PROTOCOLS_STR, options.protocols.constData());
    option(CURLOPT_REDIR_PROTOCOLS_STR, options.protocols.constData());
    option(CURLOPT_FOLLOWLOCATION, 0L); // redirects are judged and followed below
    option(CURLOPT_HTTPGET, 1L);
    option(CURLOPT_HTTPHEADER, headers.get());
    if (!options.environmentProxy)
        option(CURLOPT_PROXY, ""); // none, whatever the environment names
    option(CURLOPT_SSL_VERIFYPEER, 1L);
    option(CURLOPT_SSL_VERIFYHOST, 2L);
    option(CURLOPT_NOSIGNAL, 1L);
    option(CURLOPT_MAXFILESIZE_LARGE, curl_off_t(options.maxBody));
    if (options.lowSpeedSeconds > 0) {
        option(CURLOPT_LOW_SPEED_LIMIT, long(options.lowSpeedBytes));
        option(CURLOPT_LOW_SPEED_TIME, long(options.lowSpeedSeconds));
    }
    option(CURLOPT_HEADERFUNCTION, &onHeader);
    option(CURLOPT_HEADERDATA, &transfer);
    option(CURLOPT_WRITEFUNCTION, &onBody);
    option(CURLOPT_WRITEDATA, &transfer);
    if (options.goOn) {
        option(CURLOPT_XFERINFOFUNCTION, &onProgress);
        option(CURLOPT_XFERINFODATA, &transfer);
        option(CURLOPT_NOPROGRESS, 0L);
    }
    const AnswerRules rules{options.statuses, options.redirects, options.maxRedirects};

    QElapsedTimer clock;
    clock.start();
    for (int redirects = 0;; ++redirects) {
        // Each request gets what is left of the one deadline, when there is one.
        long left = 0;
        if (options.deadlineMs > 0) {
            left = long(options.deadlineMs - clock.elapsed());
            if (left <= 0)
                return networkError(QStringLiteral("il server %1 non ha risposto entro %2 secondi")
                                        .arg(url.host())
                                        .arg(options.deadlineMs / 1000.0));
        }
        option(CURLOPT_URL, url.toEncoded().constData());
        option(CURLOPT_TIMEOUT_MS, left);
        option(CURLOPT_CONNECTTIMEOUT_MS,
               options.connectTimeoutMs > 0 ? long(options.connectTimeoutMs) : left);
        transfer.body.clear();
        if (set != CURLE_OK)
            return networkError(QStringLiteral("la libreria di rete non accetta i limiti dello "
                                               "scaricamento"));
        const CURLcode done = curl_easy_perform(curl);
        if (done != CURLE_OK)
            return transferError(done, curl, transfer, url);

        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        // libcurl resolves the Location against the address asked; what is judged is what
        // would be asked next.
        char *location = nullptr;
        QUrl next;
        if (curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
            next = QUrl::fromEncoded(QByteArray(location), QUrl::StrictMode);
        const AnswerVerdict verdict = judgeAnswer(rules, int(status), url, next, redirects);
        if (verdict.step == AnswerStep::Refuse)
            return networkError(verdict.why);
        if (verdict.step == AnswerStep::Take)
            return HttpAnswer{int(status), std::move(transfer.body), transfer.etag,
                              transfer.lastModified, url.toString()};
        url = next;
    }
}

Result<QByteArray> httpGet(const QString &address, const FetchOptions &options)
{
    Result<HttpAnswer> answer = httpFetch(address, options);
    if (!answer)
        return RuntimeError(RuntimeError::DeviceIoError);
    return std::move(std::move(answer).value().body);
}

} // namespace zelmora
