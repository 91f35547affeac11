// SPDX-License-Identifier: MIT
#include <QFile>

#include "Workbench.h"
#include "link/DeviceLink.h"
#include "model/Catalogue.h"
#include "model/ConfigWriter.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/View.h"
#include "tickets/TicketStore.h"

namespace {

constexpr char kConfigurationFilter[] = "Configuration Files (*.csc)|*.csc||";
constexpr char kModelList[] = "mod.ini";

Prompts::Answer AskToSave(Prompts& prompts)
{
    return prompts.MessageBox("The configuration has been modified. Save before exit?", "Save configuration?",
                              Prompts::Buttons::YesNoCancel, Prompts::Icon::Question);
}

}  // namespace

bool Workbench::IsDocumentModified()
{
    ReadBackAll();
    return ConfigModel::IsDocumentModified(model_.entries);
}

bool Workbench::SavePrompt(bool cancelMeansNo)
{
    if (!IsDocumentModified()) return true;
    switch (AskToSave(prompts_)) {
    case Prompts::Answer::Yes:
        OnSave();
        return true;
    case Prompts::Answer::No:
        return true;
    default:
        return cancelMeansNo;
    }
}

void Workbench::OnNew()
{
    if (!SavePrompt(false)) return;
    const QByteArray folder = QFile::encodeName(folders_.configurations);
    model_.documentPath = folder;
    Q_EMIT DocumentChanged();

    QByteArray chosen = rememberedModel;
    const QList<QByteArray> lines = Catalogue::LoadModelList(folders_.configurations + QLatin1String(kModelList));
    if (!prompts_.SelectModel(chosen, lines)) return;
    rememberedModel = chosen;

    const float modelNumber = float(TextConv::Atof(TextConv::Right(chosen, 3)));
    model_.documentPath = folder + Catalogue::TemplateNameForModel(model_.revisionCatalogue, modelNumber);
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
    choice.filter = kConfigurationFilter;
    choice.hideReadOnly = true;
    choice.overwritePrompt = true;
    const QString path = prompts_.ChooseFile(choice);
    if (path.isEmpty()) return;

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

void Workbench::OnSave()
{
    ReadBackAll();
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
        if (!lastWritten_.isEmpty()) tickets_->ClearModified();
    }
    Q_EMIT DocumentChanged();
}

bool Workbench::OnExit()
{
    link_->SetExiting(true);
    ReadBackAll();
    if (!ConfigModel::IsDocumentModified(model_.entries) && !tickets_->IsTicketModified()) {
        view_.CloseWindow();
        return true;
    }
    switch (AskToSave(prompts_)) {
    case Prompts::Answer::Yes:
        OnSave();
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
    if (!model_.entries.empty()) SavePrompt(true);
    SettingsStore::Save(settings_);
    PostReadDevice();
}

bool Workbench::ForwardDialogKey(int key)
{
    if (model_.currentTabIndex != model_.printTab) return false;
    tickets_->SendKey(key, 0, 0);
    return true;
}
