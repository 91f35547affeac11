// SPDX-License-Identifier: MIT
// Plays a weighing indicator on a pseudo-terminal or a TCP port until it is stopped.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <memory>

#include "IndicatorSim.h"
#include "SimPrinter.h"
#include "SimHandheld.h"
#include "platform/StopSignals.h"

namespace {

// The line speed when --baud is not given.
constexpr int kDefaultBaud = 9600;

// A fault option "NAME" or "NAME:VALUE": whether it names `name`, and its value.
bool Names(const QString& fault, const char* name, QString* value)
{
    const QString key = QString::fromLatin1(name);
    if (fault != key && !fault.startsWith(key + QLatin1Char(':'))) return false;
    *value = fault.mid(key.size() + 1);
    return true;
}

bool SetNumber(const QString& text, int* target)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok) *target = n;
    return ok;
}

bool SetCharacter(const QString& text, char* target)
{
    if (text.isEmpty()) return false;
    *target = text.toLatin1().at(0);
    return true;
}

bool ApplyIdFault(SimIdStorage::Faults& f, const QString& fault)
{
    QString v;
    if (Names(fault, "bad-record", &v)) return SetNumber(v, &f.badRecordAt);
    if (Names(fault, "short-record", &v)) return SetNumber(v, &f.shortRecordAt);
    if (Names(fault, "refuse", &v)) return SetNumber(v, &f.refuseRecordAt);
    if (Names(fault, "xf-reply", &v)) return SetCharacter(v, &f.startReply);
    bool* flag = fault == QLatin1String("silent") ? &f.silent : fault == QLatin1String("garbage") ? &f.garbage : nullptr;
    if (flag) *flag = true;
    return flag != nullptr;
}

bool ApplyHandheldFault(SimHandheld::Faults& f, const QString& fault)
{
    QString v;
    if (Names(fault, "probe-from", &v)) return SetNumber(v, &f.answerProbeFrom);
    if (Names(fault, "short-chunk", &v)) return SetNumber(v, &f.shortChunkAt);
    if (Names(fault, "slot", &v)) return SetCharacter(v, &f.slotCharacter);
    if (Names(fault, "first-line", &v)) {
        f.firstLine = v.toLatin1();
        return true;
    }
    if (!Names(fault, "list", &v)) return false;
    QFile file(v);
    if (!file.open(QIODevice::ReadOnly)) return false;
    f.fileList = SimHandheld::NonEmptyLines(file.readAll());
    return true;
}

