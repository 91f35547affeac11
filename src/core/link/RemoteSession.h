// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class CClientSocket;
class CListeningSocket;
class Workbench;

// Two copies of the program joined over TCP so that a technician at one PC (the host)
// works on the indicator attached to the other (the remote). The host listens and, when the
// remote connects, reads the device through the session as if the cable were its own; the
// remote connects to its "Server Address" and relays between the session and its own
// indicator link. The wire carries the device commands and the indicator's characters
// exactly, plus the escape character alone from the host: the request to end the session.
// There is no authentication and no encryption on it.
class RemoteSession : public QObject {
    Q_OBJECT
public:
    explicit RemoteSession(Workbench& bench, QObject* parent = nullptr);
    ~RemoteSession() override;

    // Host session: starts listening; with a remote connected, asks it to end the session;
    // listening without a remote, stops listening.
    void HostSession();
    // Remote setup: connects to the host and hands this copy over to it (commands off);
    // chosen again, ends the session (commands on).
    void RemoteSetup();

    // The listening socket exists (this copy hosts).
    bool IsHosting() const;
    // A session connection exists (on either side).
    bool HasSessionSocket() const;
    // Characters for the peer: device commands on the host, the indicator's on the remote.
    void WriteLine(const QByteArray& text);
    // Check marks and greying of Remote setup and Host session, from the sockets there are.
    void UpdateMenu();

    // The port the host listens on and the remote connects to; tests choose their own.
    void SetSessionPort(quint16 port) { port_ = port; }

Q_SIGNALS:
    // This copy's session is over: on the host the remote has closed; on the remote Remote
    // setup or the host's end request ended it.
    void SessionClosed();
    // The peer closed the connection. The remote keeps its session socket until Remote setup.
    void PeerClosed();

private:
    void OnSessionAccept();
    void OnSessionData(const QByteArray& text);
    void OnSessionClose();
    void Relay(const QByteArray& text);
    CClientSocket* NewSessionSocket();
    void DropSessionSocket();
    void DropListeningSocket();

    Workbench& bench_;
    QPointer<CListeningSocket> listening_;
    QPointer<CClientSocket> session_;
    quint16 port_;
    bool connecting_ = false;
    bool relaying_ = false;
    bool overrunReported_ = false;
};

// The port of remote sessions.
inline constexpr quint16 kSessionPort = 11555;
