// SPDX-License-Identifier: MIT
// A print form cut for the printer, and a configuration cut for export: every piece but the
// last is ten bytes, and what goes to the printer never holds the end mark dd.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "tickets/TicketBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const TicketBytes::PrintCut cut = TicketBytes::CutForPrinter(bytes);
    FUZZ_CHECK(cut.headerClosed == (TicketBytes::HeaderEnd(bytes) > 0));
    QByteArray printed;
    for (int i = 0; i < cut.pieces.size(); ++i) {
        const int length = int(cut.pieces[i].size());
        FUZZ_CHECK(length > 0 && length <= TicketBytes::kPrintPieceBytes);
        FUZZ_CHECK(i + 1 == cut.pieces.size() || length == TicketBytes::kPrintPieceBytes);
        printed += cut.pieces[i];
    }
    FUZZ_CHECK(bytes.isEmpty() || !printed.contains(QByteArray(2, bytes.at(0))));

    const int slot = bytes.isEmpty() ? 1 : int(static_cast<unsigned char>(bytes.at(0)) % 10);
    const TicketBytes::ExportCut exported = TicketBytes::CutExport(bytes, slot);
    FUZZ_CHECK(exported.found || !exported.closed);
    return 0;
}
