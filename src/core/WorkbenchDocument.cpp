// SPDX-License-Identifier: MIT
#include <QFile>
#include <QFileInfo>

#include "Workbench.h"
#include "handheld/HandheldFileCommands.h"
#include "link/DeviceLink.h"
#include "model/Catalogue.h"
#include "model/ConfigWriter.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/View.h"
#include "tickets/TicketStore.h"

namespace {

// Enough of a file's start to tell text from binary.
constexpr qint64 kSniffLength = 4096;
// A text file has a few control characters at most (tabs and line ends do not count).
constexpr int kControlShareLimit = 8;

// Why a file given by name cannot be what Open reads; empty when it can.
QByteArray UnreadableReason(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return "the file does not exist";
    if (info.isDir()) return "it is a folder, not a file";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString().toLocal8Bit();
    const QByteArray head = file.read(kSniffLength);
    // A stray NUL or control byte is the reader's to report; a file full of them is no text.
    int controls = 0;
    for (char c : head) {
        if (uchar(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') ++controls;
    }
    if (controls * kControlShareLimit > head.size()) return "it is not a configuration, template or handheld file";
    return QByteArray();
}

Prompts::Answer AskToSave(Prompts& prompts)
{
    return prompts.MessageBox("The configuration has been modified. Save before exit?", "Save configuration?",
                              Prompts::Buttons::YesNoCancel, Prompts::Icon::Question);
}

}  // namespace

bool Workbench::IsDocumentModified()
{
    pages_->ReadBackAll();
    return ConfigModel::IsDocumentModified(model_.entries);
}

bool Workbench::SavePrompt(bool cancelMeansNo)
{
    if (!IsDocumentModified()) return true;
    switch (AskToSave(prompts_)) {
    case Prompts::Answer::Yes:
        return OnSave();
    case Prompts::Answer::No:
        return true;
    default:
        return cancelMeansNo;
    }
}

void Workbench::OnNew()
{
    if (!SavePrompt(false)) return;
    model_.documentPath = QFile::encodeName(folders_.configurations);
    Q_EMIT DocumentChanged();

    QByteArray chosen = rememberedModel;
    const QList<QByteArray> lines =
        Catalogue::LoadModelList(folders_.FindConfigurationFile(QLatin1String(Catalogue::kModelListFile)));
    if (!prompts_.SelectModel(chosen, lines)) return;
    rememberedModel = chosen;

    const float modelNumber = float(TextConv::Atof(TextConv::Right(chosen, 3)));
    const QByteArray templateName = Catalogue::TemplateNameForModel(model_.revisionCatalogue, modelNumber);
    model_.documentPath = QFile::encodeName(folders_.FindConfigurationFile(QFile::decodeName(templateName)));
    QFile file(QFile::decodeName(model_.documentPath));
    if (!file.open(QIODevice::ReadOnly)) {
        AddStatusLine(TextConv::Format("No template file found for the selected indicator. %s", {model_.documentPath}),
                      kError);
        Q_EMIT DocumentChanged();
        return;
    }
    model_.attachedDevice.unlocked = 1;
    ReadDevice(nullptr, &file);
}

void Workbench::OnOpen()
{
    if (!SavePrompt(false)) return;
    Prompts::FileChoice choice;
    choice.save = false;
    choice.initialFolder = folders_.configurations;
    choice.filter = ConfigWriter::kConfigurationFilter;
    choice.hideReadOnly = true;
    choice.overwritePrompt = true;
    const QString path = prompts_.ChooseFile(choice);
    if (path.isEmpty()) return;
    OpenFile(path);
}

void Workbench::OpenFile(const QString& path)
{
    if (const QByteArray problem = UnreadableReason(path); !problem.isEmpty()) {
        AddStatusLine(TextConv::Format("Cannot open %s: %s", {QFile::encodeName(path), problem}), kError);
        return;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("plm"), Qt::CaseInsensitive) == 0) {
        // A handheld file carries its model and values, and its tickets lie beside it.
        handheldFiles_->ImportHandheldFile(path);
        return;
    }
    model_.attachedDevice = CDevice();
    IdentifyDevice(model_.attachedDevice);
    model_.documentPath = QFile::encodeName(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Q_EMIT DocumentChanged();
        return;
    }
    model_.attachedDevice.unlocked = 1;
    ReadDevice(nullptr, &file);
}

bool Workbench::OnSave()
{
    pages_->ReadBackAll();
    const CDevice& described = model_.attachedDevice.identified ? model_.attachedDevice : model_.fileDevice;
    ConfigWriter::Target target;
    target.configurationsFolder = folders_.configurations;
    target.temporaryFolder = folders_.temporary;
    target.slotCount = tickets_->TicketCount();
    target.ticketData = tickets_->TicketData();
    QString error;
    lastWritten_ = ConfigWriter::WriteConfiguration(model_, described, 0, prompts_, target, &error);
    if (!error.isEmpty()) {
        // Nothing reached the disk: the marks stay, so Exit still offers to save.
        AddStatusLine(TextConv::Format("Cannot write %s: %s", {model_.documentPath, TextConv::L1(error)}), kError);
    } else {
        // A cancelled dialog clears the marks too: the technician chose not to keep this state.
        ConfigModel::ClearModified(model_.entries);
        if (!lastWritten_.isEmpty()) {
            tickets_->ClearModified();
            MarkValuesAsBaseline();
        }
    }
    if (!lastWritten_.isEmpty()) {
        for (const ConfigEntry* e : ConfigWriter::UncarriedEntries(model_)) {
            AddStatusLine(ConfigWriter::UncarriedWarning(*e), kWarning);
        }
    }
    Q_EMIT DocumentChanged();
    return error.isEmpty();
}

void Workbench::MarkValuesAsBaseline()
{
    pages_->ReadBackAll();
    ConfigModel::TakeBaseline(model_.entries);
    ConfigModel::TakeBaseline(model_.extraEntries);
    Q_EMIT DocumentChanged();
}

bool Workbench::OnExit()
{
    link_->SetExiting(true);
    pages_->ReadBackAll();
    if (!ConfigModel::IsDocumentModified(model_.entries) && !tickets_->IsTicketModified()) {
        view_.CloseWindow();
        return true;
    }
    switch (AskToSave(prompts_)) {
    case Prompts::Answer::Yes:
        // Closing after a failed save would lose the changes and the line saying why.
        if (!OnSave()) return false;
        view_.CloseWindow();
        return true;
    case Prompts::Answer::No:
        view_.CloseWindow();
        return true;
    default:
        return false;
    }
}

void Workbench::OnCommunicationsSetup()
{
    const bool linkOpen = link_->HasDeviceSocket() || link_->IsSerialOpen();
    if (!prompts_.CommunicationSettings(settings_, linkOpen)) return;
    const bool replace = model_.entries.empty() || SavePrompt(true);
    SettingsStore::Save(settings_);
    // A configuration that could not be saved stays on screen rather than give way to the read.
    if (replace) PostReadDevice();
}

bool Workbench::ForwardDialogKey(int key)
{
    if (model_.currentTabIndex != model_.printTab) return false;
    tickets_->SendKey(key, 0, 0);
    return true;
}
