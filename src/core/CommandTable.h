// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <vector>

// Command identifiers of the main window.
enum CommandId : int {
    kCmdNew = 57600,
    kCmdOpen = 57601,
    kCmdSave = 57603,
    kCmdImportHandheldFile = 32792,
    kCmdExportHandheldFile = 32794,
    kCmdPrint = 32796,
    kCmdExit = 1022,
    kCmdReadDevice = 32774,
    kCmdUpdateDevice = 1001,
    kCmdSendTicket = 32780,
    kCmdPrintDirect = 32781,
    kCmdSendExternalFile = 32788,
    kCmdCommunicationsSetup = 32773,
    kCmdCenter = 32771,
    kCmdAbout = 32772,
    kCmdHelpIndex = 32799,
    kCmdUpdateFlash = 32797,
    // In the Window menu after a separator: the menu resource has no item for it.
    kCmdMinimize = 32775,
    // Handled, but on no menu and no shortcut.
    kCmdRemoteSetup = 32777,
    kCmdHostSession = 32778,
    kCmdExportTicket = 32784,
    kCmdImportTicket = 32785,
    kCmdSendToHandheld = 32787,
    kCmdReadHandheld = 32790,
    kCmdUpdateHandheld = 32795,
    kCmdUploadTicket = 32798,
};

// One item of the main menu.
struct MenuItem {
    int id;
    const char* popup;   // the popup's text, '&' marks the mnemonic
    const char* text;    // the item's text; '\t' separates the shortcut label
    char shortcutKey;    // Ctrl + this letter, 0 for none
    // A command the menu resource leaves out, placed after a separator in its related menu.
    bool afterSeparator = false;
    // Shown with a check mark (the session commands).
    bool checkable = false;
};

// How the refresh of command states decides an item.
enum class EnableRule { A, B };

struct EnableRuleItem {
    int id;
    EnableRule rule;
};

namespace CommandTable {
// The six popups in menu order.
const std::vector<QByteArray>& Popups();
// Every menu item in menu order; the resource's items keep their order.
const std::vector<MenuItem>& MenuItems();
// The items the refresh governs, in the order it applies them.
const std::vector<EnableRuleItem>& EnableRules();
// The menu item with an identifier, or null.
const MenuItem* Find(int id);
}  // namespace CommandTable
