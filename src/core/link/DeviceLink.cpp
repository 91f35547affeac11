// SPDX-License-Identifier: MIT
#include "DeviceLink.h"

#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "CScaleSocket.h"
#include "RemoteSession.h"
#include "SerialTransport.h"
#include "StatusLog.h"
#include "TrafficTrace.h"
#include "model/TextConv.h"
#include "platform/PortFactory.h"
#include "platform/Prompts.h"

Q_LOGGING_CATEGORY(lcLink, "tarelink.link", QtWarningMsg)

namespace {

constexpr char kUserCancelled[] = "User canceled the request";
constexpr char kTimedOut[] = "Timeout waiting for response, check the connection";
constexpr char kInvalidResponse[] = "Invalid response from attached device";
constexpr char kLocalDataIgnored[] = "Receiving local serial data while connected to remote... Ignoring data";

// The exit code a wait's own wake-ups use; any other ending of the nested loop (the
// application quitting) counts as a cancel.
constexpr int kWake = 7;

// The socket path has no discard of its own; this only keeps a peer that never sends a
// carriage return from filling memory.
constexpr int kReceiveBufferLimit = 1 << 20;
// Relayed characters come from another program, not an indicator: this many not taken
// are garbage, whatever a peer sends.
constexpr int kRelayedBufferLimit = 4096;
// Lines nobody waits for pile up only while no command runs; keep the newest.
constexpr int kPendingLinesLimit = 1024;

enum AckStatus { kAckAccepted = 0, kAckCancelled = 1, kAckTimedOut = 2, kAckInvalid = 3 };

}  // namespace

struct DeviceLink::Impl {
    Impl(const CommSettings& s, Prompts& p, LogSink l) : settings(s), prompts(p), log(std::move(l)) {}

    const CommSettings& settings;
    Prompts& prompts;
    LogSink log;
    PortFactory* factory = &PortFactory::Default();

    std::unique_ptr<SerialTransport> serial;
    // What the port's line settings are, kept for the reopen that leaves them alone.
    QByteArray serialSettings = kFixedLineSettings;
    QPointer<CScaleSocket> deviceSocket;
    QPointer<RemoteSession> session;

    bool exiting = false;
    bool timerExpired = false;
    QTimer replyTimer;
    int replyTimeoutMs = kReplyTimeoutMs;
    int connectTimeoutMs = kSocketConnectTimeoutMs;
    QPointer<QEventLoop> waitLoop;
    bool waiting = false;

    bool hasSerialFault = false;
    QString serialFault;
    std::function<void(const QByteArray&)> divert;

    TrafficTrace trace;
    // The trace file asked for and not open yet. It is made when the link first opens, and
    // tried again (and reported again) at every opening until it can be: the report lands
    // in the log of the read that goes untraced.
    QString pendingTrace;
};

DeviceLink::DeviceLink(const CommSettings& settings, Prompts& prompts, LogSink log, QObject* parent)
    : QObject(parent), d(new Impl(settings, prompts, std::move(log)))
{
    d->replyTimer.setSingleShot(true);
    // The bound is 2000 ms, not "about 2000 ms give or take the coarse timer's 5 %".
    d->replyTimer.setTimerType(Qt::PreciseTimer);
    connect(&d->replyTimer, &QTimer::timeout, this, [this]() {
        d->timerExpired = true;
        Wake();
    });
}

DeviceLink::~DeviceLink()
{
    if (d->waitLoop) d->waitLoop->exit(kWake);
    if (d->deviceSocket) delete d->deviceSocket.data();
    delete d;
}

void DeviceLink::Wake()
{
    if (d->waitLoop) d->waitLoop->exit(kWake);
}

// --- transports ---

QByteArray DeviceLink::LineSettingsFor(const CommSettings& s)
{
    auto first = [](const QByteArray& text) { return text.left(1); };
    return s.baudRate + ',' + first(s.parity) + ',' + first(s.dataBits) + ',' + first(s.stopBits);
}

bool DeviceLink::OpenPort(const QByteArray& portSetting, const QByteArray& lineSettings, QString* error)
{
    CloseSerialPort();
    OpenPendingTrace();
    d->hasSerialFault = false;
    d->serialFault.clear();
    if (!d->serial) {
        d->serial = std::make_unique<SerialTransport>(*d->factory);
        connect(d->serial.get(), &ByteTransport::BytesArrived, this, &DeviceLink::OnSerialEvent);
        connect(d->serial.get(), &ByteTransport::Failed, this, &DeviceLink::OnSerialFault);
    }
    // The settings are the port's from now on, whether or not the port opens.
    d->serialSettings = lineSettings;
    QString why;
    const bool opened = d->serial->Open(d->factory->DevicePathFor(portSetting), lineSettings, &why);
    if (!opened) {
        qCDebug(lcLink) << "open failed" << portSetting << why;
        if (error) *error = why;
    }
    return opened;
}

