// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;
class Workbench;

// The Help menu's small commands.

// The About box: the main icon, "Tarelink" with its version, OK. Modal.
void ShowAboutBox(QWidget* parent);
// Help Index: opens the help file with the desktop's viewer. A missing file or a desktop that
// cannot open it makes help unavailable for the rest of the run; nothing is reported.
// True when the file was handed to a viewer.
bool OpenHelpIndex(QWidget* parent, const QString& helpFile);
// Update Flash: closes the serial port when it is open (the flash utility needs it), then
// starts the flash utility; "Check the flash utility installation" when it cannot start.
// True when the utility was started.
bool RunUpdateFlash(QWidget* parent, Workbench& workbench);

// Where the flash utility is installed.
inline constexpr char kFlashUtilityPath[] = "/opt/Tervolin Scale Mfg/Tarelink/Flash";
