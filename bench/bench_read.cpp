// SPDX-License-Identifier: MIT
// Reads a 300-setting simulated indicator at 9600 baud and compares the wall time with what
// the line itself needs; then measures the CPU a wait burns while it runs into its bound.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

#include "BenchSupport.h"
#include "IndicatorSim.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "platform/View.h"

namespace {

constexpr int kSettings = 300;
constexpr int kBaud = 9600;
constexpr double kBitsPerByte = 10.0;
// Read device pauses twice for the line to settle.
constexpr double kSettlePausesSeconds = 2 * 0.250;

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString base = dir.path() + QStringLiteral("/");
    const QString tpl = WriteManySettingsTemplate(base, kSettings);
    if (tpl.isEmpty()) return 1;

    IndicatorSim sim(614);
    QString error;
    if (!sim.Profile().LoadTemplate(tpl, &error) || !sim.StartPty(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    for (auto& s : sim.Profile().settings) s.value = QByteArray::number(qHash(s.code) % 99999);
    sim.SetBaudRate(kBaud);

    BenchPrompts prompts;
    HeadlessView view;
    Workbench bench(prompts, view);
    CommSettings settings = CommSettings::Defaults();
    settings.port = QFile::encodeName(sim.Address());
    bench.Initialize(settings, Folders::FromBase(base));
    bench.SetSettlePause(250);

    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = CpuSeconds();
    bench.ReadDevice(nullptr, nullptr);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = CpuSeconds() - cpuBefore;
    const qsizetype toHost = sim.ToHost().size();
    const qsizetype fromHost = sim.FromHost().size();
    const double wireOut = double(toHost) * kBitsPerByte / kBaud;
    const double wireBoth = double(toHost + fromHost) * kBitsPerByte / kBaud;
    int filled = 0;
    for (const auto& e : bench.Model().entries) filled += e->value != "0" ? 1 : 0;

    std::printf("read of %d settings at %d baud\n", kSettings, kBaud);
    std::printf("  entries with the indicator's value: %d of %zu\n", filled, bench.Model().entries.size());
    std::printf("  bytes: %lld from the indicator, %lld to it\n", (long long)toHost, (long long)fromHost);
    std::printf("  wall %.3f s; wire %.3f s (indicator to PC), %.3f s (both ways); pauses %.3f s\n", seconds,
                wireOut, wireBoth, kSettlePausesSeconds);
    std::printf("  ratio wall / (wire + pauses): %.3f (one-way wire), %.3f (both ways)\n",
                seconds / (wireOut + kSettlePausesSeconds), seconds / (wireBoth + kSettlePausesSeconds));
    std::printf("  CPU during the read: %.3f s\n", cpu);

    sim.Faults().silent = true;
    DeviceLink& link = bench.Link();
    if (!link.IsSerialOpen() && !link.OpenSerialPort(&error)) {
        std::fprintf(stderr, "reopen: %s\n", qPrintable(error));
        return 1;
    }
    link.SendToDevice("\nA\r");
    QByteArray reply;
    wall.restart();
    const double waitCpuBefore = CpuSeconds();
    const int got = link.WaitForReplyLine(reply);
    const double waitCpu = CpuSeconds() - waitCpuBefore;
    std::printf("wait into its %d ms bound: result %d after %.3f s, CPU %.4f s\n", kReplyTimeoutMs, got,
                double(wall.nsecsElapsed()) / 1e9, waitCpu);
    bench.Shutdown();
    return 0;
}
