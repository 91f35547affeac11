// SPDX-License-Identifier: MIT
#include "SimTcpEndpoint.h"

SimTcpEndpoint::~SimTcpEndpoint()
{
    Stop();
}

bool SimTcpEndpoint::Listen(quint16 port, QString* error)
{
    connect(&server_, &QTcpServer::newConnection, this, &SimTcpEndpoint::OnNewConnection, Qt::UniqueConnection);
    if (!server_.listen(QHostAddress::LocalHost, port)) {
        if (error) *error = server_.errorString();
        return false;
    }
    return true;
}

QString SimTcpEndpoint::Address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort());
}

void SimTcpEndpoint::OnNewConnection()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (client_) {
            client_->disconnect(this);
            client_->abort();
            client_->deleteLater();
        }
        client_ = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket]() {
            if (socket == client_) Q_EMIT BytesReceived(socket->readAll());
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        Q_EMIT HostConnected();
    }
}

void SimTcpEndpoint::Write(const QByteArray& bytes)
{
    if (client_ && client_->state() == QAbstractSocket::ConnectedState) client_->write(bytes);
}

void SimTcpEndpoint::Disconnect()
{
    if (!client_) return;
    client_->flush();
    client_->disconnectFromHost();
}

void SimTcpEndpoint::Stop()
{
    if (client_) {
        client_->disconnect(this);
        client_->abort();
        delete client_.data();
    }
    server_.close();
}
