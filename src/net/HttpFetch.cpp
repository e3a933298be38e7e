#include "net/HttpFetch.h"

#include "core/RuntimeError.h"

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
    qint64 headSize = 0; // over every answer, redirects included
    QByteArray body;     // of the current answer
};

// libcurl hands the head over one whole line at a time, and holds a single line up to its own
// limit (CURL_MAX_HTTP_HEADER, 100 KiB) before it refuses it.
size_t onHeader(char *, size_t size, size_t count, void *user)
{
    auto &transfer = *static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    transfer.headSize += qint64(bytes);
    return transfer.headSize > transfer.options.maxHead ? 0 : bytes;
}

size_t onBody(char *data, size_t size, size_t count, void *user)
{
    auto &transfer = *static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    if (transfer.body.size() + qint64(bytes) > transfer.options.maxBody)
        return 0;
    transfer.body.append(data, qsizetype(bytes));
    return bytes;
}

int onProgress(void *user, curl_off_t announced, curl_off_t received, curl_off_t, curl_off_t)
{
    const auto &transfer = *static_cast<const Transfer *>(user);
    return transfer.options.goOn(qint64(received), qint64(announced)) ? 0 : 1;
}

bool isRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    const int defaultPort = a.scheme() == QLatin1String("https") ? 443 : 80;
    return a.scheme() == b.scheme() && a.host() == b.host() &&
           a.port(defaultPort) == b.port(defaultPort);
}

using Easy = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// The request's headers: what arrives is what is kept, fresh from the server and unpacked.
HeaderList requestHeaders()
{
    HeaderList list(nullptr, &curl_slist_free_all);
    for (const char *header : {"User-Agent: Zelmoravintesca", "Accept-Encoding: identity",
                               "Cache-Control: no-cache", "Pragma: no-cache"}) {
        curl_slist *longer = curl_slist_append(list.get(), header);
        if (!longer)
            return HeaderList(nullptr, &curl_slist_free_all);
        list.release();
        list.reset(longer);
    }
    return list;
}

} // namespace

Result<QByteArray> httpGet(const QString &address, const FetchOptions &options)
{
    const RuntimeError failed(RuntimeError::DeviceIoError);
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !curlReady())
        return failed;
    const Easy easy(curl_easy_init(), &curl_easy_cleanup);
    const HeaderList headers = requestHeaders();
    if (!easy || !headers)
        return failed;
    CURL *curl = easy.get();
    Transfer transfer{options, 0, {}};

    // An option that cannot be set (an older libcurl, no memory) fails the whole exchange
    // rather than leave a limit unset.
    CURLcode set = CURLE_OK;
    const auto option = [&](CURLoption name, auto value) {
        if (set == CURLE_OK)
            set = curl_easy_setopt(curl, name, value);
    };
    option(CURLOPT_PROTOCOLS_STR, options.protocols.constData());
    option(CURLOPT_REDIR_PROTOCOLS_STR, options.protocols.constData());
    option(CURLOPT_FOLLOWLOCATION, 0L); // redirects are checked and followed below
    option(CURLOPT_HTTPGET, 1L);
    option(CURLOPT_HTTPHEADER, headers.get());
    option(CURLOPT_PROXY, ""); // none, whatever the environment names
    option(CURLOPT_NOSIGNAL, 1L);
    option(CURLOPT_HEADERFUNCTION, &onHeader);
    option(CURLOPT_HEADERDATA, &transfer);
    option(CURLOPT_WRITEFUNCTION, &onBody);
    option(CURLOPT_WRITEDATA, &transfer);
    if (options.goOn) {
        option(CURLOPT_XFERINFOFUNCTION, &onProgress);
        option(CURLOPT_XFERINFODATA, &transfer);
        option(CURLOPT_NOPROGRESS, 0L);
    }

    QElapsedTimer clock;
    clock.start();
    for (int redirects = 0;; ++redirects) {
        // Each request gets what is left of the one deadline.
        const long left = long(options.deadlineMs - clock.elapsed());
        if (left <= 0)
            return failed;
        option(CURLOPT_URL, url.toEncoded().constData());
        option(CURLOPT_TIMEOUT_MS, left);
        option(CURLOPT_CONNECTTIMEOUT_MS, left);
        transfer.body.clear();
        if (set != CURLE_OK || curl_easy_perform(curl) != CURLE_OK)
            return failed;

        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 200 && status <= 299)
            return std::move(transfer.body);
        // libcurl resolves the Location against the address asked; what is compared is what
        // is asked next.
        char *location = nullptr;
        if (!isRedirect(status) || redirects >= options.maxRedirects ||
            curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) != CURLE_OK || !location)
            return failed;
        const QUrl next = QUrl::fromEncoded(QByteArray(location), QUrl::StrictMode);
        if (!next.isValid() || !sameOrigin(url, next))
            return failed;
        url = next;
    }
}

} // namespace zelmora
