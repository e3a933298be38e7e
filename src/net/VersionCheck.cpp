#include "net/VersionCheck.h"
#include "net/HttpFetch.h"

#include "core/BuildSettings.h"
#include "core/Cp1252.h"
#include "core/NumberReading.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

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

Result<QByteArray> DownloadFile(const QString &address)
{
    FetchOptions options;
    options.deadlineMs = kTimeoutMs;
    options.maxHead = kMaxAnswerHead;
    options.maxBody = kMaxAnswerBody;
    options.protocols = "http";
    options.maxRedirects = kMaxRedirects;
    return httpGet(address, options);
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
