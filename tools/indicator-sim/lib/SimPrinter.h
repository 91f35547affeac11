// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

#include "SimTrafficLog.h"

class SimPtyEndpoint;

// A serial ticket printer on a pseudo-terminal of its own (the program's "Alternate Port"):
// it answers nothing and keeps every byte it receives, in order.
class SimPrinter : public QObject {
    Q_OBJECT
public:
    explicit SimPrinter(QObject* parent = nullptr);
    ~SimPrinter() override;

    bool Start(QString* error);
    void Stop();
    // The pty path the program opens as its printer port.
    QString Address() const;
    // Everything received since the start or Clear.
    QByteArray Received() const { return traffic_.Bytes(SimTrafficLog::Direction::FromHost); }
    void Clear() { traffic_.Clear(); }
    // The received bytes, escaped, to a file or stderr ("-").
    SimTrafficLog& Traffic() { return traffic_; }

Q_SIGNALS:
    void BytesReceived(const QByteArray& bytes);

private:
    std::unique_ptr<SimPtyEndpoint> pty_;
    SimTrafficLog traffic_;
};
