// SPDX-License-Identifier: MIT
// The whole reader over arbitrary bytes, as a file and as a template read for an attached
// indicator that answers with the same bytes; then the writer and a second read of its output.
#include <QBuffer>
#include <cstddef>
#include <cstdint>

#include "FuzzHooks.h"
#include "model/ConfigModel.h"
#include "model/ConfigWriter.h"

namespace {

// The indicator's answers: the input's lines, a bounded number of them.
constexpr int kMaxReplies = 64;

int ReadInto(ConfigModel& model, const QByteArray& bytes, int fromFile, FuzzHooks& hooks)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ConfigReader::ReadConfiguration(model, &buffer, fromFile, hooks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));

    ConfigModel asFile;
    FuzzHooks fileHooks;
    ReadInto(asFile, bytes, 1, fileHooks);
    const QByteArray written = ConfigWriter::FormatConfiguration(asFile, asFile.fileDevice, fileHooks.ticketCount);
    ConfigModel again;
    FuzzHooks againHooks;
    ReadInto(again, written, 1, againHooks);

    ConfigModel forIndicator;
    forIndicator.attachedDevice.identified = 1;
    forIndicator.attachedDevice.modelLine = "MOD:615";
    FuzzHooks indicator(bytes.split('\n').mid(0, kMaxReplies));
    ReadInto(forIndicator, bytes, 0, indicator);
    return 0;
}
