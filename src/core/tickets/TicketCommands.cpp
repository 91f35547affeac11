// SPDX-License-Identifier: MIT
#include "TicketCommands.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QScopeGuard>

#include "SlotDownload.h"
#include "StatusLog.h"
#include "TicketBytes.h"
#include "TicketStore.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "model/ConfigWriter.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/View.h"

Q_LOGGING_CATEGORY(lcTicketCommands, "tarelink.tickets.commands", QtWarningMsg)

using TextConv::Dec;
using TextConv::Format;
using TextConv::L1;

namespace {

constexpr char kModel958[] = "MOD:958";
constexpr short kDownloadForm = 0;
constexpr short kPrintForm = 1;

constexpr char kSavingToFile[] = "Saving ticket information to file...";
constexpr char kSendingToDevice[] = "Sending ticket information to device...";
constexpr char kSendingToPrinter[] = "Sending ticket information to printer...";
constexpr char kNoSpaces[] = "Please do not use spaces in the filename.\n\n\tTry again?";
constexpr char kInvalidHeader[] = "Invalid ticket header information";

constexpr char kTicketSaved[] = "Ticket saved to %s";
constexpr char kTicketNotSaved[] = "Ticket not saved to %s: %s";
constexpr char kPrinted[] = "Ticket of slot %d sent to the printer on %s (%d bytes)";
constexpr char kNotPrinted[] = "Ticket of slot %d not printed: %s";
constexpr char kCannotOpen[] = "Cannot open %s: %s";
constexpr char kCannotWrite[] = "Cannot write %s: %s";
constexpr char kTooLargeForTicket[] = "%s is too large for a ticket (%d bytes, at most %d)";
constexpr char kIncompleteTags[] = "%s: %d line(s) hold an incomplete tag, sent as text (the first is line %d)";
constexpr char kExported[] = "Ticket of slot %d exported to %s";
constexpr char kNotExported[] = "Ticket of slot %d not exported: %s";
constexpr char kNotCut[] = "the slot's ticket was not found in the configuration";
constexpr char kImported[] = "Ticket imported into slot %d from %s";
constexpr char kNotImported[] = "Ticket not imported from %s: %s";
constexpr char kUploaded[] = "Ticket uploaded to %s (%d bytes)";
constexpr char kNothingUploaded[] = "No ticket received from the device; %s was not written";
constexpr char kUploadTooLarge[] = "The device sent more than %d bytes, more than a ticket holds; %s was not written";

constexpr char kTicketFilter958[] = "958 Ticket Files (*.tkt) |*.tkt||";
constexpr char kTicketExtension958[] = "tkt";
constexpr char kTicketName958[] = "New958Ticket";
constexpr char kExternalFilter[] = "Custom ticket files (*.txt;*.dvc)|*.txt;*.dvc|All Files (*.*)|*.*||";
// The test is on the whole path and case-sensitive: "ticket.TXT" is sent as it is.
constexpr char kSourceMark[] = ".txt";
constexpr char kConvertedFile[] = "extern.dvc";
constexpr char kExportFilter[] = "Ticket files (*.vtk)|*.vtk||";
constexpr char kExportExtension[] = "vtk";
constexpr char kExportName[] = "NewTicket";
constexpr char kUploadFile[] = "upload.vtk";
constexpr char kUploadCommand[] = "\nXU\r";
// What an indicator answers to a command it does not know.
constexpr char kUnknownCommandReply[] = "\n?\r";

QByteArray PathText(const QString& path)
{
    return QFile::encodeName(QDir::toNativeSeparators(path));
}

// Reads a whole ticket file of at most kMaxTicketFileBytes; false with the reason otherwise.
bool ReadTicketFile(const QString& path, QByteArray& bytes, QByteArray& why)
{
    constexpr qint64 limit = TicketBytes::kMaxTicketFileBytes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = Format(kCannotOpen, {PathText(path), L1(file.errorString())});
        return false;
    }
    bytes = file.read(limit + 1);
    if (bytes.size() > limit) {
        why = Format(kTooLargeForTicket, {PathText(path), Dec(file.size()), Dec(limit)});
        return false;
    }
    return true;
}

