// SPDX-License-Identifier: MIT
#include "HandheldLink.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include "HandheldFile.h"
#include "HandheldFileList.h"
#include "HandheldFileName.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "link/TrafficTrace.h"
#include "model/TextConv.h"
#include "pages/PageBuilder.h"
#include "platform/Prompts.h"
#include "platform/View.h"
#include "tickets/SlotDownload.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcHandheld, "tarelink.handheld", QtWarningMsg)

using TextConv::Format;

namespace {

// Sending.
constexpr char kProbe[] = "\r";
constexpr char kProbeAnswer[] = "?";
constexpr char kBegin[] = "\nXI\r";
constexpr char kEnd[] = "\nEND:\r";
constexpr char kLastTicket[] = "\nLAST_TICKET:\r";
constexpr char kLooking[] = "Looking for hand-held PC...";
constexpr char kInitializing[] = "Initializing serial port...";
constexpr char kSearching[] = "Looking for handheld PC...";
constexpr char kNotFound[] = "No hand-held PC found";
constexpr char kSending[] = "Sending configuration data...";
constexpr char kComplete[] = "Configuration transfer is complete";

// Reading.
constexpr char kFiles[] = "\nfiles\r";
constexpr char kListEnd[] = "done";
constexpr char kExit[] = "\nexit\r";
constexpr char kSend[] = "\nsend\r";
constexpr char kIdentify[] = "XJ";
constexpr char kUnlocked[] = "\n001\r";
constexpr char kStart[] = "XI";
constexpr char kEndPrefix[] = "END:";
constexpr char kSlotQuery[] = "XS";
// Six locations of at most 1500 bytes, in the slot query's reply form.
constexpr char kSlotReply[] = "\n621500\r";
constexpr char kDownload[] = "XC";
constexpr char kAccept[] = "D";
constexpr char kRefuse[] = "E";
constexpr char kReceivingList[] = "Receiving file list...";
constexpr char kLoading[] = "Loading selected configuration";
constexpr char kLoadingTickets[] = "Loading selected tickets";
constexpr int kCountDigits = 3;
constexpr char kLineEnd[] = "\r\n";

constexpr char kNotReceived[] = "Configuration not received from the hand-held PC; %s was not written";
constexpr char kCannotWrite[] = "Could not write %s: %s";
constexpr char kRenamed[] = "Hand-held name \"%s\" is not a safe file name; its files were written as %s";
constexpr char kSlotRefused[] = "Ticket refused: slot character \"%s\" is not 1 to 9";
constexpr char kTicketCut[] = "Ticket for slot %d arrived incomplete; the %d bytes received were kept in %s";
constexpr char kReceived[] = "Configuration received from the hand-held PC and written to %s";
constexpr char kListCut[] = "The hand-held PC's file list ran over %d lines; the rest was ignored";

// Bounds on what a handheld can make the program keep or wait for.
constexpr int kMaxListLines = 200;
constexpr int kMaxConfigurationLines = 10000;
constexpr int kMaxTicketRounds = 64;
constexpr int kMaxReceivedTicketBytes = 64 * 1024;

}  // namespace

bool HandheldLink::SendOutcome::Succeeded() const
{
    return found && started && endAcknowledged && completed && !aborted && !settings.stoppedEarly &&
           settings.settingsRejected == 0 && settings.settingsUnsendable == 0 && ticketsFailed == 0;
}

HandheldLink::HandheldLink(Workbench& bench) : bench_(bench) {}

void HandheldLink::Post(const QByteArray& text, int kind)
{
    bench_.AddStatusLine(text, kind);
}

bool HandheldLink::OpenPort(const QByteArray& port)
{
    DeviceLink& link = bench_.Link();
    if (link.IsSerialOpen()) link.CloseSerialPort();
    QString why;
    if (link.OpenSerialPortFixed(port, &why)) return true;
    link.ReportPortError(why, port);
    return false;
}

bool HandheldLink::Acknowledged()
{
    int status = 0;
    const char reply = bench_.Link().WaitForAck(kDeviceAccepts, kDeviceRefuses, &status);
    return status == 0 && reply == kDeviceAccepts;
}

bool HandheldLink::Probe()
{
    DeviceLink& link = bench_.Link();
    for (int i = 0; i < kProbes; ++i) {
        // The handheld hangs on this PC's own port, even while a remote's indicator is current.
        link.WriteSerial(kProbe);
        QByteArray reply;
        link.WaitForReplyLine(reply);
        if (reply == kProbeAnswer) return true;
    }
    return false;
}