int Fail(const QString& text)
{
    std::fprintf(stderr, "indicator-sim: %s\n", qPrintable(text));
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("indicator-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARELINK_VERSION));

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "Plays a weighing indicator for Tarelink on a pseudo-terminal (the default) or a TCP port.\n"
        "Prints \"PTY: <path>\" or \"TCP: 127.0.0.1:<port>\" and runs until interrupted."));
    cli.addHelpOption();
    cli.addVersionOption();
    auto option = [&cli](const char* name, const char* help, const char* value = nullptr) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromLatin1(help));
        if (value) o.setValueName(QString::fromLatin1(value));
        cli.addOption(o);
        return o;
    };
    const auto model = option("model", "Indicator model: 614, 615, 637 or 958 (default 614).", "N");
    const auto tpl = option("template", "Take description lines and settings from this template or .csc file.", "FILE");
    const auto settings = option("settings", "Override settings from a file of code:value lines.", "FILE");
    const auto tcp = option("tcp", "Listen on 127.0.0.1:PORT instead of a pty (0 picks a port).", "PORT");
    const auto link = option("link", "Make a symlink to the pty at PATH (removed at exit).", "PATH");
    const auto baud = option("baud", "Send no faster than this line speed (default 9600; 0 = at once).", "BAUD");
    const auto log = option("log", "Log the traffic, escaped, to FILE ('-' for stderr).", "FILE");
    const auto lockReply = option("xj", "Reply to \\nXJ\\r with N (default 1 = unlocked; 'none' = no reply).", "N");
    const auto badChecksum = option("bad-checksum-at", "Send value line N of a pull with a wrong checksum.", "N");
    const auto dropLine = option("drop-line-at", "Leave out value line N of a pull.", "N");
    const auto silent = option("silent", "Answer nothing.");
    const auto silentAfter = option("silent-after", "Answer only the first N commands.", "N");
    const auto disconnectAfter = option("disconnect-after", "Pull the cable after answering N commands.", "N");
    const auto reject = option("reject", "Refuse the next N settings written with 'E'.", "N");
    const auto unknown = option("unknown", "Answer \\n?\\r to this command (e.g. XJ); repeatable.", "CMD");
    const auto extra = option("extra-lines", "Append N value lines no template knows.", "N");
    const auto xiReply = option("xi-reply", "Answer \\nXI\\r (settings follow) with C: D (default), Q or E.", "C");
    const auto rejectCode = option("reject-code", "Refuse the setting CODE with 'E' the next N times.", "CODE:N");
    const auto silentAfterSettings = option("silent-after-settings", "Answer nothing once N settings were written.", "N");
    const auto disconnectAfterSettings =
        option("disconnect-after-settings", "Pull the cable when setting N+1 arrives.", "N");
    const auto refuseChunk = option("refuse-chunk", "Refuse ticket chunk N (0 = the first) of a download.", "N");
    const auto locations = option("locations", "Ticket locations reported to \\nXS\\r, one character (default 6).", "C");
    const auto maxTicket = option("max-ticket", "Largest ticket taken, in bytes (default 2000).", "N");
    const auto uploadSlot = option("upload-slot", "Answer \\nXU\\r with the ticket stored in slot N (default 1).", "N");
    const auto printer = option("printer", "Also play a serial ticket printer on a second pty (prints \"PRINTER: <path>\").");
    const auto printerLog = option("printer-log", "Log what the printer receives, escaped, to FILE ('-' for stderr).", "FILE");
    const auto idRecords = option("id-records", "ID storage records a 637 holds (default 3).", "N");
    const auto idFault = option("id-fault",
                                "ID storage fault: bad-record:N, short-record:N, refuse:N, silent, garbage, "
                                "xf-reply:C; repeatable.",
                                "FAULT");
    const auto handheld = option("handheld", "Play a handheld PC as well, on a second pty (printed as HANDHELD:).");
    const auto handheldLink = option("handheld-link", "Make a symlink to the handheld's pty at PATH.", "PATH");
    const auto handheldLog = option("handheld-log", "Log the handheld's traffic, escaped, to FILE ('-' for stderr).", "FILE");
    const auto handheldLoad = option("handheld-load", "Keep this handheld file (and its tickets) on the handheld.", "PLM");
    const auto handheldFault = option("handheld-fault",
                                      "Handheld fault: probe-from:N (0 = never), list:FILE, first-line:TEXT, "
                                      "slot:C, short-chunk:N; repeatable.",
                                      "FAULT");
    cli.process(app);

    auto number = [&cli](const QCommandLineOption& o, int fallback) {
        bool ok = false;
        const int n = cli.value(o).toInt(&ok);
        return cli.isSet(o) && ok ? n : fallback;
    };

    IndicatorSim sim(number(model, 614));
    QString error;
    if (cli.isSet(tpl) && !sim.Profile().LoadTemplate(cli.value(tpl), &error)) {
        return Fail(QStringLiteral("cannot read %1: %2").arg(cli.value(tpl), error));
    }
    if (cli.isSet(settings) && !sim.Profile().LoadSettingsFile(cli.value(settings), &error)) {
        return Fail(QStringLiteral("cannot read %1: %2").arg(cli.value(settings), error));
    }
    if (cli.isSet(lockReply)) {
        const QString v = cli.value(lockReply);
        sim.Profile().lockReply = v == QLatin1String("none") ? QByteArray() : v.toLatin1();
    }
    SimFaults& f = sim.Faults();
    f.badChecksumAt = number(badChecksum, -1);
    f.dropLineAt = number(dropLine, -1);
    f.silent = cli.isSet(silent);
    f.silentAfter = number(silentAfter, -1);
    f.disconnectAfter = number(disconnectAfter, -1);
    f.rejectSettings = number(reject, 0);
    for (const QString& c : cli.values(unknown)) f.unknownCommands.append(c.toLatin1());
    f.extraValueLines = number(extra, 0);
    if (cli.isSet(xiReply) && !cli.value(xiReply).isEmpty()) f.updateStartReply = cli.value(xiReply).toLatin1().at(0);
    if (cli.isSet(rejectCode)) {
        const QByteArray spec = cli.value(rejectCode).toLatin1();
        const int colon = int(spec.lastIndexOf(':'));
        if (colon <= 0) return Fail(QStringLiteral("--reject-code needs CODE:N"));
        f.rejectCode = spec.left(colon);
        f.rejectCodeTimes = spec.mid(colon + 1).toInt();
    }
    f.silentAfterSettings = number(silentAfterSettings, -1);
    f.disconnectAfterSettings = number(disconnectAfterSettings, -1);
    f.refuseChunkAt = number(refuseChunk, -1);
    if (cli.isSet(locations) && !cli.value(locations).isEmpty()) {
        sim.Profile().ticketLocations = cli.value(locations).toLatin1().at(0);
    }
    sim.Profile().maxTicketSize = number(maxTicket, sim.Profile().maxTicketSize);
    sim.Profile().uploadSlot = number(uploadSlot, sim.Profile().uploadSlot);
    // The handheld, when played, sits on a line of the same speed.
    const int lineSpeed = number(baud, kDefaultBaud);
    sim.SetBaudRate(lineSpeed);
    if (cli.isSet(idRecords)) sim.IdStorage().Records() = SimIdStorage::Sample(number(idRecords, 3));
    for (const QString& fault : cli.values(idFault)) {
        if (!ApplyIdFault(sim.IdStorage().IdFaults(), fault)) return Fail(QStringLiteral("unknown --id-fault %1").arg(fault));
    }
    if (cli.isSet(log) && !sim.Traffic().SetOutput(cli.value(log), &error)) {
        return Fail(QStringLiteral("cannot open the log %1: %2").arg(cli.value(log), error));
    }

    if (cli.isSet(tcp)) {
        if (!sim.StartTcp(quint16(number(tcp, 0)), &error)) return Fail(error);
        std::printf("TCP: %s\n", qPrintable(sim.Address()));
    } else {
        if (!sim.StartPty(&error)) return Fail(error);
        if (cli.isSet(link) && !sim.MakeLink(cli.value(link), &error)) return Fail(error);
        std::printf("PTY: %s\n", qPrintable(sim.Address()));
    }
    SimPrinter ticketPrinter;
    if (cli.isSet(printer) || cli.isSet(printerLog)) {
        if (cli.isSet(printerLog) && !ticketPrinter.Traffic().SetOutput(cli.value(printerLog), &error)) {
            return Fail(QStringLiteral("cannot open the printer log %1: %2").arg(cli.value(printerLog), error));
        }
        if (!ticketPrinter.Start(&error)) return Fail(error);
        std::printf("PRINTER: %s\n", qPrintable(ticketPrinter.Address()));
    }
    std::fflush(stdout);

    std::unique_ptr<IndicatorSim> handheldSim;
    std::unique_ptr<SimHandheld> handheldPc;
    if (cli.isSet(handheld)) {
        handheldSim = std::make_unique<IndicatorSim>();
        handheldPc = std::make_unique<SimHandheld>(*handheldSim);
        handheldSim->SetBaudRate(lineSpeed);
        for (const QString& fault : cli.values(handheldFault)) {
            if (!ApplyHandheldFault(handheldPc->HandheldFaults(), fault)) {
                return Fail(QStringLiteral("bad --handheld-fault %1").arg(fault));
            }
        }
        for (const QString& plm : cli.values(handheldLoad)) {
            if (!handheldPc->Load(plm, &error)) return Fail(QStringLiteral("cannot read %1: %2").arg(plm, error));
        }
        if (cli.isSet(handheldLog) && !handheldSim->Traffic().SetOutput(cli.value(handheldLog), &error)) {
            return Fail(QStringLiteral("cannot open the log %1: %2").arg(cli.value(handheldLog), error));
        }
        if (!handheldSim->StartPty(&error)) return Fail(error);
        if (cli.isSet(handheldLink) && !handheldSim->MakeLink(cli.value(handheldLink), &error)) return Fail(error);
        std::printf("HANDHELD: %s\n", qPrintable(handheldSim->Address()));
        std::fflush(stdout);
    }

    // SIGINT and SIGTERM end the event loop cleanly, so the symlink is removed.
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::Stopped, &app, &QCoreApplication::quit);
    QObject::connect(&sim, &IndicatorSim::Unplugged, &app, [&sim]() {
        std::fprintf(stderr, "indicator-sim: the link was pulled on request\n");
        Q_UNUSED(sim);
    });
    const int code = app.exec();
    sim.Stop();
    if (handheldSim) handheldSim->Stop();
    return code;
}
