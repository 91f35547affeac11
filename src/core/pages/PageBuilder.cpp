// SPDX-License-Identifier: MIT
#include "PageBuilder.h"

#include <functional>

#include "Workbench.h"
#include "model/EntryValues.h"
#include "model/TextConv.h"
#include "pages/EventProcessor.h"
#include "platform/View.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

using TextConv::Atoi;

namespace {

// Base of each identifier range and the next range's base.
struct IdRange {
    int base;
    int end;
};
constexpr IdRange kIdRanges[] = {
    {2500, 3000},  // radio buttons
    {3000, 4000},  // edit boxes of "edit", "large_edit" and "spin"
    {4000, 4500},  // drop-down lists
    {4500, 5000},  // up-down controls
    {5000, 5500},  // check frames
    {5500, 6000},  // push buttons
    {6000, 6500},  // text boxes
};

constexpr int kComboTextLimit = 128;
constexpr int kCaptionGap = 20;
constexpr int kDefaultWidth = 100;
constexpr int kLargeWidth = 200;
constexpr int kEditHeight = 25;
constexpr int kComboHeight = 80;
constexpr int kRadioStep = 22;
constexpr int kRadioHeight = 15;
constexpr int kSpinMaximumForCap = 999999;
constexpr int kCheckHeight = 20;
constexpr int kButtonBelow = 10;
constexpr int kUpDownWidth = 10;
constexpr int kUpDownHeight = 18;
constexpr int kFrameMargin = 5;
// The ticket editor's field button that follows the editor mode rather than the field list.
constexpr short kModeButton = 7;

// Which field buttons each field code switches on.
struct FieldButtonRule {
    std::initializer_list<const char*> codes;
    std::initializer_list<int> buttons;
};

const FieldButtonRule kFieldButtonRules[] = {
    {{"GR", "NF", "TF", "DW"}, {0, 1}},
    {{"CN"}, {5}},
    {{"TM", "DT"}, {2, 3}},
    {{"ID", "I1", "I2", "I3", "R1", "R2", "R3", "P1", "P2", "P3"}, {4}},
    {{"HT", "BM"}, {10, 11}},
    {{"UF"}, {6}},
    {{"PW", "PC", "GA", "NA"}, {8}},
};

}  // namespace

PageBuilder::PageBuilder(Workbench& bench) : bench_(bench)
{
    for (int i = 0; i < kRangeCount; ++i) idCounters_[i] = kIdRanges[i].base;
}

PageBuilder::ControlRange PageBuilder::RangeOf(int id) const
{
    for (int i = 0; i < kRangeCount; ++i) {
        if (id >= kIdRanges[i].base && id < idCounters_[i]) return static_cast<ControlRange>(i);
    }
    return ControlRange::None;
}

int PageBuilder::NextControlId(ControlRange range)
{
    const int i = static_cast<int>(range);
    // A full range keeps handing out its last identifier; it never reaches the next base.
    if (idCounters_[i] < kIdRanges[i].end) return idCounters_[i]++;
    return kIdRanges[i].end - 1;
}

void PageBuilder::RemoveToolTips(ConfigEntry& entry)
{
    for (auto& c : entry.controls) bench_.Window().RemoveToolTip(c.get());
    for (auto& sub : entry.subEntries) RemoveToolTips(*sub);
}

void PageBuilder::Reset()
{
    for (int i = 0; i < kRangeCount; ++i) idCounters_[i] = kIdRanges[i].base;
    pageShown_ = -1;
    ConfigModel& model = bench_.Model();
    for (auto& e : model.entries) RemoveToolTips(*e);
    for (auto& e : model.extraEntries) RemoveToolTips(*e);
}

EntryControl* PageBuilder::AddCaption(ConfigEntry& entry, int width)
{
    const int x = Atoi(entry.x);
    const int y = Atoi(entry.y);
    ControlSpec s;
    s.kind = ControlKind::Caption;
    s.rect = {x, y - kCaptionGap, x + width, y - 1};
    s.text = TextConv::ToUpper(entry.code);
    s.font = ControlFont::Caption;
    entry.controls.push_back(bench_.Window().CreateControl(s));
    return entry.controls.back().get();
}

