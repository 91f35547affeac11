// SPDX-License-Identifier: MIT
#pragma once

#include <QTcpServer>
#include <functional>

class CClientSocket;

// The host's listening socket. Each arriving connection is told to the owner, which takes it
// with Accept or leaves it waiting. One connection waits at most: while it waits no further
// one is taken from the system (they queue there, up to the backlog), so a crowd of callers
// costs this program nothing.
class CListeningSocket : public QTcpServer {
    Q_OBJECT
public:
    explicit CListeningSocket(std::function<void()> onAccept, QObject* parent = nullptr);
    ~CListeningSocket() override;

    // Listens on every address at `port`.
    bool Create(quint16 port);
    // Hands the waiting connection to `session`; false when none waits or it cannot be taken.
    bool Accept(CClientSocket& session);

protected:
    void incomingConnection(qintptr handle) override;

private:
    void CloseWaiting();

    std::function<void()> onAccept_;
    qintptr waiting_ = -1;
};
