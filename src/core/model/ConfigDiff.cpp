// SPDX-License-Identifier: MIT
#include "ConfigDiff.h"

#include <QHash>

#include "ChoiceText.h"
#include "ConfigModel.h"

namespace ConfigDiff {

namespace {

// Every entry with a code, depth first, then the extra entries; the first of a code counts.
std::vector<const ConfigEntry*> Settings(const ConfigModel& model)
{
    std::vector<const ConfigEntry*> out;
    auto add = [&out](const EntryArray& list) {
        for (const auto& e : list) {
            if (!e->code.isEmpty()) out.push_back(e.get());
            for (const auto& sub : e->subEntries) {
                if (!sub->code.isEmpty()) out.push_back(sub.get());
            }
        }
    };
    add(model.entries);
    add(model.extraEntries);
    return out;
}

QHash<QByteArray, const ConfigEntry*> ByCode(const std::vector<const ConfigEntry*>& settings)
{
    QHash<QByteArray, const ConfigEntry*> out;
    for (const ConfigEntry* e : settings) {
        if (!out.contains(e->code)) out.insert(e->code, e);
    }
    return out;
}

}  // namespace

QByteArray ShownValue(const ConfigEntry& entry)
{
    bool hasRadio = false;
    for (const auto& control : entry.controls) {
        switch (control->Kind()) {
        case ControlKind::Combo:
            if (!control->Text().isEmpty()) return control->Text();
            break;
        case ControlKind::Edit:
            return control->Text();
        case ControlKind::Radio:
            hasRadio = true;
            if (control->IsChecked()) return control->Spec().text;
            break;
        default:
            break;
        }
    }
    // No control shows it (a check frame, a button, a page not built): say it in words when the
    // template gives words for it.
    const QByteArray choice = hasRadio ? QByteArray() : ChoiceText(entry);
    return choice.isEmpty() ? entry.value : choice;
}

std::vector<Difference> Compare(const ConfigModel& a, const ConfigModel& b)
{
    const std::vector<const ConfigEntry*> inA = Settings(a);
    const std::vector<const ConfigEntry*> inB = Settings(b);
    const QHash<QByteArray, const ConfigEntry*> codesA = ByCode(inA);
    const QHash<QByteArray, const ConfigEntry*> codesB = ByCode(inB);

    std::vector<Difference> out;
    for (const ConfigEntry* e : inA) {
        if (codesA.value(e->code) != e) continue;
        const ConfigEntry* other = codesB.value(e->code);
        if (other && other->value == e->value) continue;
        out.push_back({e->code, e->label, ShownValue(*e), other ? ShownValue(*other) : QByteArray()});
    }
    for (const ConfigEntry* e : inB) {
        if (codesB.value(e->code) != e || codesA.contains(e->code)) continue;
        out.push_back({e->code, e->label, QByteArray(), ShownValue(*e)});
    }
    return out;
}

}  // namespace ConfigDiff
