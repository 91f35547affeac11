// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The data folders. The folder strings name the user's own folders: everything the program
// writes goes there, and read-only data (templates, "rev.ini", "mod.ini", resources) is
// looked for there first and then in the shared folders, so a technician's own copy of a
// template wins over the installed one. Nothing is ever written into a shared folder.
// Every folder string ends with the platform's separator; all stay empty when no base
// folder can be found.
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
    // Read-only data folders searched after `base`, in order; each ends with a separator.
    QStringList sharedBases;

    // With $TARELINK_DATA_DIR set, that one folder holds everything. Otherwise the user's base
    // is "Tervolin Scale Mfg/Tarelink/" under the user's data location, and the shared folders
    // are the same subfolder under the other data locations that have it, then the installed
    // data set beside the program (see InstalledBase).
    static Folders Compute();
    // The folders below a given base (which gets a trailing separator when it lacks one).
    static Folders FromBase(const QString& base, const QStringList& sharedBases = {});
    // The installed data set: "../share/tarelink/" from the program's own folder (as the
    // installation lays it out), so a relocated installation finds its own copy. Empty when
    // there is none.
    static QString InstalledBase();

    // A read-only file by its path below a base folder ("Configurations/rev.ini"): the user's
    // copy when there is one, else the first shared copy; when none exists, the user's path,
    // so that a message names the place the file belongs.
    QString FindReadOnly(const QString& relativePath) const;
    QString FindConfigurationFile(const QString& name) const;
    QString FindResourceFile(const QString& name) const;

    // Makes a folder that is about to be written into, with its parents; the user's folders
    // come into being on first use. True when it exists (an empty name means the current
    // folder and is true as well).
    static bool PrepareForWriting(const QString& folder);
};

// The base folder's path below a data location.
inline constexpr char kDataSubfolder[] = "Tervolin Scale Mfg/Tarelink/";
inline constexpr char kConfigurationsSubfolder[] = "Configurations/";
inline constexpr char kResourcesSubfolder[] = "Resources/";
// The user guide's first page, below the resources folder.
inline constexpr char kHelpIndexFile[] = "Help/index.html";
inline constexpr char kHandheldSyncSubfolder[] = "Pocket_PC My Documents/";
