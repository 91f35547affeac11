// SPDX-License-Identifier: MIT
#include "EventProcessor.h"

#include <QLoggingCategory>

#include "Workbench.h"
#include "model/ChoiceText.h"
#include "model/EntryValues.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcEvents, "tarelink.events", QtWarningMsg)

namespace {

// Capacity entries whose value reads as 0 are scaled as if they held this.
constexpr int kZeroCapacityStandIn = 10000;
// 10 to this power is the largest that fits the integer arithmetic of the capacity limit.
constexpr int kMaxDecimalsScale = 18;
// The key lock dialog has one box per bit of a 16-bit mask.
constexpr int kKeyLockBits = 0xFFFF;
// The display decimals are a signed 8-bit count.
constexpr int kMaxDisplayDecimals = 127;
// The ticket editor's decimal format properties, in the order they are set.
constexpr int kDecimalFormatOrder[] = {1, 3, 2, 4, 5, 6};

constexpr char kWeightRangesCode[] = "WT RANGES";
constexpr char kLowRangeCode[] = "LOW RANGE";
constexpr char kTareCode[] = "tare";
constexpr char kCapacityEvent[] = "CAPACITY_CHANGED";

long long PowerOfTen(int digits)
{
    long long q = 1;
    for (int i = 0; i < std::min(digits, kMaxDecimalsScale); ++i) q *= 10;
    return q;
}

// Digits after the last '.' of the decimal point entry's shown choice ("0.01" gives 2); 0 without a point.
int DecimalsOfPointChoice(const QByteArray& choice)
{
    const int dot = choice.lastIndexOf('.');
    if (dot < 0) return 0;
    return std::min(int(choice.size()) - dot - 1, kMaxDisplayDecimals);
}

}  // namespace

EventProcessor::EventProcessor(Workbench& bench) : bench_(bench) {}

int EventProcessor::FirstEventOf(const ConfigEntry* entry) const
{
    if (!entry) return -1;
    const auto& events = bench_.Model().events;
    for (int i = 0; i < int(events.size()); ++i) {
        if (events[size_t(i)].entry == entry) return i;
    }
    return -1;
}

void EventProcessor::PostEvent(int index)
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

void EventProcessor::RunAll()
{
    for (int i = 0; i < int(bench_.Model().events.size()); ++i) OnEventTrigger(i);
}

void EventProcessor::Reformat(ConfigEntry* entry, int decimals)
{
    if (!entry) return;
    ConfigModel& model = bench_.Model();
    EntryValues::ReadBackControls(entry, model);
    long long v = TextConv::TruncateToInt(TextConv::Atof(entry->value));
    if (v == 0) v = kZeroCapacityStandIn;
    if (entry == model.capacityEntry) model.capacityLimit = int32_t(v / PowerOfTen(decimals));
    if (EntryControl* box = entry->GetControl(1)) {
        const QByteArray shown = EntryValues::GetStoredValue(box, model);
        EntryValues::SetDisplayValue(box, shown, decimals, model);
        EntryValues::ReadBackControls(entry, model);
    }
}

