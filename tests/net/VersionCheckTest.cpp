// The version check against an HTTP server the test runs on 127.0.0.1.

#include "net/VersionCheck.h"
#include "app/Forms.h"
#include "app/ScriptedUiServices.h"
#include "core/BuildSettings.h"
#include "core/RuntimeError.h"
#include "support/WidgetTest.h"
#include "ui/NewVersion.h"
#include "ui/frmNewVersion.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

// Answers every request with one status and body, or never answers.
class TinyHttpServer : public QObject
{
public:
    int status = 200;
    QByteArray body;
    bool silent = false;
    QByteArray lastRequest;

    TinyHttpServer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    lastRequest += socket->readAll();
                    if (silent || !lastRequest.contains("\r\n\r\n"))
                        return;
                    socket->write("HTTP/1.1 " + QByteArray::number(status) +
                                  " X\r\nContent-Type: text/plain\r\nContent-Length: " +
                                  QByteArray::number(body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString hostAndPort() const { return QStringLiteral("127.0.0.1:%1").arg(server.serverPort()); }

private:
    QTcpServer server;
};

class VersionCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        setVersionServer(http.hostAndPort());
        setEndHandler([this] { ++ends; });
    }
    void TearDown() override
    {
        setEndHandler({});
        setVersionServer(QString());
        qunsetenv("TMPDIR");
    }
    QString downloaded() const { return GetTempFolder() + QStringLiteral("ver_zelmora.txt"); }

    // Runs the check; the new-version window, when it shows, is read and closed.
    void check()
    {
        windowTexts.clear();
        onNextModal([this](QDialog *dialog) {
            if (auto *w = qobject_cast<frmNewVersion *>(dialog))
                windowTexts << w->lbLocalVersion->text() << w->lbRemoteVersion->text();
        });
        try {
            NewVersion();
        } catch (const EndRequested &) {
        }
        settle();
    }

    QTemporaryDir temp;
    TinyHttpServer http;
    ScriptedUiServices ui;
    int ends = 0;
    QStringList windowTexts;
};

TEST_F(VersionCheckTest, ServerAnswersDecideWhetherTheProgramEnds)
{
    const struct
    {
        const char *answer;
        bool newer;
        const char *message; // the error shown, or nothing
        bool fileKept;
    } cases[] = {
        {"0.1.4", false, "", false},
        {"0.1.10", true, "", true},
        {"0.2.0", true, "", true},
        {"0.0.9", false, "", false},
        {"1", true, "", true},
        {"0.1", false, "Error 9 (Subscript out of range) in procedure NewVersion of Modulo corpo",
         true},
        {"0.1.5\r\n0.0.1\r\nmore", true, "", true},
        {"0.1.4.7", false, "", false},
        {"\r\n", false, "Error 9 (Subscript out of range) in procedure NewVersion of Modulo corpo",
         true},
        {"", false, "Error 62 (Input past end of file) in procedure NewVersion of Modulo corpo",
         true},
    };
    for (const auto &c : cases) {
        QFile::remove(downloaded());
        ui.clear();
        ends = 0;
        http.body = QByteArray(c.answer);
        check();
        EXPECT_EQ(ends, c.newer ? 1 : 0) << c.answer;
        EXPECT_EQ(!windowTexts.isEmpty(), c.newer) << c.answer;
        if (c.newer)
            EXPECT_EQ(windowTexts,
                      (QStringList{"0.1.4", QString::fromLatin1(c.answer).section(u'\r', 0, 0)}));
        EXPECT_EQ(ui.messages().join(QString()), QString::fromLatin1(c.message)) << c.answer;
        EXPECT_EQ(QFile::exists(downloaded()), c.fileKept) << c.answer;
    }
}

