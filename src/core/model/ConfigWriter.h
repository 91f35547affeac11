// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class CDevice;
class ConfigEntry;
class ConfigModel;
class Prompts;

// Turns the model into a configuration file the reader reads back.
namespace ConfigWriter {

// The file choice filter of configuration files, for saving and opening alike.
inline constexpr char kConfigurationFilter[] = "Configuration Files (*.csc)|*.csc||";

// The whole file, CR LF line ends, for the given description record and slot count.
// Each entry is written with its ConfigEntry::LineToSave, which is also stored in its `line`.
QByteArray FormatConfiguration(ConfigModel& model, const CDevice& device, int slotCount);

// The entries and sub-entries, in file order, whose current fields no line Save can write
// reads back with: they keep their last line, and with it an older value.
QList<const ConfigEntry*> UncarriedEntries(const ConfigModel& model);
// The Warning that names such an entry.
QByteArray UncarriedWarning(const ConfigEntry& entry);

// The name Save proposes: documentPath with ".tpl" turned into ".csc", last path component only.
QString ProposedFileName(const QByteArray& documentPath);

struct Target {
    QString configurationsFolder;  // initial folder of the save dialog
    QString temporaryFolder;       // where temporary mode writes "temp.csc"
    int slotCount = 0;
    // Written after the slots section in the same commit (a Save's ticket data), so a crash
    // leaves the old file or the whole new one, never settings without their tickets.
    QByteArray ticketData;
};

// Normal mode asks for the file through the prompts and sets documentPath to it; temporary
// mode writes the temporary folder's "temp.csc". Writes through QSaveFile. Returns the path
// written, or an empty string when nothing was written: cancelled, or not writable (then
// `error`, when given, says why in the system's words).
QString WriteConfiguration(ConfigModel& model, const CDevice& device, int temporaryMode, Prompts& prompts,
                           const Target& target, QString* error = nullptr);

}  // namespace ConfigWriter
