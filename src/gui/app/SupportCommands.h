// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;
class Workbench;

// The Help menu's small commands.

// The About box: the main icon, "Tarelink" with its version, OK. Modal.
void ShowAboutBox(QWidget* parent);
// Help Index: opens the user guide's first page in the desktop's browser. A missing guide is
// an Error line in the status log, a desktop that cannot show it a Warning line; each names
// the file. True when the page was handed to a browser.
bool OpenHelpIndex(Workbench& workbench);
// Update Flash: closes the serial port when it is open (the flash utility needs it), then
// starts the flash utility; "Check the flash utility installation" when it cannot start.
// True when the utility was started.
bool RunUpdateFlash(QWidget* parent, Workbench& workbench);

// Where the flash utility is installed.
inline constexpr char kFlashUtilityPath[] = "/opt/Tervolin Scale Mfg/Tarelink/Flash";
