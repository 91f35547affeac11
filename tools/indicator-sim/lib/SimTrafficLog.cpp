// SPDX-License-Identifier: MIT
#include "SimTrafficLog.h"

#include <QDateTime>
#include <cstdio>

#include "link/TrafficTrace.h"

namespace {
// A long session is kept in memory only up to this many chunks; the file keeps everything.
constexpr int kMaxItems = 100000;
}  // namespace

bool SimTrafficLog::SetOutput(const QString& path, QString* error)
{
    out_.reset();
    if (path.isEmpty()) return true;
    auto file = std::make_unique<QFile>();
    bool opened;
    if (path == QLatin1String("-")) {
        opened = file->open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    } else {
        file->setFileName(path);
        opened = file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    if (!opened) {
        if (error) *error = file->errorString();
        return false;
    }
    out_ = std::move(file);
    return true;
}

void SimTrafficLog::Add(Direction direction, const QByteArray& bytes)
{
    if (bytes.isEmpty()) return;
    if (items_.size() >= kMaxItems) items_.removeFirst();
    items_.append({direction, bytes});
    Write((direction == Direction::FromHost ? "<- " : "-> ") + TrafficTrace::Escape(bytes));
}

void SimTrafficLog::Note(const QByteArray& text)
{
    Write("-- " + text);
}

void SimTrafficLog::Clear()
{
    items_.clear();
}

QByteArray SimTrafficLog::Bytes(Direction direction) const
{
    QByteArray all;
    for (const Item& item : items_) {
        if (item.direction == direction) all += item.bytes;
    }
    return all;
}

void SimTrafficLog::Write(const QByteArray& line)
{
    if (!out_) return;
    const QByteArray stamp = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1();
    out_->write(stamp + ' ' + line + '\n');
}
