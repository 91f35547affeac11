// SPDX-License-Identifier: MIT
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "Cli.h"
#include "CliLink.h"
#include "CliLinkBench.h"
#include "CliPrompts.h"
#include "CliSession.h"
#include "Workbench.h"
#include "platform/SettingsStore.h"
#include "tickets/TicketCommands.h"
#include "tickets/TicketStore.h"

namespace Cli {

namespace {

using Outcome = TicketCommands::Outcome;

constexpr char kModel958[] = "MOD:958";
constexpr int kExitBadUse = 2;

int ExitCode(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return 0;
    case Outcome::Failed:
        return 1;
    case Outcome::FileError:
    case Outcome::Cancelled:
        break;
    }
    return kExitBadUse;
}

// The next argument that is not an option.
bool TakeArgument(QStringList& args, const char* command, const char* name, QString& value)
{
    const auto isOption = [](const QString& a) { return a.startsWith(QLatin1Char('-')); };
    const auto at = std::find_if_not(args.begin(), args.end(), isOption);
    if (at == args.end()) {
        std::fprintf(stderr, "tarelink-cli: ticket %s needs %s\n", command, name);
        return false;
    }
    value = *at;
    args.erase(at);
    return true;
}

// "--slot N" with a positive N; the slots CONFIG has are checked once it is loaded.
bool TakeSlot(QStringList& args, const char* command, int& slot)
{
    QString text;
    if (!CliLink::TakeValue(args, "--slot", &text)) return false;
    bool ok = false;
    slot = text.toInt(&ok);
    if (!ok || slot < 1) {
        std::fprintf(stderr, "tarelink-cli: ticket %s needs --slot N (a slot number from 1)\n", command);
        return false;
    }
    return true;
}

bool TakeOut(QStringList& args, const char* command, QString& out)
{
    if (!CliLink::TakeValue(args, "-o", &out)) return false;
    if (out.isEmpty()) {
        std::fprintf(stderr, "tarelink-cli: ticket %s needs -o OUT\n", command);
        return false;
    }
    out = QFileInfo(out).absoluteFilePath();
    return true;
}

// A configuration loaded as Open loads it, then the link settings of the options. Commands
// stop on a file that was not read to its end: half its tickets are no tickets to send.
class LoadedConfig {
public:
    int Load(const QString& path, const CommSettings& settings)
    {
        CliLink::EchoLog(session_.Bench().Log());
        const int loaded = session_.Load(path);
        if (loaded != CliSession::kExitRead) return loaded;
        session_.Bench().Settings() = settings;
        return 0;
    }
    // Selects slot N when CONFIG has it.
    bool SelectSlot(int slot, const QString& path)
    {
        TicketStore& tickets = session_.Bench().Tickets();
        if (slot > tickets.TicketCount()) {
            std::fprintf(stderr, "tarelink-cli: %s has %d ticket slot(s); there is no slot %d\n", qPrintable(path),
                         int(tickets.TicketCount()), slot);
            return false;
        }
        tickets.SetCurrentTicket(short(slot));
        return true;
    }
    int Finish(Outcome outcome)
    {
        session_.Bench().Shutdown();
        return ExitCode(outcome);
    }
    Workbench& Bench() { return session_.Bench(); }
    CliPrompts& Ask() { return session_.Ask(); }

private:
    CliSession session_;
};

int Send(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    QString out;
    QString config;
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings) || !CliLink::TakeValue(args, "-o", &out) ||
        !TakeArgument(args, "send", "CONFIG", config) || !CliLink::NoneLeft(args, "ticket send")) {
        return kExitBadUse;
    }
    LoadedConfig loaded;
    if (const int code = loaded.Load(config, settings)) return code;
    Workbench& bench = loaded.Bench();
    const bool toFile = bench.Model().fileDevice.modelLine.contains(kModel958);
    if (toFile && out.isEmpty()) {
        std::fputs("tarelink-cli: a model 958 configuration saves its ticket to a file: give -o FILE.tkt\n", stderr);
        return kExitBadUse;
    }
    if (!toFile && !out.isEmpty()) {
        std::fputs("tarelink-cli: -o is for model 958 only; other models' tickets go to the indicator\n", stderr);
        return kExitBadUse;
    }
    if (!toFile && bench.Tickets().TicketCount() < 1) {
        std::fprintf(stderr, "tarelink-cli: %s has no ticket slots; nothing was sent\n", qPrintable(config));
        return kExitBadUse;
    }
    loaded.Ask().savePath = out.isEmpty() ? QString() : QFileInfo(out).absoluteFilePath();
    return loaded.Finish(bench.TicketCommand().SendTicket());
}

