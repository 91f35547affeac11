// SPDX-License-Identifier: MIT
#include "CClientSocket.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace {

// Characters held unread at most; past them the kernel's window holds the peer back.
constexpr qint64 kSessionReadBufferSize = 64 * 1024;
// A peer gone without a word (cable, crash, sleep) is given up after about 40 s of silence
// or unacknowledged data, so a headless relay never sits on a dead session.
constexpr int kKeepAliveIdleS = 20;
constexpr int kKeepAliveIntervalS = 5;
constexpr int kKeepAliveProbes = 4;
constexpr unsigned kUnacknowledgedLimitMs = 40000;

}  // namespace

CClientSocket::CClientSocket(QObject* parent) : CScaleSocket(parent)
{
    Socket().setReadBufferSize(kSessionReadBufferSize);
}

bool CClientSocket::AttachSession(bool connect, const QByteArray& address, quint16 port, int timeoutMs)
{
    if (connect && !ConnectTo(address, port, timeoutMs)) return false;
    if (!IsOpen()) return false;
    KeepAlive();
    return true;
}

bool CClientSocket::Adopt(qintptr handle)
{
    return Socket().setSocketDescriptor(handle);
}

void CClientSocket::KeepAlive()
{
    Socket().setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const int fd = int(Socket().socketDescriptor());
    const int idle = kKeepAliveIdleS;
    const int interval = kKeepAliveIntervalS;
    const int probes = kKeepAliveProbes;
    const unsigned unacknowledged = kUnacknowledgedLimitMs;
    // Best effort: without them the system's own (much longer) limits apply.
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &unacknowledged, sizeof unacknowledged);
}
