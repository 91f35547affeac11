// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include "link/RemoteSession.h"

class Workbench;

// `read --host`: the command hosts a remote session and reads the indicator of the copy that
// connects (`tarelink-cli relay`, or a window's Remote setup) instead of its own. The session
// ends, as Host session ends it, when the command does.
class CliHost {
public:
    struct Options {
        bool host = false;
        quint16 sessionPort = kSessionPort;
        int waitSeconds = kDefaultWaitS;
    };
    // How long a host waits for its remote unless told otherwise.
    static constexpr int kDefaultWaitS = 120;

    // Takes "--session-port N"; false (with a message on stderr) when N is not a port.
    static bool TakeSessionPort(QStringList& args, quint16* port);
    // Takes "--host", "--session-port N" and "--wait S"; false (message on stderr) when malformed.
    static bool TakeOptions(QStringList& args, Options* options);

    CliHost(Workbench& bench, const Options& options);
    // Ends a session still running and waits, within a bound, for the remote to close it.
    ~CliHost();
    CliHost(const CliHost&) = delete;
    CliHost& operator=(const CliHost&) = delete;

    bool Active() const { return options_.host; }
    // Hosts, waits for a remote, and runs the read its arrival starts. False (messages on
    // stderr) when hosting failed or no remote came in time.
    bool Read();

private:
    Workbench& bench_;
    Options options_;
};
