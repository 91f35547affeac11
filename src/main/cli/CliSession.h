// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <vector>

#include "CliPrompts.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "platform/View.h"

// A workbench with no window and no indicator, loading files the way the Open command does.
// Construct it after the command's options are taken: the folders are computed then.
class CliSession {
public:
    CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Reads a template or configuration file as Open does with no indicator attached, then lets
    // the events the read queued run. Returns the command's exit code: kExitRead when the file
    // was read to its end, kExitIncomplete (saying why on stderr) when it was not,
    // kExitCannotOpen (with a message on stderr) when it cannot be opened.
    int Load(const QString& path);
    // Lets the events a read queued run.
    static void Settle();

    Workbench& Bench() { return bench_; }
    CliPrompts& Ask() { return prompts_; }
    HeadlessView& Window() { return view_; }
    // 1 when the read built the pages, else 0.
    int ReaderResult() { return bench_.Reader().Outcome().pagesBuilt ? 1 : 0; }

    static constexpr int kExitRead = 0;
    static constexpr int kExitCannotOpen = 2;
    static constexpr int kExitIncomplete = 3;

private:
    CliPrompts prompts_;
    HeadlessView view_;
    Workbench bench_;
};