// The file name part of a path (after the last separator, trimmed) holds a space.
bool FileNameHasSpace(const QString& path)
{
    const QString native = QDir::fromNativeSeparators(path);
    return native.mid(native.lastIndexOf(QLatin1Char('/')) + 1).trimmed().contains(QLatin1Char(' '));
}

// The export file dialog as Import shows it; Export adds the save's settings.
Prompts::FileChoice ExportFileChoice(const Folders& dirs)
{
    Prompts::FileChoice choice;
    choice.defaultExtension = QLatin1String(kExportExtension);
    choice.defaultName = QLatin1String(kExportName);
    choice.filter = kExportFilter;
    choice.initialFolder = dirs.tickets;
    return choice;
}

}  // namespace

bool TicketCommands::Begin()
{
    // Every wait pumps the event loop, so a shortcut can arrive while a transfer runs.
    if (running_ || bench_.Link().WaitActive()) {
        qCDebug(lcTicketCommands) << "a ticket command or a device wait is running; the command is dropped";
        return false;
    }
    running_ = true;
    return true;
}

bool TicketCommands::WriteFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    bench_.AddStatusLine(Format(kCannotWrite, {PathText(path), L1(file.errorString())}), kError);
    return false;
}

// --- Send ticket ---

TicketCommands::Outcome TicketCommands::SendTicket()
{
    if (!Begin()) return Outcome::Cancelled;
    const auto mark = qScopeGuard([this] { running_ = false; });
    return bench_.Model().fileDevice.modelLine.contains(kModel958) ? SaveTicketFile958() : SendAllSlots();
}

TicketCommands::Outcome TicketCommands::SaveTicketFile958()
{
    View& view = bench_.Window();
    Prompts& ask = bench_.Ask();
    TicketStore& tickets = bench_.Tickets();
    view.ShowBusy(kSavingToFile);

    Prompts::FileChoice choice;
    choice.save = true;
    choice.defaultExtension = QLatin1String(kTicketExtension958);
    choice.defaultName = QLatin1String(kTicketName958);
    choice.filter = kTicketFilter958;
    choice.overwritePrompt = true;
    choice.hideReadOnly = true;
    choice.initialFolder = bench_.Dirs().tickets;
    Folders::PrepareForWriting(choice.initialFolder);
    QString path;
    for (;;) {
        path = ask.ChooseFile(choice);
        // The indicator's ticket loader stops a name at its first space.
        if (path.isEmpty() || !FileNameHasSpace(path)) break;
        const Prompts::Answer again =
            ask.MessageBox(kNoSpaces, QByteArray(), Prompts::Buttons::YesNo, Prompts::Icon::Stop);
        if (again != Prompts::Answer::Yes) {
            path.clear();
            break;
        }
    }

    Outcome outcome = Outcome::Cancelled;
    if (!path.isEmpty()) {
        outcome = Outcome::FileError;
        QByteArray bytes;
        QByteArray why;
        if (!tickets.SaveTicketToFile(path, kPrintForm)) {
            bench_.AddStatusLine(Format(kTicketNotSaved, {PathText(path), tickets.LastProblem()}), kError);
        } else if (!ReadTicketFile(path, bytes, why)) {
            bench_.AddStatusLine(Format(kTicketNotSaved, {PathText(path), why}), kError);
        } else if (TicketBytes::HeaderEnd(bytes) < 0) {
            bench_.AddStatusLine(kInvalidHeader, kError);
        } else {
            bench_.AddStatusLine(Format(kTicketSaved, {PathText(path)}), kInformation);
            outcome = Outcome::Done;
        }
    }
    view.CloseBusy();
    return outcome;
}

TicketCommands::Outcome TicketCommands::SendAllSlots()
{
    View& view = bench_.Window();
    TicketStore& tickets = bench_.Tickets();
    const short current = tickets.CurrentTicket();
    view.ShowBusy(kCheckingForDevice);
    bench_.Reader().OpenLinkIfNone();
    // A serial port that does not open has said so; a socket that does not connect has not.
    if (!bench_.Link().IsLinkUp() && bench_.Settings().IsTcp()) {
        bench_.AddStatusLine(DeviceLink::kNoConnection, kCommError);
    }
    bench_.Link().DiscardReplies();
    view.SetBusyMessage(kSendingToDevice);

    const short count = tickets.TicketCount();
    int stored = 0;
    for (short slot = 1; slot <= count; ++slot) {
        tickets.SetCurrentTicket(slot);
        if (bench_.TicketDownload().DownloadTicket(nullptr, false) == SlotDownload::Result::Stored) ++stored;
    }
    tickets.SetCurrentTicket(current);
    view.CloseBusy();
    return count > 0 && stored == count ? Outcome::Done : Outcome::Failed;
}

