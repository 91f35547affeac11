// SPDX-License-Identifier: MIT
// The pages of a large template in the real window: reads a generated template of 2,000
// settings on eight tabs (500 each of edit, combo, spin and text, and a few of every other
// control kind) through Read device with a file stream into the shown window, then switches
// tabs. Prints the read with its pages up to the frame that shows them, the median and the
// worst tab switch up to its frame, the window's start up to its first frame (no splash), and
// the peak memory. Run it offscreen, on Xvfb, or with the accessibility bridge on
// (scripts/bench does all three).
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

#include "BenchSupport.h"
#include "Workbench.h"
#include "app/CWeighsetDlg.h"

namespace {

constexpr int kTabs = 8;
constexpr int kPerKind = 500;
const char* const kMainKinds[] = {"edit", "combo", "spin", "text"};
constexpr int kMainKindCount = int(std::size(kMainKinds));
// Rounds of switching through every tab.
constexpr int kSwitchRounds = 5;
// A frame that has not come by then is reported as missing.
constexpr int kFrameTimeoutMs = 10000;
constexpr int kColumns = 6;
constexpr int kColumnStep = 130;
constexpr int kRowStep = 50;
constexpr int kFirstRow = 60;
constexpr int kLeft = 20;

QByteArray Number(int n)
{
    return QByteArray::number(n).rightJustified(4, '0');
}

// One setting line of a kind, at a grid cell of its tab.
QByteArray SettingLine(const char* kind, int serial, int cell)
{
    const QByteArray x = QByteArray::number(kLeft + (cell % kColumns) * kColumnStep);
    const QByteArray y = QByteArray::number(kFirstRow + (cell / kColumns) * kRowStep);
    const QByteArray k(kind);
    const QByteArray code = k.left(2) + Number(serial);
    const QByteArray label = "Setting " + QByteArray::number(serial) + " (" + k + ")";
    QByteArray value, spec, choices;
    if (k == "combo") {
        value = "1", spec = "0,1,2", choices = "Off,On,Auto";
    } else if (k == "radio") {
        value = "2", spec = "0,1,2", choices = "Low,Mid,High";
    } else if (k == "check") {
        value = "1", spec = "0,1", choices = "No,Yes";
    } else if (k == "text") {
        value = "LINE " + QByteArray::number(serial), spec = "20", choices = "20";
    } else {
        value = QByteArray::number(serial % 90), spec = "0-99999", choices = "0-99999";
    }
    return code + ':' + x + ':' + y + ':' + value + ':' + spec + ':' + choices + ':' + label + ':' + k + ":\r\n";
}

// 2,000 settings of the four common kinds on eight tabs, then one of each other kind per tab
// (a radio group, a check frame, a button, a wide edit box, a slider that makes no control),
// and rules that hide a few of them.
QByteArray MakeTemplate()
{
    QByteArray t = "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:GR1,TF2,NF3,\r\n";
    const int perTab = kPerKind * kMainKindCount / kTabs;
    const char* const others[] = {"large_edit", "check", "button", "slider", "radio"};
    int serial = 0;
    for (int tab = 0; tab < kTabs; ++tab) {
        t += "HDR:Page " + QByteArray::number(tab + 1) + ":\r\n";
        int cell = 0;
        for (int i = 0; i < perTab; ++i) t += SettingLine(kMainKinds[(tab * perTab + i) % kMainKindCount], serial++, cell++);
        for (const char* kind : others) t += SettingLine(kind, serial++, cell++);
    }
    t += "END:\r\nEND:\r\n";
    // The first combo of each tab hides the next edit box while it says "Auto".
    for (int tab = 0; tab < kTabs; ++tab) {
        const int first = tab * (perTab + int(std::size(others)));
        t += "HIDE:ed" + Number(first + 4) + ":co" + Number(first + 1) + ":2:\r\n";
    }
    t += "END:\r\nEND:\r\nEND:\r\n";
    return t;
}

// A wall clock and this process's CPU clock, read together: on a machine busy with other work
// the wall time says more about the machine than about the program; the CPU time does not
// count the waiting (it counts neither the X server's work).
class Clock {
public:
    struct Reading {
        double wallMs = -1;
        double cpuMs = -1;
    };
    Clock() { Restart(); }
    void Restart()
    {
        wall_.restart();
        cpu0_ = CpuNs();
    }
    Reading Now() const { return {double(wall_.nsecsElapsed()) / 1e6, double(CpuNs() - cpu0_) / 1e6}; }

private:
    static qint64 CpuNs()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    QElapsedTimer wall_;
    qint64 cpu0_ = 0;
};

// Knows when the window has put a frame on the screen: after a paint of any of its widgets,
// once the repaint that painted it (and flushed the picture) is over.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget& window, const Clock& clock) : window_(window), clock_(clock)
    {
        qApp->installEventFilter(this);
    }
    ~FrameWatch() override { qApp->removeEventFilter(this); }

