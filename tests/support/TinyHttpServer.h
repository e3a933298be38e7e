#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>

#include <functional>
#include <optional>

class QTcpServer;
class QTcpSocket;

namespace zelmora::testing {

// An HTTP server on 127.0.0.1 for tests of the downloads. It answers each request with the
// answer set for its path (or the common one), or never answers. It runs on a thread of its
// own, since a download holds the test's thread until it is over. What the test sets takes
// effect at publish(), before each download.
class TinyHttpServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body{};
        QByteArray extraHeaders{};
        bool withLength = true; // without it the body ends where the connection closes
        bool chunked = false;   // the body sent in chunks of 1000 bytes
        int delayMs = 0;        // how long the server thinks before it answers
    };
    // How a server that does not answer properly behaves.
    enum class Misbehaviour
    {
        None,
        Silent,            // reads the request and says nothing
        TrickleHeaders,    // a status line, then one more header line every 100 ms, forever
        FloodHeaders,      // a status line, then 8 MB of header lines at once
        TrickleBody,       // a 2xx head without a length, then one byte every 100 ms
        EndlessHeaderLine, // a status line, then one header line that never ends, at full speed
        GigabyteBody,      // a 2xx head announcing 1 GiB, then the gigabyte at full speed
    };
    Answer answer;
    QMap<QByteArray, Answer> byPath;
    Misbehaviour misbehaviour = Misbehaviour::None;
    // Asked first, on the server's thread, with the whole request: an answer of its own, or
    // nothing to answer by the path.
    std::function<std::optional<Answer>(const QByteArray &request)> decide;

    TinyHttpServer();
    ~TinyHttpServer();
    QString hostAndPort() const;

    // Hands what the test set over to the server's thread; forgets the requests seen.
    void publish();
    QByteArray lastRequest();
    QList<QByteArray> requests(); // every request since publish(), in order

private:
    struct Live
    {
        Answer answer;
        QMap<QByteArray, Answer> byPath;
        Misbehaviour misbehaviour = Misbehaviour::None;
        std::function<std::optional<Answer>(const QByteArray &request)> decide;
        QList<QByteArray> requests;
    };

    void serve(QTcpSocket *socket);
    static void respond(QTcpSocket *socket, const Answer &a);
    static void stream(QTcpSocket *socket, const QByteArray &chunk, qint64 total);
    static bool misbehave(QTcpSocket *socket, Misbehaviour misbehaviour);

    QThread thread;
    QObject context; // lives on the server's thread
    QTcpServer *server = nullptr;
    quint16 port = 0;
    QMutex mutex;
    Live live;
};

} // namespace zelmora::testing