// --- Print direct ---

TicketCommands::Outcome TicketCommands::PrintDirect()
{
    if (!Begin()) return Outcome::Cancelled;
    const auto mark = qScopeGuard([this] { running_ = false; });
    View& view = bench_.Window();
    DeviceLink& link = bench_.Link();
    const CommSettings& settings = bench_.Settings();
    view.ShowBusy(kSendingToPrinter);

    const bool reopen = link.IsSerialOpen();
    if (reopen) link.CloseSerialPort();
    // A fault of the indicator's port is no fault of the printer's.
    link.TakeSerialFault(nullptr);
    QString error;
    Outcome outcome = Outcome::Failed;
    if (!link.OpenSerialPortFixed(settings.alternatePort, &error)) {
        link.ReportPortError(error, settings.alternatePort);
    } else {
        outcome = SendToPrinter();
        link.CloseSerialPort();
        QString fault;
        if (link.TakeSerialFault(&fault)) {
            link.ReportPortError(fault, settings.alternatePort);
            outcome = Outcome::Failed;
        }
    }
    if (reopen && !link.OpenSerialPort(&error)) link.ReportPortError(error, settings.port);
    view.CloseBusy();
    return outcome;
}

TicketCommands::Outcome TicketCommands::SendToPrinter()
{
    DeviceLink& link = bench_.Link();
    TicketStore& tickets = bench_.Tickets();
    const short slot = tickets.CurrentTicket();
    const QString path = bench_.Dirs().temporary + QLatin1String(kTempTicketFile);
    Folders::PrepareForWriting(bench_.Dirs().temporary);
    QByteArray file;
    QByteArray why;
    if (!tickets.SaveTicketToFile(path, kPrintForm)) {
        bench_.AddStatusLine(Format(kNotPrinted, {Dec(slot), tickets.LastProblem()}), kWarning);
        return Outcome::FileError;
    }
    if (!ReadTicketFile(path, file, why)) {
        bench_.AddStatusLine(Format(kNotPrinted, {Dec(slot), why}), kError);
        return Outcome::FileError;
    }
    const TicketBytes::PrintCut cut = TicketBytes::CutForPrinter(file);
    if (!cut.headerClosed) {
        bench_.AddStatusLine(kInvalidHeader, kError);
        return Outcome::FileError;
    }
    int sent = 0;
    for (const QByteArray& piece : cut.pieces) {
        if (!link.CanSend()) return Outcome::Failed;
        link.SendToDevice(piece);
        sent += int(piece.size());
    }
    bench_.AddStatusLine(Format(kPrinted, {Dec(slot), bench_.Settings().alternatePort, Dec(sent)}), kInformation);
    return Outcome::Done;
}

// --- Send external file ---

