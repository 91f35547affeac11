// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class CDevice;
class ConfigEntry;
class SlotDownload;
class UpdateRecord;
class Workbench;

// Update device: writes the configuration shown in the editor back into the attached
// indicator. The indicator is identified again first; another model stops the update, another
// revision only warns. Then, when the technician asks for it, the tickets of every slot, then
// every setting as one checksummed command, then the end command. The progress window shows
// it and its Abort stops between settings (and between ticket chunks). Every run appends one
// record to the update log.
class DeviceUpdate {
public:
    // What one run achieved, for callers that must decide on it (the command line's exit code).
    struct Outcome {
        bool identified = false;
        bool modelMatches = false;
        bool settingsStarted = false;      // "\nXI\r" acknowledged with 'D'
        bool endAcknowledged = false;      // the end command acknowledged with 'D'
        bool aborted = false;
        bool stoppedEarly = false;         // the link went away or the indicator fell silent
        int settingsAccepted = 0;
        int settingsRejected = 0;          // settings that failed all their attempts
        int settingsLocked = 0;
        int settingsUnsendable = 0;        // values no setting command can carry
        int ticketsSent = 0;
        int ticketsFailed = 0;

        // Every setting went out and was accepted, and the end was acknowledged.
        bool SettingsWritten() const;
        // That, and every ticket sent was stored.
        bool Succeeded() const;
    };

    DeviceUpdate(Workbench& bench, SlotDownload& download);

    // The Update device command (the menu item and the Apply button). The record names
    // `configurationFile`, or the document's path when it is empty.
    Outcome UpdateDevice(const QByteArray& configurationFile = QByteArray());
    bool Running() const { return running_; }

    // "\n<code>:<value>:^<checksum>\r", the checksum over everything before the caret.
    static QByteArray SettingCommand(const QByteArray& code, const QByteArray& value);

    // Sends one top-level entry and its sub-entries to the peer on the link exactly as Update
    // device does (its attempts, the escape character after the last), for another transfer
    // that speaks the setting commands: a handheld PC takes them like an indicator. What became
    // of the settings is added to `counts`. False when nothing after it should be sent: the
    // "tickets" entry, a peer that fell silent, a link that went away.
    bool SendEntry(ConfigEntry& entry, Outcome& counts);

    // Attempts per setting before the escape character abandons it.
    static constexpr int kAttempts = 3;

private:
    enum class Step { Continue, Stop };
    enum class Sent { Accepted, Rejected, TimedOut, Locked };

    void SendTickets(UpdateRecord& record);
    void SendSettings(UpdateRecord& record);
    Step SendEntry(ConfigEntry& entry, UpdateRecord& record);
    Sent SendCalSetting(ConfigEntry& entry);
    // The link is gone: says why once (a serial failure) and marks the run stopped.
    bool LinkLost();
    // When the link is gone: says so, ends the settings with the error line, and returns true.
    bool EndedByLostLink(UpdateRecord& record);
    void Conclude(const QByteArray& text, int kind, UpdateRecord& record);
    void WriteRecord(const UpdateRecord& record);
    QByteArray PortText() const;

    Workbench& bench_;
    SlotDownload& download_;
    Outcome outcome_;
    // Why the link went away, once it has (empty while it is up).
    QByteArray lostReason_;
    bool running_ = false;
};

// Where the maker keeps updated template files; the revision mismatch box points there.
inline constexpr char kMakerDownloadsAddress[] = "https://www.tervolin-scale.example/downloads";
