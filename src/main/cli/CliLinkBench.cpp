// SPDX-License-Identifier: MIT
#include "CliLinkBench.h"

#include "CliLink.h"

CliLinkBench::CliLinkBench(const CommSettings& settings) : bench_(prompts_, view_)
{
    CliLink::Prepare(bench_, settings);
}

CliLinkBench::~CliLinkBench()
{
    bench_.Shutdown();
}
