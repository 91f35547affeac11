// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class DeviceLink;
class Prompts;
class QIODevice;
class TicketStore;
class View;
struct Folders;

// Stores one ticket file in one ticket slot of the peer on the link: an indicator, or a
// handheld PC that takes the same exchange with a framed slot command. A stop-and-wait
// transfer: the slot query, the download command, the slot, chunks of at most ten bytes each
// acknowledged before the next, and the end marker "000", which follows the last chunk on
// every road past the slot command. Outcomes go to the status log; the only box is for a
// ticket file that cannot be opened.
class SlotDownload {
public:
    using LogSink = std::function<void(const QByteArray& text, int kind)>;

    // How an exchange ended. The status log says it in words; callers that must tell success
    // from failure (an exit code, a record) read this.
    enum class Result {
        Stored,           // "000" acknowledged with 'D': "Ticket stored in slot %d"
        NotSaved,         // "000" not acknowledged (a chunk may have been refused before)
        Aborted,          // Abort between chunks: "000" sent, no acknowledgement awaited
        NoTicket,         // the editor could not save its ticket, or the file cannot be opened
        NoLink,           // no usable link: nothing sent
        NoResponse,       // no reply line to the slot query
        SlotUnavailable,  // the slot is beyond the peer's locations
        TooLarge,         // the ticket is larger than the peer accepts
        Refused,          // the download command or the slot command was not acknowledged
        LinkLost,         // the cable was pulled or the peer closed the socket mid-transfer
    };

    // Parts of the slot-query reply, read by position.
    struct SlotQueryReply {
        char locations = 0;  // character 0: the number of locations as one digit
        int maxSize = 0;     // characters 2 on: the largest ticket accepted, in bytes
    };

    SlotDownload(DeviceLink& link, TicketStore& tickets, Prompts& prompts, const Folders& folders, LogSink log);

    // Stores the ticket of the editor's current slot in the slot `CurrentTicket`; the editor
    // writes it to "temp.dvc" in the temporary folder first (even when no link is up).
    // With `fileName` that file is sent instead. `progress` is the view whose progress window
    // shows the transfer (its lower bar) and whose Abort is honoured between chunks; null for
    // none. The window is left open for the caller.
    Result DownloadTicket(View* progress, bool handheldFraming, const QString& fileName = QString());
    // Stores an opened ticket file in `slot` (bare slot command). When no link is up the serial
    // port is opened again first. Closes the stream, and the progress window when one is
    // given, on every road.
    Result DownloadTicketStream(int slot, QIODevice& stream, View* progress);

    // "%d", or "\n<#><%d>\r" with handheld framing.
    static QByteArray SlotCommand(int slot, bool handheldFraming);
    // The count of the bytes as three digits, then the bytes themselves.
    static QByteArray Chunk(const QByteArray& bytes);
    static SlotQueryReply ParseSlotQueryReply(const QByteArray& line);
    // Whether the peer has the slot: the digit of the slot may not come after the locations
    // character (compared as character codes, so any reply byte decides something).
    static bool SlotAvailable(int slot, char locations);

    // Data bytes per chunk.
    static constexpr int kChunkBytes = 10;

private:
    struct Transfer;
    Result Exchange(Transfer& transfer);
    void Post(const QByteArray& text, int kind) const;

    DeviceLink& link_;
    TicketStore& tickets_;
    Prompts& prompts_;
    const Folders& folders_;
    LogSink log_;
};

// The scratch file the editor writes the current ticket to, in the temporary folder.
inline constexpr char kTempTicketFile[] = "temp.dvc";
