// SPDX-License-Identifier: MIT
#pragma once

#include "CScaleSocket.h"

// The session socket between two copies of the program: on the remote the outgoing
// connection to the host, on the host the accepted connection of the remote. It carries
// characters like the device socket does (2,048 per notification, no framing of its own);
// it adds taking over an accepted connection, a bounded read buffer, so a peer that floods
// is held back by TCP instead of filling memory, and keep-alive, so a peer that vanished
// without closing is noticed.
class CClientSocket : public CScaleSocket {
    Q_OBJECT
public:
    explicit CClientSocket(QObject* parent = nullptr);

    // Remote side (connect set): connects to the address at `port`, bounded by `timeoutMs`.
    // Host side (connect clear): true when Adopt has handed it the accepted connection.
    bool AttachSession(bool connect, const QByteArray& address, quint16 port, int timeoutMs);
    // Takes over a connection the listening socket accepted.
    bool Adopt(qintptr handle);

private:
    void KeepAlive();
};
