// SPDX-License-Identifier: MIT
#include "Workbench.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

#include "CommandTable.h"
#include "handheld/HandheldFileCommands.h"
#include "handheld/HandheldLink.h"
#include "idstorage/IdStorageReceive.h"
#include "idstorage/IdStorageSend.h"
#include "link/DeviceLink.h"
#include "link/DeviceUpdate.h"
#include "link/RemoteSession.h"
#include "link/TrafficTrace.h"
#include "model/Catalogue.h"
#include "platform/Prompts.h"
#include "platform/View.h"
#include "tickets/SlotDownload.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcWorkbench, "tarelink.workbench", QtWarningMsg)

Workbench::Workbench(Prompts& prompts, View& view, QObject* parent)
    : QObject(parent),
      prompts_(prompts),
      view_(view),
      tickets_(std::make_unique<TicketStore>()),
      pages_(std::make_unique<PageBuilder>(*this)),
      events_(std::make_unique<EventProcessor>(*this))
{
    link_ = std::make_unique<DeviceLink>(
        settings_, prompts_, [this](const QByteArray& text, int kind) { AddStatusLine(text, kind); });
    session_ = std::make_unique<RemoteSession>(*this);
    settings_ = CommSettings::Defaults();
    slotDownload_ = std::make_unique<SlotDownload>(
        *link_, *tickets_, prompts_, folders_, [this](const QByteArray& text, int kind) { AddStatusLine(text, kind); });
    deviceUpdate_ = std::make_unique<DeviceUpdate>(*this, *slotDownload_);
    handheld_ = std::make_unique<HandheldLink>(*this);
    idReceive_ = std::make_unique<IdStorageReceive>(*this);
    idSend_ = std::make_unique<IdStorageSend>(*this);
    handheldFiles_ = std::make_unique<HandheldFileCommands>(*this, *handheld_, *idReceive_, *idSend_);
}

Workbench::~Workbench()
{
    // Controls belong to the entries; let them go before the view that made them.
    model_.Reset();
}

bool Workbench::OnCommand(int id)
{
    switch (id) {
    case kCmdNew:
        OnNew();
        return true;
    case kCmdOpen:
        OnOpen();
        return true;
    case kCmdSave:
        OnSave();
        return true;
    case kCmdExit:
        OnExit();
        return true;
    case kCmdReadDevice:
        OnReadDeviceCommand();
        return true;
    case kCmdUpdateDevice:
        deviceUpdate_->UpdateDevice();
        return true;
    case kCmdCommunicationsSetup:
        OnCommunicationsSetup();
        return true;
    case kCmdSendToHandheld:
        handheld_->SendToHandheld();
        return true;
    case kCmdReadHandheld:
        handheld_->ReadFromHandheld();
        return true;
    case kCmdImportHandheldFile:
        handheldFiles_->ImportHandheld();
        return true;
    case kCmdExportHandheldFile:
        handheldFiles_->ExportHandheld();
        return true;
    case kCmdUpdateHandheld:
        handheldFiles_->UpdateHandheld();
        return true;
    case kCmdRemoteSetup:
        session_->RemoteSetup();
        return true;
    case kCmdHostSession:
        session_->HostSession();
        return true;
    case kCmdPrint:
        print_.Run();
        return true;
    case kCmdSendTicket:
        ticketCommands_.SendTicket();
        return true;
    case kCmdPrintDirect:
        ticketCommands_.PrintDirect();
        return true;
    case kCmdSendExternalFile:
        ticketCommands_.SendExternalFile();
        return true;
    case kCmdExportTicket:
        ticketCommands_.ExportTicket();
        return true;
    case kCmdImportTicket:
        ticketCommands_.ImportTicket();
        return true;
    case kCmdUploadTicket:
        ticketCommands_.UploadTicket();
        return true;
    default:
        return false;
    }
}

