// SPDX-License-Identifier: MIT
#include "HandheldFileCommands.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "HandheldFile.h"
#include "HandheldLink.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "idstorage/IdStorageReceive.h"
#include "idstorage/IdStorageSend.h"
#include "model/TextConv.h"
#include "pages/PageBuilder.h"
#include "platform/Prompts.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

using TextConv::Format;

namespace {

constexpr char kIdStorageModel[] = "MOD:637";
constexpr char kExportFilter[] = "Handheld config files (*.plm)|*.plm||";
constexpr char kImportFilter[] = "Configuration Files (*.plm)|*.plm||";
constexpr char kExtension[] = "plm";
constexpr char kCopyFailed[] = "Failed to copy configuration to Pocket PC";
constexpr char kCannotRead[] = "Could not read %s: %s";
constexpr char kCannotWrite[] = "Could not write %s: %s";
constexpr char kTooLarge[] = "%s is too large to be a handheld file";
constexpr char kTemplateSuffix[] = ".tpl";

}  // namespace

HandheldFileCommands::HandheldFileCommands(Workbench& bench, HandheldLink& link, IdStorageReceive& receive,
                                           IdStorageSend& send)
    : bench_(bench), link_(link), receive_(receive), send_(send)
{
}

bool HandheldFileCommands::IsIdStorageModel() const
{
    return bench_.Model().fileDevice.modelLine.contains(kIdStorageModel);
}

bool HandheldFileCommands::CopyToSync(const QString& path)
{
    const QString folder = bench_.Dirs().handheldSync;
    if (folder.isEmpty() || !Folders::PrepareForWriting(folder)) return false;
    const QString target = folder + QFileInfo(path).fileName();
    // The copy replaces what the last synchronisation left there.
    if (QFileInfo::exists(target) && !QFile::remove(target)) return false;
    return QFile::copy(path, target);
}

HandheldFileCommands::ExportOutcome HandheldFileCommands::ExportHandheld()
{
    ExportOutcome outcome;
    if (IsIdStorageModel()) {
        send_.Run();
        return outcome;
    }
    ConfigModel& model = bench_.Model();
    bench_.Pages().ReadBackAll();
    if (model.documentPath.contains(kTemplateSuffix) || bench_.IsDocumentModified()) bench_.OnSave();

    Prompts::FileChoice choice;
    choice.save = true;
    choice.defaultExtension = QString::fromLatin1(kExtension);
    choice.filter = kExportFilter;
    choice.overwritePrompt = true;
    choice.hideReadOnly = true;
    choice.initialFolder = bench_.Dirs().handheld;
    const QString path = bench_.Ask().ChooseFile(choice);
    if (path.isEmpty()) return outcome;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(HandheldFile::Compose(model)) < 0 || !file.commit()) {
        bench_.AddStatusLine(Format(kCannotWrite, {QFile::encodeName(path), TextConv::L1(file.errorString())}), kError);
        return outcome;
    }
    outcome.path = path;

    outcome.copied = CopyToSync(QFile::decodeName(model.documentPath));
    if (!outcome.copied) bench_.Ask().MessageBox(kCopyFailed, QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::None);

    TicketStore& tickets = bench_.Tickets();
    const short current = tickets.CurrentTicket();
    for (short slot = 1; slot <= tickets.TicketCount(); ++slot) {
        tickets.SetCurrentTicket(slot);
        const QString ticketPath = QFile::decodeName(HandheldFile::TicketFilePath(QFile::encodeName(path), slot));
        if (tickets.SaveTicketToFile(ticketPath, 0)) {
            ++outcome.ticketsWritten;
            CopyToSync(ticketPath);
        } else {
            ++outcome.ticketsFailed;
        }
    }
    tickets.SetCurrentTicket(current);
    return outcome;
}

bool HandheldFileCommands::ImportHandheld()
{
    if (IsIdStorageModel()) {
        receive_.Run();
        return false;
    }
    if (!bench_.SavePrompt(false)) return false;

    Prompts::FileChoice choice;
    choice.save = false;
    choice.filter = kImportFilter;
    choice.hideReadOnly = true;
    choice.initialFolder = bench_.Dirs().handheld;
    const QString path = bench_.Ask().ChooseFile(choice);
    if (path.isEmpty()) return false;
    return ImportHandheldFile(path);
}

bool HandheldFileCommands::ImportHandheldFile(const QString& path)
{
    ConfigModel& model = bench_.Model();
    bench_.IdentifyDevice(model.attachedDevice);
    model.documentPath = QFile::encodeName(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        bench_.AddStatusLine(Format(kCannotRead, {model.documentPath, TextConv::L1(file.errorString())}), kError);
        return false;
    }
    if (file.size() > HandheldFile::kMaxBytes) {
        bench_.AddStatusLine(Format(kTooLarge, {model.documentPath}), kError);
        return false;
    }
    const HandheldFile::Parsed parsed = HandheldFile::Parse(file.read(HandheldFile::kMaxBytes));
    const QString templatePath =
        bench_.Dirs().FindConfigurationFile(TextConv::L1(parsed.modelNumber) + QLatin1String(kTemplateSuffix));
    QFile templateFile(templatePath);
    if (!templateFile.open(QIODevice::ReadOnly)) {
        bench_.AddStatusLine(
            Format(kCannotRead, {QFile::encodeName(templatePath), TextConv::L1(templateFile.errorString())}), kError);
        return false;
    }
    QByteArray values = parsed.values;
    QBuffer valueStream(&values);
    valueStream.open(QIODevice::ReadOnly);
    model.attachedDevice.unlocked = 1;
    bench_.ReadDevice(&valueStream, &templateFile);

    // The tickets shown are the handheld file's, whatever name the read gave the document.
    TicketStore& tickets = bench_.Tickets();
    for (short slot = 1; slot <= tickets.TicketCount(); ++slot) {
        QFile ticket(QFile::decodeName(HandheldFile::TicketFilePath(QFile::encodeName(path), slot)));
        if (!ticket.open(QIODevice::ReadOnly) || ticket.size() > TicketFormats::kMaxTicketBytes) continue;
        tickets.SetTicket(slot, TicketFormats::DecodeDownloadForm(ticket.readAll()));
    }
    tickets.ClearModified();
    return true;
}

void HandheldFileCommands::UpdateHandheld()
{
    ImportHandheld();
    link_.SendToHandheld();
}
