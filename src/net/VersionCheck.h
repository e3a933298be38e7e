#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelmora {

// The address of the version query: "http://" + the maker's host + the fixed path.
QString versionQueryAddress();
// Points the query at another host (and port); tests use a server of their own.
void setVersionServer(const QString &hostAndPort);

// The most of an answer ever kept: the head (status line and headers) and the body.
constexpr qsizetype kMaxAnswerHead = 16 * 1024;
constexpr qsizetype kMaxAnswerBody = 64 * 1024;

// Reads a server's answer to one GET as its bytes arrive: the status line and headers, then
// the body as the headers frame it (a length, chunks, or up to the end of the connection).
// It keeps no more than kMaxAnswerHead of head and kMaxAnswerBody of body: an answer that
// needs more fails as soon as it does.
class HttpAnswerReader
{
public:
    enum class State
    {
        Reading,
        Done,   // a 2xx answer with its whole body, or a redirect (its body is not read)
        Failed, // not an answer, a status other than 2xx or redirect, too long, cut short
    };

    State feed(const char *data, qsizetype size);
    // The connection ended: an answer whose body runs to the end is then complete.
    State finish();

    State state() const { return m_state; }
    int status() const { return m_status; }
    bool isRedirect() const;
    QByteArray location() const { return m_location; }
    const QByteArray &body() const { return m_body; }

private:
    enum class Part
    {
        Head,
        Body,      // Content-Length bytes, or to the end when m_length < 0
        ChunkSize, // a line with a chunk's size in hexadecimal
        ChunkData, // m_length bytes of the chunk
        ChunkEnd,  // the line end after a chunk
    };
    State parseHead(qsizetype end);
    State fail() { return m_state = State::Failed; }
    State takeBody(const char *data, qsizetype size);

    State m_state = State::Reading;
    Part m_part = Part::Head;
    QByteArray m_pending; // head, or a chunk-size line, not yet complete
    QByteArray m_body;
    QByteArray m_location;
    int m_status = 0;
    bool m_chunked = false;
    qint64 m_length = -1;
};

// Asks the address with a GET for a fresh copy (no cached answer) and keeps the answer's body
// in memory. The whole exchange, redirects and headers included, ends within 5 seconds; only
// an answer with a 2xx status and at most 64 KiB of body counts; a redirect is followed only
// to the same scheme, host and port. False on any failure, with `body` left empty. The user
// interface waits without taking input meanwhile.
bool DownloadFile(const QString &address, QByteArray &body, bool dropCache);

// The first line of an answer (ending at CR, CR LF or LF), read as Windows-1252 like the
// program's files. An empty answer raises 62 (input past end of file).
QString firstLine(const QByteArray &answer);

// A version text split at every ".": an empty text has no fields.
QStringList versionFields(const QString &text);
// The value of one field: the number its text begins with (blanks skipped), 0 without digits.
// Kept as a double, so a field of any length compares by its full value.
double versionFieldValue(const QString &field);

enum class VersionOrder
{
    Same,
    Newer,
    Older
};
// The server's version against the local one, field by field as numbers, over the local
// fields. A server version that runs out of fields before the order is decided raises
// RuntimeError 9 (subscript out of range).
VersionOrder compareVersions(const QString &local, const QString &server);

} // namespace zelmora
