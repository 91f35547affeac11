// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class ConfigModel;

// A handheld file (".plm"): a configuration in the plain line form a handheld PC keeps. The
// first line is the model line followed by ':'; then one "code:value:" line per top-level
// entry in model order. Lines end CR LF; either line end is read. A file received from a
// handheld holds the lines it sent, the last one beginning with "END:". Its tickets lie beside
// it, one ".dvc" file per slot.
class HandheldFile {
public:
    // What a handheld file gives Import.
    struct Parsed {
        // Characters 4 to 6 of the first line (the three after "MOD:"), or what there is of them.
        QByteArray modelNumber;
        // The value lines after the first, each ending CR LF, up to (not including) a line that
        // begins with "END:". Lines are cut as configuration lines are; blank lines are left out.
        QByteArray values;
    };

    // The file Export writes for the model: every byte of it.
    static QByteArray Compose(const ConfigModel& model);
    static Parsed Parse(const QByteArray& bytes);
    // The ticket file of a slot: the handheld file's path without everything from its last
    // '.', then "-s", the slot in decimal, ".dvc".
    static QByteArray TicketFilePath(const QByteArray& handheldPath, int slot);
    // A path names a handheld file when it contains ".plm".
    static bool IsHandheldPath(const QByteArray& path) { return path.contains(".plm"); }

    // Bigger files are not handheld files; Import refuses them instead of reading them whole.
    static constexpr int kMaxBytes = 4 << 20;
};
