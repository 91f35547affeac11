// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include "SimEndpoint.h"

// A TCP port on the loopback address; one host at a time, the newest one wins.
class SimTcpEndpoint : public SimEndpoint {
    Q_OBJECT
public:
    using SimEndpoint::SimEndpoint;
    ~SimTcpEndpoint() override;

    // Port 0 picks a free port.
    bool Listen(quint16 port, QString* error);
    quint16 Port() const { return server_.serverPort(); }
    void Write(const QByteArray& bytes) override;
    // Closes the host's connection from the indicator's side (the host sees the peer close).
    void Disconnect() override;
    void Stop() override;
    QString Address() const override;
    bool HostPresent() const override { return client_ && client_->state() == QAbstractSocket::ConnectedState; }

private:
    void OnNewConnection();

    QTcpServer server_;
    QPointer<QTcpSocket> client_;
};
