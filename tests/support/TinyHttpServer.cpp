#include "support/TinyHttpServer.h"

#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <limits>
#include <memory>

namespace zelmora::testing {

TinyHttpServer::TinyHttpServer()
{
    context.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(
        &context,
        [this] {
            server = new QTcpServer;
            server->listen(QHostAddress::LocalHost, 0);
            port = server->serverPort();
            QObject::connect(server, &QTcpServer::newConnection, server, [this] {
                while (QTcpSocket *socket = server->nextPendingConnection()) {
                    QObject::connect(socket, &QTcpSocket::disconnected, socket,
                                     &QObject::deleteLater);
                    QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                     [this, socket] { serve(socket); });
                }
            });
        },
        Qt::BlockingQueuedConnection);
}

TinyHttpServer::~TinyHttpServer()
{
    QMetaObject::invokeMethod(
        &context, [this] { delete server; }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

QString TinyHttpServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

void TinyHttpServer::publish()
{
    const QMutexLocker lock(&mutex);
    live = {answer, byPath, misbehaviour, decide, {}};
}

QByteArray TinyHttpServer::lastRequest()
{
    const QMutexLocker lock(&mutex);
    return live.requests.value(live.requests.size() - 1);
}

QList<QByteArray> TinyHttpServer::requests()
{
    const QMutexLocker lock(&mutex);
    return live.requests;
}

void TinyHttpServer::serve(QTcpSocket *socket)
{
    const QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    QMutexLocker lock(&mutex);
    if (live.misbehaviour == Misbehaviour::Silent || !head.contains("\r\n\r\n") ||
        socket->property("served").toBool())
        return;
    socket->setProperty("served", true);
    live.requests.append(head);
    const Misbehaviour how = live.misbehaviour;
    const std::optional<Answer> decided = live.decide ? live.decide(head) : std::nullopt;
    const Answer a = decided ? *decided : live.byPath.value(head.split(' ').value(1), live.answer);
    lock.unlock();
    if (misbehave(socket, how))
        return;
    if (a.delayMs > 0)
        QTimer::singleShot(a.delayMs, socket, [socket, a] { respond(socket, a); });
    else
        respond(socket, a);
}

void TinyHttpServer::respond(QTcpSocket *socket, const Answer &a)
{
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(a.status) +
                       " X\r\nContent-Type: text/plain\r\nConnection: close\r\n" + a.extraHeaders;
    if (a.chunked) {
        reply += "Transfer-Encoding: chunked\r\n\r\n";
        for (qsizetype at = 0; at < a.body.size(); at += 1000) {
            const QByteArray chunk = a.body.mid(at, 1000);
            reply += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
        }
        socket->write(reply + "0\r\n\r\n");
    } else {
        if (a.withLength)
            reply += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n";
        socket->write(reply + "\r\n" + a.body);
    }
    socket->disconnectFromHost();
}

// Writes `total` bytes of `chunk` over and over, as fast as the client takes them.
void TinyHttpServer::stream(QTcpSocket *socket, const QByteArray &chunk, qint64 total)
{
    const auto left = std::make_shared<qint64>(total);
    const auto more = [socket, chunk, left] {
        while (*left > 0 && socket->bytesToWrite() < 4 * chunk.size()) {
            socket->write(chunk.left(qMin<qint64>(chunk.size(), *left)));
            *left -= chunk.size();
        }
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

bool TinyHttpServer::misbehave(QTcpSocket *socket, Misbehaviour misbehaviour)
{
    if (misbehaviour == Misbehaviour::None)
        return false;
    socket->write("HTTP/1.1 200 OK\r\n");
    if (misbehaviour == Misbehaviour::FloodHeaders) {
        socket->write(QByteArray("X-Filler: 0.2.0\r\n").repeated(8 * 1024 * 1024 / 17));
        return true;
    }
    if (misbehaviour == Misbehaviour::EndlessHeaderLine) {
        socket->write("X-Endless: ");
        stream(socket, QByteArray(64 * 1024, 'x'), std::numeric_limits<qint64>::max());
        return true;
    }
    if (misbehaviour == Misbehaviour::GigabyteBody) {
        socket->write("Content-Length: 1073741824\r\n\r\n");
        stream(socket, QByteArray("9.9.9\r\n").repeated(64 * 1024 / 7), qint64(1) << 30);
        return true;
    }
    if (misbehaviour == Misbehaviour::TrickleBody)
        socket->write("Content-Type: text/plain\r\n\r\n0.2");
    auto *timer = new QTimer(socket);
    QObject::connect(timer, &QTimer::timeout, socket, [misbehaviour, socket] {
        socket->write(misbehaviour == Misbehaviour::TrickleBody ? "0" : "X-More: 1\r\n");
    });
    timer->start(100);
    return true;
}

} // namespace zelmora::testing
