// SPDX-License-Identifier: MIT
// The reader over arbitrary bytes as a configuration file, then the writer over what was read.
#include <cstddef>
#include <cstdint>

#include "FuzzHooks.h"
#include "model/ConfigModel.h"
#include "model/ConfigWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    ConfigModel model;
    FuzzHooks hooks;
    ReadBytes(model, bytes, 1, hooks);
    ConfigWriter::FormatConfiguration(model, model.fileDevice, hooks.ticketCount);
    return 0;
}
