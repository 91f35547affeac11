// SPDX-License-Identifier: MIT
#include "DeviceReader.h"

#include <QFile>
#include <QLoggingCategory>

#include "DeviceLink.h"
#include "RemoteSession.h"
#include "Workbench.h"
#include "model/Catalogue.h"
#include "model/ConfigReader.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/View.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcRead, "tarelink.link.read", QtWarningMsg)

using TextConv::Dec;
using TextConv::Format;
using TextConv::Mid;
using TextConv::Right;

namespace {

constexpr char kDefaultTemplate[] = "default.tpl";

}  // namespace

// The reader's view of the workbench: log lines, the value exchange, the mismatch box, the
// ticket editor, and what the read keeps of the pull and of the text's problems.
class DeviceReader::Hooks final : public ReaderHooks {
public:
    explicit Hooks(DeviceReader& reader) : reader_(reader), bench_(reader.bench_) {}

    void Log(const QByteArray& text, int kind) override { bench_.AddStatusLine(text, kind); }
    bool Exchange(const QByteArray& command, QByteArray& reply) override { return reader_.Exchange(command, reply); }
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
    void ValuesPulled(int received, bool complete) override
    {
        ReadOutcome& o = reader_.outcome_;
        o.valuesPulled = true;
        o.valuesReceived = received;
        o.valuesComplete = complete;
    }
    void Problem(ReadProblem problem, int lineNumber) override
    {
        const QByteArray line = Dec(lineNumber);
        QList<QByteArray>& problems = reader_.outcome_.problems;
        switch (problem) {
        case ReadProblem::CutAtNul:
            // The rest of the line is gone from the model, and from any file saved from it.
            bench_.AddStatusLine("Line " + line + " is cut short at a NUL byte", kWarning);
            break;
        case ReadProblem::TooLong:
            problems.append("line " + line + " is longer than " + Dec(ConfigReader::kMaxLineLength) +
                            " characters; nothing after it was read");
            break;
        case ReadProblem::NoColon:
            problems.append("line " + line + " has no ':'");
            break;
        case ReadProblem::SubEntryFirst:
            problems.append("line " + line + " is a sub-entry before any entry");
            break;
        case ReadProblem::NoEnd:
            problems.append("the entries section has no END: line (it stops at line " + line + ")");
            break;
        }
    }

private:
    DeviceReader& reader_;
    Workbench& bench_;
};

DeviceReader::DeviceReader(Workbench& bench) : bench_(bench) {}

bool DeviceReader::Exchange(const QByteArray& command, QByteArray& reply)
{
    DeviceLink& link = bench_.Link();
    // After a fault the port is closed: a send would only show "No connection found".
    if (link.HasSerialFault()) return false;
    const int ok = link.SendAndWaitLine(command, reply);
    return ok != 0 && !link.HasSerialFault();
}

bool DeviceReader::Faulted()
{
    QString text;
    if (bench_.Link().TakeSerialFault(&text) && outcome_.fault.isEmpty()) outcome_.fault = text;
    return !outcome_.fault.isEmpty();
}

void DeviceReader::ReportFault()
{
    if (outcome_.fault.isEmpty()) return;
    bench_.Link().ReportPortError(outcome_.fault, bench_.Settings().port);
}

void DeviceReader::Identify(CDevice& record)
{
    record.ClearIdentity();
    if (!bench_.Link().IsLinkUp()) return;
    record.identified = 0;

    QByteArray reply;
    if (!Exchange("\nA\r", reply)) return;
    record.protocolLine = reply;
    QByteArray* lines[] = {&record.mfgLine, &record.modelLine, &record.revisionLine};
    for (QByteArray* line : lines) {
        if (!Exchange("\nB\r", reply)) return;
        *line = reply;
    }
    record.CheckIdentity();
    if (Exchange("\nXJ\r", reply)) record.unlocked = TextConv::Atoi(reply) & 1;
}

bool DeviceReader::OpenAndIdentify()
{
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    CDevice& attached = bench_.Model().attachedDevice;
    // While this copy hosts a session its own link is left as it is: the indicator that
    // counts is the remote's, once one connects.
    if (!bench_.Session().IsHosting()) {
        if (link.IsSerialOpen()) {
            link.CloseSerialPort();
        } else if (link.HasDeviceSocket()) {
            link.CloseDeviceSocket();
        }
        // A fault an earlier command left behind is not this read's.
        link.TakeSerialFault(nullptr);
        QString error;
        if (!OpenConfiguredLink(&error)) {
            outcome_.fault = error;
            return false;
        }
    } else if (link.IsHostSession()) {
        view.SetBusyMessage("Host session started, looking for remote device...");
    }
    view.Refresh();
    bench_.Pause(bench_.SettlePause());
    if (Faulted()) return false;

    if (!link.IsLinkUp()) {
        view.ShowTabControl(false);
        bench_.AddStatusLine(DeviceLink::kNoConnection, kCommError);
        // Whatever was identified before is not on this link.
        attached.identified = 0;
    } else {
        Identify(attached);
        if (Faulted()) return false;
        attached.fieldsLine = kDefaultFieldsLine;
    }
    if (!attached.identified) {
        bench_.AddStatusLine("No device attached", kInformation);
        return false;
    }
    return true;
}

