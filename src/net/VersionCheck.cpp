#include "net/VersionCheck.h"

#include "core/BuildSettings.h"
#include "core/Cp1252.h"
#include "core/FileIO.h"
#include "core/NumberReading.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

namespace zelmora {

namespace {
constexpr int kTimeoutMs = 5000;
constexpr qint64 kMaxBody = 64 * 1024;

QString &versionServer()
{
    static QString server;
    return server;
}
} // namespace

QString GetTempFolder()
{
    return QDir::tempPath() + u'/';
}

QString versionQueryAddress()
{
    const QString host = versionServer().isEmpty() ? webHost() : versionServer();
    return QStringLiteral("http://") + host + QStringLiteral("/public/lotto/ver_zelmora.asp");
}

void setVersionServer(const QString &hostAndPort)
{
    versionServer() = hostAndPort;
}

bool DownloadFile(const QString &address, const QString &filePath, bool dropCache)
{
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(address)};
    if (dropCache) {
        // A fresh copy: neither a cached answer nor one from a proxy's cache.
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        request.setRawHeader("Cache-Control", "no-cache");
        request.setRawHeader("Pragma", "no-cache");
    }
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);

    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, &tooLarge](qint64 received, qint64 total) {
                         if (received > kMaxBody || total > kMaxBody) {
                             tooLarge = true;
                             reply->abort();
                         }
                     });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(kTimeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok =
        !tooLarge && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    reply->deleteLater();
    if (!ok || body.size() > kMaxBody)
        return false;
    try {
        writeWholeFile(filePath, body);
    } catch (const RuntimeError &) {
        return false;
    }
    return true;
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

QString readFirstLine(const QString &filePath)
{
    const QByteArray bytes = readWholeFile(filePath, kMaxBody);
    if (bytes.isEmpty())
        throw RuntimeError(RuntimeError::InputPastEndOfFile);
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    return fromCp1252(bytes.left(end));
}

} // namespace zelmora
