// SPDX-License-Identifier: MIT
// Update device with 300 settings, and one 1,500-byte ticket download, against a simulated
// indicator on a 9600-baud line (paced both ways). Both exchanges are stop-and-wait, so the
// floor is the wire time of every byte in both directions; the ratio shows what the program
// adds to it.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "BenchSupport.h"
#include "IndicatorSim.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "link/DeviceUpdate.h"
#include "platform/View.h"
#include "tickets/SlotDownload.h"
#include "tickets/TicketStore.h"

namespace {

constexpr int kSettings = 300;
constexpr int kTicketBytes = 1500;
constexpr int kBaud = 9600;
constexpr double kBitsPerByte = 10.0;

void Report(const char* what, IndicatorSim& sim, const std::function<bool()>& run)
{
    sim.ClearTraffic();
    QElapsedTimer wall;
    wall.start();
    const bool ok = run();
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const qsizetype toHost = sim.ToHost().size();
    const qsizetype fromHost = sim.FromHost().size();
    const double wire = double(toHost + fromHost) * kBitsPerByte / kBaud;
    std::printf("%s at %d baud: %s\n", what, kBaud, ok ? "completed" : "FAILED");
    std::printf("  bytes: %lld to the indicator, %lld from it\n", (long long)fromHost, (long long)toHost);
    std::printf("  wall %.3f s; wire both ways %.3f s; ratio wall / wire %.3f\n", seconds, wire, seconds / wire);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString base = dir.path() + QStringLiteral("/");
    const QString tpl = WriteManySettingsTemplate(base, kSettings);
    const QString ticket = base + QStringLiteral("ticket.dvc");
    {
        QFile k(ticket);
        QByteArray bytes;
        for (int i = 0; i < kTicketBytes; ++i) bytes += char(' ' + i % 95);
        if (tpl.isEmpty() || !k.open(QIODevice::WriteOnly) || k.write(bytes) < 0) return 1;
    }

    IndicatorSim sim(614);
    QString error;
    if (!sim.Profile().LoadTemplate(tpl, &error) || !sim.StartPty(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    sim.SetBaudRate(kBaud);

    BenchPrompts prompts;
    HeadlessView view;
    Workbench bench(prompts, view);
    CommSettings settings = CommSettings::Defaults();
    settings.port = QFile::encodeName(sim.Address());
    bench.Initialize(settings, Folders::FromBase(base));
    bench.SetSettlePause(0);
    {
        QFile file(tpl);
        if (!file.open(QIODevice::ReadOnly)) return 1;
        bench.Model().attachedDevice.unlocked = 1;
        bench.ReadDevice(nullptr, &file);
    }
    int n = 0;
    for (auto& e : bench.Model().entries) e->value = QByteArray::number(++n * 7 % 99999);

    Report("update of 300 settings", sim, [&]() { return bench.Updater().UpdateDevice().Succeeded(); });
    bench.Tickets().SetTicketCount(1);
    bench.Tickets().SetCurrentTicket(1);
    Report("ticket download of 1,500 bytes", sim, [&]() {
        return bench.TicketDownload().DownloadTicket(nullptr, false, ticket) == SlotDownload::Result::Stored;
    });
    bench.Shutdown();
    return 0;
}
