// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <vector>

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

    // One entry array's entries by tab (sub-entries at any depth), so that showing a tab
    // touches the controls of the pages concerned and leaves the others alone.
    struct PageIndex {
        const EntryArray* array = nullptr;
        size_t size = 0;
        std::vector<std::vector<ConfigEntry*>> byTab;
        // The tab last shown from this array (-1: none since the pages were built), and the
        // tab the rules took as displayed since then: only their pages' controls can be out of
        // step with what the tab shown asks for.
        int shown = -1;
        int ruled = -1;
    };
    void IndexPages(PageIndex& index, const EntryArray& entries);
    PageIndex* IndexOf(const EntryArray& entries);

    Workbench& bench_;
    static constexpr int kRangeCount = 7;
    int idCounters_[kRangeCount] = {};
    int pageShown_ = -1;
    PageIndex entryPages_;
    PageIndex extraPages_;
};