EntryControl* PageBuilder::AddEditBox(ConfigEntry& entry, int width, ControlRange range, bool numeric,
                                      bool autoScroll)
{
    const int x = Atoi(entry.x);
    const int y = Atoi(entry.y);
    ControlSpec s;
    s.kind = ControlKind::Edit;
    s.id = NextControlId(range);
    s.entry = &entry;
    s.rect = {x, y, x + width, y + kEditHeight};
    s.text = EntryValues::DisplayText(&entry, entry.value, 0, bench_.Model());
    s.numeric = numeric;
    s.autoHScroll = autoScroll;
    entry.controls.push_back(bench_.Window().CreateControl(s));
    return entry.controls.back().get();
}

void PageBuilder::BuildEntryControls(ConfigEntry& entry)
{
    const ConfigModel& model = bench_.Model();
    const int x = Atoi(entry.x);
    const int y = Atoi(entry.y);
    const QByteArray& type = entry.controlType;
    const bool noValue = entry.hasValue == 0;
    const bool isDisabled = entry.disabled != 0;

    auto make = [&](ControlSpec spec) {
        entry.controls.push_back(bench_.Window().CreateControl(spec));
        return entry.controls.back().get();
    };
    auto isValueOf = [&](const QByteArray& shown) {
        return EntryValues::ConvertToValue(entry, shown, nullptr, model) == entry.value;
    };

    if (type == "text" || type == "edit" || type == "large_edit") {
        const int width = type == "large_edit" ? kLargeWidth : kDefaultWidth;
        EntryControl* label = AddCaption(entry, width);
        const bool text = type == "text";
        EntryControl* box = AddEditBox(entry, width, text ? ControlRange::Text : ControlRange::Edit, !text, true);
        if (isDisabled) {
            box->SetWritable(false);
            box->Redraw();
        }
        if (noValue) {
            label->SetEnabled(false);
            box->SetWritable(false);
        }
    } else if (type == "combo") {
        EntryControl* label = AddCaption(entry, kDefaultWidth);
        ControlSpec s;
        s.kind = ControlKind::Combo;
        s.id = NextControlId(ControlRange::Combo);
        s.entry = &entry;
        s.rect = {x, y, x + kDefaultWidth, y + kComboHeight};
        EntryControl* list = make(s);
        list->SetText(entry.value);
        int selected = -1;
        const QList<QByteArray> items = entry.choices.split(',');
        for (int i = 0; i < items.size(); ++i) {
            list->AddItem(items[i]);
            if (isValueOf(items[i])) selected = i;
        }
        if (selected >= 0) list->SetCurrentIndex(selected);
        if (isDisabled) list->SetEnabled(false);
        if (noValue) {
            label->SetEnabled(false);
            list->SetEnabled(false);
        }
    } else if (type == "spin") {
        EntryControl* label = AddCaption(entry, kDefaultWidth);
        EntryControl* box = AddEditBox(entry, kDefaultWidth, ControlRange::Edit, true, false);
        ControlSpec s;
        s.kind = ControlKind::UpDown;
        s.id = NextControlId(ControlRange::UpDown);
        s.entry = &entry;
        s.rect = {x + kDefaultWidth, y, x + kDefaultWidth + kUpDownWidth, y + kUpDownHeight};
        s.buddy = box;
        EntryControl* updown = make(s);
        const int dash = entry.valueSpec.indexOf('-');
        const QByteArray minPart = dash < 0 ? entry.valueSpec : entry.valueSpec.left(dash);
        const QByteArray maxPart = dash < 0 ? entry.valueSpec : entry.valueSpec.mid(dash + 1);
        const int high = maxPart == "CAP" ? kSpinMaximumForCap : Atoi(maxPart);
        updown->SetRange(Atoi(minPart), high);
        updown->SetPos(Atoi(entry.value));
        if (isDisabled) {
            box->SetEnabled(false);
            updown->SetEnabled(false);
        }
        if (noValue) {
            label->SetEnabled(false);
            box->SetEnabled(false);
            updown->SetEnabled(false);
        }
    } else if (type == "check") {
        ControlSpec s;
        s.kind = ControlKind::CheckFrame;
        s.id = NextControlId(ControlRange::Check);
        s.entry = &entry;
        s.rect = {x, y, x + kDefaultWidth, y + kCheckHeight};
        s.text = TextConv::ToUpper(entry.code);
        EntryControl* frame = make(s);
        if (isDisabled || noValue) frame->SetEnabled(false);
    } else if (type == "radio") {
        const QList<QByteArray> choices = entry.choices.split(',');
        const int n = int(choices.size());
        for (int i = 0; i < n; ++i) {
            ControlSpec s;
            s.kind = ControlKind::Radio;
            s.id = NextControlId(ControlRange::Radio);
            s.entry = &entry;
            s.rect = {x, y + kRadioStep * i, x + kDefaultWidth, y + kRadioStep * i + kRadioHeight};
            s.text = choices[i];
            s.groupStart = i == 0;
            EntryControl* button = make(s);
            if (i == 0) button->SetVisible(true);
            if (isValueOf(choices[i])) button->SetChecked(true);
            if (isDisabled || noValue) button->SetEnabled(false);
        }
        ControlSpec s;
        s.kind = ControlKind::GroupFrame;
        s.rect = {x - kFrameMargin, y - kCaptionGap, x + kDefaultWidth + kFrameMargin,
                  y + kRadioStep * n + kFrameMargin};
        s.text = entry.code;
        s.font = ControlFont::Caption;
        EntryControl* frame = make(s);
        if (noValue) frame->SetEnabled(false);
    } else if (type == "button") {
        ControlSpec s;
        s.kind = ControlKind::Button;
        s.id = NextControlId(ControlRange::Button);
        s.entry = &entry;
        s.rect = {x, y - kCaptionGap, x + kDefaultWidth, y + kButtonBelow};
        s.text = TextConv::ToUpper(entry.code);
        EntryControl* button = make(s);
        if (isDisabled || noValue) button->SetEnabled(false);
    }
    // "slider" and anything else: no control; the entry stays in the model.
}