HandheldLink::SendOutcome HandheldLink::SendToHandheld()
{
    SendOutcome outcome;
    QByteArray description;
    if (!bench_.Ask().HandheldDescription(description)) return outcome;
    description.truncate(kHandheldDescriptionLength);

    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    view.ShowBusy(kLooking);
    Post(kLooking, kInformation);
    view.SetBusyMessage(kInitializing);
    if (!OpenPort(bench_.Settings().alternatePort)) {
        view.CloseBusy();
        return outcome;
    }
    link.DiscardReplies();
    view.SetBusyMessage(kSearching);
    outcome.found = Probe();
    if (!outcome.found) {
        Post(kNotFound, kInformation);
        link.CloseSerialPort();
    }
    view.CloseBusy();
    if (!outcome.found) return outcome;

    Post(kSending, kInformation);
    bench_.Pages().ReadBackAll();
    view.ShowProgress();
    view.SetProgressActivity(true);
    const QByteArray header[] = {kBegin, '\n' + description + '\r', '\n' + bench_.Model().fileDevice.modelLine + ":\r"};
    bool accepted = true;
    for (const QByteArray& step : header) {
        link.SendToDevice(step);
        accepted = Acknowledged();
        if (!accepted) break;
    }
    if (accepted) {
        outcome.started = true;
        SendEntries(outcome);
        if (link.CanSend()) {
            link.SendToDevice(kEnd);
            outcome.endAcknowledged = Acknowledged();
            if (outcome.endAcknowledged) SendTickets(outcome);
        }
        Post(kComplete, kInformation);
        outcome.completed = true;
    }
    outcome.aborted = view.AbortRequested();
    link.CloseSerialPort();
    if (view.ProgressExists()) view.CloseProgress();
    return outcome;
}

void HandheldLink::SendEntries(SendOutcome& outcome)
{
    View& view = bench_.Window();
    const EntryArray& entries = bench_.Model().entries;
    view.InitUpperBar(0, int(entries.size()));
    for (size_t i = 0; i < entries.size() && !view.AbortRequested(); ++i) {
        view.SetUpperPos(int(i) + 1);
        // The "tickets" entry is passed over, not an end: a handheld keeps everything.
        bench_.Updater().SendEntry(*entries[i], outcome.settings);
        if (outcome.settings.stoppedEarly) break;
    }
}

void HandheldLink::SendTickets(SendOutcome& outcome)
{
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    TicketStore& tickets = bench_.Tickets();
    const QByteArray document = bench_.Model().documentPath;
    const short current = tickets.CurrentTicket();
    for (short slot = 1; slot <= tickets.TicketCount() && !view.AbortRequested(); ++slot) {
        if (!link.CanSend()) break;
        tickets.SetCurrentTicket(slot);
        QString file;
        if (HandheldFile::IsHandheldPath(document)) file = QFile::decodeName(HandheldFile::TicketFilePath(document, slot));
        const SlotDownload::Result result = bench_.TicketDownload().DownloadTicket(&view, true, file);
        ++outcome.ticketsSent;
        if (result != SlotDownload::Result::Stored && result != SlotDownload::Result::Aborted) ++outcome.ticketsFailed;
    }
    if (link.CanSend()) link.SendToDevice(kLastTicket);
    tickets.SetCurrentTicket(current);
}

// --- reading ---

QByteArray HandheldLink::ReceiveFileList()
{
    DeviceLink& link = bench_.Link();
    QByteArray list;
    link.SendToDevice(kFiles);
    QByteArray line;
    int lines = 0;
    while (link.WaitForReplyLine(line)) {
        bench_.Window().SetBusyMessage(kReceivingList);
        if (line == kListEnd || line.isEmpty()) break;
        if (lines == kMaxListLines) {
            Post(Format(kListCut, {TextConv::Dec(kMaxListLines)}), kWarning);
            break;
        }
        ++lines;
        list += line;
        link.SendToDevice(kAccept);
    }
    return list;
}

HandheldLink::ReceiveOutcome HandheldLink::ReadFromHandheld()
{
    ReceiveOutcome outcome;
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    if (!OpenPort(bench_.Settings().port)) return outcome;
    auto finish = [&]() {
        if (view.BusyExists()) view.CloseBusy();
        link.CloseSerialPort();
        return outcome;
    };

    view.ShowBusy(kSearching);
    const QByteArray list = ReceiveFileList();
    view.CloseBusy();
    if (list.isEmpty()) return finish();
    const int index = bench_.Ask().ChooseHandheldConfiguration(list);
    if (index < 0 || index >= HandheldFileList::kRows) {
        link.SendToDevice(kExit);
        return finish();
    }

    view.ShowBusy(kLoading);
    link.SendToDevice(kSend);
    const QByteArray chosen = HandheldFileList::NameOfRow(HandheldFileList::Rows(list).value(index));
    bool renamed = false;
    const QByteArray name = HandheldFileName::Safe(chosen, &renamed);
    const QString folder = bench_.Dirs().handheld;
    const QString path = HandheldFileName::ConfigurationPath(folder, name);
    Folders::PrepareForWriting(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Post(Format(kCannotWrite, {QFile::encodeName(path), TextConv::L1(file.errorString())}), kError);
        return finish();
    }
    link.SendToDevice(QByteArray::number(index));
    if (!ReceiveConfiguration(file)) {
        file.cancelWriting();
        Post(Format(kNotReceived, {QFile::encodeName(path)}), kError);
        return finish();
    }
    if (!file.commit()) {
        Post(Format(kCannotWrite, {QFile::encodeName(path), TextConv::L1(file.errorString())}), kError);
        return finish();
    }
    outcome.configurationWritten = true;
    outcome.configurationPath = path;
    if (renamed) {
        Post(Format(kRenamed, {TrafficTrace::Escape(TextConv::Trim(chosen)), QFile::encodeName(path)}), kWarning);
    }

    ReceiveTickets(outcome);
    if (outcome.Succeeded()) Post(Format(kReceived, {QFile::encodeName(path)}), kInformation);
    return finish();
}

