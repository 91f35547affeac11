// SPDX-License-Identifier: MIT
#include <QString>
#include <cstdio>

#include "Cli.h"
#include "CliJson.h"
#include "CliLink.h"
#include "CliPrompts.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "model/TextConv.h"
#include "platform/SettingsStore.h"
#include "platform/View.h"

namespace Cli {

// Opens the link the settings name, identifies the indicator like Read device does, and
// prints the attached record.
int Identify(const QStringList& arguments)
{
    QStringList args = arguments;
    CommSettings settings = SettingsStore::Load();
    if (!TakeDataOption(args) || !CliLink::TakePortOption(args, settings) || !CliLink::NoneLeft(args, "identify")) {
        return 2;
    }
    CliPrompts prompts;
    HeadlessView view;
    Workbench bench(prompts, view);
    CliLink::Prepare(bench, settings);
    DeviceLink& link = bench.Link();

    QString fault;
    if (settings.port == kTcpPortName) {
        link.ConnectDeviceSocket();
    } else if (!link.OpenSerialPort(&fault)) {
        bench.AddStatusLine(TextConv::Format("%s (%s)", {TextConv::L1(fault), settings.port}), kCommError);
    }
    bench.Pause(kSettlePauseMs);
    CDevice& attached = bench.Model().attachedDevice;
    if (!link.IsLinkUp()) {
        if (fault.isEmpty()) bench.AddStatusLine("No connection found", kCommError);
    } else {
        bench.IdentifyDevice(attached);
        if (link.TakeSerialFault(&fault)) {
            bench.AddStatusLine(TextConv::Format("%s (%s)", {TextConv::L1(fault), settings.port}), kCommError);
        } else {
            attached.fieldsLine = kDefaultFieldsLine;
        }
    }
    if (!attached.identified) bench.AddStatusLine("No device attached", kInformation);
    CliJson::Print(CliJson::Device(attached));
    bench.Shutdown();
    return attached.identified ? 0 : 1;
}

}  // namespace Cli
