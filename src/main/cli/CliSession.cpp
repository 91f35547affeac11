// SPDX-License-Identifier: MIT
#include "CliSession.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "platform/Folders.h"
#include "platform/SettingsStore.h"

namespace {

// Rounds of event processing after a read: events post at most one follow-up each (the
// decimal point posts the capacity), so a few rounds always drain the queue.
constexpr int kSettleRounds = 8;

}  // namespace

CliSession::CliSession() : bench_(prompts_, view_)
{
    bench_.Initialize(SettingsStore::Load(), Folders::Compute());
    bench_.SetSettlePause(0);
}

int CliSession::Load(const QString& path)
{
    ConfigModel& model = bench_.Model();
    model.attachedDevice = CDevice();
    model.documentPath = QFile::encodeName(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tarelink-cli: cannot open %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return kExitCannotOpen;
    }
    model.attachedDevice.unlocked = 1;
    bench_.ReadDevice(nullptr, &file);
    Settle();
    const ReadOutcome& outcome = bench_.Reader().Outcome();
    if (outcome.Complete()) return kExitRead;
    // The first problem is the cause; the later ones follow from it.
    const QByteArray why = outcome.problems.isEmpty() ? QByteArray("no pages were built") : outcome.problems.first();
    std::fprintf(stderr, "tarelink-cli: %s was not read completely: %s\n", qPrintable(path), why.constData());
    return kExitIncomplete;
}

void CliSession::Settle()
{
    for (int i = 0; i < kSettleRounds; ++i) QCoreApplication::processEvents();
}
