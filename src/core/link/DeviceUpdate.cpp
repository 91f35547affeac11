// SPDX-License-Identifier: MIT
#include "DeviceUpdate.h"

#include <QDateTime>
#include <QFile>
#include <QLoggingCategory>
#include <utility>

#include "DeviceLink.h"
#include "StatusLog.h"
#include "UpdateRecord.h"
#include "Workbench.h"
#include "model/EntryValues.h"
#include "pages/PageBuilder.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/View.h"
#include "tickets/SlotDownload.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcUpdate, "tarelink.link.update", QtWarningMsg)

using TextConv::Format;

namespace {

constexpr char kBeginSettings[] = "\nXI\r";
constexpr char kEndCommand[] = "\nEND:0:^117\r";
constexpr char kEscape[] = "\x1b";
constexpr char kWillNotSave = 'Q';
// The entry that ends the settings: what follows it is not the indicator's to take.
constexpr char kTicketsCode[] = "tickets";
constexpr int kTimedOut = 2;

constexpr char kNoDevice[] = "Update failed - Invalid or no device connected";
constexpr char kMismatchCaption[] = "Configuration mismatch";
constexpr char kModelMismatch[] =
    "The model number of the attached device does not match the \npresent configuration. \nMake sure the correct "
    "device is connected and/or check for\nupdated template files for the attached device.";
constexpr char kRevisionMismatch[] =
    "The revision number of the attached device does not match the\npresent configuration template.  Please check "
    "for updated files at ";
constexpr char kRejected[] = "Cal setting [%s:%s] rejected by device";
constexpr char kFinished[] = "Finished sending configuration settings";
constexpr char kErrorSending[] = "Error sending configuration settings";
constexpr char kNotSavedToDevice[] = "Error configuration setting not saved to device";
constexpr char kCanceled[] = "Update canceled by user";
constexpr char kUnsendable[] = "Value of %s (%s) not sent: a setting command cannot carry ':' or \"//\"";
constexpr char kFellSilent[] = "Device stopped responding - remaining settings not sent";
constexpr char kRecordNotWritten[] = "Update record not written to %s: %s";

}  // namespace

bool DeviceUpdate::Outcome::SettingsWritten() const
{
    return identified && modelMatches && settingsStarted && endAcknowledged && !aborted && !stoppedEarly &&
           settingsRejected == 0 && settingsUnsendable == 0;
}

bool DeviceUpdate::Outcome::Succeeded() const
{
    return SettingsWritten() && ticketsFailed == 0;
}

DeviceUpdate::DeviceUpdate(Workbench& bench, SlotDownload& download) : bench_(bench), download_(download) {}

QByteArray DeviceUpdate::SettingCommand(const QByteArray& code, const QByteArray& value)
{
    const QByteArray body = '\n' + code + ':' + value + ':';
    return body + '^' + TextConv::Dec(DeviceLink::LineChecksum(body) & 0xFF) + '\r';
}

QByteArray DeviceUpdate::PortText() const
{
    const CommSettings& s = bench_.Settings();
    if (s.IsTcp()) return s.port + ' ' + s.remoteAddress + ':' + s.remotePort;
    // A "COMn" name or a symlink says less than the device it opened.
    const QByteArray device = QFile::encodeName(bench_.Link().SerialDevicePath());
    return device.isEmpty() || device == s.port ? s.port : s.port + " (" + device + ')';
}

void DeviceUpdate::Conclude(const QByteArray& text, int kind, UpdateRecord& record)
{
    bench_.AddStatusLine(text, kind);
    record.AddOutcome(text);
}

