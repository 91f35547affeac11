// SPDX-License-Identifier: MIT
#include "Workbench.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>
#include <functional>

#include "CommandTable.h"
#include "handheld/HandheldFileCommands.h"
#include "handheld/HandheldLink.h"
#include "idstorage/IdStorageReceive.h"
#include "idstorage/IdStorageSend.h"
#include "link/DeviceLink.h"
#include "link/DeviceUpdate.h"
#include "link/RemoteSession.h"
#include "link/TrafficTrace.h"
#include "model/Catalogue.h"
#include "model/EntryValues.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/View.h"
#include "tickets/SlotDownload.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcWorkbench, "tarelink.workbench", QtWarningMsg)

using TextConv::Atoi;

namespace {

constexpr int kComboTextLimit = 128;
constexpr int kCaptionGap = 20;
constexpr int kDefaultWidth = 100;
constexpr int kLargeWidth = 200;
constexpr int kEditHeight = 25;
constexpr int kComboHeight = 80;
constexpr int kRadioStep = 22;
constexpr int kRadioHeight = 15;
constexpr int kSpinMaximumForCap = 999999;
constexpr int kFieldButtonCount = 12;
constexpr int kFieldListOffset = 7;
constexpr int kFieldListLength = 116;

int RangeIndex(Workbench::ControlRange r)
{
    return static_cast<int>(r);
}

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

Workbench::Workbench(Prompts& prompts, View& view, QObject* parent)
    : QObject(parent), prompts_(prompts), view_(view), tickets_(std::make_unique<TicketStore>())
{
    link_ = std::make_unique<DeviceLink>(
        settings_, prompts_, [this](const QByteArray& text, int kind) { AddStatusLine(text, kind); });
    session_ = std::make_unique<RemoteSession>(*this);
    settings_ = CommSettings::Defaults();
    slotDownload_ = std::make_unique<SlotDownload>(
        *link_, *tickets_, prompts_, folders_, [this](const QByteArray& text, int kind) { AddStatusLine(text, kind); });
    deviceUpdate_ = std::make_unique<DeviceUpdate>(*this, *slotDownload_);
    handheld_ = std::make_unique<HandheldLink>(*this);
    idReceive_ = std::make_unique<IdStorageReceive>(*this);
    idSend_ = std::make_unique<IdStorageSend>(*this);
    handheldFiles_ = std::make_unique<HandheldFileCommands>(*this, *handheld_, *idReceive_, *idSend_);
}

Workbench::~Workbench()
{
    // Controls belong to the entries; let them go before the view that made them.
    model_.Reset();
}

bool Workbench::OnCommand(int id)
{
    switch (id) {
    case kCmdNew:
        OnNew();
        return true;
    case kCmdOpen:
        OnOpen();
        return true;
    case kCmdSave:
        OnSave();
        return true;
    case kCmdExit:
        OnExit();
        return true;
    case kCmdReadDevice:
        OnReadDeviceCommand();
        return true;
    case kCmdUpdateDevice:
        deviceUpdate_->UpdateDevice();
        return true;
    case kCmdCommunicationsSetup:
        OnCommunicationsSetup();
        return true;
    case kCmdSendToHandheld:
        handheld_->SendToHandheld();
        return true;
    case kCmdReadHandheld:
        handheld_->ReadFromHandheld();
        return true;
    case kCmdImportHandheldFile:
        handheldFiles_->ImportHandheld();
        return true;
    case kCmdExportHandheldFile:
        handheldFiles_->ExportHandheld();
        return true;
    case kCmdUpdateHandheld:
        handheldFiles_->UpdateHandheld();
        return true;
    case kCmdRemoteSetup:
        session_->RemoteSetup();
        return true;
    case kCmdHostSession:
        session_->HostSession();
        return true;
    case kCmdPrint:
        print_.Run();
        return true;
    default:
        return false;
    }
}

void Workbench::Initialize(const CommSettings& settings, const Folders& folders)
{
    settings_ = settings;
    folders_ = folders;
    if (const QString trace = TrafficTrace::RequestedPath(); !trace.isEmpty()) link_->StartTrace(trace);
    Catalogue::LoadRevisionCatalogue(model_.revisionCatalogue,
                                     folders_.FindConfigurationFile(QLatin1String(Catalogue::kRevisionFile)));
    tickets_->SetTicketFolder(folders_.tickets);
    SetCommandsEnabled(1);
    view_.SetCommandEnabled(kCmdImportHandheldFile, false);
    view_.SetCommandEnabled(kCmdExportHandheldFile, false);
}

void Workbench::Shutdown()
{
    link_->SetExiting(true);
    if (link_->IsSerialOpen()) link_->CloseSerialPort();
    if (link_->HasDeviceSocket()) link_->CloseDeviceSocket();
    link_->pendingReplyLines.clear();
}

// --- status log and command states ---

void Workbench::AddStatusLine(const QByteArray& text, int kind)
{
    if (kind == kError || kind == kWarning) view_.Beep(kind);
    log_.Add(text, kind);
}

void Workbench::SetCommandsEnabled(int flag)
{
    commandsEnabled_ = flag;
    const bool hasDocument = !model_.documentPath.isEmpty();
    for (const EnableRuleItem& item : CommandTable::EnableRules()) {
        const bool enabled = flag && (item.rule == EnableRule::B || hasDocument);
        view_.SetCommandEnabled(item.id, enabled);
    }
}

void Workbench::AdjustMenuForModel()
{
    const QByteArray& modelLine = model_.fileDevice.modelLine;
    if (modelLine.contains("MOD:958")) {
        view_.SetCommandText(kCmdSendTicket, "Save 958 Ticket\tCtrl-T");
        view_.SetCommandText(kCmdImportHandheldFile, "Import Handheld");
        view_.SetCommandText(kCmdExportHandheldFile, "Export Handheld");
        for (int id : {kCmdImportHandheldFile, kCmdExportHandheldFile, kCmdReadDevice, kCmdUpdateDevice,
                       kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld, kCmdPrint,
                       kCmdCommunicationsSetup, kCmdRemoteSetup, kCmdHostSession}) {
            view_.SetCommandEnabled(id, false);
        }
    } else if (modelLine.contains("MOD:637")) {
        view_.SetCommandText(kCmdSendTicket, "Send Ticket\tCtrl-T");
        view_.SetCommandText(kCmdImportHandheldFile, "Receive 637 ID Storage File");
        view_.SetCommandText(kCmdExportHandheldFile, "Send 637 ID Storage File");
        for (int id : {kCmdUpdateDevice, kCmdReadDevice, kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld,
                       kCmdPrint, kCmdRemoteSetup, kCmdHostSession}) {
            view_.SetCommandEnabled(id, false);
        }
    } else {
        view_.SetCommandText(kCmdSendTicket, "Send Ticket\tCtrl-T");
        view_.SetCommandText(kCmdImportHandheldFile, "Import Handheld");
        view_.SetCommandText(kCmdExportHandheldFile, "Export Handheld");
        view_.SetCommandEnabled(kCmdImportHandheldFile, false);
        view_.SetCommandEnabled(kCmdExportHandheldFile, false);
        for (int id : {kCmdReadDevice, kCmdUpdateDevice, kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld,
                       kCmdCommunicationsSetup, kCmdPrint}) {
            view_.SetCommandEnabled(id, true);
        }
        // Another model may have greyed the session items; they follow the sessions again.
        session_->UpdateMenu();
    }
}

// --- pages ---

Workbench::ControlRange Workbench::RangeOf(int id) const
{
    for (int i = 0; i < 7; ++i) {
        if (id >= kIdRanges[i].base && id < idCounters_[i]) return static_cast<ControlRange>(i);
    }
    return ControlRange::None;
}

int Workbench::NextControlId(ControlRange range)
{
    const int i = RangeIndex(range);
    // A full range keeps handing out its last identifier; it never reaches the next base.
    if (idCounters_[i] < kIdRanges[i].end) return idCounters_[i]++;
    return kIdRanges[i].end - 1;
}

void Workbench::RemoveToolTips(ConfigEntry& entry)
{
    for (auto& c : entry.controls) view_.RemoveToolTip(c.get());
    for (auto& sub : entry.subEntries) RemoveToolTips(*sub);
}

void Workbench::ResetDocument()
{
    SetCommandsEnabled(0);
    view_.ShowTicketEditor(false);
    link_->StopReplyTimer();
    for (int i = 0; i < 7; ++i) idCounters_[i] = kIdRanges[i].base;
    pageShown_ = -1;
    view_.SetTabs({});
    for (auto& e : model_.entries) RemoveToolTips(*e);
    for (auto& e : model_.extraEntries) RemoveToolTips(*e);
    model_.Reset();
    ++generation_;
    link_->DiscardReplies();
    log_.Clear();
}

void Workbench::BuildEntryControls(ConfigEntry& entry)
{
    const int x = Atoi(entry.x);
    const int y = Atoi(entry.y);
    const QByteArray& type = entry.controlType;
    const bool noValue = entry.hasValue == 0;
    const bool isDisabled = entry.disabled != 0;

    auto make = [&](ControlSpec spec) {
        entry.controls.push_back(view_.CreateControl(spec));
        return entry.controls.back().get();
    };
    auto caption = [&](int width) {
        ControlSpec s;
        s.kind = ControlKind::Caption;
        s.rect = {x, y - kCaptionGap, x + width, y - 1};
        s.text = TextConv::ToUpper(entry.code);
        s.font = ControlFont::Caption;
        return make(s);
    };
    auto editBox = [&](int width, ControlRange range, bool numeric, bool autoScroll) {
        ControlSpec s;
        s.kind = ControlKind::Edit;
        s.id = NextControlId(range);
        s.entry = &entry;
        s.rect = {x, y, x + width, y + kEditHeight};
        s.text = EntryValues::DisplayText(&entry, entry.value, 0, model_);
        s.numeric = numeric;
        s.autoHScroll = autoScroll;
        return make(s);
    };

    if (type == "text" || type == "edit" || type == "large_edit") {
        const int width = type == "large_edit" ? kLargeWidth : kDefaultWidth;
        EntryControl* label = caption(width);
        EntryControl* box = editBox(width, type == "text" ? ControlRange::Text : ControlRange::Edit, type != "text", true);
        if (isDisabled) {
            box->SetWritable(false);
            box->Redraw();
        }
        if (noValue) {
            label->SetEnabled(false);
            box->SetWritable(false);
        }
    } else if (type == "combo") {
        EntryControl* label = caption(kDefaultWidth);
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
            if (EntryValues::ConvertToValue(entry, items[i], nullptr, model_) == entry.value) selected = i;
        }
        if (selected >= 0) list->SetCurrentIndex(selected);
        if (isDisabled) list->SetEnabled(false);
        if (noValue) {
            label->SetEnabled(false);
            list->SetEnabled(false);
        }
    } else if (type == "spin") {
        EntryControl* label = caption(kDefaultWidth);
        EntryControl* box = editBox(kDefaultWidth, ControlRange::Edit, true, false);
        ControlSpec s;
        s.kind = ControlKind::UpDown;
        s.id = NextControlId(ControlRange::UpDown);
        s.entry = &entry;
        s.rect = {x + kDefaultWidth, y, x + kDefaultWidth + 10, y + 18};
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
        s.rect = {x, y, x + kDefaultWidth, y + 20};
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
            if (EntryValues::ConvertToValue(entry, choices[i], nullptr, model_) == entry.value) button->SetChecked(true);
            if (isDisabled || noValue) button->SetEnabled(false);
        }
        ControlSpec s;
        s.kind = ControlKind::GroupFrame;
        s.rect = {x - 5, y - kCaptionGap, x + kDefaultWidth + 5, y + kRadioStep * n + 5};
        s.text = entry.code;
        s.font = ControlFont::Caption;
        EntryControl* frame = make(s);
        if (noValue) frame->SetEnabled(false);
    } else if (type == "button") {
        ControlSpec s;
        s.kind = ControlKind::Button;
        s.id = NextControlId(ControlRange::Button);
        s.entry = &entry;
        s.rect = {x, y - kCaptionGap, x + kDefaultWidth, y + 10};
        s.text = TextConv::ToUpper(entry.code);
        EntryControl* button = make(s);
        if (isDisabled || noValue) button->SetEnabled(false);
    }
    // "slider" and anything else: no control; the entry stays in the model.
}

