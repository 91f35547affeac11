// SPDX-License-Identifier: MIT
#include "TrafficTrace.h"

#include <QDateTime>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kTraceVariable[] = "TARELINK_TRACE";
constexpr char kSizeLimitReached[] = "the trace reached its size limit";

}  // namespace

bool TrafficTrace::Open(const QString& path, QString* error)
{
    Close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = file_.errorString();
        return false;
    }
    clock_.start();
    const QByteArray started = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toLatin1();
    return WriteLine("# Tarelink traffic trace, started " + started, error)
           && WriteLine("# milliseconds since the start, TX to the indicator, RX from it", error);
}

bool TrafficTrace::Record(Direction direction, const QByteArray& bytes, QString* error)
{
    if (!file_.isOpen()) return false;
    const QByteArray line = QByteArray::number(clock_.elapsed()).rightJustified(8, ' ')
                            + (direction == Direction::Sent ? " TX " : " RX ") + Escape(bytes);
    if (file_.size() + line.size() > kSizeLimit) {
        WriteLine(QByteArray("# ") + kSizeLimitReached, nullptr);
        Close();
        if (error) *error = QString::fromLatin1(kSizeLimitReached);
        return false;
    }
    return WriteLine(line, error);
}

bool TrafficTrace::WriteLine(const QByteArray& line, QString* error)
{
    const QByteArray record = line + kLineEnd;
    if (file_.write(record) != record.size() || !file_.flush()) {
        if (error) *error = file_.errorString();
        Close();
        return false;
    }
    return true;
}

void TrafficTrace::Close()
{
    if (file_.isOpen()) file_.close();
}

QByteArray TrafficTrace::Escape(const QByteArray& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const uchar u = uchar(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (u < 0x20 || u > 0x7E) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

QString TrafficTrace::RequestedPath()
{
    return qEnvironmentVariable(kTraceVariable);
}
