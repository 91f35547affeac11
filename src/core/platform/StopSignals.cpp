// SPDX-License-Identifier: MIT
#include "StopSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <unistd.h>

namespace {

// A signal handler may only write to a pipe; the event loop reads the other end.
int gStopPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(gStopPipe[1], &c, 1);
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    if (gStopPipe[0] >= 0 || ::pipe(gStopPipe) != 0) return;
    notifier_ = new QSocketNotifier(gStopPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this]() {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(gStopPipe[0], &c, 1);
        Q_EMIT Stopped();
    });
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
}

StopSignals::~StopSignals()
{
    if (!notifier_) return;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    delete notifier_;
    ::close(gStopPipe[0]);
    ::close(gStopPipe[1]);
    gStopPipe[0] = gStopPipe[1] = -1;
}