    // Processes events until the next frame and reads the clock then; -1 when none came.
    Clock::Reading WaitForFrame()
    {
        framed_ = false;
        QEventLoop loop;
        loop_ = &loop;
        QTimer::singleShot(kFrameTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
        return framed_ ? at_ : Clock::Reading();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && loop_ && !pending_) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == &window_) {
                pending_ = true;
                // Runs once the repaint in progress has painted everything and flushed.
                QMetaObject::invokeMethod(
                    this,
                    [this]() {
                        pending_ = false;
                        if (!loop_) return;
                        at_ = clock_.Now();
                        framed_ = true;
                        loop_->quit();
                    },
                    Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    const Clock& clock_;
    QEventLoop* loop_ = nullptr;
    bool pending_ = false;
    bool framed_ = false;
    Clock::Reading at_;
};

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double Worst(const std::vector<double>& values)
{
    return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

void PrintLine(const char* what, const Clock::Reading& frame, const Clock::Reading& call, const char* callWhat)
{
    std::printf("  %-26s %8.1f ms wall %8.1f ms CPU  (%s: %.1f ms wall, %.1f ms CPU)\n", what, frame.wallMs,
                frame.cpuMs, callWhat, call.wallMs, call.cpuMs);
}

}  // namespace

int main(int argc, char** argv)
{
    // A folder of its own: the user's settings and data are not touched.
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const QString base = dir.path() + QStringLiteral("/");
    qputenv("TARELINK_DATA_DIR", QFile::encodeName(base));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + QStringLiteral("config")));
    qputenv("TARELINK_NO_SPLASH", "1");
    QDir().mkpath(base + QStringLiteral("Configurations"));
    const QString tpl = base + QStringLiteral("Configurations/bench.tpl");
    {
        QFile f(tpl);
        if (!f.open(QIODevice::WriteOnly) || f.write(MakeTemplate()) < 0) return 1;
    }

    Clock clock;
    QApplication app(argc, argv);
    const Clock::Reading appStart = clock.Now();

    BenchPrompts prompts;
    clock.Restart();
    CWeighsetDlg window(&prompts);
    FrameWatch frames(window, clock);
    window.show();
    const Clock::Reading firstFrame = frames.WaitForFrame();

    Workbench& bench = window.Bench();
    // The pauses for a serial line to settle are not page building.
    bench.SetSettlePause(0);
    QFile file(tpl);
    if (!file.open(QIODevice::ReadOnly)) return 1;
    clock.Restart();
    bench.ReadDevice(nullptr, &file);
    const Clock::Reading read = clock.Now();
    const Clock::Reading readFrame = frames.WaitForFrame();
    size_t entries = bench.Model().entries.size();
    for (const auto& e : bench.Model().entries) entries += e->subEntries.size();

    QTabBar* tabs = window.Tabs();
    std::vector<double> wall, cpu, callWall, callCpu;
    for (int round = 0; round < kSwitchRounds; ++round) {
        for (int i = 1; i <= tabs->count(); ++i) {
            clock.Restart();
            tabs->setCurrentIndex(i % tabs->count());
            const Clock::Reading call = clock.Now();
            const Clock::Reading frame = frames.WaitForFrame();
            callWall.push_back(call.wallMs);
            callCpu.push_back(call.cpuMs);
            wall.push_back(frame.wallMs);
            cpu.push_back(frame.cpuMs);
        }
    }
    const bool missing = std::find(wall.begin(), wall.end(), -1.0) != wall.end();
    const double firstPeak = PeakMegabytes();

    // Again, over the pages of the first read (the controls of a document go as the next comes).
    file.seek(0);
    clock.Restart();
    bench.ReadDevice(nullptr, &file);
    const Clock::Reading again = clock.Now();
    const Clock::Reading againFrame = frames.WaitForFrame();

    std::printf("pages of %zu settings on %d tabs, platform %s, accessibility %s\n", entries, tabs->count(),
                qPrintable(QGuiApplication::platformName()), QAccessible::isActive() ? "on" : "off");
    std::printf("  %-26s %8.1f ms wall %8.1f ms CPU\n", "application object", appStart.wallMs, appStart.cpuMs);
    std::printf("  %-26s %8.1f ms wall %8.1f ms CPU\n", "window start to 1st frame", firstFrame.wallMs,
                firstFrame.cpuMs);
    PrintLine("read + pages", readFrame, read, "the read");
    PrintLine("read again + pages", againFrame, again, "the read");
    PrintLine("tab switch, median", {Median(wall), Median(cpu)}, {Median(callWall), Median(callCpu)}, "the switch");
    PrintLine("tab switch, worst", {Worst(wall), Worst(cpu)}, {Worst(callWall), Worst(callCpu)}, "the switch");
    if (missing) std::printf("  a tab switch never made a frame\n");
    std::printf("  %-26s %8.1f MB (%.1f MB before the second read)\n", "peak memory", PeakMegabytes(), firstPeak);
    std::printf("  (each to the frame that shows the result; in brackets the call alone)\n");
    return 0;
}
