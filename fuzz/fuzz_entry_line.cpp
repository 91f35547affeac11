// SPDX-License-Identifier: MIT
// One entry line: parsed, formatted and parsed again; the same bytes as a device reply line
// and as an extra entry.
#include <cstddef>
#include <cstdint>

#include "model/ConfigModel.h"

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

    model.attachedDevice.identified = 1;
    if (!model.MatchDeviceLine(model.entries, line)) model.AddExtraEntry(line);
    model.AddModelInfoEntry(line);
    ConfigModel::FindEntryByCode(model.entries, line);
    return 0;
}
