// SPDX-License-Identifier: MIT
#include <QFileInfo>
#include <cstdio>

#include "Cli.h"
#include "CliSession.h"

namespace Cli {

int Resave(const QStringList& arguments)
{
    QStringList args = arguments;
    if (!TakeDataOption(args)) return CliSession::kExitCannotOpen;
    if (args.size() != 2) {
        std::fputs("Usage: tarelink-cli resave IN OUT [--data DIR]\n", stderr);
        return CliSession::kExitCannotOpen;
    }
    CliSession session;
    const int code = session.Load(args.at(0));
    if (code == CliSession::kExitCannotOpen) return code;

    // Save exactly as the window does; the save dialog answers with OUT.
    const QString out = QFileInfo(args.at(1)).absoluteFilePath();
    session.Ask().savePath = out;
    session.Bench().OnSave();
    if (session.Bench().LastWrittenPath() != out) {
        std::fprintf(stderr, "tarelink-cli: cannot write %s\n", qPrintable(args.at(1)));
        return CliSession::kExitCannotOpen;
    }
    return code;
}

}  // namespace Cli
