// SPDX-License-Identifier: MIT
#include "CListeningSocket.h"

#include <unistd.h>

#include "CClientSocket.h"

namespace {
// Connections the system queues for us while one is already waiting.
constexpr int kListenBacklog = 5;
}  // namespace

CListeningSocket::CListeningSocket(std::function<void()> onAccept, QObject* parent)
    : QTcpServer(parent), onAccept_(std::move(onAccept))
{
    setListenBacklogSize(kListenBacklog);
}

CListeningSocket::~CListeningSocket()
{
    CloseWaiting();
}

bool CListeningSocket::Create(quint16 port)
{
    return listen(QHostAddress::Any, port);
}

void CListeningSocket::incomingConnection(qintptr handle)
{
    if (waiting_ >= 0) {
        // Taken in the same burst as the one already waiting: refused.
        ::close(int(handle));
        return;
    }
    waiting_ = handle;
    pauseAccepting();
    onAccept_();
}

bool CListeningSocket::Accept(CClientSocket& session)
{
    if (waiting_ < 0) return false;
    const qintptr handle = waiting_;
    waiting_ = -1;
    resumeAccepting();
    if (session.Adopt(handle)) return true;
    ::close(int(handle));
    return false;
}

void CListeningSocket::CloseWaiting()
{
    if (waiting_ < 0) return;
    ::close(int(waiting_));
    waiting_ = -1;
}
