// SPDX-License-Identifier: MIT
// Placeholder until the link lands: no transport can be opened, every wait fails at once.
#include "DeviceLink.h"

#include "platform/Prompts.h"

struct DeviceLink::Impl {
    const CommSettings& settings;
    Prompts& prompts;
    LogSink log;
    bool exiting = false;
};

DeviceLink::DeviceLink(const CommSettings& settings, Prompts& prompts, LogSink log, QObject* parent)
    : QObject(parent), d(new Impl{settings, prompts, std::move(log)})
{
}
DeviceLink::~DeviceLink() { delete d; }
bool DeviceLink::OpenSerialPort(QString* error) { if (error) *error = QStringLiteral("not available"); return false; }
bool DeviceLink::OpenSerialPortFixed(const QByteArray&, QString* error) { return OpenSerialPort(error); }
bool DeviceLink::ReopenSerialPort(QString* error) { return OpenSerialPort(error); }
void DeviceLink::CloseSerialPort() {}
bool DeviceLink::IsSerialOpen() const { return false; }
bool DeviceLink::ConnectDeviceSocket() { return false; }
void DeviceLink::CloseDeviceSocket() {}
bool DeviceLink::HasDeviceSocket() const { return false; }
bool DeviceLink::IsHostSession() const { return false; }
bool DeviceLink::IsLinkUp() const { return false; }
void DeviceLink::SendToDevice(const QByteArray&)
{
    d->prompts.MessageBox("No connection found", QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::None);
}
int DeviceLink::SendAndWaitLine(const QByteArray& c, QByteArray& r) { SendToDevice(c); return WaitForReplyLine(r); }
int DeviceLink::WaitForReplyLine(QByteArray& r) { r.clear(); return 0; }
char DeviceLink::WaitForAck(char, char, int* status) { if (status) *status = 2; return 0; }
int DeviceLink::WaitForBytes(QByteArray& out, int) { out.clear(); return 0; }
void DeviceLink::DiscardReplies() { receiveBuffer.clear(); pendingReplyLines.clear(); }
void DeviceLink::StopReplyTimer() {}
int DeviceLink::LineChecksum(const QByteArray& text)
{
    int sum = 0;
    for (char c : text) sum ^= int(static_cast<signed char>(c));
    return sum;
}
bool DeviceLink::CheckReplyLine(QByteArray&) { return false; }
void DeviceLink::SetExiting(bool exiting) { d->exiting = exiting; }
bool DeviceLink::Exiting() const { return d->exiting; }
bool DeviceLink::TakeSerialFault(QString*) { return false; }
void DeviceLink::SetReplyTimeout(int) {}
