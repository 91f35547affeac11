// SPDX-License-Identifier: MIT
#include <cstdio>

#include "Cli.h"

namespace Cli {

bool TakeDataOption(QStringList& args)
{
    const int at = int(args.indexOf(QStringLiteral("--data")));
    if (at < 0) return true;
    if (at + 1 >= args.size()) {
        std::fputs("tarelink-cli: --data needs a folder\n", stderr);
        return false;
    }
    qputenv("TARELINK_DATA_DIR", args.at(at + 1).toLocal8Bit());
    args.remove(at, 2);
    return true;
}

}  // namespace Cli
