// The version check against an HTTP server the test runs on 127.0.0.1.

#include "net/VersionCheck.h"
#include "app/Forms.h"
#include "app/Program.h"
#include "app/Twips.h"
#include "core/BuildSettings.h"
#include "core/Corpo.h"
#include "core/RuntimeError.h"
#include "net/HttpFetch.h"
#include "support/ScriptedUiServices.h"
#include "support/TinyHttpServer.h"
#include "support/WidgetTest.h"
#include "ui/NewVersion.h"
#include "ui/frmNewVersion.h"
#include "ui/frmSplash.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

class VersionCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        // Another user's trap: the name the answer was once kept under, in the shared
        // temporary folder, linked to a file of the player's.
        QFile victim(playersFile());
        ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
        victim.write("del giocatore");
        victim.close();
        ASSERT_TRUE(QFile::link(playersFile(), planted()));
        program.ui = &ui;
        program.versionServer = http.hostAndPort();
        program.ending.setEndHandler([this] { ++ends; });
    }
    void TearDown() override { qunsetenv("TMPDIR"); }
    QString planted() const { return temp.filePath(QStringLiteral("ver_zelmora.txt")); }
    QString playersFile() const { return elsewhere.filePath(QStringLiteral("lettera.txt")); }

    // Nothing was written through the planted link or beside it, and the link is still there.
    void expectTempFolderUntouched(const char *what) const
    {
        QFile victim(playersFile());
        ASSERT_TRUE(victim.open(QIODevice::ReadOnly)) << what;
        EXPECT_EQ(victim.readAll(), QByteArray("del giocatore")) << what;
        EXPECT_TRUE(QFileInfo(planted()).isSymLink()) << what;
        EXPECT_EQ(
            QDir(temp.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("ver_zelmora.txt")})
            << what;
    }

    // Runs the check against a server that misbehaves; the milliseconds it took.
    qint64 timedCheck(TinyHttpServer::Misbehaviour misbehaviour)
    {
        http.misbehaviour = misbehaviour;
        QElapsedTimer timer;
        timer.start();
        check();
        return timer.elapsed();
    }

    // Runs the check; the new-version window, when it shows, is read and closed. The watcher
    // lives only as long as the check, so no later test meets a watcher of this one.
    void check()
    {
        windowTexts.clear();
        endsWhenShown = 0;
        CatchShow<frmNewVersion> watcher([this](frmNewVersion *w) {
            if (!w->isModal() || !w->isVisible())
                return;
            windowTexts << w->lbLocalVersion->text() << w->lbRemoteVersion->text();
            endsWhenShown = ends;
            w->reject();
        });
        const int endsBefore = ends;
        http.publish();
        const bool startUpGoesOn = NewVersion(program);
        EXPECT_EQ(startUpGoesOn, ends == endsBefore);
        settle();
    }

    QTemporaryDir temp;
    QTemporaryDir elsewhere;
    TinyHttpServer http;
    Program program;
    ScriptedUiServices ui;
    int ends = 0;
    int endsWhenShown = 0;
    QStringList windowTexts;
};

TEST_F(VersionCheckTest, ServerAnswersDecideWhetherTheProgramEnds)
{
    const QString error9 =
        QStringLiteral("Error 9 (Subscript out of range) in procedure NewVersion of Modulo corpo");
    const QString error62 =
        QStringLiteral("Error 62 (Input past end of file) in procedure NewVersion of Modulo corpo");
    // Versions around the build's own: M.m.r.
    const auto v = [](int major, int minor, const QString &revision) {
        return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
    };
    const int M = corpo::AppMajor, m = corpo::AppMinor, r = corpo::AppRevision;
    const QString local = corpo::versionText();
    const QString laterPatch = v(M, m, QString::number(r + 10)); // fewer digits would sort after
    const QString older = r > 0 ? v(M, m, QString::number(r - 1)) : v(M, m - 1, "99");
    const QString blank = QStringLiteral("%1. %2.0").arg(M).arg(m + 1);
    const QString letter = QStringLiteral("%1.%2b.%3").arg(M).arg(m).arg(r + 1);
    const struct
    {
        const char *name;
        QString answer;
        QString remoteShown; // the server's version in the new-version window, or no window
        QString message;     // the error shown, or nothing
    } cases[] = {
        {"the same version", local, {}, {}},
        {"a later patch, compared as a number", laterPatch, laterPatch, {}},
        {"a later minor version", v(M, m + 1, "0"), v(M, m + 1, "0"), {}},
        {"an older version", older, {}, {}},
        {"a lone major number", QString::number(M + 1), QString::number(M + 1), {}},
        {"two fields", QStringLiteral("%1.%2").arg(M).arg(m), {}, error9},
        {"more lines after the first", laterPatch + "\r\n0.0.1\r\nmore", laterPatch, {}},
        {"a bare line feed", laterPatch + "\nmore", laterPatch, {}},
        {"a fourth field", local + ".7", {}, {}},
        {"a blank in a field", blank, blank, {}},
        {"a letter in a field", letter, letter, {}},
        {"an empty line", "\r\n", {}, error9},
        {"an empty answer", "", {}, error62},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui.clear();
        ends = 0;
        http.answer.body = c.answer.toLatin1();
        check();
        const bool shown = !c.remoteShown.isEmpty();
        const QStringList expected = shown ? QStringList{local, c.remoteShown} : QStringList();
        EXPECT_EQ(windowTexts, expected) << c.answer.toStdString();
        EXPECT_EQ(ends, shown ? 1 : 0);
        EXPECT_EQ(endsWhenShown, 0); // the program ends only after the window closed
        EXPECT_EQ(ui.messages().join(QString()), c.message);
        for (const auto &box : ui.shown) {
            EXPECT_EQ(box.icon, MessageIcon::None);
            EXPECT_TRUE(box.title.isEmpty()); // the program's title
        }
        expectTempFolderUntouched(c.name);
    }
}

