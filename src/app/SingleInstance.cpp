#include "app/SingleInstance.h"

#include "core/Corpo.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelmora {

const char *const SingleInstance::kClassNames[3] = {"ThunderRTMain", "ThunderRT5Main",
                                                    "ThunderRT6Main"};

namespace {
constexpr char kActivate[] = "activate\n";
constexpr char kOpen[] = "open ";
constexpr char kDone[] = "raised\n";
// The longest line either side reads; anything longer ends the conversation.
constexpr qint64 kMaxLine = 32;
// How long a later copy waits for the running one to answer: it may be busy starting up.
constexpr int kAnswerTimeoutMs = 3000;
// How long a caller may stay connected to the running copy without saying its line.
constexpr int kIdleCallerMs = 2000;
// How long a copy waits for one started at the same moment to finish its first step.
constexpr int kStartTurnMs = 5000;

// True when the path is a folder (not a link to one) of this user, closed to everyone else.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

// The folder, made private when this call creates it; empty when it is not the user's own.
QByteArray ownFolder(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return isPrivateFolder(path) ? path : QByteArray();
}

// Opens (creating) a file of the private folder, never through a link.
int openPrivateFile(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(),
                  O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
}

// The user the other end of a connected local socket runs as, or -1 when it cannot be told.
qint64 peerUser(qintptr descriptor)
{
    ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 ||
        ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials)
        return -1;
    return qint64(credentials.uid);
}

bool sameUser(qintptr descriptor)
{
    return peerUser(descriptor) == qint64(::getuid());
}

// The length an "open N\n" line announces: N in plain decimal digits, 1 to kMaxPath; nothing
// for any other line.
std::optional<qint64> announcedLength(const QByteArray &line)
{
    if (!line.startsWith(kOpen) || !line.endsWith('\n'))
        return std::nullopt;
    const QByteArray digits = line.mid(qsizetype(std::strlen(kOpen))).chopped(1);
    if (digits.isEmpty() || digits.size() > 4 || digits.startsWith('0') ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const qint64 length = digits.toLongLong();
    if (length > SingleInstance::kMaxPath)
        return std::nullopt;
    return length;
}

// What a later copy says: the activation line, with the file name after it when there is one.
QByteArray request(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.size() > SingleInstance::kMaxPath)
        return kActivate;
    return kOpen + QByteArray::number(name.size()) + '\n' + name;
}
} // namespace

SingleInstance::SingleInstance(QString &appTitle, QObject *parent)
    : QObject(parent), m_appTitle(appTitle)
{
}

SingleInstance::~SingleInstance()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstance::runtimeFolder()
{
    const QByteArray xdg = qgetenv("XDG_RUNTIME_DIR");
    if (xdg.startsWith('/') && isPrivateFolder(xdg))
        return QFile::decodeName(xdg);
    const QByteArray user = QByteArray::number(::getuid());
    QByteArray own = ownFolder(QFile::encodeName(QDir::tempPath()) + "/zelmoravintesca-" + user);
    // Someone else took that name in the shared folder: the home folder is the user's alone.
    if (own.isEmpty())
        own = ownFolder(QFile::encodeName(QDir::homePath()) + "/.zelmoravintesca-" + user);
    return QFile::decodeName(own);
}

QString SingleInstance::serverName(const QString &className, const QString &title)
{
    const QString folder = runtimeFolder();
    return folder.isEmpty() ? QString() : folder + u'/' + className + u'-' + title;
}

bool SingleInstance::PrevInstance()
{
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return false;

    // Copies started together take this first step in turn: the one that gets the lock is
    // listening before the next one looks, so a copy that finds the lock taken always finds
    // the running copy's socket too.
    const int turn = openPrivateFile(folder + QStringLiteral("/zelmoravintesca.start"));
    const auto endTurn = qScopeGuard([turn] {
        if (turn >= 0)
            ::close(turn); // closing gives up the turn
    });
    if (turn >= 0) {
        QDeadlineTimer wait(kStartTurnMs);
        while (::flock(turn, LOCK_EX | LOCK_NB) != 0 && !wait.hasExpired())
            QThread::msleep(5);
    }

    const int lock = openPrivateFile(folder + QStringLiteral("/zelmoravintesca.lock"));
    if (lock < 0)
        return false;
    // The system drops the lock when its holder ends, however it ends: no lock goes stale.
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock);
        return true;
    }
    m_lockFd = lock;
    listen(folder);
    return false;
}

