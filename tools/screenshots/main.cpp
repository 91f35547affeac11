// SPDX-License-Identifier: MIT
// tarelink-screenshots DIR: the pictures of docs/screenshots, taken from the real window and
// dialogs over this repository's data folder, with settings of their own (yours are not read
// or written). Run it offscreen: QT_QPA_PLATFORM=offscreen tarelink-screenshots docs/screenshots
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "CommandTable.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "app/CCommSetupDlg.h"
#include "app/CKeyLockDlg.h"
#include "app/CPrefsDlg.h"
#include "app/CSendCfgDlg.h"
#include "app/CTickSlotDlg.h"
#include "app/CWeighsetDlg.h"
#include "app/CWorkingDlg.h"
#include "app/SplashDlg.h"
#include "editor/WidgetControl.h"
#include "model/ConfigModel.h"
#include "platform/Prompts.h"

namespace {

// Long enough for layouts and the first animation frames to settle.
constexpr int kSettleMs = 150;
constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 700;

// Chooses the model asked for and declines everything else.
class ShotPrompts : public DecliningPrompts {
public:
    QByteArray model = "Model 615";
    Answer MessageBox(const QByteArray&, const QByteArray&, Buttons, Icon) override { return Answer::Cancel; }
    bool SelectModel(QByteArray& chosen, const QList<QByteArray>&) override
    {
        chosen = model;
        return true;
    }
};

void Settle()
{
    QEventLoop loop;
    QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

class Camera {
public:
    explicit Camera(const QString& dir) : dir_(dir) {}
    void Take(QWidget* widget, const char* name)
    {
        Settle();
        const QString path = dir_.filePath(QString::fromLatin1(name));
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "tarelink-screenshots: cannot write %s\n", qPrintable(path));
            failed_ = true;
        }
    }
    bool Failed() const { return failed_; }

private:
    QDir dir_;
    bool failed_ = false;
};

// A choice in one of the entry's lists, made as the user makes it, so that its rules run.
void Choose(ConfigModel& model, const QByteArray& code, const QString& text)
{
    ConfigEntry* entry = ConfigModel::FindEntryByCode(model.entries, code);
    if (!entry || entry->controls.size() < 2) return;
    auto* combo = qobject_cast<QComboBox*>(static_cast<WidgetControl*>(entry->controls[1].get())->Widget());
    if (!combo || combo->findText(text) < 0) return;
    combo->setCurrentIndex(combo->findText(text));
    Q_EMIT combo->activated(combo->currentIndex());
}

void ShootWindow(Camera& camera)
{
    ShotPrompts prompts;
    CWeighsetDlg window(&prompts);
    window.resize(kWindowWidth, kWindowHeight);
    window.show();
    camera.Take(&window, "main-window-empty.png");
    for (QAction* top : window.menuBar()->actions()) {
        top->menu()->popup(window.mapToGlobal(QPoint(0, 0)));
        const QByteArray name = "menu-" + top->text().remove(QLatin1Char('&')).toLower().toLatin1() + ".png";
        camera.Take(top->menu(), name.constData());
        top->menu()->hide();
    }

    window.RunCommand(kCmdNew);
    camera.Take(&window, "main-window-general-setup.png");
    window.Tabs()->setCurrentIndex(1);
    Choose(window.Bench().Model(), "AZT", QStringLiteral("Off"));
    Choose(window.Bench().Model(), "WT RANGES", QStringLiteral("Dual"));
    camera.Take(&window, "main-window-calibration.png");
    for (int i = 0; i < window.Tabs()->count(); ++i) {
        if (window.Tabs()->tabText(i) == QLatin1String("Printing")) window.Tabs()->setCurrentIndex(i);
    }
    camera.Take(&window, "main-window-printing.png");

    Workbench& bench = window.Bench();
    bench.AddStatusLine("Permission denied - add your user to the dialout group (/dev/ttyUSB0)", kCommError);
    bench.AddStatusLine("No device attached", kInformation);
    bench.AddStatusLine("Cal setting [CAP:5000] rejected by device", kError);
    bench.AddStatusLine("The current device does not recognize last command", kWarning);
    camera.Take(&window, "main-window-status-log.png");

    CWorkingDlg busy(&window);
    busy.ShowAt(window.frameGeometry().topLeft());
    busy.SetMessage("Receiving device configuration settings...");
    busy.PlayAnimation();
    camera.Take(&busy, "dialog-busy.png");
    busy.close();

    CSendCfgDlg progress(&window);
    progress.PlaceAt(window.frameGeometry().topLeft());
    progress.InitUpperBar(0, 40);
    progress.SetUpperPos(17);
    progress.InitLowerBar(0, 12);
    progress.SetLowerPos(5);
    progress.SetActivity(true);
    camera.Take(&progress, "dialog-progress.png");
    progress.close();
}

void ShootDialogs(Camera& camera)
{
    ShotPrompts prompts;
    CommSettings settings = CommSettings::Defaults();
    {
        CCommSetupDlg serial(settings, prompts, false);
        serial.show();
        camera.Take(&serial, "dialog-comm-serial.png");
    }
    settings.port = "TCP/IP";
    CCommSetupDlg tcp(settings, prompts, false);
    tcp.show();
    camera.Take(&tcp, "dialog-comm-tcp.png");
    tcp.close();

    CKeyLockDlg keyLock;
    keyLock.SetMask(0x0101);
    keyLock.show();
    camera.Take(&keyLock, "dialog-keylock.png");
    keyLock.close();
    CTickSlotDlg slots;
    slots.show();
    camera.Take(&slots, "dialog-ticketslot.png");
    slots.close();
    CPrefsDlg option;
    option.show();
    camera.Take(&option, "dialog-update-option.png");
    option.close();
    SplashDlg splash(nullptr);
    splash.show();
    camera.Take(&splash, "dialog-splash.png");
}

}  // namespace

int main(int argc, char** argv)
{
    // The repository's data, settings of our own, no splash windows over the pictures.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("TARELINK_DATA_DIR", TARELINK_SOURCE_DIR "/data");
    qputenv("TARELINK_NO_SPLASH", "1");
    QApplication app(argc, argv);
    if (argc != 2 || !config.isValid()) {
        std::fputs("Usage: tarelink-screenshots DIR\n", stderr);
        return 2;
    }
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    Camera camera(QString::fromLocal8Bit(argv[1]));
    ShootWindow(camera);
    ShootDialogs(camera);
    return camera.Failed() ? 1 : 0;
}
