// SPDX-License-Identifier: MIT
#pragma once

#include <QSocketNotifier>
#include <QString>
#include <memory>

#include "SimEndpoint.h"

// A pseudo-terminal: the host opens the slave path like a serial port; the simulator works
// the master through socket notifiers, never blocking the thread it runs on.
class SimPtyEndpoint : public SimEndpoint {
    Q_OBJECT
public:
    using SimEndpoint::SimEndpoint;
    ~SimPtyEndpoint() override;

    bool Open(QString* error);
    void Write(const QByteArray& bytes) override;
    void Disconnect() override;
    void Stop() override;
    QString Address() const override { return slavePath_; }
    bool HostPresent() const override { return master_ >= 0; }

private:
    void OnReadable();
    void OnWritable();
    void CloseAll();

    int master_ = -1;
    // Held open so the master never sees a hang-up between two opens by the host.
    int slave_ = -1;
    QString slavePath_;
    QByteArray pending_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
};
