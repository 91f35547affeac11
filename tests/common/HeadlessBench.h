// SPDX-License-Identifier: MIT
#pragma once

#include <QBuffer>
#include <QCoreApplication>

#include "ScriptedPrompts.h"
#include "TestData.h"
#include "Workbench.h"
#include "platform/View.h"

// A workbench with no window over a private data folder, with scripted prompts and no
// settle pauses: the fixture of the core tests.
template <class ViewType = HeadlessView>
struct HeadlessBenchT {
    explicit HeadlessBenchT(bool copyData = false) : data(copyData)
    {
        bench.SetSettlePause(0);
        bench.Initialize(CommSettings::Defaults(), Folders::Compute());
    }

    // Reads a template or configuration the way Open does with no indicator attached.
    void Load(const QByteArray& bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        bench.Model().attachedDevice = CDevice();
        bench.Model().attachedDevice.unlocked = 1;
        bench.ReadDevice(nullptr, &buffer);
        Settle();
    }
    // Lets posted events run, and the events they post.
    static void Settle() { for (int i = 0; i < 4; ++i) QCoreApplication::processEvents(); }
    ConfigEntry* Entry(const char* code) { return ConfigModel::FindEntryByCode(bench.Model().entries, code); }

    TestData data;
    ScriptedPrompts prompts;
    ViewType view;
    Workbench bench{prompts, view};
};

using HeadlessBench = HeadlessBenchT<>;
