// SPDX-License-Identifier: MIT
// One entry line: parsed, formatted and parsed again; the line Save writes for it, read back by
// the reader; the same bytes as a device reply line and as an extra entry.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "FuzzHooks.h"
#include "model/ConfigModel.h"

namespace {

bool SameFields(const ConfigEntry& a, const ConfigEntry& b)
{
    return a.code == b.code && a.x == b.x && a.y == b.y && a.value == b.value && a.valueSpec == b.valueSpec
           && a.choices == b.choices && a.label == b.label && a.controlType == b.controlType;
}

// Whenever the entry says the line Save writes reads back with its fields, the reader agrees.
void CheckReadsBack(const ConfigEntry& entry)
{
    const QByteArray line = entry.LineToSave();
    if (!entry.ReadsBackFrom(line)) return;
    const QByteArray top = entry.parent ? "top:0:0:\r\n" + QByteArray(ConfigReader::kSubEntryMark) : QByteArray();
    ConfigModel model;
    FuzzHooks hooks;
    ReadBytes(model, "MFG:\r\nMOD:\r\nREV:\r\nSMA:\r\nFIELDS:\r\nHDR:A:\r\n" + top + line + "\r\nEND:\r\n", 1, hooks);
    const ConfigEntry* back = model.entries.empty() ? nullptr : model.entries[0].get();
    if (back && entry.parent) back = back->GetSubEntry(0);
    FUZZ_CHECK(back && SameFields(*back, entry));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), int(size));

    ConfigModel model;
    model.entries.push_back(std::make_unique<ConfigEntry>(line, "Section", 0, nullptr));
    ConfigEntry* entry = model.entries.back().get();
    entry->subEntries.push_back(std::make_unique<ConfigEntry>(line.mid(3), "Section", 0, entry));
    ConfigEntry reparsed(entry->FormatLine(), "Section", 0, nullptr);
    reparsed.FormatLine();
    entry->ValueAsFloat();
    // A value from elsewhere, as a device or a text box gives it.
    entry->subEntries[0]->SetValue(line.left(int(size) / 2));
    CheckReadsBack(*entry);
    CheckReadsBack(*entry->subEntries[0]);

    model.attachedDevice.identified = 1;
    if (!model.MatchDeviceLine(model.entries, line)) model.AddExtraEntry(line);
    model.AddModelInfoEntry(line);
    ConfigModel::FindEntryByCode(model.entries, line);
    return 0;
}
