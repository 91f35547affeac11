// SPDX-License-Identifier: MIT
#include "View.h"

std::unique_ptr<EntryControl> HeadlessView::CreateControl(const ControlSpec& spec)
{
    return std::make_unique<PlainEntryControl>(spec);
}

void HeadlessView::AddToolTip(EntryControl*, const QByteArray&)
{
    ++toolTipCount;
}

void HeadlessView::RemoveToolTip(EntryControl*)
{
    --toolTipCount;
}

HeadlessView::CommandState& HeadlessView::State(int id)
{
    for (CommandState& s : commands) {
        if (s.id == id) return s;
    }
    commands.push_back(CommandState{id, true, false, {}, false});
    return commands.back();
}

void HeadlessView::SetCommandEnabled(int id, bool enabled)
{
    State(id).enabled = enabled;
}

void HeadlessView::SetCommandText(int id, const QByteArray& text)
{
    CommandState& s = State(id);
    s.text = text;
    s.hasText = true;
}

void HeadlessView::SetCommandChecked(int id, bool checked)
{
    State(id).checked = checked;
}

bool HeadlessView::IsCommandEnabled(int id) const
{
    for (const CommandState& s : commands) {
        if (s.id == id) return s.enabled;
    }
    return true;
}

QByteArray HeadlessView::CommandText(int id) const
{
    for (const CommandState& s : commands) {
        if (s.id == id && s.hasText) return s.text;
    }
    return QByteArray();
}

void HeadlessView::ShowBusy(const QByteArray& text)
{
    busyVisible = true;
    busyMessages.push_back(text);
}

void HeadlessView::SetBusyMessage(const QByteArray& text)
{
    busyMessages.push_back(text);
}

void HeadlessView::ShowProgress()
{
    progressVisible = true;
    abortRequested = false;
    progressText = "Sending configuration to indicator...";
}

void HeadlessView::InitUpperBar(int low, int high)
{
    upperLow = low;
    upperHigh = high;
    upperPos = low;
}

void HeadlessView::InitLowerBar(int low, int high)
{
    lowerLow = low;
    lowerHigh = high;
    lowerPos = low;
}
