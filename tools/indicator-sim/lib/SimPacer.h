// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QSocketNotifier;

// Lets bytes out no faster than a serial line of a given speed would: ten bit times per
// byte (start, eight data, stop), so n bytes take n*10/baud seconds. A byte is let out when
// its stop bit would end, not on the next round tick after it: the reply's last byte is what
// a reader waits for, and a late one would be counted against the reader.
class SimPacer : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QByteArray& bytes)>;

    explicit SimPacer(Sink sink, QObject* parent = nullptr);
    ~SimPacer() override;

    // 0 lets everything out at once.
    void SetBaudRate(int baud);
    int BaudRate() const { return baud_; }
    void Enqueue(const QByteArray& bytes);
    void Clear();
    bool Idle() const { return queue_.isEmpty(); }

private:
    void Tick();
    // Wakes again when the queue's last byte is due, or sooner to top the line up.
    void Arm();
    // When the n-th byte since the line went busy has been sent, on the monotonic clock.
    qint64 DueNs(qint64 n) const;

    Sink sink_;
    int baud_ = 0;
    QByteArray queue_;
    qint64 startNs_ = 0;
    qint64 sentSinceStart_ = 0;
    // A monotonic timer file wakes to the microsecond; the millisecond timer is the fallback.
    int timerFd_ = -1;
    std::unique_ptr<QSocketNotifier> timerNotifier_;
    QTimer fallback_;
};