TEST_F(VersionCheckTest, TheQueryIsAFreshGetOfTheVersionPage)
{
    http.body = "0.1.4";
    check();
    EXPECT_TRUE(http.lastRequest.startsWith("GET /public/lotto/ver_zelmora.asp HTTP/1.1\r\n"))
        << http.lastRequest.toStdString();
    EXPECT_TRUE(http.lastRequest.contains("Cache-Control: no-cache"));
    EXPECT_EQ(versionQueryAddress(), QStringLiteral("http://") + http.hostAndPort() +
                                         QStringLiteral("/public/lotto/ver_zelmora.asp"));
    setVersionServer(QString());
    EXPECT_EQ(versionQueryAddress(), QStringLiteral("http://") + webHost() +
                                         QStringLiteral("/public/lotto/ver_zelmora.asp"));
}

TEST_F(VersionCheckTest, FailedDownloadsAreSilent)
{
    http.status = 404;
    http.body = "9.9.9";
    check();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(QFile::exists(downloaded()));

    http.status = 200;
    http.body = QByteArray(1024 * 1024, '9');
    check();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(downloaded()));

    setVersionServer(QStringLiteral("127.0.0.1:1")); // nobody listens there
    check();
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ends, 0);
}

TEST_F(VersionCheckTest, AServerThatNeverAnswersIsGivenUpWithinTheTimeOut)
{
    http.silent = true;
    QElapsedTimer timer;
    timer.start();
    check();
    EXPECT_LT(timer.elapsed(), 7000);
    EXPECT_GE(timer.elapsed(), 4500);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ends, 0);
}

TEST(VersionFieldsTest, FieldsCompareByTheirLeadingNumber)
{
    EXPECT_EQ(versionFieldValue(QStringLiteral("5")), 5);
    EXPECT_EQ(versionFieldValue(QStringLiteral("5b")), 5);
    EXPECT_EQ(versionFieldValue(QStringLiteral(" 7")), 7);
    EXPECT_EQ(versionFieldValue(QString()), 0);
    EXPECT_EQ(versionFieldValue(QStringLiteral("x")), 0);
    EXPECT_EQ(compareVersions(QStringLiteral("0.1.4"), QStringLiteral("0.1.10")),
              VersionOrder::Newer);
    EXPECT_EQ(compareVersions(QStringLiteral("0.1.4"), QStringLiteral("x.1.4")),
              VersionOrder::Same);
    EXPECT_EQ(versionFields(QString()), QStringList());
    EXPECT_THROW(compareVersions(QStringLiteral("0.1.4"), QStringLiteral("0.1")), RuntimeError);
}

TEST(NewVersionWindowTest, ShowsBothVersionsAndOpensTheDownloadPage)
{
    ScriptedUiServices ui;
    frmNewVersion window;
    window.Form_Load();
    window.localVersion = QStringLiteral("0.1.4");
    window.remoteVersion = QStringLiteral("0.2.0");
    ASSERT_TRUE(showActive(window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Nuova Versione Disponibile!!"));
    EXPECT_EQ(window.Label1->text(), QStringLiteral("Versione Locale"));
    EXPECT_EQ(window.Label2->text(), QStringLiteral("Versione sul Server"));
    EXPECT_EQ(window.lbLocalVersion->text(), QStringLiteral("0.1.4"));
    EXPECT_EQ(window.lbRemoteVersion->text(), QStringLiteral("0.2.0"));
    const QString page = QStringLiteral("http://") + webHost() + QStringLiteral("/lotto/");
    EXPECT_EQ(window.lbURL->text(), page);
    EXPECT_EQ(window.lbURL->toolTip(), QStringLiteral("Click per aprire la pagina"));
    EXPECT_TRUE(window.lbURL->font().underline());
    EXPECT_EQ(window.lbURL->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(window.lbURL->cursor().hotSpot(), QPoint(1, 3));
    QTest::mouseClick(window.lbURL, Qt::LeftButton);
    window.lbURL->setFocus();
    QTest::keyClick(window.lbURL, Qt::Key_Return);
    EXPECT_EQ(ui.openedUrls, (QStringList{page, page}));
    EXPECT_TRUE(window.isVisible()); // the window stays open
}

} // namespace
