// SPDX-License-Identifier: MIT
// An external ticket source through the tag table, whole and line by line: tags only ever
// shrink a line, and converting the lines one by one gives the same bytes as the whole file.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "tickets/Substr.h"
#include "tickets/TicketBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray source(reinterpret_cast<const char*>(data), int(size));
    const TicketBytes::Conversion whole = TicketBytes::ConvertExternalSource(source);
    FUZZ_CHECK(whole.bytes.size() <= source.size());

    QByteArray joined;
    for (QByteArray line : source.split('\n')) {
        Substr::ReplaceTags(line);
        joined += line;
    }
    FUZZ_CHECK(joined == whole.bytes);
    return 0;
}
