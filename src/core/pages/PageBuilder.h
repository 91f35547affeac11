// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include "model/ConfigModel.h"
#include "model/EntryControl.h"

class Workbench;

// The generated pages of a document: every entry's controls at the template's positions,
// which tab's controls are shown, and what a control's report does (value correction,
// rules, events). The workbench owns one and hands it the document's model and view.
class PageBuilder {
public:
    // Identifier ranges of the generated controls, in the order of their bases.
    enum class ControlRange { Radio, Edit, Combo, UpDown, Check, Button, Text, None };

    explicit PageBuilder(Workbench& bench);

    // Before a new document: tool tips off, identifiers back at their bases, no page shown.
    void Reset();
    // Builds every control, applies every rule to every entry, then runs every event once.
    void BuildPages();
    // Shows the controls of one tab in one entry array; handles the ticket editor on the print page.
    void ShowPage(EntryArray& entries, int tab);
    void AddEntryToolTips(EntryArray& entries);
    // The tab control's selection changed: both arrays show the tab.
    void SelectTab(int tab);
    int PageShown() const { return pageShown_; }
    // Reads every entry back from its controls.
    void ReadBackAll();

    ControlRange RangeOf(int id) const;
    int NextControlId(ControlRange range);

    // A generated control reports a user action.
    void OnControlCommand(EntryControl* control, ControlNotification notification);

private:
    void BuildEntryControls(ConfigEntry& entry);
    void BuildExtraControls(ConfigEntry& entry);
    EntryControl* AddCaption(ConfigEntry& entry, int width);
    EntryControl* AddEditBox(ConfigEntry& entry, int width, ControlRange range, bool numeric, bool autoScroll);
    void ApplyRules(ConfigEntry* entry, const QByteArray& text);
    void RemoveToolTips(ConfigEntry& entry);
    void SetFieldButtons();

    Workbench& bench_;
    static constexpr int kRangeCount = 7;
    int idCounters_[kRangeCount] = {};
    int pageShown_ = -1;
};
