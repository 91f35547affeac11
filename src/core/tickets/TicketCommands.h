// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

class Workbench;

// The commands of the Tickets menu: the editor's tickets into the indicator's slots (or, for
// model 958, into a ticket file), the current ticket straight to a serial printer, an external
// ticket file into a chosen slot, one ticket out to and in from an export file, and a ticket
// read back from the indicator. Each says what it did in the status log; each returns how it
// ended, for callers that must decide on that (the command line's exit code).
class TicketCommands {
public:
    enum class Outcome {
        Done,       // all of it: every slot stored, the file written, every piece sent
        Cancelled,  // the technician said no to a dialog
        FileError,  // a file could not be read, written or made sense of
        Failed,     // the link, the indicator or the printer port
    };

    explicit TicketCommands(Workbench& bench) : bench_(bench) {}
    TicketCommands(const TicketCommands&) = delete;
    TicketCommands& operator=(const TicketCommands&) = delete;

    // Every slot in order, one outcome each, the current slot kept; model 958 saves the current
    // ticket as a ".tkt" file instead. Done when every slot was stored (or the file was saved
    // with a good header).
    Outcome SendTicket();
    // The current ticket in its print form on the printer at "Alternate Port" ("9600,N,8,1");
    // the indicator's serial port is closed for it and opened again afterwards when it was open.
    Outcome PrintDirect();
    // A chosen ".dvc" file, or a ".txt" source converted through the tag table, into a chosen slot.
    Outcome SendExternalFile();
    // The current ticket cut out of a scratch copy of the configuration into a ".vtk" file.
    Outcome ExportTicket();
    // A ".vtk" file into the current slot.
    Outcome ImportTicket();
    // Asks the indicator for its ticket and writes what came to `target` ("upload.vtk" in the
    // temporary folder when empty).
    Outcome UploadTicket(const QString& target = QString());

    // Upload: the wait after the request, then how long the indicator may pause mid-ticket.
    static constexpr int kUploadWaitMs = 250;
    static constexpr int kUploadQuietMs = 100;

private:
    Outcome SaveTicketFile958();
    Outcome SendAllSlots();
    // The current ticket's print form, header skipped, piece by piece to the open printer port.
    Outcome SendToPrinter();
    // A ".txt" source through the tag table into "extern.dvc"; its path, or empty on failure.
    QString ConvertSource(const QString& path);
    // False when another ticket command or a device wait is running (it keeps the link).
    bool Begin();
    // Writes the bytes whole or not at all; an Error line says why when it cannot.
    bool WriteFile(const QString& path, const QByteArray& bytes);
    bool Capture(QByteArray& received);

    Workbench& bench_;
    bool running_ = false;
};