bool HandheldLink::ReceiveConfiguration(QSaveFile& file)
{
    DeviceLink& link = bench_.Link();
    QByteArray line;
    link.WaitForReplyLine(line);
    // The handheld may ask, as of an indicator, whether locked settings may be written.
    if (line == kIdentify) link.SendToDevice(kUnlocked);
    link.WaitForReplyLine(line);
    if (line != kStart) {
        link.SendToDevice(kRefuse);
        return false;
    }
    link.SendToDevice(kAccept);
    for (int count = 0; count < kMaxConfigurationLines; ++count) {
        if (!link.WaitForReplyLine(line)) return false;
        file.write(line + kLineEnd);
        link.SendToDevice(kAccept);
        if (line.startsWith(kEndPrefix)) return true;
    }
    qCWarning(lcHandheld) << "a configuration of more than" << kMaxConfigurationLines << "lines was refused";
    return false;
}

void HandheldLink::ReceiveTickets(ReceiveOutcome& outcome)
{
    DeviceLink& link = bench_.Link();
    QByteArray line;
    for (int round = 0; round < kMaxTicketRounds; ++round) {
        if (!link.WaitForReplyLine(line) || line != kSlotQuery) return;
        bench_.Window().SetBusyMessage(kLoadingTickets);
        link.SendToDevice(kSlotReply);
        if (!link.WaitForReplyLine(line) || line != kDownload) continue;
        link.lineMode = 0;
        link.SendToDevice(kAccept);
        const Next next = ReceiveTicket(outcome);
        link.lineMode = 1;
        if (next == Next::Stop) return;
    }
}

HandheldLink::Next HandheldLink::ReceiveTicket(ReceiveOutcome& outcome)
{
    DeviceLink& link = bench_.Link();
    QByteArray got;
    link.WaitForBytes(got, 1);
    const char slotCharacter = got.isEmpty() ? 0 : got.at(0);
    if (slotCharacter < '1' || slotCharacter > '9') {
        // A slot the indicator cannot have would make a strange file name: refuse the ticket.
        link.SendToDevice(kRefuse);
        ++outcome.ticketsIncomplete;
        Post(Format(kSlotRefused, {TrafficTrace::Escape(got)}), kWarning);
        return Next::Continue;
    }
    const int slot = slotCharacter - '0';
    link.SendToDevice(kAccept);

    // The tickets lie beside the configuration, named as every handheld file's tickets are.
    const QString path = QFile::decodeName(
        HandheldFile::TicketFilePath(QFile::encodeName(outcome.configurationPath), slot));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Post(Format(kCannotWrite, {QFile::encodeName(path), TextConv::L1(file.errorString())}), kError);
        return Next::Stop;
    }
    int total = 0;
    // Count digits that do not arrive read as "000": the ticket ends.
    link.WaitForBytes(got, kCountDigits);
    int count = TextConv::Atoi(got);
    while (count > 0) {
        if (total + count > kMaxReceivedTicketBytes || !link.WaitForBytes(got, count)) {
            link.SendToDevice(kRefuse);
            // What arrived of the ticket is kept, and said to be partial.
            file.commit();
            ++outcome.ticketsIncomplete;
            Post(Format(kTicketCut, {TextConv::Dec(slot), TextConv::Dec(total), QFile::encodeName(path)}), kWarning);
            return Next::Stop;
        }
        file.write(got);
        total += count;
        link.SendToDevice(kAccept);
        link.WaitForBytes(got, kCountDigits);
        count = TextConv::Atoi(got);
    }
    link.SendToDevice(kAccept);
    if (!file.commit()) {
        Post(Format(kCannotWrite, {QFile::encodeName(path), TextConv::L1(file.errorString())}), kError);
        return Next::Stop;
    }
    ++outcome.ticketsWritten;
    return Next::Continue;
}
