// SPDX-License-Identifier: MIT
// A print form cut for the printer, and a configuration cut for export: every piece but the
// last is ten bytes, and what goes to the printer never holds the end mark dd.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tickets/TicketBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const TicketBytes::PrintCut cut = TicketBytes::CutForPrinter(bytes);
    if (cut.headerClosed != (TicketBytes::HeaderEnd(bytes) > 0)) std::abort();
    QByteArray printed;
    for (int i = 0; i < cut.pieces.size(); ++i) {
        const int length = int(cut.pieces[i].size());
        if (length == 0 || length > TicketBytes::kPrintPieceBytes) std::abort();
        if (i + 1 < cut.pieces.size() && length != TicketBytes::kPrintPieceBytes) std::abort();
        printed += cut.pieces[i];
    }
    if (!bytes.isEmpty() && printed.contains(QByteArray(2, bytes.at(0)))) std::abort();

    const int slot = bytes.isEmpty() ? 1 : int(static_cast<unsigned char>(bytes.at(0)) % 10);
    const TicketBytes::ExportCut exported = TicketBytes::CutExport(bytes, slot);
    if (exported.closed && !exported.found) std::abort();
    return 0;
}
