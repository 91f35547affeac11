// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <array>
#include <memory>
#include <vector>

#include "EntryControl.h"

// One configuration parameter: the eight fields of its entry line, its state
// flags, one level of sub-entries and the controls the editor made for it.
// Values are texts in the indicator's own representation.
class ConfigEntry {
public:
    // From an entry line (a top-level line, or the rest of a "->:" line for a sub-entry).
    ConfigEntry(const QByteArray& line, const QByteArray& sectionName, int tabIndex, ConfigEntry* parent);
    // An extra entry (an unmatched device line or a model information line):
    // code ':' value [':' label [':' ...]] placed at x, y on the given tab.
    static std::unique_ptr<ConfigEntry> MakeExtra(const QByteArray& text, int x, int y, int tabIndex);
    ~ConfigEntry();

    ConfigEntry(const ConfigEntry&) = delete;
    ConfigEntry& operator=(const ConfigEntry&) = delete;

    // Ignores an empty text; marks the entry modified only when the value really changes.
    void SetValue(const QByteArray& text);
    // Stores the flag and enables or disables every control of the entry.
    void SetDisabled(int flag);
    EntryControl* GetControl(int i) const;
    ConfigEntry* GetSubEntry(int i) const;
    // The eight fields joined, each followed by ':'; ':' doubled in valueSpec, choices and label.
    // The result is also stored in `line`.
    QByteArray FormatLine();
    // Whether the reader, given `entryLine` as this entry's line in the entries section (after
    // "->:" for a sub-entry), makes of it an entry with these eight fields.
    bool ReadsBackFrom(const QByteArray& entryLine) const;
    // The line Save writes: FormatLine's when it reads back with the fields; else the same
    // without the trailing empty fields (the reader leaves missing fields empty) when that
    // does; else the last line read or written, which keeps the file well formed but may hold
    // an older value (ReadsBackFrom tells).
    QByteArray LineToSave() const;
    // `value` like atof, as a 32-bit float.
    float ValueAsFloat() const;
    // The entry or any of its sub-entries carries the modified mark.
    bool IsModified() const;
    // A code beginning with a character below 'a' (upper case, digits, empty) is locked.
    static bool IsLockedCode(const QByteArray& code);

    int hidden = 0;
    int modified = 0;
    int tabIndex = 0;
    int disabled = 0;
    int hasValue = 0;
    QByteArray code;
    QByteArray sectionName;
    QByteArray x;
    QByteArray y;
    QByteArray value;
    QByteArray valueSpec;
    QByteArray choices;
    QByteArray label;
    QByteArray controlType;
    QByteArray line;
    // The value as last read, loaded, saved or sent, and the text its control showed then:
    // what the modified marks compare against and name. None while a read is building the entry.
    int hasBaseline = 0;
    QByteArray baseline;
    QByteArray baselineText;
    std::vector<std::unique_ptr<ConfigEntry>> subEntries;
    std::vector<std::unique_ptr<EntryControl>> controls;
    ConfigEntry* parent = nullptr;

private:
    static constexpr int kFieldCount = 8;

    ConfigEntry() = default;
    std::array<const QByteArray*, kFieldCount> Fields() const;
    // The first `count` fields, each followed by ':'.
    QByteArray Formatted(int count) const;
};

using EntryArray = std::vector<std::unique_ptr<ConfigEntry>>;