bool DeviceReader::OpenConfiguredLink(QString* error)
{
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    if (bench_.Settings().IsTcp()) {
        view.SetBusyMessage("Opening socket...");
        if (link.ConnectDeviceSocket()) view.SetBusyMessage("TCP/IP connection established, looking for device...");
        return true;
    }
    view.SetBusyMessage("Opening serial port...");
    return link.OpenSerialPort(error);
}

void DeviceReader::OpenLinkIfNone()
{
    DeviceLink& link = bench_.Link();
    View& view = bench_.Window();
    if (link.IsLinkUp() && link.CanSend()) {
        if (link.IsSerialOpen()) view.SetBusyMessage(kCheckingForDevice);
        return;
    }
    view.SetBusyMessage(kCheckingForDevice);
    // A fault an earlier command left behind is not this command's.
    link.TakeSerialFault(nullptr);
    QString error;
    if (!OpenConfiguredLink(&error)) link.ReportPortError(error, bench_.Settings().port);
}

bool DeviceReader::IdentifyAttached()
{
    outcome_ = ReadOutcome();
    const bool identified = OpenAndIdentify();
    ReportFault();
    return identified;
}

const ReadOutcome& DeviceReader::Read(QIODevice* valuesStream, QIODevice* templateStream)
{
    if (running_) {
        qCWarning(lcRead) << "a read is already running; the new request is dropped";
        return outcome_;
    }
    running_ = true;
    outcome_ = ReadOutcome();
    View& view = bench_.Window();

    bench_.ResetDocument();
    if (!templateStream) view.ShowBusy("Initializing communication...");
    RunSteps(valuesStream, templateStream);

    if (!outcome_.fault.isEmpty()) {
        bench_.SetCommandsEnabled(1);
        ReportFault();
    } else if (!bench_.CommandsEnabled()) {
        // The steps ended before their end (no device): commands come back anyway.
        view.Refresh();
        bench_.SetCommandsEnabled(1);
        bench_.Pause(bench_.SettlePause());
    }
    view.CloseBusy();
    bench_.AdjustMenuForModel();
    running_ = false;
    return outcome_;
}

void DeviceReader::RunSteps(QIODevice* valuesStream, QIODevice* templateStream)
{
    const bool fromDevice = templateStream == nullptr;
    ConfigModel& model = bench_.Model();
    CDevice& attached = model.attachedDevice;
    View& view = bench_.Window();
    TicketStore& tickets = bench_.Tickets();

    QByteArray templateName;
    if (fromDevice) {
        if (!OpenAndIdentify()) return;
        view.SetBusyMessage("Receiving device configuration settings...");
        view.Refresh();
        const float modelNumber = float(TextConv::Atof(attached.ModelText()));
        const float revision = float(TextConv::Atof(attached.VersionText()));
        templateName = Catalogue::TemplateNameFor(model.revisionCatalogue, modelNumber, revision);
        bench_.AddStatusLine(Format("Current device - Model %s  Tarelink Version %s",
                                    {attached.ModelText(), attached.VersionText()}),
                             kInformation);
    }

    QFile templateFile;
    QIODevice* stream = templateStream;
    if (fromDevice) {
        templateFile.setFileName(bench_.Dirs().FindConfigurationFile(QFile::decodeName(templateName)));
        if (!templateFile.open(QIODevice::ReadOnly)) {
            templateName = kDefaultTemplate;
            templateFile.setFileName(bench_.Dirs().FindConfigurationFile(QFile::decodeName(templateName)));
            templateFile.open(QIODevice::ReadOnly);
        }
        model.documentPath = QFile::encodeName(templateFile.fileName());
        stream = templateFile.isOpen() ? &templateFile : nullptr;
    }

    if (!stream) {
        bench_.AddStatusLine(Format("No template found - %s (Model %s   Tarelink Version %s)",
                                    {QFile::encodeName(templateFile.fileName()), attached.ModelText(),
                                     attached.VersionText()}),
                             kError);
    } else {
        view.ShowTabControl(true);
        Hooks hooks(*this);
        const int result = ConfigReader::ReadConfiguration(model, stream, fromDevice ? 0 : 1, hooks);
        if (Faulted()) return;
        if (result) {
            if (valuesStream) {
                const int wasIdentified = attached.identified;
                if (!wasIdentified) attached.identified = 1;
                QByteArray line;
                while (ConfigReader::ReadRawLine(*valuesStream, line)) {
                    if (!model.MatchDeviceLine(model.entries, line)) model.AddExtraEntry(line);
                }
                if (!wasIdentified) attached.identified = 0;
            }
            view.SetTabs(model.tabs);
            bench_.Pages().BuildPages();
            bench_.Pages().AddEntryToolTips(model.entries);
            bench_.Pages().AddEntryToolTips(model.extraEntries);
            view.SelectTab(0);
            bench_.Pages().ShowPage(model.entries, 0);
            view.EnableApplyButton(true);
            tickets.EnableEditor(1);
            bench_.MarkValuesAsBaseline();
            outcome_.pagesBuilt = true;
        }
    }
    if (templateFile.isOpen()) templateFile.close();

    view.Refresh();
    bench_.SetCommandsEnabled(1);
    bench_.Pause(bench_.SettlePause());

    const CDevice* described = nullptr;
    if (!fromDevice) {
        described = &model.fileDevice;
    } else if (attached.identified) {
        described = &attached;
    }
    if (described) {
        tickets.SetDeviceModel(Right(described->modelLine, 3));
        tickets.SetDeviceVersion(Mid(described->revisionLine, 4, 3));
        tickets.SetDeviceFields(described->FieldList());
    }
}
