// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include "link/DeviceUpdate.h"

class QSaveFile;
class Workbench;

// The serial exchange with a handheld PC at "9600,N,8,1". Sending, the program addresses the
// handheld like an indicator being updated (its settings, then its tickets with the handheld's
// framed slot command). Reading, the handheld replays such an update and the program answers
// as an indicator would, writing what arrives to files in the handheld folder. Both leave the
// serial port closed.
class HandheldLink {
public:
    // What one Send to handheld achieved.
    struct SendOutcome {
        bool found = false;            // the handheld answered a probe with "?"
        bool started = false;          // the start, the description and the model line acknowledged
        bool endAcknowledged = false;  // "\nEND:\r" acknowledged
        bool aborted = false;
        bool completed = false;        // "Configuration transfer is complete" posted
        DeviceUpdate::Outcome settings;
        int ticketsSent = 0;
        int ticketsFailed = 0;

        // Every setting and ticket arrived and the handheld acknowledged the end.
        bool Succeeded() const;
    };

    // What one Read from handheld wrote.
    struct ReceiveOutcome {
        bool configurationWritten = false;
        QString configurationPath;
        int ticketsWritten = 0;
        int ticketsIncomplete = 0;  // cut short or refused

        bool Succeeded() const { return configurationWritten && ticketsIncomplete == 0; }
    };

    explicit HandheldLink(Workbench& bench);

    // The configuration shown, under a description the technician types, with its tickets:
    // from the ticket files beside a handheld file when the document is one, else from the
    // editor. Runs on "Alternate Port".
    SendOutcome SendToHandheld();
    // The handheld's file list, the technician's choice, then that configuration and its
    // tickets into the handheld folder. Runs on "Port".
    ReceiveOutcome ReadFromHandheld();

    // Probes before the handheld is taken to be absent.
    static constexpr int kProbes = 3;

private:
    enum class Next { Continue, Stop };

    // Opens `port` afresh at the handheld's fixed line settings; a failure is a Comm Error line.
    bool OpenPort(const QByteArray& port);
    bool Acknowledged();
    bool Probe();
    void SendEntries(SendOutcome& outcome);
    void SendTickets(SendOutcome& outcome);
    QByteArray ReceiveFileList();
    bool ReceiveConfiguration(QSaveFile& file);
    // Into files beside the configuration written (outcome.configurationPath).
    void ReceiveTickets(ReceiveOutcome& outcome);
    Next ReceiveTicket(ReceiveOutcome& outcome);
    void Post(const QByteArray& text, int kind);

    Workbench& bench_;
};

// The description the handheld keeps a configuration under is at most this long.
inline constexpr int kHandheldDescriptionLength = 28;