void PageBuilder::BuildExtraControls(ConfigEntry& entry)
{
    const int width = entry.controlType == "large_edit" ? kLargeWidth : kDefaultWidth;
    EntryControl* caption = AddCaption(entry, width);
    AddEditBox(entry, width, ControlRange::Edit, true, true)->SetWritable(false);
    if (entry.hasValue == 0) caption->SetEnabled(false);
}

void PageBuilder::ApplyRules(ConfigEntry* entry, const QByteArray& text)
{
    ConfigModel& model = bench_.Model();
    for (CInterlock& rule : model.interlocks) rule.Apply(entry, text, model.currentTabIndex, model);
}

void PageBuilder::BuildPages()
{
    ConfigModel& model = bench_.Model();
    for (auto& top : model.entries) {
        BuildEntryControls(*top);
        for (auto& sub : top->subEntries) BuildEntryControls(*sub);
    }
    for (auto& extra : model.extraEntries) BuildExtraControls(*extra);

    auto applyAll = [&model](ConfigEntry* entry) {
        for (CInterlock& rule : model.interlocks) {
            // A rule may change the controls' texts; each control is read as it is now.
            for (size_t i = 0; i < entry->controls.size(); ++i) {
                rule.Apply(entry, entry->controls[i]->Text(), model.currentTabIndex, model);
            }
        }
    };
    for (auto& top : model.entries) {
        applyAll(top.get());
        for (auto& sub : top->subEntries) applyAll(sub.get());
    }

    bench_.Events().RunAll();
}

void PageBuilder::AddEntryToolTips(EntryArray& entries)
{
    for (auto& e : entries) {
        for (auto& c : e->controls) bench_.Window().AddToolTip(c.get(), e->label);
        AddEntryToolTips(e->subEntries);
    }
}

