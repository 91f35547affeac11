// SPDX-License-Identifier: MIT
// Interlock and event lines against a small fixed model: every rule type parses the bytes,
// then each rule is applied with the bytes as the changed entry's text.
#include <cstddef>
#include <cstdint>

#include "model/ChoiceText.h"
#include "model/ConfigModel.h"

namespace {

const char* const kEntryLines[] = {
    "ab:20:60:1:0,1:Off,On:Mode:combo:",
    "CAP:160:60:5000:1-CAP:1-CAP:Capacity:edit:",
    "ef:300:60:2:!0:!0:Factor:edit:",
    ":1:2:",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), int(size));

    ConfigModel model;
    for (const char* entryLine : kEntryLines) {
        model.entries.push_back(std::make_unique<ConfigEntry>(entryLine, "S", 0, nullptr));
    }
    ConfigEntry* first = model.entries.front().get();
    first->subEntries.push_back(std::make_unique<ConfigEntry>("cd:1:2:3:3-9:3-9:Sub:spin:", "S", 0, first));
    model.capacityCode = "CAP";

    for (int type : {int(kReject), int(kEnable), int(kDisable), int(kHide), int(kShow), int(kVerify), 0, 4}) {
        CInterlock rule(line, type, model.entries);
        for (const auto& entry : model.entries) rule.Apply(entry.get(), line, 0, model);
    }
    CCEvent event(line, model.entries);
    if (event.entry) ChoiceText(*event.entry);
    ConfigEntry probe("zz:1:2:" + line, "S", 0, nullptr);
    ChoiceText(probe);
    return 0;
}
