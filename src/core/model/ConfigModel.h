// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "CCEvent.h"
#include "CDevice.h"
#include "CInterlock.h"
#include "CRevItem.h"
#include "ConfigEntry.h"

// A tab of the page control as the reader creates it.
struct TabItem {
    QByteArray name;
    int image = 9;
};

// The model root: one configuration with its rules, events, bindings, device
// records, tab bookkeeping and the display settings shared by the whole program.
class ConfigModel {
public:
    // Exact, case-sensitive; each top-level entry first, then its sub-entries.
    static ConfigEntry* FindEntryByCode(const EntryArray& entries, const QByteArray& code);
    // Exact search over top-level entries only.
    static ConfigEntry* FindTopLevelEntry(const EntryArray& entries, const QByteArray& code);
    static bool IsDocumentModified(const EntryArray& entries);
    static void ClearModified(const EntryArray& entries);
    // Every entry's value (and the text its control shows) becomes its baseline.
    static void TakeBaseline(const EntryArray& entries);

    // Applies one "code:value" line from the indicator or a file; the last entry in file order
    // with the code (compared in upper case) takes it. Returns whether an entry took it.
    bool MatchDeviceLine(const EntryArray& entries, const QByteArray& line);
    // An unmatched device line becomes a read-only entry on the Extended tab.
    ConfigEntry* AddExtraEntry(const QByteArray& line);
    // A model information line becomes an entry on the Model Info tab (field lists are dropped).
    ConfigEntry* AddModelInfoEntry(const QByteArray& text);
    // Every entry holds a value; locked codes are disabled unless the attached indicator is unlocked.
    void MarkReceived(const EntryArray& entries);

    // A section header line inserts a tab at position tabCount; returns its index or -1.
    int AddTab(const QByteArray& headerLine);
    // Removes a tab; later tabs move down, entries keep their recorded index.
    void DeleteTab(int index);

    // The model part of a document reset: entries, rules, events, bindings, tabs and cursors.
    // The catalogue, the device records, the path and the display settings survive.
    void Reset();

    EntryArray entries;
    EntryArray extraEntries;
    std::vector<CInterlock> interlocks;
    std::vector<CCEvent> events;
    std::vector<CRevItem> revisionCatalogue;

    ConfigEntry* capacityEntry = nullptr;
    ConfigEntry* decimalPointEntry = nullptr;
    ConfigEntry* intervalEntry = nullptr;
    ConfigEntry* tareEntry = nullptr;

    CDevice fileDevice;
    CDevice attachedDevice;

    std::vector<TabItem> tabs;
    int tabCount = 0;
    int currentTabIndex = 0;
    QByteArray currentSectionName;
    int extendedTab = -1;
    int modelInfoTab = -1;
    int printTab = -1;
    int ticketCapable = 0;

    int extraX = 20;
    int extraY = 60;
    int infoX = 20;
    int infoY = 60;

    QByteArray documentPath;

    int8_t displayDecimals = 1;
    int32_t capacityLimit = 5000;
    QByteArray capacityCode;
    int skipKeyLockDialog = 1;
};