void PageBuilder::SetFieldButtons()
{
    const ConfigModel& model = bench_.Model();
    TicketStore& tickets = bench_.Tickets();
    const CDevice& device = model.attachedDevice.identified ? model.attachedDevice : model.fileDevice;
    const QByteArray fields = device.FieldList();
    for (short b = 0; b < TicketFormats::kFieldButtonCount; ++b) tickets.SetFieldButton(b, 1);
    for (const FieldButtonRule& rule : kFieldButtonRules) {
        bool present = false;
        for (const char* code : rule.codes) present = present || fields.contains(code);
        if (present) {
            for (int b : rule.buttons) tickets.SetFieldButton(short(b), 2);
        }
    }
    tickets.SetFieldButton(kModeButton, tickets.EditorMode() == 1 ? 2 : 1);
}

void PageBuilder::ShowPage(EntryArray& entries, int tab)
{
    std::function<void(EntryArray&)> showIn = [&](EntryArray& list) {
        for (auto& e : list) {
            const bool visible = e->tabIndex == tab && e->hidden == 0;
            for (auto& c : e->controls) c->SetVisible(visible);
            showIn(e->subEntries);
        }
    };
    showIn(entries);

    const ConfigModel& model = bench_.Model();
    const bool ticketPage = tab == model.printTab && model.ticketCapable;
    bench_.Window().ShowTicketEditor(ticketPage);
    if (ticketPage) SetFieldButtons();
    bench_.Window().FocusTabControl();
    pageShown_ = tab;
    bench_.Window().Refresh();
}

void PageBuilder::SelectTab(int tab)
{
    ConfigModel& model = bench_.Model();
    model.currentTabIndex = tab;
    ShowPage(model.entries, tab);
    ShowPage(model.extraEntries, tab);
}

void PageBuilder::ReadBackAll()
{
    ConfigModel& model = bench_.Model();
    for (auto& e : model.entries) EntryValues::ReadBackControls(e.get(), model);
}

void PageBuilder::OnControlCommand(EntryControl* control, ControlNotification notification)
{
    if (!control) return;
    ConfigEntry* entry = control->Entry();
    const ControlRange range = RangeOf(control->Id());
    if (!entry || range == ControlRange::None) return;
    ConfigModel& model = bench_.Model();
    EventProcessor& events = bench_.Events();

    switch (range) {
    case ControlRange::Combo:
        if (notification == ControlNotification::SelectionChanged) {
            ApplyRules(entry, control->Text().left(kComboTextLimit));
            events.PostEvent(events.FirstEventOf(entry));
        }
        break;
    case ControlRange::Edit:
        if (notification == ControlNotification::FocusLost && !entry->disabled) {
            EntryValues::ReadBackControls(entry, model);
            int status = 0;
            const QByteArray text = EntryValues::GetStoredValue(control, model);
            if (EntryValues::ConvertToValue(*entry, text, &status, model).isEmpty()) {
                EntryValues::ApplyBoundValue(*entry, status, model);
            }
            ApplyRules(entry, control->Text());
            events.PostEvent(events.FirstEventOf(entry));
        }
        break;
    case ControlRange::Radio:
        events.PostEvent(events.FirstEventOf(entry));
        break;
    case ControlRange::Button:
        if (notification == ControlNotification::Clicked) {
            const int first = events.FirstEventOf(entry);
            if (first >= 0) {
                events.PostEvent(first);
            } else {
                ApplyRules(entry, control->Text());
            }
        }
        break;
    case ControlRange::Text:
        if (notification == ControlNotification::FocusLost) {
            EntryValues::ReadBackControls(entry, model);
            const int limit = Atoi(entry->valueSpec);
            if (entry->value.size() > limit) {
                const QByteArray cut = entry->value.left(std::max(0, limit));
                control->SetText(cut);
                EntryValues::ReadBackControls(entry, model);
            }
        }
        break;
    default:
        break;
    }
    Q_EMIT bench_.DocumentChanged();
}