DeviceUpdate::Outcome DeviceUpdate::UpdateDevice(const QByteArray& configurationFile)
{
    if (running_) {
        qCWarning(lcUpdate) << "an update is already running; the new request is dropped";
        return Outcome();
    }
    running_ = true;
    outcome_ = Outcome();
    lostReason_.clear();
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    ConfigModel& model = bench_.Model();

    link.SetExiting(false);
    const int sendTickets = bench_.Ask().UpdateOption();
    const QDateTime started = QDateTime::currentDateTime();

    view.ShowBusy(kCheckingForDevice);
    bench_.Reader().OpenLinkIfNone();
    view.CloseBusy();
    UpdateRecord record(started, PortText(), configurationFile.isEmpty() ? model.documentPath : configurationFile);
    link.DiscardReplies();
    bench_.Pages().ReadBackAll();

    CDevice device;
    bench_.IdentifyDevice(device);
    if (view.BusyExists()) view.CloseBusy();
    QString fault;
    if (link.TakeSerialFault(&fault)) link.ReportPortError(fault, bench_.Settings().port);
    record.SetIdentity(device);

    if (!device.identified) {
        Conclude(kNoDevice, kError, record);
    } else {
        outcome_.identified = true;
        view.ShowProgress();
        if (device.modelLine != model.fileDevice.modelLine) {
            view.CloseProgress();
            bench_.Ask().MessageBox(kModelMismatch, kMismatchCaption, Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
            record.AddOutcome("Model mismatch: the indicator reports " + device.modelLine + ", the configuration is for " +
                              model.fileDevice.modelLine);
        } else {
            outcome_.modelMatches = true;
            if (TextConv::Right(device.revisionLine, 3) != TextConv::Right(model.fileDevice.revisionLine, 3)) {
                bench_.Ask().MessageBox(QByteArray(kRevisionMismatch) + kMakerDownloadsAddress, kMismatchCaption,
                                        Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
                record.AddOutcome("Revision mismatch: the indicator reports " + device.revisionLine +
                                  ", the configuration is for " + model.fileDevice.revisionLine);
            }
            model.attachedDevice.unlocked = device.unlocked ? 1 : 0;
            view.SetProgressActivity(model.attachedDevice.unlocked == 1);
            model.MarkReceived(model.entries);
            if (sendTickets == 1) SendTickets(record);
            SendSettings(record);
        }
    }

    if (view.AbortRequested()) {
        outcome_.aborted = true;
        Conclude(kCanceled, kError, record);
    }
    if (view.ProgressExists()) view.CloseProgress();
    // What the indicator now holds is what the pages show: edits count from here.
    if (outcome_.SettingsWritten()) bench_.MarkValuesAsBaseline();
    WriteRecord(record);
    running_ = false;
    return outcome_;
}

bool DeviceUpdate::LinkLost()
{
    DeviceLink& link = bench_.Link();
    if (link.CanSend()) return false;
    if (lostReason_.isEmpty()) {
        outcome_.stoppedEarly = true;
        // The peer closing the socket has shown its own box; a serial failure is said here.
        lostReason_ = DeviceLink::kConnectionClosed;
        QString fault;
        if (link.TakeSerialFault(&fault)) lostReason_ = link.ReportPortError(fault, bench_.Settings().port);
    }
    return true;
}

void DeviceUpdate::SendTickets(UpdateRecord& record)
{
    TicketStore& tickets = bench_.Tickets();
    View& view = bench_.Window();
    const short current = tickets.CurrentTicket();
    for (short slot = 1; slot <= tickets.TicketCount() && !view.AbortRequested(); ++slot) {
        if (LinkLost()) break;
        tickets.SetCurrentTicket(slot);
        const SlotDownload::Result result = download_.DownloadTicket(&view, false);
        ++outcome_.ticketsSent;
        QByteArray text;
        switch (result) {
        case SlotDownload::Result::Stored: text = "stored"; break;
        case SlotDownload::Result::Aborted: text = "aborted"; break;
        default: text = "not stored"; break;
        }
        if (result != SlotDownload::Result::Stored && result != SlotDownload::Result::Aborted) ++outcome_.ticketsFailed;
        record.AddTicket(slot, text);
    }
    tickets.SetCurrentTicket(current);
}

void DeviceUpdate::SendSettings(UpdateRecord& record)
{
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    link.DiscardReplies();
    if (EndedByLostLink(record)) return;
    link.SendToDevice(kBeginSettings);
    int status = 0;
    const char reply = link.WaitForAck(kDeviceAccepts, kDeviceRefuses, &status);
    if (reply == kWillNotSave) {
        Conclude(kNotSavedToDevice, kError, record);
        return;
    }
    if (status != 0 || reply != kDeviceAccepts) {
        if (EndedByLostLink(record)) return;
        // The wait has said what went wrong.
        record.AddOutcome("The indicator did not accept the start of the settings");
        return;
    }
    outcome_.settingsStarted = true;

    const EntryArray& entries = bench_.Model().entries;
    view.InitUpperBar(0, int(entries.size()));
    for (size_t i = 0; i < entries.size() && !view.AbortRequested(); ++i) {
        view.SetUpperPos(int(i) + 1);
        if (SendEntry(*entries[i], record) == Step::Stop) break;
    }
    if (EndedByLostLink(record)) return;
    link.SendToDevice(kEndCommand);
    const char end = link.WaitForAck(kDeviceAccepts, kDeviceRefuses, &status);
    if (status == 0 && end == kDeviceAccepts) {
        outcome_.endAcknowledged = true;
        Conclude(kFinished, kInformation, record);
    } else if (!EndedByLostLink(record)) {
        Conclude(kErrorSending, kError, record);
    }
}

bool DeviceUpdate::EndedByLostLink(UpdateRecord& record)
{
    if (!LinkLost()) return false;
    record.AddOutcome(lostReason_);
    Conclude(kErrorSending, kError, record);
    return true;
}

bool DeviceUpdate::SendEntry(ConfigEntry& entry, Outcome& counts)
{
    // Only an update's own run writes the update log; this run keeps its counts apart.
    UpdateRecord unused(QDateTime::currentDateTime(), QByteArray(), QByteArray());
    const Outcome ownRun = std::exchange(outcome_, counts);
    const QByteArray ownReason = std::exchange(lostReason_, QByteArray());
    const Step step = SendEntry(entry, unused);
    counts = std::exchange(outcome_, ownRun);
    lostReason_ = ownReason;
    return step == Step::Continue;
}

DeviceUpdate::Step DeviceUpdate::SendEntry(ConfigEntry& entry, UpdateRecord& record)
{
    using Outcome = UpdateRecord::SettingOutcome;
    if (entry.code == kTicketsCode) return Step::Stop;

    auto unsendable = [&](const ConfigEntry& e) {
        if (e.disabled || EntryValues::LineCanCarry(e.value)) return false;
        bench_.AddStatusLine(Format(kUnsendable, {TextConv::ToUpper(e.code), e.label}), kWarning);
        record.AddSetting(e.code, e.value, Outcome::Unsendable, 0);
        ++outcome_.settingsUnsendable;
        return true;
    };

    // A value the line cannot carry is left out like a locked one: its sub-entries still go.
    if (!unsendable(entry)) {
        int rejections = 0;
        int timeouts = 0;
        Sent sent = Sent::Rejected;
        while (rejections < kAttempts) {
            sent = SendCalSetting(entry);
            if (sent == Sent::Accepted || sent == Sent::Locked) break;
            ++rejections;
            if (sent == Sent::TimedOut) ++timeouts;
            if (LinkLost()) {
                record.AddSetting(entry.code, entry.value, Outcome::Rejected, rejections);
                ++outcome_.settingsRejected;
                return Step::Stop;
            }
        }
        if (sent == Sent::Locked) {
            record.AddSetting(entry.code, entry.value, Outcome::Locked, 0);
            ++outcome_.settingsLocked;
        } else if (sent == Sent::Accepted) {
            record.AddSetting(entry.code, entry.value, Outcome::Accepted, rejections);
            ++outcome_.settingsAccepted;
        } else {
            record.AddSetting(entry.code, entry.value, Outcome::Rejected, rejections);
            ++outcome_.settingsRejected;
            bench_.Link().SendToDevice(kEscape);
            // Not one character in three bounded waits: nothing further would be answered
            // either, and the remaining settings would each cost three more waits.
            if (timeouts == kAttempts) {
                outcome_.stoppedEarly = true;
                Conclude(kFellSilent, kError, record);
                return Step::Stop;
            }
            return Step::Continue;
        }
    }

    for (auto& sub : entry.subEntries) {
        if (unsendable(*sub)) break;
        const Sent sent = SendCalSetting(*sub);
        if (sent == Sent::Locked) {
            record.AddSetting(sub->code, sub->value, Outcome::Locked, 0);
            ++outcome_.settingsLocked;
            continue;
        }
        if (sent == Sent::Accepted) {
            record.AddSetting(sub->code, sub->value, Outcome::Accepted, 0);
            ++outcome_.settingsAccepted;
            continue;
        }
        record.AddSetting(sub->code, sub->value, Outcome::Rejected, 1);
        ++outcome_.settingsRejected;
        if (LinkLost()) return Step::Stop;
        break;
    }
    return Step::Continue;
}

DeviceUpdate::Sent DeviceUpdate::SendCalSetting(ConfigEntry& entry)
{
    if (entry.disabled) return Sent::Locked;
    DeviceLink& link = bench_.Link();
    link.SendToDevice(SettingCommand(entry.code, entry.value));
    int status = 0;
    const char reply = link.WaitForAck(kDeviceAccepts, kDeviceRefuses, &status);
    if (status == 0 && reply == kDeviceAccepts) return Sent::Accepted;
    bench_.AddStatusLine(Format(kRejected, {entry.code, entry.value}), kError);
    return status == kTimedOut ? Sent::TimedOut : Sent::Rejected;
}

void DeviceUpdate::WriteRecord(const UpdateRecord& record)
{
    const QString path = bench_.Dirs().base + QLatin1String(kUpdateLogPath);
    QString why;
    if (bench_.Dirs().base.isEmpty()) {
        why = QStringLiteral("no data folder");
    } else if (record.AppendTo(path, &why)) {
        return;
    }
    bench_.AddStatusLine(Format(kRecordNotWritten, {QFile::encodeName(path), TextConv::L1(why)}), kWarning);
}