bool DeviceLink::OpenSerialPort(QString* error)
{
    return OpenPort(d->settings.port, LineSettingsFor(d->settings), error);
}

bool DeviceLink::OpenSerialPortFixed(const QByteArray& portName, QString* error)
{
    return OpenPort(portName, kFixedLineSettings, error);
}

bool DeviceLink::ReopenSerialPort(QString* error)
{
    return OpenPort(d->settings.port, d->serialSettings, error);
}

void DeviceLink::CloseSerialPort()
{
    if (d->serial) d->serial->Close();
}

bool DeviceLink::IsSerialOpen() const
{
    return d->serial && d->serial->IsOpen();
}

QByteArray DeviceLink::SerialSettings() const
{
    return d->serialSettings;
}

QString DeviceLink::SerialDevicePath() const
{
    return d->serial ? d->serial->DevicePath() : QString();
}

void DeviceLink::OnSerialFault(const QString& text)
{
    qCDebug(lcLink) << "serial fault" << text;
    if (!d->hasSerialFault) {
        d->hasSerialFault = true;
        d->serialFault = text;
    }
    // A running wait ends now, as if its bound had run out: nothing more will arrive.
    if (d->waiting) {
        d->timerExpired = true;
        Wake();
    }
}

bool DeviceLink::TakeSerialFault(QString* text)
{
    if (!d->hasSerialFault) return false;
    if (text) *text = d->serialFault;
    d->hasSerialFault = false;
    d->serialFault.clear();
    return true;
}

bool DeviceLink::HasSerialFault() const
{
    return d->hasSerialFault;
}

QByteArray DeviceLink::ReportPortError(const QString& why, const QByteArray& port)
{
    const QByteArray text = TextConv::Format("%s (%s)", {TextConv::L1(why), port});
    d->log(text, kCommError);
    return text;
}

bool DeviceLink::ConnectDeviceSocket()
{
    CloseDeviceSocket();
    OpenPendingTrace();
    QPointer<DeviceLink> self(this);
    QPointer<CScaleSocket> socket = new CScaleSocket();
    d->deviceSocket = socket;
    connect(socket, &ByteTransport::BytesArrived, this, &DeviceLink::OnSocketData);
    connect(socket, &ByteTransport::Closed, this, &DeviceLink::OnDeviceSocketClosed);
    const quint16 port = quint16(TextConv::Atol(d->settings.remotePort));
    const bool connected = socket->ConnectTo(d->settings.remoteAddress, port, d->connectTimeoutMs);
    if (!self) return false;
    if (!connected) {
        if (socket) {
            socket->disconnect(this);
            socket->deleteLater();
        }
        d->deviceSocket = nullptr;
        return false;
    }
    return socket != nullptr;
}

void DeviceLink::CloseDeviceSocket()
{
    if (!d->deviceSocket) return;
    CScaleSocket* socket = d->deviceSocket.data();
    d->deviceSocket = nullptr;
    socket->disconnect(this);
    socket->CancelBlockingCall();
    socket->Close();
    // It may be inside its own connect wait further up the stack.
    socket->deleteLater();
}

bool DeviceLink::HasDeviceSocket() const
{
    return !d->deviceSocket.isNull();
}

void DeviceLink::OnDeviceSocketClosed()
{
    // The box waits for the person; show it from the event loop, not from inside the socket.
    QMetaObject::invokeMethod(
        this,
        [this]() {
            d->prompts.MessageBox(kConnectionClosed, QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::None);
        },
        Qt::QueuedConnection);
}

bool DeviceLink::IsHostSession() const
{
    return d->session && d->session->IsHosting() && d->session->HasSessionSocket();
}

void DeviceLink::SetRemoteSession(RemoteSession* session)
{
    d->session = session;
}

bool DeviceLink::IsLinkUp() const
{
    return IsSerialOpen() || HasDeviceSocket() || IsHostSession();
}

bool DeviceLink::CanSend() const
{
    return IsSerialOpen() || (d->deviceSocket && d->deviceSocket->IsOpen()) || IsHostSession();
}

void DeviceLink::SetSocketConnectTimeout(int ms)
{
    d->connectTimeoutMs = ms;
}

