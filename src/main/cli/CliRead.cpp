// SPDX-License-Identifier: MIT
#include <QFileInfo>
#include <cstdio>

#include "Cli.h"
#include "CliHost.h"
#include "CliLink.h"
#include "CliPrompts.h"
#include "Workbench.h"
#include "model/ConfigWriter.h"
#include "platform/SettingsStore.h"
#include "platform/View.h"

namespace Cli {

// Read device through the window's own command path, then Save with OUT as the chosen file.
// Only a complete read is saved: a backup that silently holds template defaults, or an older
// value where the indicator holds one the file cannot, is worse than none.
int Read(const QStringList& arguments)
{
    QStringList args = arguments;
    CommSettings settings = SettingsStore::Load();
    CliHost::Options hostOptions;
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings)
        || !CliHost::TakeOptions(args, &hostOptions)) {
        return 2;
    }
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
    CliHost host(bench, hostOptions);

    if (!host.Active()) {
        bench.ReadDevice(nullptr, nullptr);
    } else if (!host.Read()) {
        bench.Shutdown();
        return 1;
    }
    const ReadOutcome& outcome = bench.Reader().Outcome();
    // The window stays silent when the list breaks off; here it decides the exit code.
    if (outcome.valuesPulled && !outcome.valuesComplete) {
        std::fprintf(stderr, "Warning: The value list ended without END: after %d values\n", outcome.valuesReceived);
    }
    QList<const ConfigEntry*> uncarried;
    if (outcome.Complete()) {
        // What Save would leave out, known before it replaces OUT.
        bench.Pages().ReadBackAll();
        uncarried = ConfigWriter::UncarriedEntries(bench.Model());
    }
    int code = 0;
    if (!outcome.Complete()) {
        std::fprintf(stderr, "tarelink-cli: the read did not complete; %s was not written\n", qPrintable(out));
        code = 1;
    } else if (!uncarried.isEmpty()) {
        for (const ConfigEntry* e : uncarried) bench.AddStatusLine(ConfigWriter::UncarriedWarning(*e), kWarning);
        std::fprintf(stderr, "tarelink-cli: the file cannot hold every value read; %s was not written\n",
                     qPrintable(out));
        code = 1;
    } else {
        prompts.savePath = QFileInfo(out).absoluteFilePath();
        bench.OnSave();
        // A failed save has posted its Error line with the reason.
        if (bench.LastWrittenPath() != prompts.savePath) code = 1;
    }
    bench.Shutdown();
    return code;
}

}  // namespace Cli
