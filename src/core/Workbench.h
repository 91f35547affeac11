// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

#include "StatusLog.h"
#include "link/DeviceReader.h"
#include "model/ConfigModel.h"
#include "pages/EventProcessor.h"
#include "pages/PageBuilder.h"
#include "platform/CommSettings.h"
#include "platform/Folders.h"
#include "report/PrintCommand.h"
#include "tickets/TicketCommands.h"

class DeviceLink;
class DeviceUpdate;
class HandheldFileCommands;
class HandheldLink;
class IdStorageReceive;
class IdStorageSend;
class Prompts;
class QIODevice;
class SlotDownload;
class RemoteSession;
class TicketStore;
class View;

// The pause that lets a freshly opened link settle before the first command of a read.
inline constexpr int kSettlePauseMs = 250;

// The object that owns one document, its link and its log, and runs every command's
// steps. The window's handlers are one-liners into it; the command line drives it with
// no window; tests drive it with scripted prompts and a headless view.
class Workbench : public QObject {
    Q_OBJECT
public:
    Workbench(Prompts& prompts, View& view, QObject* parent = nullptr);
    ~Workbench() override;

    // Start-up: the settings record, the folders, the catalogue, the ticket folder, the
    // command states (the handheld import and export items greyed).
    void Initialize(const CommSettings& settings, const Folders& folders);
    // Shutdown: the exiting flag, the serial port and the device socket closed.
    void Shutdown();

    ConfigModel& Model() { return model_; }
    TicketStore& Tickets() { return *tickets_; }
    StatusLog& Log() { return log_; }
    DeviceLink& Link() { return *link_; }
    // Stores ticket files in the ticket slots of the peer on the link.
    SlotDownload& TicketDownload() { return *slotDownload_; }
    // Update device: the configuration back into the indicator.
    DeviceUpdate& Updater() { return *deviceUpdate_; }
    // The Tickets menu's commands.
    TicketCommands& TicketCommand() { return ticketCommands_; }
    RemoteSession& Session() { return *session_; }
    // The field transfers: the handheld PC, handheld files and the 637's ID storage.
    HandheldLink& Handheld() { return *handheld_; }
    HandheldFileCommands& HandheldFiles() { return *handheldFiles_; }
    IdStorageReceive& IdReceive() { return *idReceive_; }
    IdStorageSend& IdSend() { return *idSend_; }
    CommSettings& Settings() { return settings_; }
    const Folders& Dirs() const { return folders_; }
    // The external-file and ID storage dialogs start where the last one was confirmed.
    void SetLastTransferFolder(const QString& path) { folders_.lastTransfer = path; }
    Prompts& Ask() { return prompts_; }
    View& Window() { return view_; }

    // --- status log and command states ---
    void AddStatusLine(const QByteArray& text, int kind);
    void SetCommandsEnabled(int flag);
    int CommandsEnabled() const { return commandsEnabled_; }
    // Relabels and greys menu items by the model line of the file record.
    void AdjustMenuForModel();

    // Destroys the pages and the model before a new read.
    void ResetDocument();
    // The generated pages and what their controls report.
    PageBuilder& Pages() { return *pages_; }
    // The template's event records.
    EventProcessor& Events() { return *events_; }

    // Runs a command of the command table that needs no window of its own. False when the
    // command is the window's (Center, Minimize, About, Help Index, Update Flash) or unknown.
    // Every new command gets its case here; its steps live in a class of its own.
    bool OnCommand(int id);

    // --- document commands (WorkbenchDocument.cpp) ---
    bool IsDocumentModified();
    // The shared save question; false when the command should stop (Cancel, or a Yes whose
    // save could not write the file: going on would throw the unsaved changes away).
    bool SavePrompt(bool cancelMeansNo);
    void OnNew();
    void OnOpen();
    // Open's steps after the file choice: a file that is missing, a folder or not text gives
    // an Error line and leaves the loaded configuration as it is. A handheld file (".plm") is
    // loaded as Import handheld file loads it.
    void OpenFile(const QString& path);
    // False when the file could not be written (an Error line says why).
    bool OnSave();
    // The values as they are now become what the modified marks compare against: after a
    // read or load, after Save has written them, after Update device has sent them.
    void MarkValuesAsBaseline();
    // True when the window may close.
    bool OnExit();
    void OnCommunicationsSetup();
    // Enter (13) or Escape (27) pressed in the window: on the print page they go to the ticket
    // editor (true); elsewhere they do nothing, so the window never closes on them.
    bool ForwardDialogKey(int key);
    // The file the last Save wrote (empty when it wrote none).
    QString LastWrittenPath() const { return lastWritten_; }

    // --- device read (WorkbenchRead.cpp; the steps are DeviceReader's) ---
    // The Read device command: asks before overwriting, then queues the read.
    void OnReadDeviceCommand();
    // Queues a read of the device, to run once the current handler has returned.
    void PostReadDevice();
    // Reads the device (templateStream null) or the caller's template or configuration
    // stream, then values from `valuesStream` when given.
    int ReadDevice(QIODevice* valuesStream, QIODevice* templateStream);
    void IdentifyDevice(CDevice& record);
    DeviceReader& Reader() { return reader_; }

    // Waits without blocking the event loop (the settle pauses of a read).
    void Pause(int ms);
    // kSettlePauseMs in the product; tests shorten it.
    void SetSettlePause(int ms) { settlePauseMs_ = ms; }
    int SettlePause() const { return settlePauseMs_; }

    QByteArray rememberedModel = "Model 615";

Q_SIGNALS:
    // The document's path or modified state may have changed (window title).
    void DocumentChanged();
    // A read finished: 1 when it built the pages, else 0 (Reader().Outcome() tells more).
    void ReadFinished(int result);

private:
    Prompts& prompts_;
    View& view_;
    ConfigModel model_;
    StatusLog log_;
    CommSettings settings_;
    Folders folders_;
    std::unique_ptr<TicketStore> tickets_;
    std::unique_ptr<DeviceLink> link_;
    std::unique_ptr<SlotDownload> slotDownload_;
    std::unique_ptr<DeviceUpdate> deviceUpdate_;
    std::unique_ptr<HandheldLink> handheld_;
    std::unique_ptr<IdStorageReceive> idReceive_;
    std::unique_ptr<IdStorageSend> idSend_;
    std::unique_ptr<HandheldFileCommands> handheldFiles_;
    std::unique_ptr<RemoteSession> session_;
    std::unique_ptr<PageBuilder> pages_;
    std::unique_ptr<EventProcessor> events_;
    int commandsEnabled_ = 0;
    int settlePauseMs_ = kSettlePauseMs;
    QString lastWritten_;
    DeviceReader reader_{*this};
    PrintCommand print_{*this};
    TicketCommands ticketCommands_{*this};
};