void Workbench::Initialize(const CommSettings& settings, const Folders& folders)
{
    settings_ = settings;
    folders_ = folders;
    if (const QString trace = TrafficTrace::RequestedPath(); !trace.isEmpty()) link_->StartTrace(trace);
    Catalogue::LoadRevisionCatalogue(model_.revisionCatalogue,
                                     folders_.FindConfigurationFile(QLatin1String(Catalogue::kRevisionFile)));
    tickets_->SetTicketFolder(folders_.tickets);
    SetCommandsEnabled(1);
    view_.SetCommandEnabled(kCmdImportHandheldFile, false);
    view_.SetCommandEnabled(kCmdExportHandheldFile, false);
}

void Workbench::Shutdown()
{
    link_->SetExiting(true);
    if (link_->IsSerialOpen()) link_->CloseSerialPort();
    if (link_->HasDeviceSocket()) link_->CloseDeviceSocket();
    link_->pendingReplyLines.clear();
}

// --- status log and command states ---

void Workbench::AddStatusLine(const QByteArray& text, int kind)
{
    if (kind == kError || kind == kWarning) view_.Beep(kind);
    log_.Add(text, kind);
}

void Workbench::SetCommandsEnabled(int flag)
{
    commandsEnabled_ = flag;
    const bool hasDocument = !model_.documentPath.isEmpty();
    for (const EnableRuleItem& item : CommandTable::EnableRules()) {
        const bool enabled = flag && (item.rule == EnableRule::B || hasDocument);
        view_.SetCommandEnabled(item.id, enabled);
    }
}

void Workbench::AdjustMenuForModel()
{
    const QByteArray& modelLine = model_.fileDevice.modelLine;
    if (modelLine.contains("MOD:958")) {
        view_.SetCommandText(kCmdSendTicket, "Save 958 Ticket\tCtrl-T");
        view_.SetCommandText(kCmdImportHandheldFile, "Import Handheld");
        view_.SetCommandText(kCmdExportHandheldFile, "Export Handheld");
        for (int id : {kCmdImportHandheldFile, kCmdExportHandheldFile, kCmdReadDevice, kCmdUpdateDevice,
                       kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld, kCmdPrint,
                       kCmdCommunicationsSetup, kCmdRemoteSetup, kCmdHostSession}) {
            view_.SetCommandEnabled(id, false);
        }
    } else if (modelLine.contains("MOD:637")) {
        view_.SetCommandText(kCmdSendTicket, "Send Ticket\tCtrl-T");
        view_.SetCommandText(kCmdImportHandheldFile, "Receive 637 ID Storage File");
        view_.SetCommandText(kCmdExportHandheldFile, "Send 637 ID Storage File");
        for (int id : {kCmdUpdateDevice, kCmdReadDevice, kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld,
                       kCmdPrint, kCmdRemoteSetup, kCmdHostSession}) {
            view_.SetCommandEnabled(id, false);
        }
    } else {
        view_.SetCommandText(kCmdSendTicket, "Send Ticket\tCtrl-T");
        view_.SetCommandText(kCmdImportHandheldFile, "Import Handheld");
        view_.SetCommandText(kCmdExportHandheldFile, "Export Handheld");
        view_.SetCommandEnabled(kCmdImportHandheldFile, false);
        view_.SetCommandEnabled(kCmdExportHandheldFile, false);
        for (int id : {kCmdReadDevice, kCmdUpdateDevice, kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld,
                       kCmdCommunicationsSetup, kCmdPrint}) {
            view_.SetCommandEnabled(id, true);
        }
        // Another model may have greyed the session items; they follow the sessions again.
        session_->UpdateMenu();
    }
}

void Workbench::ResetDocument()
{
    SetCommandsEnabled(0);
    view_.ShowTicketEditor(false);
    link_->StopReplyTimer();
    view_.SetTabs({});
    pages_->Reset();
    model_.Reset();
    events_->DiscardPosted();
    link_->DiscardReplies();
    log_.Clear();
}

void Workbench::Pause(int ms)
{
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
