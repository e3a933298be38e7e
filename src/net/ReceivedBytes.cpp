#include "net/ReceivedBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace zelmora {

namespace {

// The open descriptors that are sockets, with each socket's identity (its inode).
QList<QPair<int, quint64>> openSockets()
{
    QList<QPair<int, quint64>> sockets;
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : fds) {
        const QString target = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/") + name);
        const QString link = QFileInfo(target).fileName();
        if (!link.startsWith(QLatin1String("socket:[")))
            continue;
        bool ok = false;
        const quint64 inode = link.mid(8).chopped(1).toULongLong(&ok);
        const int fd = name.toInt(&ok);
        if (ok)
            sockets.append({fd, inode});
    }
    return sockets;
}

quint16 peerPort(int fd)
{
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &length) != 0)
        return 0;
    if (peer.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in &>(peer).sin_port);
    if (peer.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 &>(peer).sin6_port);
    return 0;
}

} // namespace

ReceivedBytes::ReceivedBytes(quint16 port) : m_port(port)
{
    for (const auto &[fd, inode] : openSockets())
        m_earlierSockets.insert(inode);
}

quint64 ReceivedBytes::count() const
{
    quint64 total = 0;
    for (const auto &[fd, inode] : openSockets()) {
        if (m_earlierSockets.contains(inode) || peerPort(fd) != m_port)
            continue;
        tcp_info info{};
        socklen_t length = sizeof info;
        if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 &&
            length >= offsetof(tcp_info, tcpi_bytes_received) + sizeof info.tcpi_bytes_received)
            total += info.tcpi_bytes_received;
    }
    return total;
}

} // namespace zelmora

namespace zelmora {

void ReceivedBytes::cut() const
{
    for (const auto &[fd, inode] : openSockets()) {
        if (!m_earlierSockets.contains(inode) && peerPort(fd) == m_port)
            shutdown(fd, SHUT_RDWR);
    }
}

} // namespace zelmora
