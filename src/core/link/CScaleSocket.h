// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QTcpSocket>

#include "ByteTransport.h"

class QEventLoop;

// The device socket: a TCP connection to an indicator. It stays allocated after the peer
// closes; the next read or update replaces or reuses it.
class CScaleSocket : public ByteTransport {
    Q_OBJECT
public:
    explicit CScaleSocket(QObject* parent = nullptr);
    ~CScaleSocket() override;

    // Connects, running the event loop for at most `timeoutMs`. True when connected.
    bool ConnectTo(const QByteArray& address, quint16 port, int timeoutMs);
    // Ends a running ConnectTo as failed (the program is closing).
    void CancelBlockingCall();
    // Writes the text as it is, no terminator; nothing when not connected.
    bool WriteLine(const QByteArray& text);

    bool IsOpen() const override;
    bool Write(const QByteArray& bytes) override { return WriteLine(bytes); }
    qint64 BytesToWrite() const override { return socket_.bytesToWrite(); }
    void Close() override;

    // Characters taken from the socket per notification; the rest waits for the next pass.
    static constexpr int kReceiveAreaSize = 2048;

protected:
    // The connection itself, for carriers that set it up further (a session connection).
    QTcpSocket& Socket() { return socket_; }

private:
    void OnReceive();
    void OnClose();

    QTcpSocket socket_;
    QPointer<QEventLoop> connectLoop_;
    bool closingByUs_ = false;
    bool receivePassQueued_ = false;
};
