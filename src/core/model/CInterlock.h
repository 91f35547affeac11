// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <vector>

#include "ConfigEntry.h"

class ConfigModel;

// One target of a rule; REJECT rules also list the target values they reject.
struct CInterlockItem {
    QList<QByteArray> values;
    ConfigEntry* entry = nullptr;
};

// Rule types by keyword. Type 4 is not used.
enum InterlockType : int {
    kReject = 1,
    kEnable = 2,
    kDisable = 3,
    kHide = 5,
    kShow = 6,
    kVerify = 7,
};

// One interlock rule line, bound to entries. Held by value in file order.
class CInterlock {
public:
    CInterlock() = default;
    // Parses a rule line whose keyword has been recognised as `type`.
    CInterlock(const QByteArray& line, int type, const EntryArray& entries);

    // Finds the target entry (top-level entries first, then their sub-entries) and appends an item.
    CInterlockItem* AddTarget(const QByteArray& code, const EntryArray& entries);

    // Lets the rule evaluate `changed` now showing `text`; `displayedTab` is the page shown.
    // Returns 1 when the rule fired.
    int Apply(ConfigEntry* changed, const QByteArray& text, int displayedTab, const ConfigModel& model);

    // Text before the first of `delimiters`; removes it and the delimiter from `source`.
    // `found` gets the delimiter, or 0 when the source ran out.
    static QByteArray NextToken(QByteArray& source, const char* delimiters, char* found = nullptr);

    int type = 0;
    QByteArray sourceLine;
    ConfigEntry* controlEntry = nullptr;
    std::vector<CInterlockItem> targets;
    QList<QByteArray> values;
};
