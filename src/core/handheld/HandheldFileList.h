// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

// The configurations a handheld PC offers: the lines it sends after "\nfiles\r", joined with
// nothing between them. An entry is a name followed by ':' (no tickets), or by ',' and ticket
// names separated by ',' and ended by ':'. Unused places carry the name "----Empty----".
class HandheldFileList {
public:
    // The list dialog's row texts: "[Name] %-30s [Tickets] " with the name, then the ticket names
    // joined by ','. At most kRows are kept; later entries are parsed and dropped, and an entry
    // that does not end properly is not kept.
    static QList<QByteArray> Rows(const QByteArray& joined);
    // The name a row stands for: empty for an unused place or an empty row, otherwise the 30
    // characters after "[Name] " (still padded with spaces).
    static QByteArray NameOfRow(const QByteArray& row);

    static constexpr int kRows = 10;
    static constexpr int kNameWidth = 30;
};

inline constexpr char kHandheldEmptyPlace[] = "----Empty----";
