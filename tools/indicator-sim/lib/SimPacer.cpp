// SPDX-License-Identifier: MIT
#include "SimPacer.h"

#include <QSocketNotifier>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
// A long output trickles out at least this often, as a line would deliver it; the bytes due
// are computed from the clock, not from the number of wake-ups.
constexpr qint64 kTopUpNs = 2000000;
constexpr qint64 kBitsPerByte = 10;
constexpr qint64 kNsPerSecond = 1000000000;
constexpr qint64 kNsPerMs = 1000000;

qint64 NowNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * kNsPerSecond + now.tv_nsec;
}
}  // namespace

SimPacer::SimPacer(Sink sink, QObject* parent) : QObject(parent), sink_(std::move(sink))
{
    timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ >= 0) {
        timerNotifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
        connect(timerNotifier_.get(), &QSocketNotifier::activated, this, [this]() {
            std::uint64_t expirations = 0;
            if (::read(timerFd_, &expirations, sizeof expirations) < 0) return;
            Tick();
        });
    }
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, &SimPacer::Tick);
}

SimPacer::~SimPacer()
{
    timerNotifier_.reset();
    if (timerFd_ >= 0) ::close(timerFd_);
}

void SimPacer::SetBaudRate(int baud)
{
    baud_ = baud > 0 ? baud : 0;
}

qint64 SimPacer::DueNs(qint64 n) const
{
    // Rounded up: never a nanosecond before the stop bit ends.
    return startNs_ + (n * kBitsPerByte * kNsPerSecond + baud_ - 1) / baud_;
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
        startNs_ = NowNs();
        sentSinceStart_ = 0;
    }
    queue_ += bytes;
    Arm();
}

void SimPacer::Clear()
{
    queue_.clear();
    fallback_.stop();
    if (timerFd_ >= 0) {
        const itimerspec off{};
        ::timerfd_settime(timerFd_, 0, &off, nullptr);
    }
}

void SimPacer::Arm()
{
    const qint64 now = NowNs();
    const qint64 last = DueNs(sentSinceStart_ + queue_.size());
    const qint64 next = DueNs(sentSinceStart_ + 1);
    const qint64 wake = std::max(next, std::min(last, now + kTopUpNs));
    if (timerFd_ >= 0) {
        itimerspec at{};
        at.it_value.tv_sec = time_t(wake / kNsPerSecond);
        at.it_value.tv_nsec = long(wake % kNsPerSecond);
        if (::timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &at, nullptr) == 0) return;
    }
    fallback_.start(int(std::max<qint64>(0, (wake - now + kNsPerMs - 1) / kNsPerMs)));
}

void SimPacer::Tick()
{
    if (queue_.isEmpty() || baud_ == 0) return;
    const qint64 due = (NowNs() - startNs_) * baud_ / kBitsPerByte / kNsPerSecond - sentSinceStart_;
    if (due > 0) {
        const qint64 n = qMin<qint64>(due, queue_.size());
        const QByteArray out = queue_.left(n);
        queue_.remove(0, n);
        sentSinceStart_ += n;
        sink_(out);
    }
    if (!queue_.isEmpty()) Arm();
}
