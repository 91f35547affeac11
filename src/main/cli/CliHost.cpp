// SPDX-License-Identifier: MIT
#include "CliHost.h"

#include <QEventLoop>
#include <QTimer>
#include <cstdio>

#include "CliLink.h"
#include "CommandTable.h"
#include "Workbench.h"

namespace {

// How long the remote may take to close after the end request.
constexpr int kSessionEndWaitMs = 5000;
constexpr int kMaxWaitS = 24 * 60 * 60;

bool TakeNumber(QStringList& args, const char* name, int low, int high, int* out)
{
    QString text;
    if (!CliLink::TakeValue(args, name, &text)) return false;
    if (text.isEmpty()) return true;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high) {
        std::fprintf(stderr, "tarelink-cli: %s takes a number from %d to %d\n", name, low, high);
        return false;
    }
    *out = n;
    return true;
}

}  // namespace

bool CliHost::TakeSessionPort(QStringList& args, quint16* port)
{
    int n = *port;
    if (!TakeNumber(args, "--session-port", 1, 65535, &n)) return false;
    *port = quint16(n);
    return true;
}

bool CliHost::TakeOptions(QStringList& args, Options* options)
{
    options->host = args.removeAll(QStringLiteral("--host")) > 0;
    return TakeSessionPort(args, &options->sessionPort)
           && TakeNumber(args, "--wait", 0, kMaxWaitS, &options->waitSeconds);
}

CliHost::CliHost(Workbench& bench, const Options& options) : bench_(bench), options_(options)
{
    bench_.Session().SetSessionPort(options_.sessionPort);
}

CliHost::~CliHost()
{
    RemoteSession& session = bench_.Session();
    if (!session.IsHosting()) return;
    if (!session.HasSessionSocket()) {
        bench_.OnCommand(kCmdHostSession);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(kSessionEndWaitMs, &loop, &QEventLoop::quit);
    QObject::connect(&session, &RemoteSession::SessionClosed, &loop, &QEventLoop::quit);
    bench_.OnCommand(kCmdHostSession);
    loop.exec();
}

bool CliHost::Read()
{
    RemoteSession& session = bench_.Session();
    bench_.OnCommand(kCmdHostSession);
    if (!session.IsHosting()) return false;
    std::fprintf(stderr, "tarelink-cli: hosting on port %u, waiting up to %d s for a remote\n",
                 unsigned(options_.sessionPort), options_.waitSeconds);

    enum { kRead = 1, kNobody = 2 };
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, [&]() {
        // Once a remote is there, the read it started has its own bounds.
        if (!session.HasSessionSocket()) loop.exit(kNobody);
    });
    QObject::connect(&bench_, &Workbench::ReadFinished, &loop, [&loop]() { loop.exit(kRead); });
    bound.start(options_.waitSeconds * 1000);
    if (loop.exec() == kRead) return true;
    std::fprintf(stderr, "tarelink-cli: no remote connected within %d s\n", options_.waitSeconds);
    return false;
}
