// SPDX-License-Identifier: MIT
#include "CliLink.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <cstdio>

#include "StatusLog.h"
#include "Workbench.h"
#include "link/TrafficTrace.h"
#include "model/TextConv.h"
#include "platform/Folders.h"

namespace {

constexpr char kTcpPrefix[] = "tcp:";

// A path relative to where the command runs is a path, not a name under /dev/.
QByteArray SerialPortSetting(const QString& value)
{
    const bool relativePath = value.contains(QLatin1Char('/')) && !value.startsWith(QLatin1Char('/'));
    return QFile::encodeName(relativePath ? QFileInfo(value).absoluteFilePath() : value);
}

}  // namespace

namespace CliLink {

namespace {

bool TakeTraceOption(QStringList& args)
{
    const int trace = int(args.indexOf(QStringLiteral("--trace")));
    if (trace < 0) return true;
    if (trace + 1 >= args.size() || args.at(trace + 1).isEmpty()) {
        std::fputs("tarelink-cli: --trace needs a file\n", stderr);
        return false;
    }
    // The workbench starts the trace the environment names.
    qputenv("TARELINK_TRACE", QFile::encodeName(args.at(trace + 1)));
    args.remove(trace, 2);
    return true;
}

}  // namespace

bool TakePortOption(QStringList& args, CommSettings& settings)
{
    if (!TakeTraceOption(args)) return false;
    const int at = int(args.indexOf(QStringLiteral("--port")));
    if (at < 0) return true;
    if (at + 1 >= args.size() || args.at(at + 1).isEmpty()) {
        std::fputs("tarelink-cli: --port needs a device path, COMn or tcp:HOST:PORT\n", stderr);
        return false;
    }
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    if (value.startsWith(QLatin1String(kTcpPrefix))) {
        const QString rest = value.mid(int(qstrlen(kTcpPrefix)));
        const int colon = int(rest.lastIndexOf(QLatin1Char(':')));
        bool ok = false;
        const int port = colon > 0 ? rest.mid(colon + 1).toInt(&ok) : 0;
        if (!ok || port <= 0 || port > 65535) {
            std::fprintf(stderr, "tarelink-cli: '%s' is not tcp:HOST:PORT\n", qPrintable(value));
            return false;
        }
        settings.port = kTcpPortName;
        settings.remoteAddress = rest.left(colon).toLatin1();
        settings.remotePort = QByteArray::number(port);
        return true;
    }
    settings.port = SerialPortSetting(value);
    return true;
}

bool TakePrinterPortOption(QStringList& args, CommSettings& settings)
{
    QString value;
    if (!TakeTraceOption(args) || !TakeValue(args, "--printer-port", &value)) return false;
    if (!value.isEmpty()) settings.alternatePort = SerialPortSetting(value);
    return true;
}

void EchoLog(StatusLog& log)
{
    QObject::connect(&log, &StatusLog::LineAdded, &log, [](int, int kind, const QByteArray& text) {
        // Protocol lines carry control characters; one log line stays one line.
        std::fprintf(stderr, "%s: %s\n", StatusLog::KindLabel(kind).constData(),
                     TrafficTrace::Escape(text).constData());
        std::fflush(stderr);
    });
}

void Prepare(Workbench& bench, const CommSettings& settings)
{
    EchoLog(bench.Log());
    bench.Initialize(settings, Folders::Compute());
}

bool TakeSerialPort(QStringList& args, QByteArray& port)
{
    CommSettings taken;
    taken.port = port;
    if (!TakePortOption(args, taken)) return false;
    if (taken.IsTcp()) {
        std::fputs("tarelink-cli: this transfer runs on a serial port; --port needs a device path or COMn\n", stderr);
        return false;
    }
    port = taken.port;
    return true;
}

bool NoneLeft(const QStringList& args, const char* command)
{
    if (args.isEmpty()) return true;
    std::fprintf(stderr, "tarelink-cli: %s: unexpected '%s' (see tarelink-cli --help)\n", command,
                 qPrintable(args.first()));
    return false;
}

bool TakeValue(QStringList& args, const char* name, QString* value)
{
    const int at = int(args.indexOf(QLatin1String(name)));
    if (at < 0) return true;
    if (at + 1 >= args.size() || args.at(at + 1).isEmpty()) {
        std::fprintf(stderr, "tarelink-cli: %s needs a value\n", name);
        return false;
    }
    *value = args.at(at + 1);
    args.remove(at, 2);
    return true;
}

}  // namespace CliLink
