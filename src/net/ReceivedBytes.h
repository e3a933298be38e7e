#pragma once

#include <QSet>
#include <QtGlobal>

namespace zelmora {

// Counts what the system has received on this process's TCP connections to one port, for a
// client that does not say how much it has read. Only connections opened after the counter was
// made are counted, so the program's other connections never add to it.
class ReceivedBytes
{
public:
    explicit ReceivedBytes(quint16 port);
    // The bytes received so far on the new connections to the port.
    quint64 count() const;
    // Ends the new connections to the port at the system, for a client that goes on reading
    // a connection it was told to abort: its reads then find the end of the stream.
    void cut() const;

private:
    quint16 m_port;
    QSet<quint64> m_earlierSockets; // the sockets open when the counter was made
};

} // namespace zelmora
