// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "CliJson.h"
#include "CliLink.h"
#include "CliLinkBench.h"
#include "platform/SettingsStore.h"

namespace Cli {

// Opens the link and identifies the indicator with the read's own steps, then prints the
// attached record.
int Identify(const QStringList& arguments)
{
    QStringList args = arguments;
    CommSettings settings = SettingsStore::Load();
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings) || !CliLink::NoneLeft(args, "identify")) {
        return 2;
    }
    CliLinkBench run(settings);
    Workbench& bench = run.Bench();
    const bool identified = bench.Reader().IdentifyAttached();
    CliJson::Print(CliJson::Device(bench.Model().attachedDevice));
    return identified ? 0 : 1;
}

}  // namespace Cli
