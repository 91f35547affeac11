// SPDX-License-Identifier: MIT
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "Cli.h"
#include "CliLink.h"
#include "CliSession.h"
#include "CommandTable.h"
#include "link/DeviceUpdate.h"
#include "platform/SettingsStore.h"

namespace Cli {

// Opens FILE as the window's Open does, then runs Update device with the option dialog
// answered by --tickets.
int Update(const QStringList& arguments)
{
    QStringList args = arguments;
    CommSettings settings = SettingsStore::Load();
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings)) return 2;
    const bool withTickets = args.removeAll(QStringLiteral("--tickets")) > 0;
    if (args.isEmpty() || args.first().startsWith(QLatin1Char('-'))) {
        std::fputs("tarelink-cli: update needs FILE\n", stderr);
        return 2;
    }
    const QString path = args.takeFirst();
    if (!CliLink::NoneLeft(args, "update")) return 2;

    CliSession session;
    Workbench& bench = session.Bench();
    CliLink::EchoLog(bench.Log());
    const int loaded = session.Load(path);
    if (loaded != CliSession::kExitRead) {
        // Half a configuration never goes into a scale.
        if (loaded == CliSession::kExitIncomplete) std::fputs("tarelink-cli: nothing was sent\n", stderr);
        return loaded;
    }
    if (!session.Window().IsCommandEnabled(kCmdUpdateDevice)) {
        std::fprintf(stderr, "tarelink-cli: Update device is not offered for the model of %s\n", qPrintable(path));
        return 2;
    }
    bench.Settings() = settings;
    session.Ask().updateOption = withTickets ? 1 : 0;
    const DeviceUpdate::Outcome outcome =
        bench.Updater().UpdateDevice(QFile::encodeName(QFileInfo(path).absoluteFilePath()));
    bench.Shutdown();
    return outcome.Succeeded() ? 0 : 1;
}

}  // namespace Cli