TEST_F(VersionCheckTest, ANewerVersionUnloadsEveryWindowBeforeTheEnd)
{
    const QByteArray same = corpo::versionText().toLatin1();
    const QByteArray later = QByteArray::number(corpo::AppMajor + 1) + ".0.0";
    for (const auto &[answer, newer] : {std::pair{same, false}, std::pair{later, true}}) {
        QPointer<frmSplash> splash = new frmSplash(program.identity);
        splash->Form_Load();
        splash->show();
        ends = 0;
        http.answer.body = answer;
        check();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ends, newer ? 1 : 0) << answer.constData();
        EXPECT_EQ(splash.isNull(), newer) << answer.constData();
        delete splash;
    }
}

TEST_F(VersionCheckTest, BodiesOverTheLimitAreRefusedWithOrWithoutALength)
{
    const struct
    {
        const char *name;
        qsizetype size;
        bool withLength;
        bool accepted;
        bool chunked = false;
    } cases[] = {
        {"the limit with a length", 64 * 1024, true, true},
        {"one over with a length", 64 * 1024 + 1, true, false},
        {"the limit without a length", 64 * 1024, false, true},
        {"one over without a length", 64 * 1024 + 1, false, false},
        {"a megabyte without a length", 1024 * 1024, false, false},
        {"the limit in chunks", 64 * 1024, false, true, true},
        {"one over in chunks", 64 * 1024 + 1, false, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui.clear();
        ends = 0;
        QByteArray body = "0.1.5\r\n";
        body.append(c.size - body.size(), 'x');
        http.answer.body = body;
        http.answer.withLength = c.withLength;
        http.answer.chunked = c.chunked;
        check();
        EXPECT_EQ(ends, c.accepted ? 1 : 0) << c.size << c.withLength;
        EXPECT_TRUE(ui.shown.isEmpty());
        expectTempFolderUntouched("body");
    }
}

TEST_F(VersionCheckTest, StatusesOtherThanSuccessAreSilentAndRedirectsStayOnTheServer)
{
    const QByteArray port = http.hostAndPort().section(u':', 1).toLatin1();
    const struct
    {
        const char *name;
        int status;
        QByteArray headers;
        bool newer;
    } cases[] = {
        {"a server error", 500, {}, false},
        {"forbidden", 403, {}, false},
        {"a redirect on the same server", 302, "Location: /moved\r\n", true},
        {"a full address on the same server", 301,
         "Location: http://" + http.hostAndPort().toLatin1() + "/moved\r\n", true},
        {"a redirect that sets a cookie", 303, "Set-Cookie: giocatore=1\r\nLocation: /moved\r\n",
         true},
        {"five redirects in a row", 307, "Location: /hop4\r\n", true},
        {"six redirects in a row", 308, "Location: /hop5\r\n", false},
        // The same server under another name, another scheme, another port: not followed.
        {"the same server under another name", 302,
         "Location: http://localhost:" + port + "/moved\r\n", false},
        {"another scheme", 307, "Location: https://" + http.hostAndPort().toLatin1() + "/moved\r\n",
         false},
        {"an FTP address", 301, "Location: ftp://" + http.hostAndPort().toLatin1() + "/moved\r\n",
         false},
        {"another port", 302, "Location: http://127.0.0.1:1/moved\r\n", false},
        {"a redirect without a location", 302, {}, false}, // a redirect that says nowhere
    };
    http.byPath.insert("/moved", {200, "0.2.0", {}, true});
    // Each hop sends on to the one below it, the first to the moved page.
    for (int hop = 1; hop <= 5; ++hop) {
        const QByteArray below = hop == 1 ? "/moved" : "/hop" + QByteArray::number(hop - 1);
        http.byPath.insert("/hop" + QByteArray::number(hop),
                           {302, {}, "Location: " + below + "\r\n"});
    }
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ends = 0;
        http.answer = {c.status, "9.9.9", c.headers};
        QElapsedTimer timer;
        timer.start();
        check();
        EXPECT_LT(timer.elapsed(), 2000);
        EXPECT_EQ(ends, c.newer ? 1 : 0) << c.status;
        EXPECT_EQ(windowTexts.value(1), c.newer ? QStringLiteral("0.2.0") : QString()) << c.status;
        if (c.newer) { // the last request the server saw is the moved page's, without a cookie
            EXPECT_TRUE(http.lastRequest().startsWith("GET /moved ")) << c.name;
        }
        EXPECT_FALSE(http.lastRequest().contains("Cookie")) << c.name;
        expectTempFolderUntouched(c.headers.constData());
    }
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(VersionCheckTest, RedirectsShareTheOneDeadline)
{
    // Three answers of two seconds each: every request alone is within 5 s, the whole is not.
    http.answer = {302, {}, "Location: /slow1\r\n", true, false, 2000};
    http.byPath.insert("/slow1", {302, {}, "Location: /slow2\r\n", true, false, 2000});
    http.byPath.insert("/slow2", {200, "9.9.9", {}, true, false, 2000});
    QElapsedTimer timer;
    timer.start();
    check();
    EXPECT_GE(timer.elapsed(), 4500);
    EXPECT_LT(timer.elapsed(), 5900);
    EXPECT_EQ(ends, 0);
}

TEST_F(VersionCheckTest, HeadsOverTheLimitAreRefused)
{
    // 16 KiB of head at most, status line and header lines together.
    for (const auto &[kib, accepted] : {std::pair{15, true}, std::pair{17, false}}) {
        SCOPED_TRACE(kib);
        ends = 0;
        QByteArray headers;
        while (headers.size() < kib * 1024 - 200)
            headers += "X-Filler: " + QByteArray(90, 'f') + "\r\n";
        http.answer = {200, "9.9.9", headers};
        check();
        EXPECT_EQ(ends, accepted ? 1 : 0);
    }
}

TEST_F(VersionCheckTest, TheQueryIsAFreshGetOfTheVersionPage)
{
    // A proxy the environment names is not asked: the query goes straight to the server.
    qputenv("http_proxy", "http://127.0.0.1:1");
    http.answer.body = corpo::versionText().toLatin1();
    check();
    qunsetenv("http_proxy");
    const QByteArray request = http.lastRequest();
    EXPECT_TRUE(request.startsWith("GET /public/lotto/ver_zelmora.asp HTTP/1.1\r\n"))
        << request.toStdString();
    for (const char *header : {"Cache-Control: no-cache", "Pragma: no-cache",
                               "Accept-Encoding: identity", "User-Agent: Zelmoravintesca"})
        EXPECT_TRUE(request.contains(QByteArray(header) + "\r\n")) << header;
    EXPECT_EQ(versionQueryAddress(program.versionServer),
              QStringLiteral("http://") + http.hostAndPort() +
                  QStringLiteral("/public/lotto/ver_zelmora.asp"));
    EXPECT_EQ(versionQueryAddress(), QStringLiteral("http://") + webHost() +
                                         QStringLiteral("/public/lotto/ver_zelmora.asp"));
}

TEST_F(VersionCheckTest, FailedDownloadsAreSilent)
{
    http.answer.status = 404;
    http.answer.body = "9.9.9";
    check();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ends, 0);

    http.answer.status = 200;
    http.answer.body = QByteArray(1024 * 1024, '9');
    check();
    EXPECT_TRUE(ui.shown.isEmpty());
    expectTempFolderUntouched("failed");

    program.versionServer = QStringLiteral("127.0.0.1:1"); // nobody listens there
    check();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ends, 0);
}