void Workbench::BuildExtraControls(ConfigEntry& entry)
{
    const int x = Atoi(entry.x);
    const int y = Atoi(entry.y);
    const int width = entry.controlType == "large_edit" ? kLargeWidth : kDefaultWidth;
    ControlSpec label;
    label.kind = ControlKind::Caption;
    label.rect = {x, y - kCaptionGap, x + width, y - 1};
    label.text = TextConv::ToUpper(entry.code);
    label.font = ControlFont::Caption;
    entry.controls.push_back(view_.CreateControl(label));
    EntryControl* caption = entry.controls.back().get();

    ControlSpec box;
    box.kind = ControlKind::Edit;
    box.id = NextControlId(ControlRange::Edit);
    box.entry = &entry;
    box.rect = {x, y, x + width, y + kEditHeight};
    box.text = EntryValues::DisplayText(&entry, entry.value, 0, model_);
    box.numeric = true;
    box.writable = false;
    entry.controls.push_back(view_.CreateControl(box));
    if (entry.hasValue == 0) caption->SetEnabled(false);
}

void Workbench::ApplyRules(ConfigEntry* entry, const QByteArray& text)
{
    for (CInterlock& rule : model_.interlocks) rule.Apply(entry, text, model_.currentTabIndex, model_);
}

void Workbench::BuildPages()
{
    for (auto& top : model_.entries) {
        BuildEntryControls(*top);
        for (auto& sub : top->subEntries) BuildEntryControls(*sub);
    }
    for (auto& extra : model_.extraEntries) BuildExtraControls(*extra);

    auto applyAll = [this](ConfigEntry* entry) {
        for (CInterlock& rule : model_.interlocks) {
            // A rule may change the controls' texts; each control is read as it is now.
            for (size_t i = 0; i < entry->controls.size(); ++i) {
                rule.Apply(entry, entry->controls[i]->Text(), model_.currentTabIndex, model_);
            }
        }
    };
    for (auto& top : model_.entries) {
        applyAll(top.get());
        for (auto& sub : top->subEntries) applyAll(sub.get());
    }

    for (int i = 0; i < int(model_.events.size()); ++i) OnEventTrigger(i);
}

