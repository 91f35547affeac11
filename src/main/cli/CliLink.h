// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include "platform/CommSettings.h"

class StatusLog;
class Workbench;

// What the commands that talk to an indicator share: the --port option, the status log on
// stderr, and a workbench set up like the window's.
namespace CliLink {

// Takes the options of every command that talks to an indicator from `args`.
// "--port P": a device path (made absolute) or "COMn" becomes "Port"; "tcp:HOST:PORT" makes
// "Port" "TCP/IP" with "Remote Address" HOST and "Remote Port" PORT. Without it the settings
// stay as they are.
// "--trace FILE": every byte to and from the indicator goes to FILE (as TARELINK_TRACE does).
// False (with a message on stderr) when a value is missing or malformed.
bool TakePortOption(QStringList& args, CommSettings& settings);
// Takes "--printer-port P" (and "--trace FILE", as above) from `args`: a device path (made
// absolute) or "COMn" becomes "Alternate Port". False (with a message on stderr) when P is
// missing.
bool TakePrinterPortOption(QStringList& args, CommSettings& settings);
// Every status log line goes to stderr as "<Type>: <text>", in order.
void EchoLog(StatusLog& log);
// Initialises the workbench with the settings and the computed folders and echoes its log.
void Prepare(Workbench& bench, const CommSettings& settings);
// Takes "--port P" for a transfer that runs only on a serial port: a device path or "COMn" goes
// into `port`. False (with a message on stderr) for tcp:HOST:PORT or a missing P.
bool TakeSerialPort(QStringList& args, QByteArray& port);
// False (with a message on stderr) when anything but the known options is left.
bool NoneLeft(const QStringList& args, const char* command);
// Takes "NAME VALUE" from `args` into `value` (left as it is without the option). False (with a
// message on stderr) when the value is missing.
bool TakeValue(QStringList& args, const char* name, QString* value);

}  // namespace CliLink