void EventProcessor::OnEventTrigger(int index)
{
    ConfigModel& model = bench_.Model();
    if (index < 0 || index >= int(model.events.size())) return;
    // Copies: a handler below may post or log, but never changes the records themselves.
    const QByteArray name = model.events[size_t(index)].name;
    ConfigEntry* entry = model.events[size_t(index)].entry;
    qCDebug(lcEvents) << "event" << name << "for" << (entry ? entry->code : QByteArray("(none)"));
    if (entry) EntryValues::ReadBackControls(entry, model);

    auto report = [this](const char* text) { bench_.AddStatusLine(text, kInformation); };
    TicketStore& tickets = bench_.Tickets();

    if (name == "UNIT1_CHANGED") {
        if (entry) {
            tickets.SetUnitText(ChoiceText(*entry));
        } else {
            report("Invalid event item pointer, check the config file");
        }
    } else if (name == "TIME_CHANGED") {
        if (entry) {
            tickets.SetTimeFormat(ChoiceText(*entry));
        } else {
            report("Invalid event pointer (TIME_CHANGED), check the config file");
        }
    } else if (name == "UNIT2_CHANGED") {
        // The ticket editor shows one unit only.
    } else if (name == "QUILLON_PRINT_CHANGED") {
        if (entry) {
            EntryValues::ReadBackControls(entry, model);
            model.ticketCapable = entry->ValueAsFloat() == 0.0f ? 0 : 1;
        } else {
            report("Invalid event pointer (QUILLON_TICKET_CHANGED), check the config file");
        }
        bench_.SetCommandsEnabled(1);
    } else if (name == "DPP_CHANGED") {
        if (entry) {
            EntryValues::ReadBackControls(entry, model);
            const QByteArray format = '-' + ChoiceText(*entry);
            for (int n : kDecimalFormatOrder) tickets.SetDecimalFormat(n, format);
            // The capacity's display follows the new decimal point once this handler returns.
            for (int i = 0; i < int(model.events.size()); ++i) {
                if (model.events[size_t(i)].name == kCapacityEvent) {
                    PostEvent(i);
                    break;
                }
            }
        } else {
            report("Invalid event pointer (DPP_CHANGED), check the config file");
        }
    } else if (name == "PRINTER_CHANGED") {
        // The printer type matters to the indicator only.
    } else if (name == kCapacityEvent) {
        OnCapacityChanged(entry);
    } else if (name == "KEY_LOCK_CHANGED") {
        OnKeyLockChanged(entry);
    } else if (name == "CNVT_FACTOR_CHANGED") {
        OnConversionFactorChanged(entry);
    } else {
        bench_.AddStatusLine(TextConv::Format("Invalid event detected [%s]. Check the config file", {name}),
                             kInformation);
    }
}

void EventProcessor::OnCapacityChanged(ConfigEntry* entry)
{
    ConfigModel& model = bench_.Model();
    if (model.capacityEntry) model.capacityCode = model.capacityEntry->code;
    if (!entry) {
        bench_.AddStatusLine("Invalid event pointer (CAPACITY_CHANGED), check the config file", kInformation);
        return;
    }
    const QByteArray point = model.decimalPointEntry ? ChoiceText(*model.decimalPointEntry) : QByteArray();
    model.displayDecimals = int8_t(DecimalsOfPointChoice(point));

    if (ConfigEntry* ranges = ConfigModel::FindEntryByCode(model.entries, kWeightRangesCode)) {
        EntryValues::ReadBackControls(ranges, model);
        // A single range: the low range is the whole capacity.
        if (ranges->ValueAsFloat() == 1.0f) {
            ConfigEntry* low = ConfigModel::FindEntryByCode(model.entries, kLowRangeCode);
            if (low && low->GetControl(1)) {
                if (model.capacityEntry) {
                    EntryValues::SetDisplayValue(low->GetControl(1), model.capacityEntry->value, 0, model);
                }
                EntryValues::ReadBackControls(low, model);
            }
        }
    }
    const int decimals = model.displayDecimals;
    Reformat(ConfigModel::FindEntryByCode(model.entries, model.capacityCode), decimals);
    Reformat(ConfigModel::FindEntryByCode(model.entries, kLowRangeCode), decimals);
    Reformat(ConfigModel::FindEntryByCode(model.entries, kTareCode), decimals);
}

void EventProcessor::OnKeyLockChanged(ConfigEntry* entry)
{
    ConfigModel& model = bench_.Model();
    if (!entry) {
        if (!model.skipKeyLockDialog) {
            bench_.AddStatusLine("Invalid event pointer (KEY_LOCK_CHANGED), check the config file", kInformation);
        }
        model.skipKeyLockDialog = 0;
        return;
    }
    if (model.skipKeyLockDialog) {
        // The first key lock event after a load comes from building the pages, not from the user.
        model.skipKeyLockDialog = 0;
        return;
    }
    const int stored = TextConv::TruncateToInt(double(entry->ValueAsFloat())) & kKeyLockBits;
    const int mask = bench_.Ask().KeyLockMask(stored);
    entry->SetValue(TextConv::Dec(mask & kKeyLockBits));
    Q_EMIT bench_.DocumentChanged();
}

void EventProcessor::OnConversionFactorChanged(ConfigEntry* entry)
{
    if (!entry) return;
    const ConfigModel& model = bench_.Model();
    EntryValues::ReadBackControls(entry, model);
    EntryControl* box = entry->GetControl(1);
    // The zero correction is shown as it was stated; showing its read-back value again would
    // turn it into another number.
    if (!box || box->Text() == EntryValues::kNonZeroCorrection) return;
    EntryValues::SetDisplayValue(box, EntryValues::GetStoredValue(box, model), 0, model);
}
