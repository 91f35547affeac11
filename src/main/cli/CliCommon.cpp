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

bool TakeValueOption(QStringList& args, const char* name, QString& value)
{
    const int at = int(args.indexOf(QLatin1String(name)));
    if (at < 0) return true;
    if (at + 1 >= args.size() || args.at(at + 1).isEmpty()) {
        std::fprintf(stderr, "tarelink-cli: %s needs a value\n", name);
        return false;
    }
    value = args.at(at + 1);
    args.remove(at, 2);
    return true;
}

}  // namespace Cli
