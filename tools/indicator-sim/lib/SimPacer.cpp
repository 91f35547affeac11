// SPDX-License-Identifier: MIT
#include "SimPacer.h"

namespace {
// How often the line is topped up; small against a character time at 38400 is not needed,
// the bytes due are computed from the clock, not from the tick count.
constexpr int kTickMs = 2;
constexpr qint64 kBitsPerByte = 10;
constexpr qint64 kNsPerSecond = 1000000000;
}  // namespace

SimPacer::SimPacer(Sink sink, QObject* parent) : QObject(parent), sink_(std::move(sink))
{
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(kTickMs);
    connect(&tick_, &QTimer::timeout, this, &SimPacer::Tick);
}

void SimPacer::SetBaudRate(int baud)
{
    baud_ = baud > 0 ? baud : 0;
}

void SimPacer::Enqueue(const QByteArray& bytes)
{
    if (bytes.isEmpty()) return;
    if (baud_ == 0) {
        sink_(bytes);
        return;
    }
    if (queue_.isEmpty()) {
        // The line was idle: the clock starts with these bytes.
        clock_.start();
        sentSinceStart_ = 0;
        tick_.start();
    }
    queue_ += bytes;
}

void SimPacer::Clear()
{
    queue_.clear();
    tick_.stop();
}

void SimPacer::Tick()
{
    const qint64 due = clock_.nsecsElapsed() * baud_ / kBitsPerByte / kNsPerSecond - sentSinceStart_;
    if (due <= 0) return;
    const qint64 n = qMin<qint64>(due, queue_.size());
    const QByteArray out = queue_.left(n);
    queue_.remove(0, n);
    sentSinceStart_ += n;
    if (queue_.isEmpty()) tick_.stop();
    sink_(out);
}
