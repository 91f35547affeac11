// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "platform/CommSettings.h"

class PortFactory;
class Prompts;
class RemoteSession;

// The byte link to the indicator (serial port or TCP device socket) and the framed
// command exchange on it: receive buffer, reply lines, checksums and the bounded waits.
// Everything runs on the one GUI thread; a wait is a nested event loop woken by
// arrivals, the reply timer or the exiting flag.
class DeviceLink : public QObject {
    Q_OBJECT
public:
    using LogSink = std::function<void(const QByteArray& text, int kind)>;

    // What the link tells; the commands that meet the same state say the same.
    static constexpr char kNoConnection[] = "No connection found";
    static constexpr char kConnectionClosed[] = "The connection has been closed";
    static constexpr char kNotRecognised[] = "The current device does not recognize last command";

    DeviceLink(const CommSettings& settings, Prompts& prompts, LogSink log, QObject* parent = nullptr);
    ~DeviceLink() override;

    // --- transports ---
    // Opens the serial port named by "Port" with the saved line settings. False with an error text.
    bool OpenSerialPort(QString* error);
    // The same with the fixed line settings "9600,N,8,1" on the given port name.
    bool OpenSerialPortFixed(const QByteArray& portName, QString* error);
    // Opens "Port" again keeping the line settings the port last had.
    bool ReopenSerialPort(QString* error);
    void CloseSerialPort();
    bool IsSerialOpen() const;
    // Connects the device socket to "Remote Address" and "Remote Port" (5000 ms bound).
    bool ConnectDeviceSocket();
    // Closes and deletes the device socket.
    void CloseDeviceSocket();
    bool HasDeviceSocket() const;
    // A host session with a connected remote copy.
    bool IsHostSession() const;
    // The remote session that sends and arrivals are diverted to (not owned); null for none.
    void SetRemoteSession(RemoteSession* session);
    // Serial port open, device socket present, or a host session with a connected remote.
    bool IsLinkUp() const;
    // A carrier is open and takes bytes: the serial port, a device socket still connected, or a
    // host session. False once the cable is pulled or the peer closed the socket.
    bool CanSend() const;

    // --- exchange ---
    // Sends exactly the text over the current link; "No connection found" when there is none.
    void SendToDevice(const QByteArray& text);
    // Writes the text to the serial port itself, whatever else is current (a host session's
    // remote included); nothing when the port is closed.
    void WriteSerial(const QByteArray& text);
    int SendAndWaitLine(const QByteArray& command, QByteArray& reply);
    int WaitForReplyLine(QByteArray& reply);
    // Returns the character received (0 for none); status 0 accepted, 1 cancelled, 2 timed out, 3 invalid.
    char WaitForAck(char accept1, char accept2, int* status);
    int WaitForBytes(QByteArray& out, int count);
    void DiscardReplies();
    // Kills a running reply timer and clears the timer-expired flag (document reset).
    void StopReplyTimer();

    static int LineChecksum(const QByteArray& text);
    static bool CheckReplyLine(QByteArray& line);

    // --- flags ---
    // The exiting flag: set by Exit; a running wait ends as cancelled at once.
    void SetExiting(bool exiting);
    bool Exiting() const;
    // A serial failure (unplug, hang-up) seen since the last call: its text, then cleared.
    bool TakeSerialFault(QString* text);
    // The same without clearing it: exchanges stop at a fault and leave it to their command.
    bool HasSerialFault() const;
    // A port that would not open, or failed, told as a Comm Error: "<why> (<port>)". Returns
    // the line.
    QByteArray ReportPortError(const QString& why, const QByteArray& port);
    // The reply bound; 2000 ms in the product, shorter in tests.
    void SetReplyTimeout(int ms);
    // The connect bound of the device socket; 5000 ms in the product, shorter in tests.
    void SetSocketConnectTimeout(int ms);
    // Where serial ports come from; the product's factory unless a test hands in its own.
    void SetPortFactory(PortFactory* factory);
    // Every byte sent or received on any carrier is also written to a trace file, made when
    // the link next opens. A file that cannot be written is a Warning at each opening (and
    // once if writing fails later); the link works on without it.
    void StartTrace(const QString& path);

    // --- receive path (the carriers call these; tests may too) ---
    // Characters from the serial port: buffer, the 100-character discard, one line in line mode.
    void OnSerialEvent(const QByteArray& input);
    // Characters from the device socket: buffer and one line, no discard, no line-mode test.
    void OnSocketData(const QByteArray& text);
    // Characters a remote copy relays from its indicator to this host: buffer and one line.
    void OnRelayedData(const QByteArray& text);
    // Characters handed to the current link and not yet written.
    qint64 PendingOutput() const;
    // Moves at most one complete line from the receive buffer to the pending reply lines.
    void ExtractReplyLine();
    // While set, every arrival (serial port, device socket, or relayed by a session's remote)
    // goes to `sink` as it came instead of the receive buffer: a raw capture with no discard and
    // no line framing. Null ends it.
    void DivertArrivals(std::function<void(const QByteArray& bytes)> sink);

    // The line settings the saved texts make: "9600,N,8,1".
    static QByteArray LineSettingsFor(const CommSettings& settings);
    // The line settings the serial port has or last had.
    QByteArray SerialSettings() const;
    // The canonical device path of the open (or last opened) serial port.
    QString SerialDevicePath() const;
    // A wait is running.
    bool WaitActive() const;

    QByteArray receiveBuffer;
    QList<QByteArray> pendingReplyLines;
    int lineMode = 1;

private:
    bool OpenPort(const QByteArray& portSetting, const QByteArray& lineSettings, QString* error);
    void OnSerialFault(const QString& text);
    void Trace(bool sent, const QByteArray& bytes);
    void OpenPendingTrace();
    void OnDeviceSocketClosed();
    // Arrivals from this copy's own link during a session; true when they went there.
    bool DivertToSession(const QByteArray& arrived);
    // Hands an arrival to the raw capture when one is set (DivertArrivals).
    bool Capture(const QByteArray& arrived);
    // Ends the running wait's event loop so it looks again.
    void Wake();
    // A wait's start: refuses a second wait, clears the exiting and timer flags, starts the bound.
    bool BeginWait();
    // Runs the event loop until `ready` holds, the bound runs out or the exiting flag is set.
    // False when the link was destroyed meanwhile (touch nothing then).
    bool RunWait(const std::function<bool()>& ready);
    void EndWait();

    struct Impl;
    Impl* d;
};

inline constexpr int kReplyTimeoutMs = 2000;
// The one-character acknowledgements of the indicator (and of a handheld PC).
inline constexpr char kDeviceAccepts = 'D';
inline constexpr char kDeviceRefuses = 'E';
inline constexpr int kSocketConnectTimeoutMs = 5000;
// A serial burst longer than this, not yet consumed, is thrown away with the pending lines.
inline constexpr int kSerialDiscardLength = 100;
// The line settings of the fixed opener and of a port never given any.
inline constexpr char kFixedLineSettings[] = "9600,N,8,1";
