// SPDX-License-Identifier: MIT
// Reply framing over arbitrary bytes in arbitrary chunks: the first byte picks the carrier
// (bit 0: the device socket, else the serial port) and the serial line mode (bit 1 clear);
// then each chunk is a length byte and up to that many bytes. Afterwards the rest of the input,
// framed as a checksummed reply, must pass with its checksum and fail with any other.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "link/DeviceLink.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"

namespace {

void CheckLines(const DeviceLink& link)
{
    for (const QByteArray& line : link.pendingReplyLines) {
        FUZZ_CHECK(!line.isEmpty());
        FUZZ_CHECK(!line.contains('\r'));
    }
}

// "\n<body>^<sum>\r" as the socket delivers it: the pending lines afterwards.
QList<QByteArray> Deliver(DeviceLink& link, const QByteArray& body, int sum)
{
    link.DiscardReplies();
    link.OnSocketData('\n' + body + '^' + TextConv::Dec(sum) + '\r');
    return link.pendingReplyLines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const bool socket = (data[0] & 1) != 0;

    const CommSettings settings = CommSettings::Defaults();
    DecliningPrompts prompts;
    DeviceLink link(settings, prompts, [](const QByteArray&, int) {});
    link.lineMode = (data[0] & 2) != 0 ? 0 : 1;

    int at = 1;
    while (at < bytes.size()) {
        const int length = uint8_t(bytes[at]);
        const QByteArray chunk = bytes.mid(at + 1, length);
        at += 1 + length;
        if (socket) {
            link.OnSocketData(chunk);
        } else {
            link.OnSerialEvent(chunk);
            FUZZ_CHECK(link.receiveBuffer.size() <= kSerialDiscardLength);
        }
        CheckLines(link);
    }

    // A body holds neither the line's end nor the checksum mark.
    QByteArray body = bytes.mid(1);
    body.removeIf([](char c) { return c == '\r' || c == '^'; });
    const int sum = DeviceLink::LineChecksum('\n' + body);
    const QList<QByteArray> accepted = Deliver(link, body, sum);
    FUZZ_CHECK(body.isEmpty() ? accepted.isEmpty() : accepted == QList<QByteArray>{body});
    FUZZ_CHECK(Deliver(link, body, sum + 1).isEmpty());
    return 0;
}
