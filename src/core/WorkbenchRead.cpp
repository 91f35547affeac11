// SPDX-License-Identifier: MIT
#include <QLoggingCategory>

#include "Workbench.h"
#include "platform/Prompts.h"
#include "platform/View.h"

Q_DECLARE_LOGGING_CATEGORY(lcWorkbench)

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
    reader_.Identify(record);
}

int Workbench::ReadDevice(QIODevice* valuesStream, QIODevice* templateStream)
{
    if (reader_.Running()) {
        qCWarning(lcWorkbench) << "a read is already running; the new request is dropped";
        return 1;
    }
    const ReadOutcome& outcome = reader_.Read(valuesStream, templateStream);
    Q_EMIT DocumentChanged();
    Q_EMIT ReadFinished(outcome.pagesBuilt ? 1 : 0);
    return 1;
}
