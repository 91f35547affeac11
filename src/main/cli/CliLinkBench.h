// SPDX-License-Identifier: MIT
#pragma once

#include "CliPrompts.h"
#include "Workbench.h"
#include "platform/View.h"

// A workbench with no window and no configuration, on the given link settings, its status log
// on stderr: what the commands that need only the link run on. It shuts down (closing the
// link) when it goes.
class CliLinkBench {
public:
    explicit CliLinkBench(const CommSettings& settings);
    ~CliLinkBench();
    CliLinkBench(const CliLinkBench&) = delete;
    CliLinkBench& operator=(const CliLinkBench&) = delete;

    Workbench& Bench() { return bench_; }
    CliPrompts& Ask() { return prompts_; }

private:
    CliPrompts prompts_;
    HeadlessView view_;
    Workbench bench_;
};
