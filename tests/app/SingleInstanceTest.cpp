// The single-instance rule between copies of one user, and what it refuses: another user's
// folders and sockets, and callers that talk too much.

#include "app/SingleInstance.h"
#include "core/Corpo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zelmora;

namespace {

class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run.isValid() && temp.isValid() && home.isValid());
        ASSERT_TRUE(QFile::setPermissions(run.path(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run.path()));
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qputenv("HOME", QFile::encodeName(home.path()));
    }
    void TearDown() override
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("TMPDIR");
        qunsetenv("HOME");
    }

    // Lets the running copy's events run until the result is there.
    template <typename T> T serve(std::future<T> &result)
    {
        QDeadlineTimer deadline(10000);
        while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready &&
               !deadline.hasExpired())
            QCoreApplication::processEvents();
        return result.get();
    }

    static QString userFolder(const QString &in, const char *prefix)
    {
        return in + u'/' + QLatin1String(prefix) + QString::number(::getuid());
    }

    QTemporaryDir run, temp, home;
};

TEST_F(SingleInstanceTest, TheFolderIsTheUsersOwnNeverALinkOrOneOpenToOthers)
{
    EXPECT_EQ(SingleInstance::runtimeFolder(), run.path());

    // XDG_RUNTIME_DIR open to others, or a link to a private folder: the temporary folder's
    // own private one is made instead.
    const QString ownTemp = userFolder(temp.path(), "zelmoravintesca-");
    ASSERT_EQ(::chmod(QFile::encodeName(run.path()).constData(), 0755), 0);
    EXPECT_EQ(SingleInstance::runtimeFolder(), ownTemp);
    EXPECT_EQ(QFileInfo(ownTemp).permissions() & 0x0077, 0);
    ASSERT_EQ(::chmod(QFile::encodeName(run.path()).constData(), 0700), 0);
    ASSERT_TRUE(QFile::link(run.path(), temp.filePath(QStringLiteral("link"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(temp.filePath(QStringLiteral("link"))));
    EXPECT_EQ(SingleInstance::runtimeFolder(), ownTemp);

    // That name taken in the shared folder by a link planted there: the home folder's.
    qunsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(QDir(ownTemp).removeRecursively());
    ASSERT_TRUE(QFile::link(run.path(), ownTemp));
    const QString ownHome = userFolder(home.path(), ".zelmoravintesca-");
    EXPECT_EQ(SingleInstance::runtimeFolder(), ownHome);
    EXPECT_EQ(QFileInfo(ownHome).permissions() & 0x0077, 0);

    // A folder of that name that belongs to another user is not taken either.
    if (::getuid() == 0) {
        ASSERT_TRUE(QFile::remove(ownTemp));
        ASSERT_TRUE(QDir().mkdir(ownTemp));
        ASSERT_EQ(::chmod(QFile::encodeName(ownTemp).constData(), 0700), 0);
        ASSERT_EQ(::chown(QFile::encodeName(ownTemp).constData(), 65534, 65534), 0);
        EXPECT_EQ(SingleInstance::runtimeFolder(), ownHome);
    }
}

TEST_F(SingleInstanceTest, ALineWithoutEndOrAnotherUsersCallIsDroppedUnanswered)
{
    QString title = corpo::Identity().AppTitle;
    SingleInstance running(title);
    QSignalSpy raised(&running, &SingleInstance::activationRequested);
    ASSERT_FALSE(running.PrevInstance());
    const QString name = SingleInstance::serverName(QStringLiteral("ThunderRT6Main"),
                                                    QStringLiteral("Zelmoravintesca"));

    // 8 MB without a newline: the running copy reads a short line's worth and hangs up.
    std::future<qint64> sent = std::async(std::launch::async, [&name] {
        QLocalSocket caller;
        caller.connectToServer(name);
        if (!caller.waitForConnected(2000))
            return qint64(-1);
        const QByteArray block(64 * 1024, 'x');
        qint64 total = 0;
        for (int i = 0; i < 128 && caller.state() == QLocalSocket::ConnectedState; ++i) {
            caller.write(block);
            if (!caller.waitForBytesWritten(3000))
                break;
            total += block.size();
        }
        return total;
    });
    const qint64 total = serve(sent);
    EXPECT_GE(total, 0);
    EXPECT_LT(total, 8 * 1024 * 1024);
    EXPECT_EQ(raised.count(), 0);

    // Another user who reaches the socket (here it is opened to everyone on purpose) is not
    // answered, however well they ask.
    const passwd *nobody = ::getpwnam("nobody");
    if (::getuid() != 0 || !nobody)
        GTEST_SKIP() << "another user's call needs root and the user nobody";
    ASSERT_EQ(::chmod(QFile::encodeName(run.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), 0777), 0);
    const QByteArray path = QFile::encodeName(name);
    const pid_t child = ::fork();
    if (child == 0) {
        // As nobody: ask to be raised; exit 0 only when the running copy answers.
        if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            ::_exit(2);
        if (::write(fd, "activate\n", 9) != 9)
            ::_exit(2);
        char answer[16] = {};
        ::alarm(5);
        ::_exit(::read(fd, answer, sizeof answer) > 0 ? 0 : 1);
    }
    ASSERT_GT(child, 0);
    std::future<int> status = std::async(std::launch::async, [child] {
        int s = 0;
        ::waitpid(child, &s, 0);
        return s;
    });
    const int s = serve(status);
    ASSERT_TRUE(WIFEXITED(s)) << s;
    EXPECT_EQ(WEXITSTATUS(s), 1); // connected, asked, and got nothing
    EXPECT_EQ(raised.count(), 0);
}

// What the running copy makes of what a caller says: whether it answers, and the file it is
// asked to open.
struct Said
{
    const char *what;
    QByteArray bytes;
    bool answered;
    QString opened;
};

TEST_F(SingleInstanceTest, AFileNameIsTakenWholeWithinItsLengthAndOnlyThen)
{
    QString title = corpo::Identity().AppTitle;
    SingleInstance running(title);
    QSignalSpy raised(&running, &SingleInstance::activationRequested);
    QSignalSpy opened(&running, &SingleInstance::openRequested);
    ASSERT_FALSE(running.PrevInstance());
    const QString name = SingleInstance::serverName(QStringLiteral("ThunderRT6Main"),
                                                    QStringLiteral("Zelmoravintesca"));
    const QByteArray longest = '/' + QByteArray(SingleInstance::kMaxPath - 1, 'a');
    const QByteArray tooLong = longest + 'a';
    const Said cases[] = {
        {"the plain line", "activate\n", true, {}},
        {"a name with newlines", "open 22\n/tmp/due\nrighe\n(1).zlm", true,
         QStringLiteral("/tmp/due\nrighe\n(1).zlm")},
        {"a name in UTF-8", "open 15\n/tmp/\xc3\xa8 qui.zlm", true,
         QStringLiteral("/tmp/\u00e8 qui.zlm")},
        {"the longest name", "open 4096\n" + longest, true, QString::fromLatin1(longest)},
        {"a name too long", "open 4097\n" + tooLong, false, {}},
        {"a length of 0", "open 0\n", false, {}},
        {"a length with a leading zero", "open 012\n/tmp/a.zlm/", false, {}},
        {"a negative length", "open -5\n/a.zl", false, {}},
        {"a length with a letter", "open 1x\n/", false, {}},
        {"a length of eleven digits", "open 99999999999\n/", false, {}},
        {"a relative name", "open 5\na.zlm", false, {}},
        {"a name with a NUL byte", QByteArray("open 6\n/a\0.zl", 13), false, {}},
        {"a name shorter than said, then silence", "open 20\n/tmp/", false, {}},
        {"a line without end", "open 5", false, {}},
        {"another line", "apri /tmp/a.zlm\n", false, {}},
    };
    for (const Said &c : cases) {
        SCOPED_TRACE(c.what);
        raised.clear();
        opened.clear();
        // The caller says its bytes and reads until the running copy hangs up.
        std::future<QByteArray> answer = std::async(std::launch::async, [&name, &c] {
            QLocalSocket caller;
            caller.connectToServer(name);
            if (!caller.waitForConnected(2000))
                return QByteArray("not connected");
            caller.write(c.bytes);
            caller.waitForBytesWritten(2000);
            QByteArray got;
            QDeadlineTimer deadline(5000);
            while (caller.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
                caller.waitForReadyRead(100);
                got += caller.readAll();
            }
            return got + caller.readAll();
        });
        EXPECT_EQ(serve(answer), c.answered ? QByteArray("raised\n") : QByteArray());
        QCoreApplication::processEvents();
        EXPECT_EQ(raised.count(), c.answered ? 1 : 0);
        ASSERT_EQ(opened.count(), c.opened.isEmpty() ? 0 : 1);
        if (!c.opened.isEmpty()) {
            EXPECT_EQ(opened.constFirst().constFirst().toString(), c.opened);
        }
    }
}

TEST_F(SingleInstanceTest, ALaterCopySendsItsFileAndEndsOnTheAnswer)
{
    QString title = corpo::Identity().AppTitle;
    SingleInstance running(title);
    QSignalSpy raised(&running, &SingleInstance::activationRequested);
    QSignalSpy opened(&running, &SingleInstance::openRequested);
    ASSERT_FALSE(running.PrevInstance());

    // A later copy started with a file, then one whose file name no file can have: that one
    // only raises the running copy.
    const QString withNewline = QStringLiteral("/home/io/sistemi/primo\nsecondo.zlm");
    const QString tooLong = u'/' + QString(SingleInstance::kMaxPath, u'x');
    for (const QString &path : {withNewline, tooLong}) {
        std::future<bool> later = std::async(std::launch::async, [&path] {
            QString laterTitle = corpo::Identity().AppTitle;
            SingleInstance copy(laterTitle);
            return copy.PrevInstance() && copy.ActivateRunningInstance(path);
        });
        EXPECT_TRUE(serve(later));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(raised.count(), 2);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.constFirst().constFirst().toString(), withNewline);
}

} // namespace
