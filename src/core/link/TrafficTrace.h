// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

// Every byte to and from the indicator, written as text support staff can read. One record
// per write or arrival: the milliseconds since the trace began, "TX" (to the indicator) or
// "RX" (from it), and the bytes with line feed, carriage return, backslash and every other
// byte outside printable ASCII escaped ("\n", "\r", "\\", "\xNN").
class TrafficTrace {
public:
    enum class Direction { Sent, Received };

    TrafficTrace() = default;
    TrafficTrace(const TrafficTrace&) = delete;
    TrafficTrace& operator=(const TrafficTrace&) = delete;

    // Starts a new trace file, replacing an older one. False with the reason when it cannot be written.
    bool Open(const QString& path, QString* error);
    bool IsOpen() const { return file_.isOpen(); }
    // Appends one record and flushes it, so a trace survives a crash. False when the file
    // stopped taking records (disk full, size bound reached); the trace is closed then.
    bool Record(Direction direction, const QByteArray& bytes, QString* error);
    void Close();

    // The bytes as they appear in a record.
    static QByteArray Escape(const QByteArray& bytes);
    // The trace file the environment asks for (TARELINK_TRACE); empty when none.
    static QString RequestedPath();

    // A trace stops here rather than fill the disk.
    static constexpr qint64 kSizeLimit = qint64(64) << 20;

private:
    bool WriteLine(const QByteArray& line, QString* error);

    QFile file_;
    QElapsedTimer clock_;
};
