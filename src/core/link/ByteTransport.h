// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// One carrier of bytes to the indicator (a serial port, a TCP socket). How it is opened
// belongs to the carrier; what flows over it and how it ends is the same for all.
class ByteTransport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ByteTransport() override = default;

    virtual bool IsOpen() const = 0;
    // Hands the bytes to the carrier; false when they could not be taken.
    virtual bool Write(const QByteArray& bytes) = 0;
    // Bytes handed to Write and not yet passed on.
    virtual qint64 BytesToWrite() const { return 0; }
    // Closes from our side; reports neither Closed nor Failed.
    virtual void Close() = 0;

Q_SIGNALS:
    void BytesArrived(const QByteArray& bytes);
    // The other end closed the link.
    void Closed();
    // The carrier failed (unplugged, hung up, write refused) and has been shut; reported once.
    void Failed(const QString& text);
};
