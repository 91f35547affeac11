// SPDX-License-Identifier: MIT
// Commands not built yet answer honestly.
#include <cstdio>

#include "Cli.h"

namespace {
int NotYet(const char* name)
{
    std::fprintf(stderr, "tarelink-cli: '%s' is not available in this build yet\n", name);
    return 2;
}
}  // namespace

namespace Cli {
int Dump(const QStringList&) { return NotYet("dump"); }
int Resave(const QStringList&) { return NotYet("resave"); }
int Identify(const QStringList&) { return NotYet("identify"); }
int Read(const QStringList&) { return NotYet("read"); }
}  // namespace Cli
