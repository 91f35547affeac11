// SPDX-License-Identifier: MIT
#include "ScriptedPrompts.h"

Prompts::Answer ScriptedPrompts::MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons,
                                            Icon icon)
{
    Shown s;
    s.kind = "box";
    s.text = text;
    s.caption = caption;
    s.buttons = buttons;
    s.icon = icon;
    shown.push_back(s);
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

QString ScriptedPrompts::ChooseFile(const FileChoice& choice)
{
    Shown s;
    s.kind = "file";
    s.file = choice;
    shown.push_back(s);
    if (files.empty()) return QString();
    const QString f = files.front();
    files.pop_front();
    return f;
}

bool ScriptedPrompts::SelectModel(QByteArray& chosen, const QList<QByteArray>& items)
{
    Shown s;
    s.kind = "model";
    s.text = chosen;
    shown.push_back(s);
    lastModelItems = items;
    if (models.empty()) return true;
    const QByteArray m = models.front();
    models.pop_front();
    if (m.isEmpty()) return false;
    chosen = m;
    return true;
}

int ScriptedPrompts::KeyLockMask(int mask)
{
    Shown s;
    s.kind = "keylock";
    s.text = QByteArray::number(mask);
    shown.push_back(s);
    lastKeyLockMaskIn = mask;
    if (keyLockMasks.empty()) return mask;
    const int m = keyLockMasks.front();
    keyLockMasks.pop_front();
    return m;
}

int ScriptedPrompts::UpdateOption()
{
    shown.push_back(Shown{"update", {}, {}, Buttons::Ok, Icon::None, {}});
    if (updateOptions.empty()) return 1;
    const int o = updateOptions.front();
    updateOptions.pop_front();
    return o;
}

int ScriptedPrompts::PickSlot()
{
    shown.push_back(Shown{"slot", {}, {}, Buttons::Ok, Icon::None, {}});
    if (slots.empty()) return 0;
    const int v = slots.front();
    slots.pop_front();
    return v;
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
    shown.push_back(Shown{"comm", linkOpen ? "open" : "closed", {}, Buttons::Ok, Icon::None, {}});
    if (commEdits.empty()) return false;
    auto edit = commEdits.front();
    commEdits.pop_front();
    return edit(settings, linkOpen);
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
    int n = 0;
    for (const Shown& s : shown) n += s.kind == kind ? 1 : 0;
    return n;
}
