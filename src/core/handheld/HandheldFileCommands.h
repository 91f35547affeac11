// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class HandheldLink;
class IdStorageReceive;
class IdStorageSend;
class Workbench;

// The File menu's handheld-file commands: Export handheld file writes the configuration shown
// as a handheld file with its ticket files and copies them into the handheld sync folder;
// Import handheld file loads one (its template named by its model line, its values after);
// Update handheld loads one and sends it to the handheld. With a 637 configuration shown,
// Import and Export move the indicator's ID storage instead.
class HandheldFileCommands {
public:
    // What an Export wrote, for callers that decide on it.
    struct ExportOutcome {
        QString path;           // the handheld file written (empty when none)
        bool copied = false;    // the configuration file reached the sync folder
        int ticketsWritten = 0;
        int ticketsFailed = 0;  // slots whose ticket file could not be written
    };

    HandheldFileCommands(Workbench& bench, HandheldLink& link, IdStorageReceive& receive, IdStorageSend& send);

    ExportOutcome ExportHandheld();
    // True when a handheld file was opened and read (the reader's own result decides the pages).
    bool ImportHandheld();
    // Loads the handheld file at `path` as Import handheld file does once it has a file.
    bool ImportHandheldFile(const QString& path);
    void UpdateHandheld();

    // The loaded configuration is for the ID storage model.
    bool IsIdStorageModel() const;

private:
    bool CopyToSync(const QString& path);

    Workbench& bench_;
    HandheldLink& link_;
    IdStorageReceive& receive_;
    IdStorageSend& send_;
};