TicketCommands::Outcome TicketCommands::SendExternalFile()
{
    if (!Begin()) return Outcome::Cancelled;
    const auto mark = qScopeGuard([this] { running_ = false; });
    View& view = bench_.Window();
    Prompts::FileChoice choice;
    choice.filter = kExternalFilter;
    choice.hideReadOnly = true;
    choice.initialFolder = bench_.Dirs().lastTransfer;
    const QString chosen = bench_.Ask().ChooseFile(choice);
    if (chosen.isEmpty()) return Outcome::Cancelled;
    bench_.SetLastTransferFolder(chosen);

    QFile file(chosen);
    if (chosen.contains(QLatin1String(kSourceMark), Qt::CaseSensitive)) {
        const QString converted = ConvertSource(chosen);
        if (converted.isEmpty()) return Outcome::FileError;
        file.setFileName(converted);
    }
    if (!file.open(QIODevice::ReadOnly)) {
        bench_.AddStatusLine(Format(kCannotOpen, {PathText(file.fileName()), L1(file.errorString())}), kError);
        return Outcome::FileError;
    }
    const int slot = bench_.Ask().PickSlot();
    if (slot <= 0) return Outcome::Cancelled;
    DeviceLink& link = bench_.Link();
    // The download opens a serial port itself; the indicator on TCP/IP needs its socket.
    if (bench_.Settings().IsTcp() && !link.CanSend()) link.ConnectDeviceSocket();
    view.ShowProgress();
    view.SetProgressActivity(bench_.Model().attachedDevice.unlocked == 1);
    const SlotDownload::Result result = bench_.TicketDownload().DownloadTicketStream(slot, file, &view);
    if (view.ProgressExists()) view.CloseProgress();
    if (result == SlotDownload::Result::NoLink) bench_.AddStatusLine(DeviceLink::kNoConnection, kCommError);
    return result == SlotDownload::Result::Stored ? Outcome::Done : Outcome::Failed;
}

QString TicketCommands::ConvertSource(const QString& path)
{
    QByteArray source;
    QByteArray why;
    if (!ReadTicketFile(path, source, why)) {
        bench_.AddStatusLine(why, kError);
        return QString();
    }
    const TicketBytes::Conversion converted = TicketBytes::ConvertExternalSource(source);
    if (converted.incompleteTagLines > 0) {
        bench_.AddStatusLine(Format(kIncompleteTags, {PathText(path), Dec(converted.incompleteTagLines),
                                                      Dec(converted.firstIncompleteTagLine)}),
                             kWarning);
    }
    const QString target = bench_.Dirs().temporary + QLatin1String(kConvertedFile);
    Folders::PrepareForWriting(bench_.Dirs().temporary);
    return WriteFile(target, converted.bytes) ? target : QString();
}

// --- Export and Import ticket ---

TicketCommands::Outcome TicketCommands::ExportTicket()
{
    if (!Begin()) return Outcome::Cancelled;
    const auto mark = qScopeGuard([this] { running_ = false; });
    ConfigModel& model = bench_.Model();
    TicketStore& tickets = bench_.Tickets();
    const int slot = tickets.CurrentTicket();

    bench_.Pages().ReadBackAll();
    const CDevice& described = model.attachedDevice.identified ? model.attachedDevice : model.fileDevice;
    ConfigWriter::Target target;
    target.temporaryFolder = bench_.Dirs().temporary;
    target.slotCount = tickets.TicketCount();
    Folders::PrepareForWriting(target.temporaryFolder);
    QString error;
    const QString scratch = ConfigWriter::WriteConfiguration(model, described, 1, bench_.Ask(), target, &error);
    if (scratch.isEmpty()) {
        bench_.AddStatusLine(Format(kCannotWrite, {PathText(target.temporaryFolder), L1(error)}), kError);
        return Outcome::FileError;
    }
    if (!tickets.WriteTicketsToFile(scratch)) {
        bench_.AddStatusLine(Format(kNotExported, {Dec(slot), tickets.LastProblem()}), kError);
        return Outcome::FileError;
    }

    Prompts::FileChoice choice = ExportFileChoice(bench_.Dirs());
    choice.save = true;
    choice.overwritePrompt = true;
    Folders::PrepareForWriting(choice.initialFolder);
    const QString path = bench_.Ask().ChooseFile(choice);
    if (path.isEmpty()) return Outcome::Cancelled;

    // The scratch copy is the whole configuration, written just now: no ticket bound applies.
    QFile scratchFile(scratch);
    if (!scratchFile.open(QIODevice::ReadOnly)) {
        bench_.AddStatusLine(Format(kCannotOpen, {PathText(scratch), L1(scratchFile.errorString())}), kError);
        return Outcome::FileError;
    }
    const TicketBytes::ExportCut cut = TicketBytes::CutExport(scratchFile.readAll(), slot);
    if (!cut.found || !cut.closed) {
        bench_.AddStatusLine(Format(kNotExported, {Dec(slot), kNotCut}), kError);
        return Outcome::FileError;
    }
    if (!WriteFile(path, TicketFormats::JoinLines(cut.lines))) return Outcome::FileError;
    bench_.AddStatusLine(Format(kExported, {Dec(slot), PathText(path)}), kInformation);
    return Outcome::Done;
}

