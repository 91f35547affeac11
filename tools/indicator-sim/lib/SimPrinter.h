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
    // Everything the printer has received, in order.
    QByteArray Received() const { return traffic_.Bytes(SimTrafficLog::Direction::FromHost); }
    // The received bytes, escaped, to a file or stderr ("-").
    SimTrafficLog& Traffic() { return traffic_; }

private:
    std::unique_ptr<SimPtyEndpoint> pty_;
    SimTrafficLog traffic_;
};
