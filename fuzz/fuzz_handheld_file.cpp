// SPDX-License-Identifier: MIT
// A handheld file read as Import reads it: the model number and the value lines, applied to a
// configuration the way the read applies them.
#include <QBuffer>
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"

#include "handheld/HandheldFile.h"
#include "model/ConfigModel.h"
#include "model/ConfigReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const HandheldFile::Parsed parsed = HandheldFile::Parse(bytes);
    FUZZ_CHECK(parsed.modelNumber.size() <= 3);

    ConfigModel model;
    model.entries.push_back(std::make_unique<ConfigEntry>("CAP:20:60:5000:0-99999:0-99999:Capacity:edit:", "Setup", 0,
                                                          nullptr));
    model.attachedDevice.identified = 1;
    QByteArray values = parsed.values;
    QBuffer stream(&values);
    stream.open(QIODevice::ReadOnly);
    QByteArray line;
    while (ConfigReader::ReadRawLine(stream, line)) {
        FUZZ_CHECK(!line.isEmpty() && !line.startsWith("END:"));
        if (!model.MatchDeviceLine(model.entries, line)) model.AddExtraEntry(line);
    }
    HandheldFile::TicketFilePath(parsed.modelNumber, 1);
    return 0;
}
