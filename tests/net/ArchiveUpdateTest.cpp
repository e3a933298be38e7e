// Aggiorna archivio against an HTTP server the test runs on 127.0.0.1, serving the public
// archive's format (a ZIP of storico.txt, tab-separated YYYY/MM/DD, wheel code, five numbers).

#include "net/ArchiveUpdate.h"
#include "core/ArchiveStore.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/UpdateCondition.h"
#include "core/WheelCodes.h"
#include "support/TinyHttpServer.h"
#include "support/ZipMaker.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

const char *const kCodes[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};

// The public file's lines: every wheel on `days` draw days three days apart from `first`, with
// five different numbers each.
QByteArray publicText(const QDate &first, int days)
{
    QRandomGenerator random(7);
    QByteArray text;
    for (int day = 0; day < days; ++day) {
        for (const char *code : kCodes) {
            text += first.addDays(3 * day).toString(u"yyyy/MM/dd").toLatin1() + '\t' + code;
            QList<int> numbers;
            while (numbers.size() < 5) {
                const int n = int(random.bounded(1, 91));
                if (!numbers.contains(n))
                    numbers << n;
            }
            for (int n : numbers)
                text += '\t' + QByteArray::number(n);
            text += "\r\n";
        }
    }
    return text;
}

QByteArray readAll(const QString &path)
{
    return readWholeFile(path, 1 << 26).valueOr({});
}

class ArchiveUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    Result<ArchiveUpdate> update(const QString &path = QStringLiteral("/storico.zip"),
                                 const UpdateProgress &progress = {})
    {
        http.publish();
        return updateArchive(store, QStringLiteral("http://") + http.hostAndPort() + path,
                             progress);
    }
    QTemporaryDir folder;
    ArchiveStore store{folder.filePath(QStringLiteral("estrazioni.txt"))};
    QString condition = updateConditionPath(store.path());
    TinyHttpServer http;
    const QDate first{2024, 1, 2};
    const QByteArray zip = makeZip({{"storico.txt", publicText(first, 100)}});
    const QString last = first.addDays(3 * 99).toString(u"dd/MM/yyyy");
};

