// SPDX-License-Identifier: MIT
#include "ConfigModel.h"

#include "EntryValues.h"
#include "TextConv.h"

namespace {

constexpr int kLayoutStart = 20;
constexpr int kLayoutTop = 60;
constexpr int kExtraColumnStep = 120;
constexpr int kExtraLastColumn = 420;
constexpr int kExtraRowStep = 70;
constexpr int kInfoRowStep = 60;
constexpr int kMaxTabText = 255;

// Codes match as the C locale's toupper sees them (ASCII letters only), without building an
// upper-case copy per entry: a device read compares every reply line with every entry.
bool SameCodeIgnoringCase(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size()) return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    for (int i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

void ClearEntry(ConfigEntry& e)
{
    e.modified = 0;
    for (auto& s : e.subEntries) ClearEntry(*s);
}

}  // namespace

ConfigEntry* ConfigModel::FindEntryByCode(const EntryArray& entries, const QByteArray& code)
{
    for (const auto& top : entries) {
        if (top->code == code) return top.get();
        for (const auto& sub : top->subEntries) {
            if (sub->code == code) return sub.get();
        }
    }
    return nullptr;
}

ConfigEntry* ConfigModel::FindTopLevelEntry(const EntryArray& entries, const QByteArray& code)
{
    for (const auto& top : entries) {
        if (top->code == code) return top.get();
    }
    return nullptr;
}

bool ConfigModel::IsDocumentModified(const EntryArray& entries)
{
    for (const auto& e : entries) {
        if (e->IsModified()) return true;
    }
    return false;
}

void ConfigModel::ClearModified(const EntryArray& entries)
{
    for (const auto& e : entries) ClearEntry(*e);
}

void ConfigModel::TakeBaseline(const EntryArray& entries)
{
    for (const auto& e : entries) {
        e->hasBaseline = 1;
        e->baseline = e->value;
        e->baselineText = EntryValues::ShownText(*e);
        TakeBaseline(e->subEntries);
    }
}

bool ConfigModel::MatchDeviceLine(const EntryArray& list, const QByteArray& line)
{
    if (list.empty()) return true;
    const int colon = line.indexOf(':');
    const QByteArray lineCode = colon < 0 ? line : line.left(colon);

    auto tryEntry = [&](ConfigEntry& e) {
        if (!SameCodeIgnoringCase(e.code, lineCode)) return false;
        if (ConfigEntry::IsLockedCode(line)) {
            e.SetDisabled(attachedDevice.identified && attachedDevice.unlocked ? 0 : 1);
        }
        QByteArray rest = line.mid(lineCode.size());
        if (rest.size() <= 1) return false;
        if (rest.startsWith(':')) rest.remove(0, 1);
        if (rest.isEmpty()) return false;
        const int end = rest.indexOf(':');
        e.SetValue(end < 0 ? rest : rest.left(end));
        return true;
    };

    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (tryEntry(**it)) return true;
        for (auto& sub : (*it)->subEntries) {
            if (tryEntry(*sub)) return true;
        }
    }
    return false;
}

ConfigEntry* ConfigModel::AddExtraEntry(const QByteArray& line)
{
    extraEntries.push_back(ConfigEntry::MakeExtra(line, extraX, extraY, extendedTab));
    ConfigEntry* e = extraEntries.back().get();
    e->SetDisabled(1);
    extraX += kExtraColumnStep;
    if (extraX > kExtraLastColumn) {
        extraY += kExtraRowStep;
        extraX = kLayoutStart;
    }
    return e;
}

ConfigEntry* ConfigModel::AddModelInfoEntry(const QByteArray& text)
{
    if (text.contains("FIELDS")) return nullptr;
    extraEntries.push_back(ConfigEntry::MakeExtra(text, infoX, infoY, modelInfoTab));
    ConfigEntry* e = extraEntries.back().get();
    e->controlType = "large_edit";
    infoY += kInfoRowStep;
    return e;
}

void ConfigModel::MarkReceived(const EntryArray& list)
{
    for (const auto& e : list) {
        e->hasValue = 1;
        e->SetDisabled(attachedDevice.unlocked == 0 && ConfigEntry::IsLockedCode(e->code) ? 1 : 0);
        MarkReceived(e->subEntries);
    }
}

int ConfigModel::AddTab(const QByteArray& headerLine)
{
    const int colon = headerLine.indexOf(':');
    if (colon < 0) return -1;
    QByteArray name = headerLine.mid(colon + 1);
    const int end = name.indexOf(':');
    if (end >= 0) name.truncate(end);
    name.truncate(kMaxTabText);

    const int index = tabCount;
    const bool ticketModel = fileDevice.modelLine.contains("MOD:958") || fileDevice.modelLine.contains("MOD:637");
    if (name == "Extended") {
        extendedTab = index;
    } else if (name == "Model Info") {
        modelInfoTab = index;
        if (fileDevice.modelLine.contains("MOD:614")) ticketCapable = 1;
    } else if (name.contains("Print")) {
        printTab = index;
    }

    int image = 9;
    if (name.contains("Setup")) {
        image = 0;
    } else if (name == "Calibration") {
        image = 1;
    } else if (name == "Digital") {
        image = 2;
    } else if (name == "Printing") {
        image = 3;
        if (ticketModel) ticketCapable = 1;
    } else if (name.contains("Tabs") || name.contains("External Ticket")) {
        image = 3;
        ticketCapable = 1;
    } else if (name.contains("Serial")) {
        image = 4;
    } else if (name == "Model Info") {
        image = 5;
    } else if (name == "Extended") {
        image = 6;
    } else if (name == "Analog") {
        image = 7;
    } else if (name == "Variables") {
        image = 8;
    }

    currentSectionName = name;
    const size_t at = std::min(tabs.size(), size_t(index));
    tabs.insert(tabs.begin() + long(at), TabItem{name, image});
    ++tabCount;
    return index;
}

void ConfigModel::DeleteTab(int index)
{
    if (index >= 0 && index < int(tabs.size())) tabs.erase(tabs.begin() + index);
}

void ConfigModel::Reset()
{
    extraX = kLayoutStart;
    extraY = kLayoutTop;
    infoX = kLayoutStart;
    infoY = kLayoutTop;
    printTab = modelInfoTab = extendedTab = -1;
    ticketCapable = 0;
    skipKeyLockDialog = 1;
    capacityEntry = decimalPointEntry = intervalEntry = tareEntry = nullptr;
    currentSectionName.clear();
    currentTabIndex = 0;
    tabCount = 0;
    tabs.clear();
    events.clear();
    interlocks.clear();
    entries.clear();
    extraEntries.clear();
}
