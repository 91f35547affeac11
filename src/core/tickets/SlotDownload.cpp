// SPDX-License-Identifier: MIT
#include "SlotDownload.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include "StatusLog.h"
#include "TicketStore.h"
#include "link/DeviceLink.h"
#include "model/TextConv.h"
#include "platform/Folders.h"
#include "platform/Prompts.h"
#include "platform/View.h"

Q_LOGGING_CATEGORY(lcSlotDownload, "tarelink.tickets.download", QtWarningMsg)

using TextConv::Dec;
using TextConv::Format;

namespace {

constexpr char kSlotQuery[] = "\nXS\r";
constexpr char kDownloadCommand[] = "\nXC\r";
constexpr char kEndMarker[] = "000";
constexpr int kCountDigits = 3;

constexpr char kNoResponse[] = "Device did not respond.  Make sure device is properly connected and turned on.";
constexpr char kSlotUnavailable[] = "Requested location(%d), Available locations(%d)";
constexpr char kTooLarge[] = "Ticket is too large (%d bytes), Max size (%d)";
constexpr char kNoDownloadAck[] = "Device does not acknowledge download command";
constexpr char kStored[] = "Ticket stored in slot %d";
constexpr char kNotSaved[] = "Ticket information for slot %d was not saved correctly";
constexpr char kCannotOpen[] = "Cannot open ticket information file";
constexpr char kFileErrorCaption[] = "File error";
constexpr char kTicketNotWritten[] = "Ticket of slot %d not sent: %s";

// Reply bytes are 8-bit characters of a signed char type, as the indicator's firmware and
// the program always compared them.
int CharCode(char c)
{
    return int(static_cast<signed char>(c));
}

}  // namespace

// One exchange: the file already open, the slot fixed, and who watches it.
struct SlotDownload::Transfer {
    int slot;
    QIODevice& file;
    View* progress;
    bool handheldFraming;
    // The editor's road discards stale replies first; a caller-opened stream's road does not.
    bool discardFirst;
};

SlotDownload::SlotDownload(DeviceLink& link, TicketStore& tickets, Prompts& prompts, const Folders& folders,
                           LogSink log)
    : link_(link), tickets_(tickets), prompts_(prompts), folders_(folders), log_(std::move(log))
{
}

QByteArray SlotDownload::SlotCommand(int slot, bool handheldFraming)
{
    const QByteArray number = Dec(slot);
    return handheldFraming ? "\n<#><" + number + ">\r" : number;
}

QByteArray SlotDownload::Chunk(const QByteArray& bytes)
{
    return Dec(bytes.size()).rightJustified(kCountDigits, '0') + bytes;
}

SlotDownload::SlotQueryReply SlotDownload::ParseSlotQueryReply(const QByteArray& line)
{
    SlotQueryReply reply;
    if (!line.isEmpty()) reply.locations = line.at(0);
    reply.maxSize = TextConv::Atoi(TextConv::Mid(line, 2));
    return reply;
}

bool SlotDownload::SlotAvailable(int slot, char locations)
{
    return '0' + slot <= CharCode(locations);
}

void SlotDownload::Post(const QByteArray& text, int kind) const
{
    if (log_) log_(text, kind);
}

SlotDownload::Result SlotDownload::DownloadTicket(View* progress, bool handheldFraming, const QString& fileName)
{
    const int slot = tickets_.CurrentTicket();
    QString path = fileName;
    if (path.isEmpty()) {
        path = folders_.temporary + QLatin1String(kTempTicketFile);
        QDir().mkpath(folders_.temporary);
        if (!tickets_.SaveTicketToFile(path, 0)) {
            // The editor has nothing to send (or the disk refused it): nothing goes on the link.
            Post(Format(kTicketNotWritten, {Dec(slot), tickets_.LastProblem()}), kWarning);
            return Result::NoTicket;
        }
    }
    if (!link_.IsLinkUp()) return Result::NoLink;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcSlotDownload) << "cannot open" << path << file.errorString();
        prompts_.MessageBox(kCannotOpen, kFileErrorCaption, Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return Result::NoTicket;
    }
    Transfer transfer{slot, file, progress, handheldFraming, true};
    const Result result = Exchange(transfer);
    file.close();
    return result;
}