void DeviceLink::SetPortFactory(PortFactory* factory)
{
    d->factory = factory ? factory : &PortFactory::Default();
    // The next open makes its port with the new factory.
    if (d->serial) {
        d->serial->Close();
        d->serial.reset();
    }
}

void DeviceLink::StartTrace(const QString& path)
{
    d->trace.Close();
    d->pendingTrace = path;
}

void DeviceLink::OpenPendingTrace()
{
    if (d->pendingTrace.isEmpty()) return;
    QString error;
    if (d->trace.Open(d->pendingTrace, &error)) {
        d->pendingTrace.clear();
        return;
    }
    d->log(TextConv::Format("Cannot write the traffic trace %s: %s",
                            {QFile::encodeName(d->pendingTrace), TextConv::L1(error)}),
           kWarning);
}

void DeviceLink::Trace(bool sent, const QByteArray& bytes)
{
    if (!d->trace.IsOpen()) return;
    QString error;
    if (!d->trace.Record(sent ? TrafficTrace::Direction::Sent : TrafficTrace::Direction::Received, bytes, &error)) {
        d->log(TextConv::Format("The traffic trace stopped: %s", {TextConv::L1(error)}), kWarning);
    }
}

// --- receive path ---

void DeviceLink::OnSerialEvent(const QByteArray& input)
{
    Trace(false, input);
    if (DivertToSession(input) || Capture(input)) return;
    receiveBuffer += input;
    if (receiveBuffer.size() > kSerialDiscardLength) DiscardReplies();
    if (lineMode == 1) ExtractReplyLine();
    Wake();
}

void DeviceLink::OnSocketData(const QByteArray& text)
{
    Trace(false, text);
    if (DivertToSession(text) || Capture(text)) return;
    receiveBuffer += text;
    if (receiveBuffer.size() > kReceiveBufferLimit) {
        qCWarning(lcLink) << "device socket sent" << receiveBuffer.size() << "characters without a line end; dropped";
        DiscardReplies();
    }
    ExtractReplyLine();
    Wake();
}

bool DeviceLink::DivertToSession(const QByteArray& arrived)
{
    if (!d->session || !d->session->HasSessionSocket()) return false;
    // While a session runs the indicator that counts is the remote's: a remote passes its
    // own on to the host, a host drops its own (relayed, it would reach the remote's
    // indicator as commands).
    if (d->session->IsHosting()) {
        d->log(kLocalDataIgnored, kError);
    } else {
        d->session->WriteLine(arrived);
    }
    return true;
}

void DeviceLink::OnRelayedData(const QByteArray& text)
{
    Trace(false, text);
    if (Capture(text)) return;
    receiveBuffer += text;
    if (receiveBuffer.size() > kRelayedBufferLimit) DiscardReplies();
    ExtractReplyLine();
    Wake();
}

qint64 DeviceLink::PendingOutput() const
{
    if (IsSerialOpen()) return d->serial->BytesToWrite();
    return d->deviceSocket ? d->deviceSocket->BytesToWrite() : 0;
}

void DeviceLink::ExtractReplyLine()
{
    const int cr = int(receiveBuffer.indexOf('\r'));
    if (cr < 0) return;
    QByteArray line = receiveBuffer.left(cr);
    receiveBuffer.remove(0, cr + 1);
    if (!line.startsWith('\n')) return;
    if (!CheckReplyLine(line)) return;
    if (line.isEmpty()) return;
    if (pendingReplyLines.size() >= kPendingLinesLimit) pendingReplyLines.removeFirst();
    pendingReplyLines.append(line);
}

void DeviceLink::DivertArrivals(std::function<void(const QByteArray&)> sink)
{
    d->divert = std::move(sink);
}

bool DeviceLink::Capture(const QByteArray& arrived)
{
    if (!d->divert) return false;
    d->divert(arrived);
    return true;
}

bool DeviceLink::CheckReplyLine(QByteArray& line)
{
    const int caret = int(line.indexOf('^'));
    if (caret <= 0) {
        if (line.isEmpty()) return false;
        line.remove(0, 1);
        return true;
    }
    const int expected = TextConv::Atoi(line.mid(caret + 1));
    if (expected != LineChecksum(line.left(caret))) return false;
    line = line.mid(1, caret - 1);
    return true;
}

int DeviceLink::LineChecksum(const QByteArray& text)
{
    int sum = 0;
    for (char c : text) sum ^= int(static_cast<signed char>(c));
    return sum;
}

void DeviceLink::DiscardReplies()
{
    receiveBuffer.clear();
    pendingReplyLines.clear();
}

// --- sending ---

