// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "Cli.h"

namespace {

constexpr char kUsage[] =
    "Usage: tarelink-cli COMMAND [ARGS]\n"
    "\n"
    "Configure weighing indicators from the command line.\n"
    "\n"
    "Commands:\n"
    "  dump FILE [--data DIR]            read a template or configuration file, print it as JSON\n"
    "  resave IN OUT [--data DIR]        read IN and write it again as OUT, exactly as Save would\n"
    "  identify [--port P] [--data DIR]  identify the attached indicator, print it as JSON\n"
    "  read [--port P] [--data DIR] -o OUT\n"
    "                                    read the attached indicator and save its configuration\n"
    "  read --host [--session-port N] [--wait S] [--data DIR] -o OUT\n"
    "                                    host a remote session, wait up to S seconds (default 120)\n"
    "                                    for a remote copy, read its indicator, then end the session\n"
    "  relay --server HOST [--port P] [--session-port N] [--data DIR]\n"
    "                                    be the remote copy: relay between the host and the indicator\n"
    "                                    until the host ends the session (exit 0) or is lost (exit 1)\n"
    "  update FILE [--port P] [--data DIR] [--tickets]\n"
    "                                    write FILE's settings (and with --tickets its tickets)\n"
    "                                    into the attached indicator, as Update device does\n"
    "  diff A B [--data DIR]             list the settings whose values differ between two files\n"
    "                                    (code, label, value in A, value in B, tab-separated)\n"
    "  handheld send CONFIG [--port P] [--description TEXT] [--data DIR]\n"
    "                                    send a configuration (or a .plm with its tickets) to the\n"
    "                                    handheld PC on P (the \"Alternate Port\" setting without it)\n"
    "  handheld read --row N [--port P] [--data DIR]\n"
    "                                    list the handheld PC's configurations on stdout and load\n"
    "                                    row N (0 to 9) and its tickets into the handheld folder\n"
    "  handheld export CONFIG -o OUT.plm [--data DIR]\n"
    "                                    write CONFIG as a handheld file with its ticket files and\n"
    "                                    copy them into the handheld sync folder\n"
    "  handheld import IN.plm -o OUT.csc [--data DIR]\n"
    "                                    load a handheld file as Import handheld file does, save it\n"
    "  idstorage receive -o FILE [--port P] [--data DIR]\n"
    "                                    copy the ID storage records of a 637 into FILE\n"
    "  idstorage send FILE [--port P] [--data DIR]\n"
    "                                    send the ID storage records of FILE into a 637\n"
    "  report CONFIG (-o OUT.pdf | --text) [--data DIR]\n"
    "                                    the configuration report as PDF, or its lines as text\n"
    "  ticket send CONFIG [--port P] [--data DIR] [-o FILE.tkt]\n"
    "                                    store CONFIG's tickets in the indicator's slots, as Send\n"
    "                                    ticket does (model 958: save the ticket as FILE.tkt)\n"
    "  ticket send-file FILE --slot N [--port P] [--data DIR]\n"
    "                                    store a .dvc file, or a .txt with its tags converted, in slot N\n"
    "  ticket print CONFIG --slot N [--printer-port P] [--data DIR]\n"
    "                                    print CONFIG's ticket of slot N on the serial printer\n"
    "                                    (the Alternate Port setting unless --printer-port is given)\n"
    "  ticket export CONFIG --slot N -o OUT.vtk [--data DIR]\n"
    "                                    write CONFIG's ticket of slot N as a ticket export file\n"
    "  ticket import CONFIG IN.vtk --slot N -o OUT [--data DIR]\n"
    "                                    put the ticket of IN.vtk in slot N, save the result as OUT\n"
    "  ticket upload [--port P] [--data DIR] -o OUT\n"
    "                                    read back the ticket the indicator holds ready\n"
    "\n"
    "P is a device path (/dev/ttyUSB0), COMn, or tcp:HOST:PORT; without --port the saved\n"
    "settings are used. --data DIR sets the base data folder (like TARELINK_DATA_DIR).\n"
    "Remote sessions use TCP port 11555 unless --session-port says otherwise; they have no\n"
    "authentication and no encryption (see the README).\n"
    "Every command that talks to an indicator also takes --trace FILE: every byte to and from\n"
    "the indicator is written to FILE (like TARELINK_TRACE).\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n";

}  // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = Cli::CreateApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarelink-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARELINK_VERSION));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("-h") || args.first() == QLatin1String("--help")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("-v") || args.first() == QLatin1String("--version")) {
        std::printf("tarelink-cli %s\n", TARELINK_VERSION);
        return 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("dump")) return Cli::Dump(args);
    if (command == QLatin1String("resave")) return Cli::Resave(args);
    if (command == QLatin1String("identify")) return Cli::Identify(args);
    if (command == QLatin1String("read")) return Cli::Read(args);
    if (command == QLatin1String("relay")) return Cli::Relay(args);
    if (command == QLatin1String("update")) return Cli::Update(args);
    if (command == QLatin1String("diff")) return Cli::Diff(args);
    if (command == QLatin1String("handheld")) return Cli::Handheld(args);
    if (command == QLatin1String("idstorage")) return Cli::IdStorage(args);
    if (command == QLatin1String("report")) return Cli::Report(args);
    if (command == QLatin1String("ticket")) return Cli::Ticket(args);
    std::fprintf(stderr, "tarelink-cli: unknown command '%s'\n\n%s", qPrintable(command), kUsage);
    return 2;
}
