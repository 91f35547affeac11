// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <vector>

class ConfigEntry;
class ConfigModel;

// What differs between two configurations, setting by setting: technicians read a device to
// a file and compare it with the file they are about to send.
namespace ConfigDiff {

struct Difference {
    QByteArray code;
    QByteArray label;
    QByteArray shownA;  // empty when A has no such setting
    QByteArray shownB;
};

// The settings (entries, sub-entries and extra entries, matched by code) whose values differ:
// A's in A's order, then those only B has. Values are shown as the pages show them.
std::vector<Difference> Compare(const ConfigModel& a, const ConfigModel& b);

// The value as the entry's controls show it: the selected choice of a list, the checked radio
// button, the text of an edit box; the choice text or the value itself for an entry whose
// control does not show it.
QByteArray ShownValue(const ConfigEntry& entry);

}  // namespace ConfigDiff
