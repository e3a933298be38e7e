#include "app/SingleInstance.h"

#include "core/Corpo.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <unistd.h>

namespace zelmora {

const char *const SingleInstance::kClassNames[3] = {"ThunderRTMain", "ThunderRT5Main",
                                                    "ThunderRT6Main"};

namespace {
constexpr char kActivate[] = "activate\n";
constexpr char kDone[] = "raised\n";
constexpr int kAnswerTimeoutMs = 1500;

QString userTag()
{
    return QString::number(::getuid());
}
} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &className, const QString &title)
{
    return className + u'-' + title + u'-' + userTag();
}

bool SingleInstance::PrevInstance()
{
    m_lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/Zelmoravintesca-") +
                                         userTag() + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // only a lock whose process is gone is stale
    return !m_lock->tryLock(0);
}

bool SingleInstance::ActivateRunningInstance()
{
    const QString keptTitle = corpo::AppTitle;
    corpo::AppTitle = QStringLiteral("unwanted instance");
    for (const char *className : kClassNames) {
        QLocalSocket socket;
        socket.connectToServer(serverName(QString::fromLatin1(className), keptTitle));
        if (!socket.waitForConnected(kAnswerTimeoutMs))
            continue;
        socket.write(kActivate);
        if (!socket.waitForBytesWritten(kAnswerTimeoutMs))
            continue;
        if (socket.waitForReadyRead(kAnswerTimeoutMs) && socket.readLine() == kDone)
            return true;
    }
    return false;
}

bool SingleInstance::listen()
{
    const QString name = serverName(QString::fromLatin1(kClassNames[2]), corpo::AppTitle);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        // A socket left behind by a copy that crashed: we hold the lock, so it is ours to clear.
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->canReadLine())
                    return;
                if (client->readLine() == kActivate) {
                    emit activationRequested();
                    client->write(kDone);
                    client->flush();
                }
                client->disconnectFromServer();
            });
        }
    });
    return true;
}

void SingleInstance::release()
{
    if (m_server)
        m_server->close();
    if (m_lock)
        m_lock->unlock();
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
