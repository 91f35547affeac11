// SPDX-License-Identifier: MIT
#pragma once

#include "LogLines.h"
#include "ScriptedPrompts.h"
#include "TestData.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "platform/View.h"

// A workbench with no window over a test's data folder, linked to what the settings name (a
// simulator's pty or socket), with scripted prompts, no settle pauses and a short reply
// timeout: the fixture of the link tests.
template <class ViewType = HeadlessView>
struct LinkBenchT {
    LinkBenchT(const TestData& data, const CommSettings& settings, int replyTimeoutMs)
    {
        bench.Initialize(settings, Folders::FromBase(data.Base()));
        bench.SetSettlePause(0);
        bench.Link().SetReplyTimeout(replyTimeoutMs);
    }
    // The status log from `first` on, as "<Type>: <text>".
    QList<QByteArray> Log(int first = 0) { return LogLines(bench.Log(), first); }

    ScriptedPrompts prompts;
    ViewType view;
    Workbench bench{prompts, view};
};

using LinkBench = LinkBenchT<>;
