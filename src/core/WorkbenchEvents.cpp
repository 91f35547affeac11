// SPDX-License-Identifier: MIT
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

// Digits after the last '.' of the decimal point's display text; 0 without a point.
int DecimalsOf(const QByteArray& choice)
{
    const int dot = choice.lastIndexOf('.');
    if (dot < 0) return 0;
    return std::min(int(choice.size()) - dot - 1, kMaxDisplayDecimals);
}

}  // namespace

void Workbench::Reformat(ConfigEntry* entry, int decimals)
{
    if (!entry) return;
    EntryValues::ReadBackControls(entry, model_);
    long long v = TruncateToInt(TextConv::Atof(entry->value));
    if (v == 0) v = kZeroCapacityStandIn;
    if (entry == model_.capacityEntry) model_.capacityLimit = int32_t(v / PowerOfTen(decimals));
    if (EntryControl* box = entry->GetControl(1)) {
        const QByteArray shown = EntryValues::GetStoredValue(box, model_);
        EntryValues::SetDisplayValue(box, shown, decimals, model_);
        EntryValues::ReadBackControls(entry, model_);
    }
}

void Workbench::OnEventTrigger(int index)
{
    if (index < 0 || index >= int(model_.events.size())) return;
    // Copies: a handler below may post or log, but never changes the records themselves.
    const QByteArray name = model_.events[size_t(index)].name;
    ConfigEntry* entry = model_.events[size_t(index)].entry;
    qCDebug(lcEvents) << "event" << name << "for" << (entry ? entry->code : QByteArray("(none)"));
    if (entry) EntryValues::ReadBackControls(entry, model_);

    auto report = [this](const char* text) { AddStatusLine(text, kInformation); };

    if (name == "UNIT1_CHANGED") {
        if (entry) {
            tickets_->SetUnitText(ChoiceText(*entry));
        } else {
            report("Invalid event item pointer, check the config file");
        }
    } else if (name == "TIME_CHANGED") {
        if (entry) {
            tickets_->SetTimeFormat(ChoiceText(*entry));
        } else {
            report("Invalid event pointer (TIME_CHANGED), check the config file");
        }
    } else if (name == "UNIT2_CHANGED") {
        // The ticket editor shows one unit only.
    } else if (name == "QUILLON_PRINT_CHANGED") {
        if (entry) {
            EntryValues::ReadBackControls(entry, model_);
            model_.ticketCapable = entry->ValueAsFloat() == 0.0f ? 0 : 1;
        } else {
            report("Invalid event pointer (QUILLON_TICKET_CHANGED), check the config file");
        }
        SetCommandsEnabled(1);
    } else if (name == "DPP_CHANGED") {
        if (entry) {
            EntryValues::ReadBackControls(entry, model_);
            const QByteArray format = '-' + ChoiceText(*entry);
            for (int n : kDecimalFormatOrder) tickets_->SetDecimalFormat(n, format);
            // The capacity's display follows the new decimal point once this handler returns.
            for (int i = 0; i < int(model_.events.size()); ++i) {
                if (model_.events[size_t(i)].name == kCapacityEvent) {
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
        if (model_.capacityEntry) model_.capacityCode = model_.capacityEntry->code;
        if (!entry) {
            report("Invalid event pointer (CAPACITY_CHANGED), check the config file");
            return;
        }
        const QByteArray point = model_.decimalPointEntry ? ChoiceText(*model_.decimalPointEntry) : QByteArray();
        model_.displayDecimals = int8_t(DecimalsOf(point));

        if (ConfigEntry* ranges = ConfigModel::FindEntryByCode(model_.entries, kWeightRangesCode)) {
            EntryValues::ReadBackControls(ranges, model_);
            // A single range: the low range is the whole capacity.
            if (ranges->ValueAsFloat() == 1.0f) {
                ConfigEntry* low = ConfigModel::FindEntryByCode(model_.entries, kLowRangeCode);
                if (low && low->GetControl(1)) {
                    if (model_.capacityEntry) {
                        EntryValues::SetDisplayValue(low->GetControl(1), model_.capacityEntry->value, 0, model_);
                    }
                    EntryValues::ReadBackControls(low, model_);
                }
            }
        }
        const int decimals = model_.displayDecimals;
        Reformat(ConfigModel::FindEntryByCode(model_.entries, model_.capacityCode), decimals);
        Reformat(ConfigModel::FindEntryByCode(model_.entries, kLowRangeCode), decimals);
        Reformat(ConfigModel::FindEntryByCode(model_.entries, kTareCode), decimals);
    } else if (name == "KEY_LOCK_CHANGED") {
        if (entry) {
            if (model_.skipKeyLockDialog) {
                // The first key lock event after a load comes from building the pages, not from the user.
                model_.skipKeyLockDialog = 0;
            } else {
                const int mask = prompts_.KeyLockMask(TruncateToInt(double(entry->ValueAsFloat())) & kKeyLockBits);
                entry->SetValue(TextConv::Dec(mask & kKeyLockBits));
                Q_EMIT DocumentChanged();
            }
        } else {
            if (!model_.skipKeyLockDialog) report("Invalid event pointer (KEY_LOCK_CHANGED), check the config file");
            model_.skipKeyLockDialog = 0;
        }
    } else if (name == "CNVT_FACTOR_CHANGED") {
        if (entry) {
            EntryValues::ReadBackControls(entry, model_);
            if (EntryControl* box = entry->GetControl(1)) {
                EntryValues::SetDisplayValue(box, EntryValues::GetStoredValue(box, model_), 0, model_);
            }
        }
    } else {
        AddStatusLine(TextConv::Format("Invalid event detected [%s]. Check the config file", {name}), kInformation);
    }
}