void DeviceLink::SendToDevice(const QByteArray& text)
{
    if (IsHostSession()) {
        Trace(true, text);
        d->session->WriteLine(text);
    } else if (IsSerialOpen()) {
        WriteSerial(text);
    } else if (d->deviceSocket) {
        Trace(true, text);
        d->deviceSocket->WriteLine(text);
    } else {
        d->prompts.MessageBox(kNoConnection, QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::None);
    }
}

void DeviceLink::WriteSerial(const QByteArray& text)
{
    if (!IsSerialOpen()) return;
    Trace(true, text);
    d->serial->Write(text);
}

int DeviceLink::SendAndWaitLine(const QByteArray& command, QByteArray& reply)
{
    SendToDevice(command);
    return WaitForReplyLine(reply);
}

// --- waits ---

bool DeviceLink::BeginWait()
{
    if (d->waiting) {
        // Whatever started inside a wait cannot have the link's answers: they belong to the
        // exchange already waiting for them.
        qCWarning(lcLink) << "a wait was started inside another wait; it fails at once";
        return false;
    }
    d->waiting = true;
    d->exiting = false;
    d->replyTimer.stop();
    d->timerExpired = false;
    d->replyTimer.start(d->replyTimeoutMs);
    return true;
}

bool DeviceLink::RunWait(const std::function<bool()>& ready)
{
    QPointer<DeviceLink> self(this);
    QEventLoop loop;
    d->waitLoop = &loop;
    for (;;) {
        if (ready()) break;
        if (d->exiting || d->timerExpired) break;
        const int code = loop.exec();
        // Anything may run in the loop, the link's owner going away included.
        if (!self) return false;
        if (code != kWake) d->exiting = true;
    }
    d->waitLoop = nullptr;
    return true;
}

void DeviceLink::EndWait()
{
    d->replyTimer.stop();
    d->waiting = false;
}

int DeviceLink::WaitForReplyLine(QByteArray& reply)
{
    reply.clear();
    if (!BeginWait()) return 0;
    int result = 0;
    const bool alive = RunWait([&]() {
        if (pendingReplyLines.isEmpty()) return false;
        reply = pendingReplyLines.takeFirst();
        result = reply == "?" ? 0 : 1;
        return true;
    });
    if (!alive) return 0;
    EndWait();
    return result;
}

char DeviceLink::WaitForAck(char accept1, char accept2, int* status)
{
    char received = 0;
    if (!BeginWait()) {
        if (status) *status = kAckCancelled;
        return 0;
    }
    const bool alive = RunWait([&]() {
        if (!pendingReplyLines.isEmpty() && pendingReplyLines.first() == "?") {
            d->log(kNotRecognised, kWarning);
            pendingReplyLines.removeFirst();
            return true;
        }
        if (!receiveBuffer.isEmpty()) {
            received = receiveBuffer.at(0);
            // A line feed starts a reply line; it stays for the line extraction.
            if (received != '\n') receiveBuffer.remove(0, 1);
            return true;
        }
        return false;
    });
    if (!alive) {
        if (status) *status = kAckCancelled;
        return 0;
    }
    int outcome;
    if (d->exiting) {
        outcome = kAckCancelled;
        d->log(kUserCancelled, kInformation);
    } else if (d->timerExpired) {
        outcome = kAckTimedOut;
        d->log(kTimedOut, kCommError);
    } else if (received == accept1 || received == accept2) {
        outcome = kAckAccepted;
    } else {
        outcome = kAckInvalid;
        d->log(kInvalidResponse, kError);
    }
    EndWait();
    if (status) *status = outcome;
    return received;
}

int DeviceLink::WaitForBytes(QByteArray& out, int count)
{
    out.clear();
    if (!BeginWait()) return 0;
    int result = 0;
    const bool alive = RunWait([&]() {
        if (receiveBuffer.size() < count) return false;
        out = receiveBuffer.left(count);
        receiveBuffer.remove(0, count);
        result = 1;
        return true;
    });
    if (!alive) return 0;
    EndWait();
    return result;
}

bool DeviceLink::WaitActive() const
{
    return d->waiting;
}

void DeviceLink::StopReplyTimer()
{
    d->replyTimer.stop();
    d->timerExpired = false;
}

// --- flags ---

void DeviceLink::SetExiting(bool exiting)
{
    d->exiting = exiting;
    if (!exiting) return;
    Wake();
    if (d->deviceSocket) d->deviceSocket->CancelBlockingCall();
}

bool DeviceLink::Exiting() const
{
    return d->exiting;
}

void DeviceLink::SetReplyTimeout(int ms)
{
    d->replyTimeoutMs = ms;
}
