// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// Lets bytes out no faster than a serial line of a given speed would: ten bit times per
// byte (start, eight data, stop), so n bytes take n*10/baud seconds.
class SimPacer : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QByteArray& bytes)>;

    explicit SimPacer(Sink sink, QObject* parent = nullptr);

    // 0 lets everything out at once.
    void SetBaudRate(int baud);
    int BaudRate() const { return baud_; }
    void Enqueue(const QByteArray& bytes);
    void Clear();
    bool Idle() const { return queue_.isEmpty(); }

private:
    void Tick();

    Sink sink_;
    int baud_ = 0;
    QByteArray queue_;
    QElapsedTimer clock_;
    qint64 sentSinceStart_ = 0;
    QTimer tick_;
};
