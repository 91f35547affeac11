// SPDX-License-Identifier: MIT
#include "EntryValues.h"

#include <cmath>

#include "ConfigEntry.h"
#include "ConfigModel.h"
#include "EntryControl.h"
#include "TextConv.h"

using TextConv::Atof;
using TextConv::Atoi;

namespace EntryValues {

namespace {

QByteArray CutAt(const QByteArray& text, const char* stops)
{
    for (int i = 0; i < text.size(); ++i) {
        for (const char* s = stops; *s; ++s) {
            if (text[i] == *s) return text.left(i);
        }
    }
    return text;
}

// The part after the first '-' (the whole text when there is none), up to a ':'.
QByteArray MaximumPart(const QByteArray& text)
{
    return CutAt(text.mid(text.indexOf('-') + 1), ":");
}

// The part up to the first ',', '-' or ':'.
QByteArray FirstPart(const QByteArray& text)
{
    return CutAt(text, ",-:");
}

bool IsScaledCode(const ConfigEntry& e, const ConfigModel& m)
{
    return e.code == "tare" || e.code == m.capacityCode || e.code == "LOW RANGE";
}

// What the entry's controls hold as a value code: the last control with one wins, as each
// overwrites the one before; empty when none holds one.
QByteArray ControlValue(const ConfigEntry& entry, const ConfigModel& model)
{
    QByteArray value;
    for (const auto& c : entry.controls) {
        QByteArray next;
        switch (c->Kind()) {
        case ControlKind::Radio:
            if (c->IsChecked()) next = ConvertToValue(entry, c->Text(), nullptr, model);
            break;
        case ControlKind::Combo:
            next = ConvertToValue(entry, c->Text(), nullptr, model);
            break;
        case ControlKind::UpDown:
            if (c->Buddy()) next = ConvertToValue(entry, c->Buddy()->Text(), nullptr, model);
            break;
        case ControlKind::Edit: {
            const QByteArray text = GetStoredValue(c.get(), model);
            next = entry.controlType == "text" ? text : ConvertToValue(entry, text, nullptr, model);
            break;
        }
        default:
            break;
        }
        if (!next.isEmpty()) value = next;
    }
    return value;
}

}  // namespace

bool IsEditType(const QByteArray& controlType)
{
    return controlType == "edit" || controlType == "large_edit" || controlType == "spin";
}

bool LineCanCarry(const QByteArray& value)
{
    for (char c : {':', '\r', '\n', '\0'}) {
        if (value.contains(c)) return false;
    }
    return !value.contains("//");
}

QByteArray ConvertToValue(const ConfigEntry& entry, const QByteArray& text, int* status, const ConfigModel& model)
{
    const QByteArray t = TextConv::Trim(text);
    QByteArray r;
    int s = kInRange;
    const QByteArray& spec = entry.valueSpec;

    if (spec.contains('!')) {
        if (Atof(t) != 0.0) r = t;
    } else if (!spec.contains('-')) {
        const QList<QByteArray> shown = entry.choices.split(',');
        const QList<QByteArray> codes = spec.split(',');
        const int i = int(shown.indexOf(t));
        if (i >= 0 && i < codes.size()) r = codes[i];
    } else {
        const int dash = int(spec.indexOf('-'));
        const double minimum = Atof(spec.left(dash));
        const QByteArray maxText = spec.mid(dash + 1);
        const double maximum = maxText == model.capacityCode ? double(model.capacityLimit) : Atof(maxText);
        const bool numeric = !t.isEmpty() && ((t[0] >= '0' && t[0] <= '9') || t[0] == '.');
        if (numeric) {
            double v = Atof(t);
            if (IsScaledCode(entry, model)) v /= std::pow(10.0, model.displayDecimals);
            if (minimum <= v && v <= maximum) {
                r = t;
            } else {
                s = double(Atoi(t)) > maximum ? kAboveMaximum : kBelowMinimum;
            }
        }
    }
    if (status) *status = s;
    return r;
}

void ApplyBoundValue(ConfigEntry& entry, int status, const ConfigModel& model)
{
    const bool above = status == kAboveMaximum;
    entry.SetValue(above ? MaximumPart(entry.valueSpec) : FirstPart(entry.valueSpec));

    if (entry.controlType == "combo") {
        if (EntryControl* list = entry.GetControl(1)) list->SetCurrentIndex(0);
    } else if (IsEditType(entry.controlType)) {
        QByteArray shown = above ? MaximumPart(entry.choices) : FirstPart(entry.choices);
        if (shown == "!0") {
            shown = kNonZeroCorrection;
        } else if (shown == model.capacityCode) {
            shown = TextConv::Dec(model.capacityLimit);
        }
        if (EntryControl* box = entry.GetControl(1)) SetDisplayValue(box, shown, 0, model);
    }
}

QByteArray DisplayText(const ConfigEntry* entry, const QByteArray& value, int decimals, const ConfigModel& model)
{
    if (!entry) return value;
    QByteArray v = value;
    if (decimals <= 0) {
        // A text that already has its point is shown as it is: formatting it again would
        // put a second point into it.
        if (entry->code == "CNVT FACTOR" && !v.contains('.')) {
            while (v.size() < 6) v.prepend('0');
            v.insert(v.size() - 5, '.');
        }
        return v;
    }
    if (entry->code == model.capacityCode || entry->code == "LOW RANGE") {
        while (v.size() <= decimals) v.append('0');
        v.insert(v.size() - decimals, '.');
    } else if (entry->code == "tare" && !entry->sectionName.contains("Tab")) {
        while (v.size() <= decimals) v.prepend('0');
        v.insert(v.size() - decimals, '.');
    }
    return v;
}

QByteArray StoredText(const ConfigEntry* entry, const QByteArray& windowText, const ConfigModel& model)
{
    QByteArray t = windowText;
    if (entry
        && (entry->code == model.capacityCode || entry->code == "tare" || entry->code == "LOW RANGE"
            || entry->code == "CNVT FACTOR")) {
        const int dot = t.indexOf('.');
        if (dot >= 0) t.remove(dot, 1);
    }
    return t;
}

void SetDisplayValue(EntryControl* edit, const QByteArray& value, int decimals, const ConfigModel& model)
{
    if (edit) edit->SetText(DisplayText(edit->Entry(), value, decimals, model));
}

QByteArray GetStoredValue(const EntryControl* edit, const ConfigModel& model)
{
    return edit ? StoredText(edit->Entry(), edit->Text(), model) : QByteArray();
}

void ReadBackControls(ConfigEntry* entry, const ConfigModel& model)
{
    if (!entry) return;
    entry->SetValue(ControlValue(*entry, model));
    for (auto& sub : entry->subEntries) ReadBackControls(sub.get(), model);
}

QByteArray PendingValue(const ConfigEntry& entry, const ConfigModel& model)
{
    const QByteArray value = ControlValue(entry, model);
    return value.isEmpty() ? entry.value : value;
}

QByteArray ShownText(const ConfigEntry& entry)
{
    for (const auto& c : entry.controls) {
        switch (c->Kind()) {
        case ControlKind::Edit:
        case ControlKind::Combo:
            return c->Text();
        case ControlKind::Radio:
            if (c->IsChecked()) return c->Text();
            break;
        default:
            break;
        }
    }
    return entry.value;
}

}  // namespace EntryValues