TEST_F(ArchiveUpdateTest, TheServerIsAskedConditionallyOnlyWhileTheArchiveHoldsWhatItMerged)
{
    const QByteArray etag = "\"v1\"", since = "Tue, 02 Jan 2024 10:00:00 GMT";
    http.answer = {200, zip, "ETag: " + etag + "\r\nLast-Modified: " + since + "\r\n"};
    http.decide = [etag](const QByteArray &request) -> std::optional<TinyHttpServer::Answer> {
        if (request.contains("\r\nIf-None-Match: " + etag + "\r\n"))
            return TinyHttpServer::Answer{304, {}};
        return std::nullopt;
    };
    const QString upToDate =
        QStringLiteral("L'archivio è già aggiornato (ultima estrazione del %1)").arg(last);
    const QString all =
        QStringLiteral("Archivio aggiornato: 1.100 estrazioni nuove, l'ultima del %1").arg(last);
    const auto importByHand = [this] {
        QFile f(folder.filePath(QStringLiteral("a_mano.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1990/05/05 MI 1 2 3 4 5\n");
        f.close();
        ASSERT_EQ(store.import({f.fileName()}, nullptr).files[0].added, 1);
    };
    const auto commentFirstLine = [this] { // the same size, another content
        QByteArray bytes = readAll(store.path());
        const qsizetype end = bytes.indexOf('\n', bytes.indexOf("\n2024") + 1);
        const qsizetype start = bytes.indexOf("\n2024") + 1;
        bytes.replace(start, end - start, "#" + QByteArray(end - start - 1, ' '));
        ASSERT_TRUE(replaceOwnFile(store.path(), bytes));
    };
    const struct
    {
        const char *name;
        std::function<void()> before;
        bool conditional; // the request carried the answer's validators
        QString summary;
        int added;
    } steps[] = {
        {"a first update", {}, false, all, 1100},
        {"the same file again", {}, true, upToDate, 0},
        {"after another copy imported a draw", importByHand, false, upToDate, 0},
        {"the same file once more", {}, true, upToDate, 0},
        {"after the archive was removed", [this] { QFile::remove(store.path()); }, false, all,
         1100},
        {"after a line was changed in place", commentFirstLine, false,
         QStringLiteral("Archivio aggiornato: 1 estrazione nuova, l'ultima del %1").arg(last), 1},
        {"the same file at last", {}, true, upToDate, 0},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        if (step.before)
            step.before();
        const QByteArray stored = readAll(store.path());
        const Result<ArchiveUpdate> got = update();
        ASSERT_TRUE(got) << got.error().description().toStdString();
        EXPECT_EQ(archiveUpdateSummary(*got), step.summary);
        EXPECT_EQ(got->added, step.added);
        EXPECT_EQ(got->notModified, step.conditional);
        const QByteArray request = http.lastRequest();
        EXPECT_EQ(request.contains("If-None-Match: " + etag + "\r\n"), step.conditional);
        EXPECT_EQ(request.contains("If-Modified-Since: " + since + "\r\n"), step.conditional);
        if (step.conditional) {
            EXPECT_EQ(readAll(store.path()), stored);
        }
        EXPECT_EQ(readUpdateCondition(condition)->archive, *fingerprintFile(store.path()));
    }
    EXPECT_EQ(store.read().archive.size(), 1100);
}

TEST_F(ArchiveUpdateTest, AnArchiveChangedWhileTheServerWasAskedIsNeverCalledUpToDate)
{
    http.answer = {200, zip, "ETag: \"v1\"\r\n"};
    ASSERT_TRUE(update());
    // Another copy empties the archive while the server is asked, and the server says 304.
    http.decide = [this](const QByteArray &request) -> std::optional<TinyHttpServer::Answer> {
        if (!request.contains("If-None-Match"))
            return std::nullopt;
        EXPECT_TRUE(replaceOwnFile(store.path(), "# svuotato\n"));
        return TinyHttpServer::Answer{304, {}};
    };
    const Result<ArchiveUpdate> got = update();
    ASSERT_TRUE(got);
    EXPECT_FALSE(got->notModified);
    EXPECT_EQ(got->added, 1100);
    ASSERT_EQ(http.requests().size(), 2);
    EXPECT_FALSE(http.requests()[1].contains("If-None-Match"));
}

TEST_F(ArchiveUpdateTest, FailuresLeaveTheArchiveAsItWas)
{
    http.answer = {200, zip, "ETag: \"v1\"\r\n"};
    ASSERT_TRUE(update());
    const QByteArray stored = readAll(store.path()), kept = readAll(condition);
    const struct
    {
        const char *name;
        TinyHttpServer::Answer answer;
        const char *why;
    } cases[] = {
        {"not found", {404, "<html>404</html>"}, "stato HTTP 404"},
        {"a server error", {503, {}}, "stato HTTP 503"},
        {"a ZIP without a text",
         {200, makeZip({{"storico.csv", "x"}})},
         "non contiene storico.txt"},
        {"a page instead of the file",
         {200, "<html><body>Manutenzione</body></html>"},
         "storico.zip scaricato: non importato: nessuna riga è un'estrazione"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        http.answer = c.answer;
        const Result<ArchiveUpdate> got = update();
        ASSERT_FALSE(got);
        EXPECT_TRUE(got.error().description().contains(QString::fromUtf8(c.why)))
            << got.error().description().toStdString();
        EXPECT_TRUE(got.error().description().contains(QStringLiteral("resta com'era")));
        EXPECT_EQ(readAll(store.path()), stored);
        EXPECT_EQ(readAll(condition), kept);
    }
}

TEST_F(ArchiveUpdateTest, APlainTextARedirectElsewhereAndTheEnvironmentsProxy)
{
    http.byPath.insert("/storico.txt", {200, publicText(first, 2)});
    http.byPath.insert("http://archivio.invalid/storico.txt", {200, publicText(first, 3)});
    const QString port = http.hostAndPort().section(u':', 1);
    http.byPath.insert(
        "/vecchio",
        {302, {}, "Location: http://localhost:" + port.toLatin1() + "/storico.txt\r\n"});
    Result<ArchiveUpdate> got = update(QStringLiteral("/vecchio"));
    ASSERT_TRUE(got) << got.error().description().toStdString();
    EXPECT_EQ(got->added, 22);
    EXPECT_EQ(got->downloaded.path, QStringLiteral("storico.txt"));

    // The proxy the environment names carries the request; no_proxy sends it straight.
    qputenv("http_proxy", ("http://" + http.hostAndPort()).toLatin1());
    http.publish();
    got = updateArchive(store, QStringLiteral("http://archivio.invalid/storico.txt"));
    EXPECT_TRUE(http.lastRequest().startsWith("GET http://archivio.invalid/storico.txt HTTP/1.1"));
    ASSERT_TRUE(got);
    EXPECT_EQ(got->added, 11);
    qputenv("http_proxy", "http://127.0.0.1:1");
    qputenv("no_proxy", "127.0.0.1");
    got = update(QStringLiteral("/storico.txt"));
    qunsetenv("http_proxy");
    qunsetenv("no_proxy");
    EXPECT_TRUE(got);
}

TEST_F(ArchiveUpdateTest, TheDownloadsLimitsAndItsAnswerFromTheLast)
{
    using M = TinyHttpServer::Misbehaviour;
    const qint64 max = kMaxArchiveDownload;
    QByteArray head;
    while (head.size() < 15 * 1024)
        head += "X-Filler: " + QByteArray(90, 'f') + "\r\n";
    const struct
    {
        const char *name;
        TinyHttpServer::Answer answer;
        M misbehaviour;
        int lowSpeedSeconds; // 0: the download's own
        const char *why;     // part of the refusal; "" when taken
        qint64 beforeMs;
    } cases[] = {
        {"15 KiB of head", {200, "x", head}, M::None, 0, "", 2000},
        {"17 KiB of head", {200, "x", head + head.left(2048)}, M::None, 0, "intestazione", 2000},
        {"16 MiB with a length", {200, QByteArray(max, 'x')}, M::None, 0, "", 5000},
        {"one more with a length", {200, QByteArray(max + 1, 'x')}, M::None, 0, "16 MiB", 5000},
        {"one more in chunks",
         {200, QByteArray(max + 1, 'x'), {}, false, true},
         M::None,
         0,
         "16 MiB",
         5000},
        {"one more without a length",
         {200, QByteArray(max + 1, 'x'), {}, false},
         M::None,
         0,
         "16 MiB",
         5000},
        {"a gigabyte announced", {}, M::GigabyteBody, 0, "16 MiB", 2000},
        {"a trickle", {}, M::TrickleBody, 2, "troppo lentamente", 5000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        http.answer = c.answer;
        http.misbehaviour = c.misbehaviour;
        http.publish();
        FetchOptions options = archiveFetchOptions();
        if (c.lowSpeedSeconds)
            options.lowSpeedSeconds = c.lowSpeedSeconds;
        QElapsedTimer timer;
        timer.start();
        const Result<HttpAnswer> got = httpFetch("http://" + http.hostAndPort() + "/z", options);
        EXPECT_LT(timer.elapsed(), c.beforeMs);
        ASSERT_EQ(got.ok(), !*c.why);
        if (!got)
            EXPECT_TRUE(got.error().description().contains(QString::fromUtf8(c.why)))
                << got.error().description().toStdString();
        else
            EXPECT_EQ(got->body, c.answer.body);
    }

    // The validators are the last answer's, not a redirect's.
    http.misbehaviour = M::None;
    http.answer = {302, {}, "ETag: \"r\"\r\nLocation: /z2\r\n"};
    http.byPath.insert("/z2", {200, "x", "Last-Modified: Tue, 02 Jan 2024 10:00:00 GMT\r\n"});
    http.publish();
    const Result<HttpAnswer> got =
        httpFetch("http://" + http.hostAndPort() + "/z", archiveFetchOptions());
    ASSERT_TRUE(got);
    EXPECT_EQ(got->etag, QByteArray());
    EXPECT_EQ(got->lastModified, QByteArray("Tue, 02 Jan 2024 10:00:00 GMT"));
}

TEST_F(ArchiveUpdateTest, AStopIsHeardWithinASecondOfASilentServer)
{
    http.misbehaviour = TinyHttpServer::Misbehaviour::Silent;
    QElapsedTimer timer, sinceStop;
    timer.start();
    const Result<ArchiveUpdate> got = update({}, [&](UpdatePhase phase, qint64, qint64) {
        EXPECT_EQ(phase, UpdatePhase::Download);
        if (timer.elapsed() < 500)
            return true;
        if (!sinceStop.isValid())
            sinceStop.start();
        return false;
    });
    ASSERT_TRUE(got);
    EXPECT_TRUE(got->interrupted);
    EXPECT_LT(sinceStop.elapsed(), 1100);
    EXPECT_EQ(archiveUpdateSummary(*got),
              QStringLiteral("Aggiornamento interrotto: l'archivio non è stato cambiato."));
    EXPECT_FALSE(QFile::exists(store.path()));
}

} // namespace
