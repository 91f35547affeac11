// SPDX-License-Identifier: MIT
// A template read for an attached indicator: arbitrary bytes as the template, and the same
// bytes' lines as the indicator's answers to the value pull.
#include <cstddef>
#include <cstdint>

#include "FuzzHooks.h"
#include "model/ConfigModel.h"

namespace {

// The indicator's answers: the input's first lines, no more than this many.
constexpr int kMaxReplies = 64;

// The lines of QByteArray::split('\n'), without splitting more than needed.
QList<QByteArray> FirstLines(const QByteArray& bytes, int count)
{
    QList<QByteArray> lines;
    for (int start = 0; lines.size() < count;) {
        const int end = int(bytes.indexOf('\n', start));
        lines.append(bytes.mid(start, end < 0 ? -1 : end - start));
        if (end < 0) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    ConfigModel model;
    model.attachedDevice.identified = 1;
    model.attachedDevice.modelLine = "MOD:615";
    FuzzHooks indicator(FirstLines(bytes, kMaxReplies));
    ReadBytes(model, bytes, 0, indicator);
    return 0;
}
