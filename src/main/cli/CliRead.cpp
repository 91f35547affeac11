// SPDX-License-Identifier: MIT
#include <QFile>
#include <cstdio>

#include "Cli.h"
#include "CliLink.h"
#include "CliPrompts.h"
#include "Workbench.h"
#include "model/ConfigWriter.h"
#include "platform/SettingsStore.h"
#include "platform/View.h"
#include "tickets/TicketStore.h"

namespace Cli {

// Read device through the window's own command path, then the file Save would write.
int Read(const QStringList& arguments)
{
    QStringList args = arguments;
    CommSettings settings = SettingsStore::Load();
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings)) return 2;
    const int at = int(args.indexOf(QStringLiteral("-o")));
    if (at < 0 || at + 1 >= args.size() || args.at(at + 1).isEmpty()) {
        std::fputs("tarelink-cli: read needs -o OUT\n", stderr);
        return 2;
    }
    const QString out = args.at(at + 1);
    args.remove(at, 2);
    if (!CliLink::NoneLeft(args, "read")) return 2;

    CliPrompts prompts;
    HeadlessView view;
    Workbench bench(prompts, view);
    CliLink::Prepare(bench, settings);

    int readResult = 0;
    QObject::connect(&bench, &Workbench::ReadFinished, &bench, [&readResult](int result) { readResult = result; });
    bench.ReadDevice(nullptr, nullptr);
    if (!readResult) {
        std::fputs("tarelink-cli: no configuration was read\n", stderr);
        bench.Shutdown();
        return 1;
    }

    bench.Pages().ReadBackAll();
    ConfigModel& model = bench.Model();
    const CDevice& described = model.attachedDevice.identified ? model.attachedDevice : model.fileDevice;
    ConfigWriter::Target target;
    target.configurationsFolder = bench.Dirs().configurations;
    target.temporaryFolder = bench.Dirs().temporary;
    target.slotCount = bench.Tickets().TicketCount();
    prompts.savePath = out;
    const QString written = ConfigWriter::WriteConfiguration(model, described, 0, prompts, target);
    if (written.isEmpty()) {
        std::fprintf(stderr, "tarelink-cli: cannot write %s\n", qPrintable(out));
        bench.Shutdown();
        return 1;
    }
    bench.Tickets().AppendTicketData(written);
    bench.Shutdown();
    return 0;
}

}  // namespace Cli
