// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The data folders. Every folder string ends with the platform's separator; all stay
// empty when no base folder can be found.
struct Folders {
    QString base;
    QString temporary;
    QString printers;
    QString tickets;
    QString configurations;
    QString resources;
    QString handheld;
    QString handheldSync;
    QString lastTransfer;
    QString helpFile;

    // The base is $TARELINK_DATA_DIR when set, otherwise "Tervolin Scale Mfg/Tarelink/" under the
    // first generic data location that has it, otherwise under the user's data location.
    static Folders Compute();
    // The folders below a given base (which gets a trailing separator when it lacks one).
    static Folders FromBase(const QString& base);
    // The base folder as Compute() finds it (empty when none).
    static QString FindBase();
};

// The base folder's path below a data location.
inline constexpr char kDataSubfolder[] = "Tervolin Scale Mfg/Tarelink/";
// The user guide's first page, below the resources folder.
inline constexpr char kHelpIndexFile[] = "Help/index.html";
inline constexpr char kHandheldSyncSubfolder[] = "Pocket_PC My Documents/";
