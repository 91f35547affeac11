// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/CWeighsetDlg.h"
#include "app/SplashDlg.h"
#include "platform/SettingsStore.h"

namespace {

constexpr char kUsage[] =
    "Usage: tarelink [FILE]\n"
    "\n"
    "Configure weighing indicators over a serial cable or TCP/IP.\n"
    "\n"
    "FILE is a configuration (.csc), a template (.tpl) or a handheld file (.plm); it is\n"
    "opened once the window is up, as File > Open would open it.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n"
    "\n"
    "Environment:\n"
    "  TARELINK_DATA_DIR  one data folder for everything, instead of the user's folder\n"
    "                     and the installed data set\n"
    "  TARELINK_TRACE     write every byte to and from the indicator into this file\n";

bool Is(const char* arg, const char* shortName, const char* longName)
{
    return std::strcmp(arg, shortName) == 0 || std::strcmp(arg, longName) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Help and version need no display.
    if (argc > 1 && Is(argv[1], "-h", "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc > 1 && Is(argv[1], "-v", "--version")) {
        std::printf("tarelink %s\n", TARELINK_VERSION);
        return 0;
    }

    QApplication app(argc, argv);
    // The settings store is named after these two.
    QCoreApplication::setOrganizationName(QString::fromLatin1(SettingsStore::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(SettingsStore::kApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARELINK_VERSION));

    // Whatever QApplication left of the arguments: the first one is the file to open.
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1Char('-')))) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    // The program's own splash, up while the main window starts; the window shows its own.
    std::unique_ptr<SplashDlg> splash;
    if (CWeighsetDlg::SplashWanted()) {
        splash = std::make_unique<SplashDlg>(nullptr);
        splash->Start();
    }

    CWeighsetDlg window;
    window.show();
    if (!args.isEmpty()) {
        // Absolute, so that the title and Save name the file wherever the program was started.
        const QString file = QFileInfo(args.first()).absoluteFilePath();
        QTimer::singleShot(0, &window, [&window, file]() { window.OpenFromCommandLine(file); });
    }
    return app.exec();
}
