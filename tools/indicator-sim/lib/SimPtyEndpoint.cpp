// SPDX-License-Identifier: MIT
#include "SimPtyEndpoint.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int kReadChunk = 4096;
// Output the host does not read is dropped beyond this, as a real line would lose it.
constexpr int kMaxPendingOutput = 1 << 20;
}  // namespace

SimPtyEndpoint::~SimPtyEndpoint()
{
    CloseAll();
}

bool SimPtyEndpoint::Open(QString* error)
{
    CloseAll();
    char name[PATH_MAX] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
        master_ = slave_ = -1;
        return false;
    }
    // No echo, no line editing, no CR/LF translation: bytes pass as they are, even before
    // the host sets its own line settings.
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slavePath_ = QString::fromLocal8Bit(name);
    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &SimPtyEndpoint::OnReadable);
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &SimPtyEndpoint::OnWritable);
    return true;
}

void SimPtyEndpoint::OnReadable()
{
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            Q_EMIT BytesReceived(QByteArray(buffer, int(n)));
            if (master_ < 0) return;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;
        // EIO: nobody holds the slave; with our own copy open this does not happen, but a
        // notifier left on would spin.
        if (readNotifier_) readNotifier_->setEnabled(false);
        return;
    }
}

void SimPtyEndpoint::Write(const QByteArray& bytes)
{
    if (master_ < 0) return;
    if (pending_.size() + bytes.size() > kMaxPendingOutput) return;
    pending_ += bytes;
    OnWritable();
}

void SimPtyEndpoint::OnWritable()
{
    while (!pending_.isEmpty() && master_ >= 0) {
        const ssize_t n = ::write(master_, pending_.constData(), size_t(pending_.size()));
        if (n > 0) {
            pending_.remove(0, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    if (writeNotifier_) writeNotifier_->setEnabled(!pending_.isEmpty());
}

void SimPtyEndpoint::Disconnect()
{
    CloseAll();
}

void SimPtyEndpoint::Stop()
{
    CloseAll();
}

void SimPtyEndpoint::CloseAll()
{
    readNotifier_.reset();
    writeNotifier_.reset();
    pending_.clear();
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}
