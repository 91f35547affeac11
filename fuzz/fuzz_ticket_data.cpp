// SPDX-License-Identifier: MIT
// The ticket data after a configuration's slots section, as the reader hands it to the ticket
// store. Whatever loads must come back unchanged through the ticket data, download and print
// forms, and the ticket data written must keep to the lines the configuration file allows.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "MemoryFile.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

namespace {

// Sections for slots beyond the count are read and ignored; a few slots are enough to see that.
constexpr short kSlotCount = 8;

short Load(TicketStore& store, const QByteArray& bytes)
{
    MemoryFile file(bytes);
    store.SetTicketCount(kSlotCount);
    return store.LoadTicketData(file, 0);
}

void CheckWrittenLines(const QList<QByteArray>& lines, size_t sections)
{
    size_t ends = 0;
    for (const QByteArray& line : lines) {
        FUZZ_CHECK(line.size() <= TicketFormats::kMaxDataLineLength);
        FUZZ_CHECK(!line.contains('\n') && !line.contains('\r'));
        FUZZ_CHECK(!line.contains("//"));
        FUZZ_CHECK(!line.startsWith("Slot:"));
        if (line.startsWith("END:")) ++ends;
    }
    FUZZ_CHECK(ends == sections);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    TicketStore store;
    Load(store, bytes);

    std::vector<TicketFormats::SlotTicket> tickets;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const QByteArray layout = store.Ticket(slot);
        FUZZ_CHECK(layout.size() <= TicketFormats::kMaxTicketBytes);
        tickets.push_back({slot, layout});

        FUZZ_CHECK(TicketFormats::DecodeDownloadForm(TicketFormats::EncodeDownloadForm(layout)) == layout);
        QByteArray printForm;
        QByteArray decoded;
        if (TicketFormats::EncodePrintForm(layout, "TKT:1:615:1.0:", printForm)) {
            FUZZ_CHECK(TicketFormats::DecodePrintForm(printForm, decoded) && decoded == layout);
        }
    }

    const QList<QByteArray> lines = TicketFormats::EncodeTicketData(tickets);
    CheckWrittenLines(lines, tickets.size());
    TicketStore again;
    FUZZ_CHECK(Load(again, TicketFormats::JoinLines(lines)) == 1);
    for (int slot = 1; slot <= kSlotCount; ++slot) FUZZ_CHECK(again.Ticket(slot) == store.Ticket(slot));
    return 0;
}
