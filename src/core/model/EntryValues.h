// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class ConfigEntry;
class ConfigModel;
class EntryControl;

// How typed or shown text becomes an entry's stored value code and back.
// The shared display settings (decimals, capacity limit and code) come from the model.
namespace EntryValues {

// What a "!0" entry's box shows after a zero was typed into it.
inline constexpr char kNonZeroCorrection[] = "0.000001";

// Result of a failed range check.
enum Status : int { kInRange = 0, kAboveMaximum = 1, kBelowMinimum = 2 };

// The value code for entered or displayed text, or an empty text when it maps to nothing
// or is out of range; `status` (may be null) tells which bound was crossed.
QByteArray ConvertToValue(const ConfigEntry& entry, const QByteArray& text, int* status, const ConfigModel& model);

// After a failed check: stores the nearest bound (the maximum for kAboveMaximum, else the
// first part of `valueSpec`) and rewrites the entry's control.
void ApplyBoundValue(ConfigEntry& entry, int status, const ConfigModel& model);

// The display form of a value (the edit box's display setter) with `decimals` digits
// after the point; `entry` may be null (shown unchanged).
QByteArray DisplayText(const ConfigEntry* entry, const QByteArray& value, int decimals, const ConfigModel& model);
// The stored form of an edit box's window text (the value getter).
QByteArray StoredText(const ConfigEntry* entry, const QByteArray& windowText, const ConfigModel& model);

// The same two, on an edit box control (its entry is the control's user data).
void SetDisplayValue(EntryControl* edit, const QByteArray& value, int decimals, const ConfigModel& model);
QByteArray GetStoredValue(const EntryControl* edit, const ConfigModel& model);

// Stores the current state of every control of the entry and of its sub-entries into the entries.
void ReadBackControls(ConfigEntry* entry, const ConfigModel& model);

// What ReadBackControls would store into the entry now, without storing it.
QByteArray PendingValue(const ConfigEntry& entry, const ConfigModel& model);
// What the entry's controls show for its value: the edit box text, the selected item or the
// checked radio button; the value itself when no control shows it.
QByteArray ShownText(const ConfigEntry& entry);

// Whether the entry's control type makes an edit box (caption + numeric or text box).
bool IsEditType(const QByteArray& controlType);

// Whether a configuration line and the indicator's setting command can carry the value:
// both end the value at ':', "//" turns the rest of a line into a comment, and CR, LF and
// NUL end a line. (Whether an entry's whole line reads back is ConfigEntry::ReadsBackFrom's.)
bool LineCanCarry(const QByteArray& value);

}  // namespace EntryValues