void Workbench::AddEntryToolTips(EntryArray& entries)
{
    for (auto& e : entries) {
        for (auto& c : e->controls) view_.AddToolTip(c.get(), e->label);
        AddEntryToolTips(e->subEntries);
    }
}

void Workbench::ShowPage(EntryArray& entries, int tab)
{
    std::function<void(EntryArray&)> showIn = [&](EntryArray& list) {
        for (auto& e : list) {
            const bool visible = e->tabIndex == tab && e->hidden == 0;
            for (auto& c : e->controls) c->SetVisible(visible);
            showIn(e->subEntries);
        }
    };
    showIn(entries);

    if (tab != model_.printTab || !model_.ticketCapable) {
        view_.ShowTicketEditor(false);
        view_.FocusTabControl();
        pageShown_ = tab;
        view_.Refresh();
        return;
    }

    view_.ShowTicketEditor(true);
    const CDevice& device = model_.attachedDevice.identified ? model_.attachedDevice : model_.fileDevice;
    const QByteArray fields = TextConv::Mid(device.fieldsLine, kFieldListOffset, kFieldListLength);
    for (short b = 0; b < kFieldButtonCount; ++b) tickets_->SetFieldButton(b, 1);
    for (const FieldButtonRule& rule : kFieldButtonRules) {
        bool present = false;
        for (const char* code : rule.codes) present = present || fields.contains(code);
        if (present) {
            for (int b : rule.buttons) tickets_->SetFieldButton(short(b), 2);
        }
    }
    tickets_->SetFieldButton(7, tickets_->EditorMode() == 1 ? 2 : 1);
    view_.FocusTabControl();
    pageShown_ = tab;
    view_.Refresh();
}

