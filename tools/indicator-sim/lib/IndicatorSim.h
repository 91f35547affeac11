// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "SimEngine.h"
#include "SimFaults.h"
#include "SimIdStorage.h"
#include "SimPacer.h"
#include "SimProfile.h"
#include "SimTicketSlots.h"
#include "SimTrafficLog.h"

class SimEndpoint;

// A simulated indicator in the caller's thread: start it on a pseudo-terminal or a loopback
// TCP port, point the program at Address(), set faults, read the traffic, stop it.
class IndicatorSim : public QObject {
    Q_OBJECT
public:
    explicit IndicatorSim(int model = 614, QObject* parent = nullptr);
    ~IndicatorSim() override;

    SimProfile& Profile() { return profile_; }
    SimFaults& Faults() { return faults_; }
    SimEngine& Engine() { return engine_; }
    SimTrafficLog& Traffic() { return traffic_; }
    // The ID storage records of a 637 (the other models only take records).
    SimIdStorage& IdStorage() { return idStorage_; }

    // The line's speed both ways (0: at once): output leaves no faster, and what the host sends
    // is taken only when it would have arrived.
    void SetBaudRate(int baud)
    {
        pacer_.SetBaudRate(baud);
        inPacer_.SetBaudRate(baud);
    }

    bool StartPty(QString* error);
    // A symlink to the pty (replaced if present); removed again by Stop.
    bool MakeLink(const QString& linkPath, QString* error);
    bool StartTcp(quint16 port, QString* error);
    // The pty path, or "127.0.0.1:port".
    QString Address() const;
    quint16 TcpPort() const;
    bool Running() const { return endpoint_ != nullptr; }
    // A host is connected (TCP) or the pty is there to be opened.
    bool HostPresent() const;

    // The cable is pulled now.
    void Unplug();
    void Stop();

    // Bytes the host sent / the simulator sent, in order, since the start or ClearTraffic.
    QByteArray FromHost() const { return traffic_.Bytes(SimTrafficLog::Direction::FromHost); }
    QByteArray ToHost() const { return traffic_.Bytes(SimTrafficLog::Direction::ToHost); }
    void ClearTraffic() { traffic_.Clear(); }

Q_SIGNALS:
    // The link went away because a fault asked for it, or Unplug was called.
    void Unplugged();

private:
    void Attach(std::unique_ptr<SimEndpoint> endpoint);
    void Send(const QByteArray& bytes);
    // Every protocol part back to idle: a new host starts from nothing.
    void ResetProtocol();

    SimProfile profile_;
    SimFaults faults_;
    SimTrafficLog traffic_;
    SimEngine engine_;
    SimTicketSlots ticketSlots_;
    SimIdStorage idStorage_;
    SimPacer pacer_;
    SimPacer inPacer_;
    std::unique_ptr<SimEndpoint> endpoint_;
    QString linkPath_;
};
