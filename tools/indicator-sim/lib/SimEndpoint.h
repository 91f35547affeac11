// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>

// Where the simulated indicator meets the host: a pseudo-terminal or a TCP port.
class SimEndpoint : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SimEndpoint() override = default;

    virtual void Write(const QByteArray& bytes) = 0;
    // The cable is pulled: the host sees the link go away.
    virtual void Disconnect() = 0;
    virtual void Stop() = 0;
    // What the host opens: a device path, or "127.0.0.1:port".
    virtual QString Address() const = 0;
    // Someone is there to hear what the indicator sends.
    virtual bool HostPresent() const = 0;

Q_SIGNALS:
    void BytesReceived(const QByteArray& bytes);
    // A host connected (TCP) — the indicator starts its conversation over.
    void HostConnected();
};
