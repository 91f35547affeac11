// SPDX-License-Identifier: MIT
#include <QFile>
#include <QLoggingCategory>

#include "Workbench.h"
#include "link/DeviceLink.h"
#include "model/Catalogue.h"
#include "model/ConfigReader.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/View.h"
#include "tickets/TicketStore.h"

Q_DECLARE_LOGGING_CATEGORY(lcWorkbench)

using TextConv::Mid;
using TextConv::Right;

namespace {

constexpr char kDefaultTemplate[] = "default.tpl";

}  // namespace

// The reader's view of the workbench: log lines, the value exchange, the mismatch box and
// the ticket editor.
class WorkbenchReaderHooks final : public ReaderHooks {
public:
    WorkbenchReaderHooks(Workbench& bench, QString& fault) : bench_(bench), fault_(fault) {}
    void Log(const QByteArray& text, int kind) override { bench_.AddStatusLine(text, kind); }
    bool Exchange(const QByteArray& command, QByteArray& reply) override
    {
        if (!fault_.isEmpty()) return false;
        const int ok = bench_.Link().SendAndWaitLine(command, reply);
        QString text;
        if (bench_.Link().TakeSerialFault(&text)) {
            fault_ = text;
            return false;
        }
        return ok != 0;
    }
    void ConfigurationMismatch() override
    {
        bench_.Ask().MessageBox("Configuration does not match the attached device", QByteArray(),
                                Prompts::Buttons::Ok, Prompts::Icon::None);
    }
    void SetTicketCount(int count) override { bench_.Tickets().SetTicketCount(short(count)); }
    void LoadTicketData(QIODevice& stream) override
    {
        // Damaged ticket data loses only the damaged tickets; say which.
        if (!bench_.Tickets().LoadTicketData(stream, 1)) {
            bench_.AddStatusLine("Ticket data not fully loaded: " + bench_.Tickets().LastProblem(), kWarning);
        }
    }

private:
    Workbench& bench_;
    QString& fault_;
};

void Workbench::OnReadDeviceCommand()
{
    if (!model_.entries.empty()) {
        const auto answer = prompts_.MessageBox("This will overwrite the current loaded configuration. Continue?",
                                                "Read device configuration?", Prompts::Buttons::YesNoCancel,
                                                Prompts::Icon::Question);
        if (answer != Prompts::Answer::Yes) return;
    }
    view_.ShowTicketEditor(false);
    view_.ShowTabControl(false);
    PostReadDevice();
}

void Workbench::PostReadDevice()
{
    QMetaObject::invokeMethod(this, [this]() { ReadDevice(nullptr, nullptr); }, Qt::QueuedConnection);
}

void Workbench::IdentifyDevice(CDevice& record)
{
    record.ClearIdentity();
    if (!link_->IsLinkUp()) return;
    record.identified = 0;

    QString fault;
    WorkbenchReaderHooks exchange(*this, fault);
    QByteArray reply;
    if (!exchange.Exchange("\nA\r", reply)) return;
    record.protocolLine = reply;
    QByteArray* lines[] = {&record.mfgLine, &record.modelLine, &record.revisionLine};
    for (QByteArray* line : lines) {
        if (!exchange.Exchange("\nB\r", reply)) return;
        *line = reply;
    }
    record.CheckIdentity();
    if (exchange.Exchange("\nXJ\r", reply)) record.unlocked = TextConv::Atoi(reply) & 1;
}

