// SPDX-License-Identifier: MIT
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "Cli.h"
#include "CliLink.h"
#include "CliLinkBench.h"
#include "CliSession.h"
#include "handheld/HandheldFile.h"
#include "handheld/HandheldFileCommands.h"
#include "handheld/HandheldFileList.h"
#include "handheld/HandheldLink.h"
#include "idstorage/IdStorageReceive.h"
#include "idstorage/IdStorageSend.h"
#include "platform/SettingsStore.h"

namespace {

int Usage(const char* text)
{
    std::fprintf(stderr, "tarelink-cli: %s\n", text);
    return 2;
}

// The first argument that is not an option, taken out of `args`.
bool TakeFile(QStringList& args, QString* file)
{
    if (args.isEmpty() || args.first().startsWith(QLatin1Char('-'))) return false;
    *file = args.takeFirst();
    return true;
}

// Loads a handheld file the way Import handheld file does once it has the file.
int LoadHandheld(CliSession& session, const QString& path)
{
    if (!session.Bench().HandheldFiles().ImportHandheldFile(path)) return CliSession::kExitCannotOpen;
    CliSession::Settle();
    return session.Bench().Reader().Outcome().Complete() ? CliSession::kExitRead : CliSession::kExitIncomplete;
}

// Loads a configuration file, or a handheld file the way Import handheld file does.
int Load(CliSession& session, const QString& path)
{
    if (!HandheldFile::IsHandheldPath(QFile::encodeName(path))) return session.Load(path);
    return LoadHandheld(session, path);
}

int HandheldSend(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    QString description;
    QString path;
    if (!Cli::TakeDataOption(args) || !CliLink::TakeSerialPort(args, settings.alternatePort) ||
        !CliLink::TakeValue(args, "--description", &description)) {
        return 2;
    }
    if (!TakeFile(args, &path)) return Usage("handheld send needs CONFIG");
    if (!CliLink::NoneLeft(args, "handheld send")) return 2;

    CliSession session;
    Workbench& bench = session.Bench();
    CliLink::EchoLog(bench.Log());
    const int loaded = Load(session, path);
    if (loaded != CliSession::kExitRead) {
        if (loaded == CliSession::kExitIncomplete) {
            std::fprintf(stderr, "tarelink-cli: %s was not read completely; nothing was sent\n", qPrintable(path));
        }
        return loaded;
    }
    bench.Settings() = settings;
    session.Ask().handheldDescription =
        (description.isEmpty() ? QFileInfo(path).completeBaseName() : description).toLatin1();
    const HandheldLink::SendOutcome outcome = bench.Handheld().SendToHandheld();
    bench.Shutdown();
    return outcome.Succeeded() ? 0 : 1;
}

int HandheldRead(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    QString row;
    if (!Cli::TakeDataOption(args) || !CliLink::TakeSerialPort(args, settings.port) ||
        !CliLink::TakeValue(args, "--row", &row)) {
        return 2;
    }
    bool numeric = false;
    const int index = row.toInt(&numeric);
    if (!numeric || index < 0 || index >= HandheldFileList::kRows) {
        return Usage("handheld read needs --row 0 to 9");
    }
    if (!CliLink::NoneLeft(args, "handheld read")) return 2;

    CliLinkBench run(settings);
    run.Ask().handheldRow = index;
    return run.Bench().Handheld().ReadFromHandheld().Succeeded() ? 0 : 1;
}

int HandheldExport(QStringList args)
{
    QString out;
    QString path;
    if (!Cli::TakeDataOption(args) || !CliLink::TakeValue(args, "-o", &out)) return 2;
    if (out.isEmpty() || !TakeFile(args, &path)) return Usage("handheld export needs CONFIG -o OUT.plm");
    if (!CliLink::NoneLeft(args, "handheld export")) return 2;
    if (path.contains(QLatin1String(".tpl"))) {
        return Usage("handheld export needs a saved configuration, not a template");
    }

    CliSession session;
    Workbench& bench = session.Bench();
    CliLink::EchoLog(bench.Log());
    const int loaded = Load(session, path);
    if (loaded != CliSession::kExitRead) return loaded;
    if (bench.HandheldFiles().IsIdStorageModel()) return Usage("a 637 configuration keeps ID storage: use idstorage send");
    // CONFIG is saved and unchanged: it is the configuration to copy, with no save first.
    bench.Model().documentPath = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    session.Ask().savePath = out;
    const HandheldFileCommands::ExportOutcome outcome = bench.HandheldFiles().ExportHandheld();
    if (outcome.path.isEmpty()) return 1;
    if (outcome.ticketsFailed) {
        std::fprintf(stderr, "tarelink-cli: %d ticket file(s) not written\n", outcome.ticketsFailed);
    }
    return outcome.copied && outcome.ticketsFailed == 0 ? 0 : 1;
}

int HandheldImport(QStringList args)
{
    QString out;
    QString path;
    if (!Cli::TakeDataOption(args) || !CliLink::TakeValue(args, "-o", &out)) return 2;
    if (out.isEmpty() || !TakeFile(args, &path)) return Usage("handheld import needs IN.plm -o OUT.csc");
    if (!CliLink::NoneLeft(args, "handheld import")) return 2;

    CliSession session;
    Workbench& bench = session.Bench();
    CliLink::EchoLog(bench.Log());
    const int loaded = LoadHandheld(session, path);
    if (loaded == CliSession::kExitIncomplete) {
        std::fprintf(stderr, "tarelink-cli: %s was not read completely; %s was not written\n", qPrintable(path),
                     qPrintable(out));
    }
    if (loaded != CliSession::kExitRead) return loaded;
    session.Ask().savePath = out;
    bench.OnSave();
    if (bench.LastWrittenPath().isEmpty()) {
        std::fprintf(stderr, "tarelink-cli: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}

int IdReceive(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    QString out;
    if (!Cli::TakeDataOption(args) || !CliLink::TakeSerialPort(args, settings.port) ||
        !CliLink::TakeValue(args, "-o", &out)) {
        return 2;
    }
    if (out.isEmpty()) return Usage("idstorage receive needs -o FILE");
    if (!CliLink::NoneLeft(args, "idstorage receive")) return 2;

    CliLinkBench run(settings);
    run.Ask().savePath = out;
    const IdStorageReceive::Outcome outcome = run.Bench().IdReceive().Run();
    if (outcome.Succeeded()) std::printf("%s\n", qPrintable(outcome.path));
    return outcome.Succeeded() ? 0 : 1;
}

int IdSend(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    QString path;
    if (!Cli::TakeDataOption(args) || !CliLink::TakeSerialPort(args, settings.port)) return 2;
    if (!TakeFile(args, &path)) return Usage("idstorage send needs FILE");
    if (!CliLink::NoneLeft(args, "idstorage send")) return 2;

    CliLinkBench run(settings);
    run.Ask().openPath = path;
    const IdStorageSend::Outcome outcome = run.Bench().IdSend().Run();
    if (outcome.recordsRead == 0) return 2;
    return outcome.Succeeded() ? 0 : 1;
}

}  // namespace

namespace Cli {

int Handheld(const QStringList& arguments)
{
    QStringList args = arguments;
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    if (verb == QLatin1String("send")) return HandheldSend(args);
    if (verb == QLatin1String("read")) return HandheldRead(args);
    if (verb == QLatin1String("export")) return HandheldExport(args);
    if (verb == QLatin1String("import")) return HandheldImport(args);
    return Usage("handheld needs send, read, export or import (see tarelink-cli --help)");
}

int IdStorage(const QStringList& arguments)
{
    QStringList args = arguments;
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    if (verb == QLatin1String("receive")) return IdReceive(args);
    if (verb == QLatin1String("send")) return IdSend(args);
    return Usage("idstorage needs receive or send (see tarelink-cli --help)");
}

}  // namespace Cli
