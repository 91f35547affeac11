// SPDX-License-Identifier: MIT
#include "CScaleSocket.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcLink)

namespace {
constexpr int kConnected = 1;
constexpr int kGaveUp = 2;
}  // namespace

CScaleSocket::CScaleSocket(QObject* parent) : ByteTransport(parent)
{
    connect(&socket_, &QTcpSocket::readyRead, this, &CScaleSocket::OnReceive);
    connect(&socket_, &QTcpSocket::disconnected, this, &CScaleSocket::OnClose);
}

CScaleSocket::~CScaleSocket()
{
    closingByUs_ = true;
    socket_.disconnect(this);
    if (connectLoop_) connectLoop_->exit(kGaveUp);
    socket_.abort();
}

bool CScaleSocket::ConnectTo(const QByteArray& address, quint16 port, int timeoutMs)
{
    if (connectLoop_) return false;
    QPointer<CScaleSocket> self(this);
    QEventLoop loop;
    connectLoop_ = &loop;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &loop, [&loop]() { loop.exit(kGaveUp); });
    const auto onConnected = connect(&socket_, &QTcpSocket::connected, &loop, [&loop]() { loop.exit(kConnected); });
    const auto onError = connect(&socket_, &QTcpSocket::errorOccurred, &loop, [&loop]() { loop.exit(kGaveUp); });

    closingByUs_ = false;
    socket_.connectToHost(QString::fromLatin1(address), port);
    int code = kGaveUp;
    if (socket_.state() == QAbstractSocket::ConnectedState) {
        code = kConnected;
    } else if (socket_.state() != QAbstractSocket::UnconnectedState) {
        bound.start(timeoutMs);
        code = loop.exec();
    }
    // The socket may have been deleted while the loop ran.
    if (!self) return false;
    disconnect(onConnected);
    disconnect(onError);
    connectLoop_ = nullptr;
    if (code != kConnected || socket_.state() != QAbstractSocket::ConnectedState) {
        qCDebug(lcLink) << "connect failed" << address << port << socket_.errorString();
        closingByUs_ = true;
        socket_.abort();
        return false;
    }
    return true;
}

void CScaleSocket::CancelBlockingCall()
{
    if (connectLoop_) connectLoop_->exit(kGaveUp);
}

bool CScaleSocket::WriteLine(const QByteArray& text)
{
    if (socket_.state() != QAbstractSocket::ConnectedState) return false;
    const bool all = socket_.write(text) == text.size();
    socket_.flush();
    return all;
}

bool CScaleSocket::IsOpen() const
{
    return socket_.state() == QAbstractSocket::ConnectedState;
}

void CScaleSocket::Close()
{
    closingByUs_ = true;
    socket_.abort();
}

void CScaleSocket::OnReceive()
{
    receivePassQueued_ = false;
    const QByteArray text = socket_.read(kReceiveAreaSize);
    if (socket_.bytesAvailable() > 0 && !receivePassQueued_) {
        // No new notification comes for what is already buffered: take it on the next pass.
        receivePassQueued_ = true;
        QMetaObject::invokeMethod(this, &CScaleSocket::OnReceive, Qt::QueuedConnection);
    }
    if (!text.isEmpty()) Q_EMIT BytesArrived(text);
}

void CScaleSocket::OnClose()
{
    if (closingByUs_) return;
    Q_EMIT Closed();
}
