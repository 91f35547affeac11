// SPDX-License-Identifier: MIT
#include <QFileInfo>
#include <cstdio>

#include "Cli.h"
#include "CliLink.h"
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
    CliLink::EchoLog(session.Bench().Log());
    const int code = session.Load(args.at(0));
    if (code == CliSession::kExitIncomplete) {
        // Writing what was read would replace OUT with less than IN holds.
        std::fprintf(stderr, "tarelink-cli: %s was not written\n", qPrintable(args.at(1)));
    }
    if (code != CliSession::kExitRead) return code;

    // Save exactly as the window does; the save dialog answers with OUT.
    const QString out = QFileInfo(args.at(1)).absoluteFilePath();
    session.Ask().savePath = out;
    session.Bench().OnSave();
    // A failed save has posted its Error line with the reason.
    return session.Bench().LastWrittenPath() == out ? code : CliSession::kExitCannotOpen;
}

}  // namespace Cli
