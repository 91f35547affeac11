// SPDX-License-Identifier: MIT
#include <cstdio>
#include <memory>

#include "Cli.h"
#include "CliLink.h"
#include "CliSession.h"
#include "model/ConfigDiff.h"

namespace Cli {

// The settings whose values differ between two files (either may be a template), one line
// each: code, label, value in A, value in B, separated by tabs.
int Diff(const QStringList& arguments)
{
    QStringList args = arguments;
    if (!TakeDataOption(args)) return 2;
    if (args.size() < 2 || args.at(0).startsWith(QLatin1Char('-')) || args.at(1).startsWith(QLatin1Char('-'))) {
        std::fputs("tarelink-cli: diff needs two files A B\n", stderr);
        return 2;
    }
    const QString pathA = args.takeFirst();
    const QString pathB = args.takeFirst();
    if (!CliLink::NoneLeft(args, "diff")) return 2;

    std::unique_ptr<CliSession> sessions[2];
    const QString paths[2] = {pathA, pathB};
    for (int i = 0; i < 2; ++i) {
        sessions[i] = std::make_unique<CliSession>();
        // A file that was not read to its end is not compared: its differences would be guesses.
        const int loaded = sessions[i]->Load(paths[i]);
        if (loaded != CliSession::kExitRead) return loaded;
    }
    const auto differences = ConfigDiff::Compare(sessions[0]->Bench().Model(), sessions[1]->Bench().Model());
    for (const ConfigDiff::Difference& d : differences) {
        std::printf("%s\t%s\t%s\t%s\n", d.code.constData(), d.label.constData(), d.shownA.constData(),
                    d.shownB.constData());
    }
    return differences.empty() ? 0 : 1;
}

}  // namespace Cli