int SendFile(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    int slot = 0;
    QString file;
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings) || !TakeSlot(args, "send-file", slot) ||
        !TakeArgument(args, "send-file", "FILE", file) || !CliLink::NoneLeft(args, "ticket send-file")) {
        return kExitBadUse;
    }
    if (slot > kTicketSlotButtons) {
        std::fprintf(stderr, "tarelink-cli: ticket send-file takes a slot from 1 to %d\n", kTicketSlotButtons);
        return kExitBadUse;
    }
    CliLinkBench run(settings);
    run.Ask().openPath = QFileInfo(file).absoluteFilePath();
    run.Ask().slot = slot;
    return ExitCode(run.Bench().TicketCommand().SendExternalFile());
}

int Print(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    int slot = 0;
    QString config;
    if (!TakeDataOption(args) || !CliLink::TakePrinterPortOption(args, settings) || !TakeSlot(args, "print", slot) ||
        !TakeArgument(args, "print", "CONFIG", config) || !CliLink::NoneLeft(args, "ticket print")) {
        return kExitBadUse;
    }
    LoadedConfig loaded;
    if (const int code = loaded.Load(config, settings)) return code;
    if (!loaded.SelectSlot(slot, config)) return kExitBadUse;
    return loaded.Finish(loaded.Bench().TicketCommand().PrintDirect());
}

int Export(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    int slot = 0;
    QString out;
    QString config;
    if (!TakeDataOption(args) || !TakeSlot(args, "export", slot) || !TakeOut(args, "export", out) ||
        !TakeArgument(args, "export", "CONFIG", config) || !CliLink::NoneLeft(args, "ticket export")) {
        return kExitBadUse;
    }
    LoadedConfig loaded;
    if (const int code = loaded.Load(config, settings)) return code;
    if (!loaded.SelectSlot(slot, config)) return kExitBadUse;
    loaded.Ask().savePath = out;
    return loaded.Finish(loaded.Bench().TicketCommand().ExportTicket());
}

int Import(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    int slot = 0;
    QString out;
    QString config;
    QString in;
    if (!TakeDataOption(args) || !TakeSlot(args, "import", slot) || !TakeOut(args, "import", out) ||
        !TakeArgument(args, "import", "CONFIG", config) || !TakeArgument(args, "import", "IN.vtk", in) ||
        !CliLink::NoneLeft(args, "ticket import")) {
        return kExitBadUse;
    }
    LoadedConfig loaded;
    if (const int code = loaded.Load(config, settings)) return code;
    if (!loaded.SelectSlot(slot, config)) return kExitBadUse;
    Workbench& bench = loaded.Bench();
    loaded.Ask().openPath = QFileInfo(in).absoluteFilePath();
    const Outcome imported = bench.TicketCommand().ImportTicket();
    if (imported != Outcome::Done) return loaded.Finish(imported);
    loaded.Ask().savePath = out;
    bench.OnSave();
    // A failed save has posted its Error line with the reason.
    return loaded.Finish(bench.LastWrittenPath() == out ? Outcome::Done : Outcome::FileError);
}

int Upload(QStringList args)
{
    CommSettings settings = SettingsStore::Load();
    QString out;
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings) || !TakeOut(args, "upload", out) ||
        !CliLink::NoneLeft(args, "ticket upload")) {
        return kExitBadUse;
    }
    CliLinkBench run(settings);
    // The indicator sends the ticket it holds ready whatever slot is picked.
    run.Ask().slot = 1;
    return ExitCode(run.Bench().TicketCommand().UploadTicket(out));
}

}  // namespace

int Ticket(const QStringList& arguments)
{
    QStringList args = arguments;
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    if (sub == QLatin1String("send")) return Send(args);
    if (sub == QLatin1String("send-file")) return SendFile(args);
    if (sub == QLatin1String("print")) return Print(args);
    if (sub == QLatin1String("export")) return Export(args);
    if (sub == QLatin1String("import")) return Import(args);
    if (sub == QLatin1String("upload")) return Upload(args);
    std::fprintf(stderr, "tarelink-cli: ticket needs send, send-file, print, export, import or upload (see --help)\n");
    return kExitBadUse;
}

}  // namespace Cli
