// SPDX-License-Identifier: MIT
#include "ScriptedPrompts.h"

namespace {
// The next scripted answer, or `fallback` when the script has run out.
template <class T>
T Next(std::deque<T>& script, T fallback)
{
    if (script.empty()) return fallback;
    T v = std::move(script.front());
    script.pop_front();
    return v;
}
}  // namespace

void ScriptedPrompts::Record(const QByteArray& kind, const QByteArray& text)
{
    Shown s;
    s.kind = kind;
    s.text = text;
    shown.push_back(s);
}

Prompts::Answer ScriptedPrompts::MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons,
                                            Icon icon)
{
    shown.push_back(Shown{"box", text, caption, buttons, icon, {}});
    return Next(answers, buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
}

QString ScriptedPrompts::ChooseFile(const FileChoice& choice)
{
    shown.push_back(Shown{"file", {}, {}, Buttons::Ok, Icon::None, choice});
    return Next(files, QString());
}

bool ScriptedPrompts::SelectModel(QByteArray& chosen, const QList<QByteArray>& items)
{
    Record("model", chosen);
    lastModelItems = items;
    const QByteArray m = Next(models, chosen);
    if (m.isEmpty()) return false;
    chosen = m;
    return true;
}

int ScriptedPrompts::KeyLockMask(int mask)
{
    Record("keylock", QByteArray::number(mask));
    lastKeyLockMaskIn = mask;
    return Next(keyLockMasks, mask);
}

int ScriptedPrompts::UpdateOption()
{
    Record("update");
    return Next(updateOptions, 1);
}

int ScriptedPrompts::PickSlot()
{
    Record("slot");
    return Next(slots, 0);
}

bool ScriptedPrompts::HandheldDescription(QByteArray& description)
{
    shown.push_back(Shown{"description", description, {}, Buttons::Ok, Icon::None, {}});
    if (descriptions.empty()) return false;
    description = descriptions.front();
    descriptions.pop_front();
    return !description.isEmpty();
}

int ScriptedPrompts::ChooseHandheldConfiguration(const QByteArray& fileList)
{
    shown.push_back(Shown{"handheld list", fileList, {}, Buttons::Ok, Icon::None, {}});
    if (handheldRows.empty()) return -1;
    const int row = handheldRows.front();
    handheldRows.pop_front();
    return row;
}

bool ScriptedPrompts::CommunicationSettings(CommSettings& settings, bool linkOpen)
{
    Record("comm", linkOpen ? "open" : "closed");
    auto edit = Next(commEdits, std::function<bool(CommSettings&, bool)>());
    return edit && edit(settings, linkOpen);
}

QList<QByteArray> ScriptedPrompts::BoxTexts() const
{
    QList<QByteArray> out;
    for (const Shown& s : shown) {
        if (s.kind == "box") out.append(s.text);
    }
    return out;
}

int ScriptedPrompts::CountOf(const QByteArray& kind) const
{
    return int(std::count_if(shown.begin(), shown.end(), [&kind](const Shown& s) { return s.kind == kind; }));
}
