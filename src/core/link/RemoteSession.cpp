// SPDX-License-Identifier: MIT
#include "RemoteSession.h"

#include <QLoggingCategory>

#include "CClientSocket.h"
#include "CListeningSocket.h"
#include "CommandTable.h"
#include "DeviceLink.h"
#include "Workbench.h"
#include "platform/Prompts.h"
#include "platform/View.h"

Q_DECLARE_LOGGING_CATEGORY(lcLink)

namespace {

constexpr char kEscape = 27;
constexpr char kCouldNotHost[] = "Could not start host socket";
constexpr char kAlreadyConnected[] = "Client socket already exists";
constexpr char kCouldNotAccept[] = "Could not accept remote connection";
constexpr char kConnectFailed[] = "Error creating socket connection";
constexpr char kRemoteStarted[] = "Remote connection started";
constexpr char kSessionClosed[] = "Remote configuration session has been closed";
constexpr char kRelayOverrun[] = "The host sends more than the indicator link takes; the excess is dropped";

// What the remote hands its indicator link and the link has not written yet, at most. A host
// sends one command and waits for its answer, so only a flood ever comes near this.
constexpr qint64 kRelayBacklogLimit = 64 * 1024;

}  // namespace

RemoteSession::RemoteSession(Workbench& bench, QObject* parent) : QObject(parent), bench_(bench), port_(kSessionPort)
{
    bench_.Link().SetRemoteSession(this);
}

RemoteSession::~RemoteSession()
{
    bench_.Link().SetRemoteSession(nullptr);
    delete session_.data();
    delete listening_.data();
}

bool RemoteSession::IsHosting() const
{
    return !listening_.isNull();
}

bool RemoteSession::HasSessionSocket() const
{
    return !session_.isNull();
}

void RemoteSession::WriteLine(const QByteArray& text)
{
    if (session_) session_->WriteLine(text);
}

void RemoteSession::HostSession()
{
    if (!listening_) {
        auto* listening = new CListeningSocket([this]() { OnSessionAccept(); }, this);
        if (listening->Create(port_)) {
            listening_ = listening;
        } else {
            qCDebug(lcLink) << "cannot listen on" << port_ << listening->errorString();
            delete listening;
            bench_.AddStatusLine(kCouldNotHost, kInformation);
        }
    } else if (session_) {
        // The remote ends the session; ours ends when it closes.
        session_->WriteLine(QByteArray(1, kEscape));
    } else {
        DropListeningSocket();
    }
    UpdateMenu();
}

void RemoteSession::OnSessionAccept()
{
    if (session_) {
        bench_.AddStatusLine(kAlreadyConnected, kInformation);
        return;
    }
    CClientSocket* socket = NewSessionSocket();
    if (!listening_->Accept(*socket)) {
        delete socket;
        bench_.AddStatusLine(kCouldNotAccept, kInformation);
        return;
    }
    session_ = socket;
    bench_.Window().ShowSessionPicture(true);
    socket->AttachSession(false, QByteArray(), 0, 0);
    UpdateMenu();
    bench_.PostReadDevice();
}

void RemoteSession::RemoteSetup()
{
    if (connecting_) return;
    if (session_) {
        DropSessionSocket();
        bench_.SetCommandsEnabled(1);
        bench_.Window().ShowSessionPicture(false);
        UpdateMenu();
        Q_EMIT SessionClosed();
        return;
    }
    QPointer<RemoteSession> self(this);
    CClientSocket* socket = NewSessionSocket();
    session_ = socket;
    connecting_ = true;
    const bool attached =
        socket->AttachSession(true, bench_.Settings().serverAddress, port_, kSocketConnectTimeoutMs);
    // The connect runs the event loop; the program may have closed meanwhile.
    if (!self) return;
    connecting_ = false;
    if (attached) {
        overrunReported_ = false;
        bench_.SetCommandsEnabled(0);
        bench_.Window().ShowSessionPicture(true);
        bench_.AddStatusLine(kRemoteStarted, kInformation);
    } else {
        DropSessionSocket();
        bench_.Ask().MessageBox(kConnectFailed, QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::None);
    }
    UpdateMenu();
}

void RemoteSession::OnSessionData(const QByteArray& text)
{
    if (listening_) {
        bench_.Link().OnRelayedData(text);
        return;
    }
    if (text.contains(kEscape)) {
        RemoteSetup();
        bench_.AddStatusLine(kSessionClosed, kInformation);
        return;
    }
    Relay(text);
}

void RemoteSession::Relay(const QByteArray& text)
{
    // Without a link every command shows a box; while one is up, what else arrives would only
    // stack another on it.
    if (relaying_) return;
    DeviceLink& link = bench_.Link();
    if (link.PendingOutput() > kRelayBacklogLimit) {
        if (!overrunReported_) bench_.AddStatusLine(kRelayOverrun, kWarning);
        overrunReported_ = true;
        return;
    }
    QPointer<RemoteSession> self(this);
    relaying_ = true;
    link.SendToDevice(text);
    if (self) relaying_ = false;
}

void RemoteSession::OnSessionClose()
{
    Q_EMIT PeerClosed();
    if (!listening_) return;
    DropSessionSocket();
    DropListeningSocket();
    UpdateMenu();
    bench_.Window().ShowSessionPicture(false);
    bench_.AddStatusLine(kSessionClosed, kInformation);
    Q_EMIT SessionClosed();
}

void RemoteSession::UpdateMenu()
{
    View& view = bench_.Window();
    view.SetCommandChecked(kCmdRemoteSetup, session_);
    if (!session_) view.SetCommandEnabled(kCmdRemoteSetup, !listening_);
    view.SetCommandChecked(kCmdHostSession, listening_);
    if (!listening_) view.SetCommandEnabled(kCmdHostSession, !session_);
}

CClientSocket* RemoteSession::NewSessionSocket()
{
    auto* socket = new CClientSocket(this);
    connect(socket, &CClientSocket::BytesArrived, this, &RemoteSession::OnSessionData);
    connect(socket, &CClientSocket::Closed, this, &RemoteSession::OnSessionClose);
    return socket;
}

void RemoteSession::DropSessionSocket()
{
    CClientSocket* socket = session_.data();
    session_ = nullptr;
    if (!socket) return;
    socket->disconnect(this);
    socket->Close();
    // It may be the one whose notification is running further up the stack.
    socket->deleteLater();
}

void RemoteSession::DropListeningSocket()
{
    CListeningSocket* listening = listening_.data();
    listening_ = nullptr;
    if (!listening) return;
    listening->close();
    listening->deleteLater();
}