TicketCommands::Outcome TicketCommands::ImportTicket()
{
    if (!Begin()) return Outcome::Cancelled;
    const auto mark = qScopeGuard([this] { running_ = false; });
    TicketStore& tickets = bench_.Tickets();
    const Prompts::FileChoice choice = ExportFileChoice(bench_.Dirs());
    const QString path = bench_.Ask().ChooseFile(choice);
    if (path.isEmpty()) return Outcome::Cancelled;
    if (!tickets.ImportTicket(path, 0)) {
        bench_.AddStatusLine(Format(kNotImported, {PathText(path), tickets.LastProblem()}), kError);
        return Outcome::FileError;
    }
    bench_.AddStatusLine(Format(kImported, {Dec(tickets.CurrentTicket()), PathText(path)}), kInformation);
    return Outcome::Done;
}

// --- Upload ticket ---

bool TicketCommands::Capture(QByteArray& received)
{
    DeviceLink& link = bench_.Link();
    bool overflow = false;
    link.DivertArrivals([&](const QByteArray& bytes) {
        if (overflow || received.size() + bytes.size() > TicketBytes::kMaxTicketFileBytes) {
            overflow = true;
            return;
        }
        received += bytes;
    });
    link.SendToDevice(kUploadCommand);
    bench_.Pause(kUploadWaitMs);
    // What came in the first wait may be the start of a longer ticket: take the rest while it
    // keeps coming. Each round must bring more, and the total is bounded.
    qsizetype before = 0;
    while (!overflow && received.size() > before) {
        before = received.size();
        bench_.Pause(kUploadQuietMs);
    }
    link.DivertArrivals(nullptr);
    return !overflow;
}

TicketCommands::Outcome TicketCommands::UploadTicket(const QString& target)
{
    if (!Begin()) return Outcome::Cancelled;
    const auto mark = qScopeGuard([this] { running_ = false; });
    DeviceLink& link = bench_.Link();
    const CommSettings& settings = bench_.Settings();
    // The indicator sends whichever ticket it holds ready; the choice only confirms the command.
    if (bench_.Ask().PickSlot() <= 0) return Outcome::Cancelled;
    const QString path = target.isEmpty() ? bench_.Dirs().temporary + QLatin1String(kUploadFile) : target;

    if (link.IsHostSession()) {
        // The remote copy's indicator answers; its port is the remote's to open.
        link.DiscardReplies();
    } else if (settings.IsTcp()) {
        if (!link.CanSend()) link.ConnectDeviceSocket();
        link.DiscardReplies();
        if (!link.CanSend()) {
            bench_.AddStatusLine(DeviceLink::kNoConnection, kCommError);
            return Outcome::Failed;
        }
    } else {
        // A fresh port: nothing the indicator said before belongs to the ticket.
        link.CloseSerialPort();
        link.DiscardReplies();
        QString error;
        if (!link.ReopenSerialPort(&error)) {
            link.ReportPortError(error, settings.port);
            return Outcome::Failed;
        }
    }

    QByteArray received;
    if (!Capture(received)) {
        bench_.AddStatusLine(Format(kUploadTooLarge, {Dec(TicketBytes::kMaxTicketFileBytes), PathText(path)}), kError);
        return Outcome::Failed;
    }
    QString fault;
    if (link.TakeSerialFault(&fault)) link.ReportPortError(fault, settings.port);
    if (received == kUnknownCommandReply) {
        bench_.AddStatusLine(DeviceLink::kNotRecognised, kWarning);
        return Outcome::Failed;
    }
    if (received.isEmpty()) {
        bench_.AddStatusLine(Format(kNothingUploaded, {PathText(path)}), kError);
        return Outcome::Failed;
    }
    if (target.isEmpty()) Folders::PrepareForWriting(bench_.Dirs().temporary);
    if (!WriteFile(path, received)) return Outcome::FileError;
    bench_.AddStatusLine(Format(kUploaded, {PathText(path), Dec(received.size())}), kInformation);
    return Outcome::Done;
}