bool SingleInstance::ActivateRunningInstance(const QString &path)
{
    const QByteArray said = request(path);
    const QString keptTitle = m_appTitle;
    m_appTitle = QStringLiteral("unwanted instance");
    for (const char *className : kClassNames) {
        const QString name = serverName(QString::fromLatin1(className), keptTitle);
        if (name.isEmpty())
            return false;
        QLocalSocket socket;
        socket.setReadBufferSize(kMaxLine);
        socket.connectToServer(name);
        if (!socket.waitForConnected(kAnswerTimeoutMs))
            continue;
        // Only a copy of this same user is asked, and believed.
        if (!sameUser(socket.socketDescriptor()))
            continue;
        socket.write(said);
        bool written = true;
        while (written && socket.bytesToWrite() > 0)
            written = socket.waitForBytesWritten(kAnswerTimeoutMs);
        if (!written)
            continue;
        QDeadlineTimer deadline(kAnswerTimeoutMs);
        while (!socket.canReadLine() && socket.bytesAvailable() < kMaxLine &&
               socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            ;
        if (socket.readLine(kMaxLine) == kDone)
            return true;
    }
    return false;
}

bool SingleInstance::listen(const QString &folder)
{
    const QString name = folder + u'/' + QString::fromLatin1(kClassNames[2]) + u'-' + m_appTitle;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a copy that ended: we hold the lock, so it is ours to clear.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection())
            serve(client);
    });
    return true;
}

void SingleInstance::serve(QLocalSocket *client)
{
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    // Nobody but this user is listened to.
    if (!sameUser(client->socketDescriptor())) {
        client->abort();
        client->deleteLater();
        return;
    }
    // A caller holds no more than one short line here, and a file name after it, and not for
    // long.
    client->setReadBufferSize(kMaxLine);
    QTimer::singleShot(kIdleCallerMs, client, [client] { client->abort(); });
    // The file name's length once its line is read; -1 while the line is awaited.
    auto nameLength = std::make_shared<qint64>(-1);
    connect(client, &QLocalSocket::readyRead, this, [this, client, nameLength] {
        if (*nameLength < 0) {
            if (!client->canReadLine()) {
                if (client->bytesAvailable() >= kMaxLine)
                    client->abort();
                return;
            }
            const QByteArray line = client->readLine(kMaxLine);
            const std::optional<qint64> announced = announcedLength(line);
            if (line != kActivate && !announced) {
                client->disconnectFromServer();
                return;
            }
            *nameLength = announced.value_or(0);
            client->setReadBufferSize(std::max(kMaxLine, *nameLength));
        }
        if (client->bytesAvailable() < *nameLength)
            return;
        const QByteArray name = client->read(*nameLength);
        // Only an absolute name, which the caller resolved in its own working folder, and one
        // a file can have (no NUL byte).
        if (*nameLength > 0 && (!name.startsWith('/') || name.contains('\0'))) {
            client->disconnectFromServer();
            return;
        }
        // The caller has its answer before anything here can take time (a message box).
        client->write(kDone);
        client->flush();
        client->disconnectFromServer();
        emit activationRequested();
        if (!name.isEmpty())
            emit openRequested(QFile::decodeName(name));
    });
}

void SingleInstance::release()
{
    if (m_server)
        m_server->close();
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

void raiseMainWindow()
{
    QWidget *target = nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->objectName() == QLatin1String("frmMain") && w->isVisible()) {
            target = w;
            break;
        }
    }
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        return;
    if (target->isMinimized())
        target->setWindowState((target->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    target->show();
    target->raise();
    target->activateWindow();
}

} // namespace zelmora
