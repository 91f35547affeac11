// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

#include "TicketFormats.h"

// The byte work of the ticket commands as pure functions: turning an external ticket source
// into the download form, cutting a print form into what goes to the printer, and cutting one
// ticket out of a configuration file for export. Tickets are bytes: a zero byte is carried
// like any other, and lines of any length are taken whole.
namespace TicketBytes {

// The largest ticket file the commands read whole (a source with tags, a print form). A tag
// shrinks at most six bytes to one, so a larger source cannot become a ticket that fits.
constexpr qint64 kMaxTicketFileBytes = 6 * qint64(TicketFormats::kMaxTicketBytes);
// Print direct reads the body in pieces of this many bytes and sends each as it is read.
constexpr int kPrintPieceBytes = 10;

// --- external ticket sources (.txt) ---
struct Conversion {
    QByteArray bytes;               // the converted lines one after another, no line feeds
    int lines = 0;
    int incompleteTagLines = 0;     // lines that keep the start of a tag as text
    int firstIncompleteTagLine = 0; // the first of them, counted from 1 (0: none)
};
// Every line ends at a line feed, which is dropped (a carriage return before it stays); its
// tags are replaced (Substr::ReplaceTags) and the line is written with no terminator.
Conversion ConvertExternalSource(const QByteArray& source);
// A converted line still holding the start of a tag: "<0x" without its two digits, or a named
// tag such as "<ESC" without its '>'. It is sent as text; the technician is told.
bool HoldsIncompleteTag(const QByteArray& line);

// --- Print direct (the print form: d, header text, d, body, d, d) ---
struct PrintCut {
    bool headerClosed = false;  // the first byte came again
    QList<QByteArray> pieces;   // what goes to the printer, in order, each at most ten bytes
};
// The header is skipped: its first byte d, and everything up to and including the next d.
// The body is read ten bytes at a time and ends before the first dd, also when the two d fall
// in two pieces; without dd it runs to the end. No closed header: nothing is sent.
PrintCut CutForPrinter(const QByteArray& file);
// Index just past the byte that closes the header, or -1 when there is none.
int HeaderEnd(const QByteArray& file);

// --- Export ticket ---
struct ExportCut {
    QList<QByteArray> lines;  // without line ends
    bool found = false;       // a "Slot:" line of the slot was met
    bool closed = false;      // the second "END:" after it was met
};
// Cuts the export block out of a configuration file written with its ticket sections. Lines
// are collected; "END:" empties the block until the slot's "Slot:" line (character 5 is the
// slot's digit) has been met; after that the second "END:" closes it, that line included.
ExportCut CutExport(const QByteArray& configuration, int slot);

}  // namespace TicketBytes
