// SPDX-License-Identifier: MIT
#include <QEventLoop>
#include <cstdio>

#include "Cli.h"
#include "CliHost.h"
#include "CliLink.h"
#include "CliLinkBench.h"
#include "CommandTable.h"
#include "link/DeviceReader.h"
#include "platform/SettingsStore.h"
#include "platform/StopSignals.h"

namespace Cli {

// The remote side of a session with no window: the indicator identified as Read device
// does it, then Remote setup, relaying until the host ends the session or the process is
// stopped. A session that dies under it ends it with 1: a box beside a scale must not sit on
// a dead connection.
int Relay(const QStringList& arguments)
{
    QStringList args = arguments;
    CommSettings settings = SettingsStore::Load();
    QString server;
    quint16 sessionPort = kSessionPort;
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings)
        || !CliLink::TakeValue(args, "--server", &server) || !CliHost::TakeSessionPort(args, &sessionPort)) {
        return 2;
    }
    if (server.isEmpty()) {
        std::fputs("tarelink-cli: relay needs --server HOST\n", stderr);
        return 2;
    }
    if (!CliLink::NoneLeft(args, "relay")) return 2;
    settings.serverAddress = server.toLatin1();

    CliLinkBench run(settings);
    Workbench& bench = run.Bench();
    RemoteSession& session = bench.Session();
    session.SetSessionPort(sessionPort);
    // A relay that cannot reach its indicator is no use to a host: the link is opened and the
    // indicator identified as Read device does it, before anyone connects.
    if (!bench.Reader().IdentifyAttached()) return 1;

    enum { kEnded = 1, kLost = 2, kStopped = 3 };
    QEventLoop loop;
    QObject::connect(&session, &RemoteSession::SessionClosed, &loop, [&loop]() { loop.exit(kEnded); });
    QObject::connect(&session, &RemoteSession::PeerClosed, &loop, [&loop]() { loop.exit(kLost); });
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stopped, &loop, [&loop]() { loop.exit(kStopped); });
    bench.OnCommand(kCmdRemoteSetup);
    const int how = session.HasSessionSocket() ? loop.exec() : kLost;
    if (session.HasSessionSocket()) bench.OnCommand(kCmdRemoteSetup);
    if (how != kLost) return 0;
    std::fputs("tarelink-cli: no session with the host\n", stderr);
    return 1;
}

}  // namespace Cli