SlotDownload::Result SlotDownload::DownloadTicketStream(int slot, QIODevice& stream, View* progress)
{
    if (!link_.HasDeviceSocket() && !link_.IsHostSession() && !link_.IsSerialOpen()) {
        QString why;
        if (!link_.ReopenSerialPort(&why)) qCDebug(lcSlotDownload) << "reopen failed" << why;
    }
    Result result = Result::NoLink;
    if (link_.IsLinkUp()) {
        Transfer transfer{slot, stream, progress, false, false};
        result = Exchange(transfer);
    }
    stream.close();
    if (progress) progress->CloseProgress();
    return result;
}

SlotDownload::Result SlotDownload::Exchange(Transfer& t)
{
    const qint64 size = t.file.size();
    t.file.seek(0);
    if (t.progress) {
        t.progress->InitLowerBar(0, int(size / kChunkBytes));
        t.progress->SetLowerPos(1);
    }
    if (t.discardFirst) link_.DiscardReplies();

    // A carrier that went away takes nothing more: stop instead of sending into the void.
    auto send = [this](const QByteArray& bytes) {
        if (!link_.CanSend()) return false;
        link_.SendToDevice(bytes);
        return true;
    };
    auto acknowledged = [this]() {
        int status = 0;
        const char c = link_.WaitForAck(kDeviceAccepts, kDeviceRefuses, &status);
        return status == 0 && c == kDeviceAccepts;
    };
    const QByteArray slotText = Dec(t.slot);

    QByteArray reply;
    if (!send(kSlotQuery)) return Result::LinkLost;
    if (!link_.WaitForReplyLine(reply)) {
        Post(kNoResponse, kError);
        return Result::NoResponse;
    }
    const SlotQueryReply query = ParseSlotQueryReply(reply);
    if (!SlotAvailable(t.slot, query.locations)) {
        Post(Format(kSlotUnavailable, {slotText, Dec(CharCode(query.locations) - '0')}), kError);
        return Result::SlotUnavailable;
    }
    if (size > query.maxSize) {
        Post(Format(kTooLarge, {Dec(size), Dec(query.maxSize)}), kError);
        return Result::TooLarge;
    }
    if (!send(kDownloadCommand)) return Result::LinkLost;
    if (!acknowledged()) {
        Post(kNoDownloadAck, kError);
        return Result::Refused;
    }
    if (!send(SlotCommand(t.slot, t.handheldFraming))) return Result::LinkLost;
    if (!acknowledged()) return Result::Refused;

    // From here on the peer expects chunks: "000" closes them on every road it can travel.
    bool aborted = false;
    bool lost = false;
    while (!t.file.atEnd()) {
        const QByteArray bytes = t.file.read(kChunkBytes);
        // A read error would leave the position where it is: stop rather than spin.
        if (bytes.isEmpty()) break;
        if (t.progress && t.progress->AbortRequested()) {
            aborted = true;
            break;
        }
        if (!send(Chunk(bytes))) {
            lost = true;
            break;
        }
        if (!acknowledged()) break;
        if (t.progress) t.progress->SetLowerPos(int(t.file.pos() / kChunkBytes) + 1);
    }
    if (lost || !send(kEndMarker)) {
        Post(Format(kNotSaved, {slotText}), kError);
        return Result::LinkLost;
    }
    if (aborted) return Result::Aborted;
    if (acknowledged()) {
        Post(Format(kStored, {slotText}), kInformation);
        return Result::Stored;
    }
    Post(Format(kNotSaved, {slotText}), kError);
    return Result::NotSaved;
}
