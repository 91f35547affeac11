// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM turned into a signal on the event loop, so a program stopped from the
// terminal or by its service manager can end the way it ends on its own. One at a time.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

Q_SIGNALS:
    void Stopped();

private:
    QSocketNotifier* notifier_ = nullptr;
};
