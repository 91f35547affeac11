// SPDX-License-Identifier: MIT
#include "CommandTable.h"

namespace CommandTable {

const std::vector<QByteArray>& Popups()
{
    static const std::vector<QByteArray> popups = {
        "&File", "&Configuration", "&Tickets", "C&ommunication", "&Window", "&Help",
    };
    return popups;
}

const std::vector<MenuItem>& MenuItems()
{
    static const std::vector<MenuItem> items = {
        {kCmdNew, "&File", "&New\tCtrl-N", 'N'},
        {kCmdOpen, "&File", "&Open\tCtrl-O", 'O'},
        {kCmdSave, "&File", "&Save\tCtrl-S", 'S'},
        {kCmdImportHandheldFile, "&File", "&Import handheld file...\tCtrl-I", 'I'},
        {kCmdExportHandheldFile, "&File", "Export handheld file...\tCtrl-H", 'H'},
        {kCmdSendToHandheld, "&File", "Send to handheld...", 0, true},
        {kCmdReadHandheld, "&File", "Read from handheld...", 0, true},
        {kCmdUpdateHandheld, "&File", "Update handheld...", 0, true},
        {kCmdPrint, "&File", "&Print", 0},
        {kCmdExit, "&File", "E&xit", 0},
        {kCmdReadDevice, "&Configuration", "&Read device\tCtrl-R", 'R'},
        {kCmdUpdateDevice, "&Configuration", "&Update device\tCtrl-U", 'U'},
        {kCmdSendTicket, "&Tickets", "&Send ticket\tCtrl-T", 'T'},
        {kCmdPrintDirect, "&Tickets", "Print &direct\tCtrl-P", 'P'},
        {kCmdSendExternalFile, "&Tickets", "Send external &file\tCtrl-X", 'X'},
        {kCmdExportTicket, "&Tickets", "Export ticket...", 0, true},
        {kCmdImportTicket, "&Tickets", "Import ticket...", 0, true},
        {kCmdUploadTicket, "&Tickets", "Upload ticket...", 0, true},
        {kCmdCommunicationsSetup, "C&ommunication", "&Communications Setup   \tCtrl-E", 'E'},
        {kCmdRemoteSetup, "C&ommunication", "Remote setup", 0, true, true},
        {kCmdHostSession, "C&ommunication", "Host session", 0, false, true},
        {kCmdCenter, "&Window", "&Center", 0},
        {kCmdMinimize, "&Window", "Mi&nimize", 0, true},
        {kCmdAbout, "&Help", "&About", 0},
        {kCmdHelpIndex, "&Help", "Help Index", 0},
        {kCmdUpdateFlash, "&Help", "&Update Flash", 0},
    };
    return items;
}

const std::vector<EnableRuleItem>& EnableRules()
{
    // Column by column, as the refresh walks them.
    static const std::vector<EnableRuleItem> rules = {
        {kCmdCommunicationsSetup, EnableRule::B},
        {kCmdNew, EnableRule::B},
        {kCmdOpen, EnableRule::B},
        {kCmdSave, EnableRule::A},
        {kCmdReadDevice, EnableRule::B},
        {kCmdSendTicket, EnableRule::A},
        {kCmdPrintDirect, EnableRule::A},
        {kCmdExportTicket, EnableRule::B},
        {kCmdImportTicket, EnableRule::B},
        {kCmdUpdateDevice, EnableRule::A},
        {kCmdSendToHandheld, EnableRule::A},
        {kCmdSendExternalFile, EnableRule::B},
        {kCmdReadHandheld, EnableRule::B},
        {kCmdExportHandheldFile, EnableRule::A},
        {kCmdImportHandheldFile, EnableRule::B},
        {kCmdUpdateHandheld, EnableRule::B},
        {kCmdPrint, EnableRule::A},
        {kCmdUpdateFlash, EnableRule::B},
    };
    return rules;
}

const MenuItem* Find(int id)
{
    for (const MenuItem& m : MenuItems()) {
        if (m.id == id) return &m;
    }
    return nullptr;
}

}  // namespace CommandTable