TEST_F(VersionCheckTest, AServerThatNeverFinishesIsGivenUpAtTheDeadline)
{
    using M = TinyHttpServer::Misbehaviour;
    const struct
    {
        const char *name;
        M misbehaviour;
        qint64 atLeastMs; // given up at the deadline, or as soon as a limit is passed
        qint64 beforeMs;
    } cases[] = {
        {"silence", M::Silent, 4500, 6000},
        {"headers without end", M::TrickleHeaders, 4500, 6000},
        {"a body without end", M::TrickleBody, 4500, 6000},
        {"8 MB of headers at once", M::FloodHeaders, 0, 2000},
        {"a header line without end", M::EndlessHeaderLine, 0, 2000},
        {"a gigabyte of body at full speed", M::GigabyteBody, 0, 2000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qint64 elapsed = timedCheck(c.misbehaviour);
        EXPECT_LT(elapsed, c.beforeMs);
        EXPECT_GE(elapsed, c.atLeastMs);
        EXPECT_EQ(ends, 0);
    }
    EXPECT_TRUE(ui.shown.isEmpty());
    expectTempFolderUntouched("deadline");
}

TEST_F(VersionCheckTest, TheProgressHookCanStopATransfer)
{
    // Told to stop once a byte has arrived, a body that trickles for ever ends at once.
    FetchOptions options;
    qint64 received = 0;
    options.goOn = [&received](qint64 now, qint64) {
        received = now;
        return now == 0;
    };
    http.misbehaviour = TinyHttpServer::Misbehaviour::TrickleBody;
    http.publish();
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(httpGet(versionQueryAddress(http.hostAndPort()), options));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_GT(received, 0);
}

TEST(VersionFieldsTest, FieldsCompareByTheirLeadingNumber)
{
    EXPECT_EQ(versionFieldValue(QStringLiteral("5")), 5);
    EXPECT_EQ(versionFieldValue(QStringLiteral("5b")), 5);
    EXPECT_EQ(versionFieldValue(QStringLiteral(" 7")), 7);
    EXPECT_EQ(versionFieldValue(QString()), 0);
    EXPECT_EQ(versionFieldValue(QStringLiteral("x")), 0);
    EXPECT_EQ(*compareVersions(QStringLiteral("2.3.4"), QStringLiteral("2.3.10")),
              VersionOrder::Newer);
    EXPECT_EQ(*compareVersions(QStringLiteral("0.3.4"), QStringLiteral("x.3.4")),
              VersionOrder::Same);
    EXPECT_EQ(versionFields(QString()), QStringList());
    EXPECT_EQ(compareVersions(QStringLiteral("2.3.4"), QStringLiteral("2.3")).error().number(),
              RuntimeError::SubscriptOutOfRange);
}

TEST(NewVersionWindowTest, ShowsBothVersionsAndOpensTheDownloadPage)
{
    ScriptedUiServices ui;
    frmNewVersion window(ui);
    window.Form_Load();
    window.localVersion = corpo::versionText();
    window.remoteVersion = QStringLiteral("10.20.300");
    ASSERT_TRUE(showActive(window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Nuova Versione Disponibile!!"));
    EXPECT_EQ(window.Label1->text(), QStringLiteral("Versione Locale"));
    EXPECT_EQ(window.Label2->text(), QStringLiteral("Versione sul Server"));
    EXPECT_EQ(window.lbLocalVersion->text(), corpo::versionText());
    EXPECT_EQ(window.lbRemoteVersion->text(), QStringLiteral("10.20.300"));
    const QString page = QStringLiteral("http://") + webHost() + QStringLiteral("/lotto/");
    EXPECT_EQ(window.lbURL->text(), page);
    EXPECT_EQ(window.lbURL->toolTip(), QStringLiteral("Click per aprire la pagina"));
    EXPECT_TRUE(window.lbURL->font().underline());
    EXPECT_EQ(window.lbURL->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(window.lbURL->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(window.lbURL, Qt::LeftButton);
    window.lbURL->setFocus();
    QTest::keyClick(window.lbURL, Qt::Key_Return);
    EXPECT_EQ(ui.openedUrls, (QStringList{page, page}));
    EXPECT_TRUE(window.isVisible()); // the window stays open
}

TEST(NewVersionWindowTest, CentredReadableAndUsableFromTheKeyboard)
{
    ScriptedUiServices ui;
    frmNewVersion window(ui);
    window.Form_Load();
    const QRect screen = window.screen()->geometry();
    EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_EQ(window.size(), QSize(twipsToPixels(4875), twipsToPixels(1980)));
    window.localVersion = corpo::versionText();
    window.remoteVersion = QStringLiteral("10.20.300");
    ASSERT_TRUE(showActive(window));
    // Every label shows its whole text on one line inside the window.
    for (QLabel *label : window.findChildren<QLabel *>()) {
        const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(textWidth, label->width()) << label->objectName().toStdString();
        EXPECT_LE(label->geometry().right(), window.width()) << label->objectName().toStdString();
    }
    window.lbURL->setFocus();
    QTest::keyClick(window.lbURL, Qt::Key_Space);
    EXPECT_EQ(ui.openedUrls.size(), 1);
    QTest::keyClick(window.lbURL, Qt::Key_A); // other keys do nothing
    EXPECT_EQ(ui.openedUrls.size(), 1);
    QTest::keyClick(window.lbURL, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