void Workbench::SelectTab(int tab)
{
    model_.currentTabIndex = tab;
    ShowPage(model_.entries, tab);
    ShowPage(model_.extraEntries, tab);
}

void Workbench::ReadBackAll()
{
    for (auto& e : model_.entries) EntryValues::ReadBackControls(e.get(), model_);
}

void Workbench::OnControlCommand(EntryControl* control, ControlNotification notification)
{
    if (!control) return;
    ConfigEntry* entry = control->Entry();
    const ControlRange range = RangeOf(control->Id());
    if (!entry || range == ControlRange::None) return;

    switch (range) {
    case ControlRange::Combo:
        if (notification == ControlNotification::SelectionChanged) {
            ApplyRules(entry, control->Text().left(kComboTextLimit));
            PostEvent(FirstEventOf(entry));
        }
        break;
    case ControlRange::Edit:
        if (notification == ControlNotification::FocusLost && !entry->disabled) {
            EntryValues::ReadBackControls(entry, model_);
            int status = 0;
            const QByteArray text = EntryValues::GetStoredValue(control, model_);
            if (EntryValues::ConvertToValue(*entry, text, &status, model_).isEmpty()) {
                EntryValues::ApplyBoundValue(*entry, status, model_);
            }
            ApplyRules(entry, control->Text());
            PostEvent(FirstEventOf(entry));
        }
        break;
    case ControlRange::Radio:
        PostEvent(FirstEventOf(entry));
        break;
    case ControlRange::Button:
        if (notification == ControlNotification::Clicked) {
            const int first = FirstEventOf(entry);
            if (first >= 0) {
                PostEvent(first);
            } else {
                ApplyRules(entry, control->Text());
            }
        }
        break;
    case ControlRange::Text:
        if (notification == ControlNotification::FocusLost) {
            EntryValues::ReadBackControls(entry, model_);
            const int limit = Atoi(entry->valueSpec);
            if (entry->value.size() > limit) {
                const QByteArray cut = entry->value.left(std::max(0, limit));
                control->SetText(cut);
                EntryValues::ReadBackControls(entry, model_);
            }
        }
        break;
    default:
        break;
    }
    Q_EMIT DocumentChanged();
}

int Workbench::FirstEventOf(const ConfigEntry* entry) const
{
    if (!entry) return -1;
    for (int i = 0; i < int(model_.events.size()); ++i) {
        if (model_.events[size_t(i)].entry == entry) return i;
    }
    return -1;
}

void Workbench::PostEvent(int index)
{
    if (index < 0) return;
    const int posted = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, index, posted]() {
            if (posted == generation_) OnEventTrigger(index);
        },
        Qt::QueuedConnection);
}

void Workbench::Pause(int ms)
{
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
