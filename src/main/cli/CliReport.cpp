// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "Cli.h"
#include "CliLink.h"
#include "CliSession.h"
#include "report/ReportLayout.h"

#ifdef TARELINK_CLI_PDF
#include <QGuiApplication>
#include <QTemporaryDir>

#include "paint/ReportPdf.h"
#endif

namespace {

constexpr char kUsage[] = "Usage: tarelink-cli report CONFIG (-o OUT.pdf | --text) [--data DIR]\n";
constexpr char kFormFeedLine[] = "\f\n";

void PrintText(const ReportLayout& layout)
{
    bool first = true;
    for (const QStringList& page : layout.Pages()) {
        if (!first) std::fputs(kFormFeedLine, stdout);
        first = false;
        for (const QString& line : page) {
            const QByteArray bytes = line.toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
            std::fputc('\n', stdout);
        }
    }
    std::fflush(stdout);
}

int WritePdf(const ReportLayout& layout, const QString& out)
{
#ifdef TARELINK_CLI_PDF
    const QString error = ReportPdf::Write(layout, out);
    if (error.isEmpty()) return CliSession::kExitRead;
    std::fprintf(stderr, "tarelink-cli: cannot write %s: %s\n", qPrintable(out), qPrintable(error));
    return CliSession::kExitCannotOpen;
#else
    Q_UNUSED(layout);
    std::fprintf(stderr,
                 "tarelink-cli: cannot write %s: PDF output is not available in this build "
                 "(built without QtGui); use --text\n",
                 qPrintable(out));
    return CliSession::kExitCannotOpen;
#endif
}

}  // namespace

namespace Cli {

std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv)
{
#ifdef TARELINK_CLI_PDF
    // Fonts and PDF painting need the GUI module, but never a display: only "report -o" gets it.
    bool pdf = false;
    for (int i = 2; i < argc; ++i) pdf = pdf || std::strcmp(argv[i], "-o") == 0;
    if (argc > 1 && std::strcmp(argv[1], "report") == 0 && pdf) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            // The GUI module wants one and complains on stderr without it; a private folder
            // for this run keeps stderr to our own lines.
            static QTemporaryDir runtimeDir;
            if (runtimeDir.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

// The configuration as the window's Print command lays it out, from the file as it is.
int Report(const QStringList& arguments)
{
    QStringList args = arguments;
    if (!TakeDataOption(args)) return CliSession::kExitCannotOpen;
    QString out;
    const int at = int(args.indexOf(QStringLiteral("-o")));
    if (at >= 0) {
        if (at + 1 >= args.size() || args.at(at + 1).isEmpty()) {
            std::fputs(kUsage, stderr);
            return CliSession::kExitCannotOpen;
        }
        out = args.at(at + 1);
        args.remove(at, 2);
    }
    const bool text = args.removeAll(QStringLiteral("--text")) > 0;
    if (args.size() != 1 || out.isEmpty() == !text) {
        std::fputs(kUsage, stderr);
        return CliSession::kExitCannotOpen;
    }

    CliSession session;
    CliLink::EchoLog(session.Bench().Log());
    const QString config = QFileInfo(args.first()).absoluteFilePath();
    const int code = session.Load(config);
    if (code == CliSession::kExitCannotOpen) return code;
    if (code == CliSession::kExitIncomplete) {
        // A report of half a configuration would be filed as the whole one.
        std::fprintf(stderr, "tarelink-cli: %s was not read completely; no report made\n", qPrintable(args.first()));
        return code;
    }
    // Reading a file with no indicator attached points the document at the model's template;
    // the report is of CONFIG itself, so its header names CONFIG.
    ConfigModel& model = session.Bench().Model();
    model.documentPath = QFile::encodeName(config);
    const ReportLayout layout = ReportLayout::ForModel(model);
    if (text) {
        PrintText(layout);
        return CliSession::kExitRead;
    }
    return WritePdf(layout, out);
}

}  // namespace Cli