int Workbench::ReadDevice(QIODevice* valuesStream, QIODevice* templateStream)
{
    if (reading_) {
        qCWarning(lcWorkbench) << "a read is already running; the new request is dropped";
        return 1;
    }
    reading_ = true;
    const bool fromDevice = templateStream == nullptr;
    CDevice& attached = model_.attachedDevice;
    int result = 0;
    QString fault;

    ResetDocument();
    if (fromDevice) view_.ShowBusy("Initializing communication...");

    // Steps that talk to the serial port end early on a serial failure.
    auto failed = [&]() {
        QString text;
        if (link_->TakeSerialFault(&text) && fault.isEmpty()) fault = text;
        return !fault.isEmpty();
    };

    [&]() {
        QByteArray templateName;
        if (fromDevice) {
            if (!link_->IsHostSession()) {
                if (link_->IsSerialOpen()) {
                    link_->CloseSerialPort();
                } else if (link_->HasDeviceSocket()) {
                    link_->CloseDeviceSocket();
                }
                if (settings_.port == kTcpPortName) {
                    view_.SetBusyMessage("Opening socket...");
                    if (link_->ConnectDeviceSocket()) {
                        view_.SetBusyMessage("TCP/IP connection established, looking for device...");
                    }
                } else {
                    view_.SetBusyMessage("Opening serial port...");
                    QString error;
                    if (!link_->OpenSerialPort(&error)) {
                        fault = error;
                        return;
                    }
                }
            } else {
                view_.SetBusyMessage("Host session started, looking for remote device...");
            }
            view_.Refresh();
            Pause(settlePauseMs_);
            if (failed()) return;

            if (!link_->IsLinkUp()) {
                view_.ShowTabControl(false);
                AddStatusLine("No connection found", kCommError);
                // Whatever was identified before is not on this link.
                attached.identified = 0;
            } else {
                IdentifyDevice(attached);
                if (failed()) return;
                attached.fieldsLine = kDefaultFieldsLine;
            }

            if (!attached.identified) {
                AddStatusLine("No device attached", kInformation);
                return;
            }
            view_.SetBusyMessage("Receiving device configuration settings...");
            view_.Refresh();
            const float modelNumber = float(TextConv::Atof(attached.ModelText()));
            const float revision = float(TextConv::Atof(attached.VersionText()));
            templateName = Catalogue::TemplateNameFor(model_.revisionCatalogue, modelNumber, revision);
            AddStatusLine(TextConv::Format("Current device - Model %s  Tarelink Version %s",
                                           {attached.ModelText(), attached.VersionText()}),
                          kInformation);
        }

        QFile templateFile;
        QIODevice* stream = templateStream;
        if (fromDevice) {
            const QByteArray folder = QFile::encodeName(folders_.configurations);
            templateFile.setFileName(QFile::decodeName(folder + templateName));
            if (!templateFile.open(QIODevice::ReadOnly)) {
                templateName = kDefaultTemplate;
                templateFile.setFileName(QFile::decodeName(folder + templateName));
                templateFile.open(QIODevice::ReadOnly);
            }
            model_.documentPath = QFile::encodeName(templateFile.fileName());
            stream = templateFile.isOpen() ? &templateFile : nullptr;
        }

        if (!stream) {
            AddStatusLine(TextConv::Format("No template found - %s (Model %s   Tarelink Version %s)",
                                           {QFile::encodeName(templateFile.fileName()), attached.ModelText(),
                                            attached.VersionText()}),
                          kError);
        } else {
            view_.ShowTabControl(true);
            WorkbenchReaderHooks hooks(*this, fault);
            result = ConfigReader::ReadConfiguration(model_, stream, fromDevice ? 0 : 1, hooks);
            if (failed()) return;
            if (result) {
                if (valuesStream) {
                    const int wasIdentified = attached.identified;
                    if (!wasIdentified) attached.identified = 1;
                    QByteArray line;
                    while (ConfigReader::ReadRawLine(*valuesStream, line)) {
                        if (!model_.MatchDeviceLine(model_.entries, line)) model_.AddExtraEntry(line);
                    }
                    if (!wasIdentified) attached.identified = 0;
                }
                view_.SetTabs(model_.tabs);
                pages_->BuildPages();
                pages_->AddEntryToolTips(model_.entries);
                pages_->AddEntryToolTips(model_.extraEntries);
                view_.SelectTab(0);
                pages_->ShowPage(model_.entries, 0);
                view_.EnableApplyButton(true);
                tickets_->EnableEditor(1);
            }
        }
        if (templateFile.isOpen()) templateFile.close();

        view_.Refresh();
        SetCommandsEnabled(1);
        Pause(settlePauseMs_);

        const CDevice* described = nullptr;
        if (!fromDevice) {
            described = &model_.fileDevice;
        } else if (attached.identified) {
            described = &attached;
        }
        if (described) {
            tickets_->SetDeviceModel(Right(described->modelLine, 3));
            tickets_->SetDeviceVersion(Mid(described->revisionLine, 4, 3));
            tickets_->SetDeviceFields(described->FieldList());
        }
    }();

    if (!fault.isEmpty()) {
        SetCommandsEnabled(1);
        AddStatusLine(TextConv::Format("%s (%s)", {TextConv::L1(fault), settings_.port}), kCommError);
    } else if (!commandsEnabled_) {
        // Steps ended before the end of the read (no device): commands come back anyway.
        view_.Refresh();
        SetCommandsEnabled(1);
        Pause(settlePauseMs_);
    }
    view_.CloseBusy();
    AdjustMenuForModel();
    reading_ = false;
    Q_EMIT DocumentChanged();
    Q_EMIT ReadFinished(result);
    return 1;
}
