// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class ConfigEntry;
class Workbench;

// Runs the template's event records: what a changed entry does to the display settings,
// the ticket editor and related entries. Events a control reports are queued and run once
// the current handler has returned; a new document makes queued ones stale.
class EventProcessor : public QObject {
    Q_OBJECT
public:
    explicit EventProcessor(Workbench& bench);

    // Processes one event record (an index into the model's events).
    void OnEventTrigger(int index);
    // Queues an event record for processing after the current handler returns.
    void PostEvent(int index);
    // Every event record once, in file order (after the pages are built).
    void RunAll();
    // Events queued before this call are dropped (the document they belong to is gone).
    void DiscardPosted() { ++generation_; }
    // The first event record bound to the entry, or -1.
    int FirstEventOf(const ConfigEntry* entry) const;
    // Recomputes an entry's displayed number with d decimals (capacity, low range, tare).
    void Reformat(ConfigEntry* entry, int decimals);

private:
    void OnCapacityChanged(ConfigEntry* entry);
    void OnKeyLockChanged(ConfigEntry* entry);
    void OnConversionFactorChanged(ConfigEntry* entry);

    Workbench& bench_;
    int generation_ = 0;
};
