// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "platform/CommSettings.h"

class Prompts;

// The byte link to the indicator (serial port or TCP device socket) and the framed
// command exchange on it: receive buffer, reply lines, checksums and the bounded waits.
// Everything runs on the one GUI thread; a wait is a nested event loop woken by
// arrivals, the reply timer or the exiting flag.
class DeviceLink : public QObject {
    Q_OBJECT
public:
    using LogSink = std::function<void(const QByteArray& text, int kind)>;

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
    // Serial port open, device socket present, or a host session with a connected remote.
    bool IsLinkUp() const;

    // --- exchange ---
    // Sends exactly the text over the current link; "No connection found" when there is none.
    void SendToDevice(const QByteArray& text);
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
    // The reply bound; 2000 ms in the product, shorter in tests.
    void SetReplyTimeout(int ms);

    QByteArray receiveBuffer;
    QList<QByteArray> pendingReplyLines;
    int lineMode = 1;

private:
    struct Impl;
    Impl* d;
};

inline constexpr int kReplyTimeoutMs = 2000;
inline constexpr int kSocketConnectTimeoutMs = 5000;
