// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

// The ticket forms written and read by the ticket store, as pure functions over bytes
// (docs/ticket-formats.md describes them for people). A ticket layout is 8-bit text:
// lines separated by LF, any other byte allowed, with field tokens such as "{GR}".
namespace TicketFormats {

// Twelve field buttons insert twelve tokens.
constexpr int kFieldButtonCount = 12;
// The largest ticket layout accepted from a file (indicators keep far smaller ones).
constexpr int kMaxTicketBytes = 65535;
// Longest line written into a configuration file. The file language allows 255; the export
// cut reads 254, so stay well below both.
constexpr int kMaxDataLineLength = 200;
// Version written after the ticket data marker.
constexpr int kTicketDataVersion = 1;

// The token a field button inserts ("{GR}" for button 0 ...); empty outside 0 to 11.
QByteArray FieldToken(int button);
// The short caption of a field button ("Gross" ...); empty outside 0 to 11.
QByteArray FieldCaption(int button);

// --- download form (.dvc): the bytes an indicator stores in a slot ---
// Every LF of the layout goes out as CR LF; all other bytes unchanged.
QByteArray EncodeDownloadForm(const QByteArray& layout);
// The inverse: the CR directly before each LF is dropped.
QByteArray DecodeDownloadForm(const QByteArray& bytes);

// --- print form (.tkt): d, header text, d, body (the download form), d, d ---
// The delimiter d: a byte absent from the header text and the body when there is one,
// otherwise one that never ends the body early. False when no byte can serve.
bool ChooseDelimiter(const QByteArray& body, const QByteArray& headerText, char* delimiter);
// False when no delimiter fits (then `out` is untouched).
bool EncodePrintForm(const QByteArray& layout, const QByteArray& headerText, QByteArray& out);
// False when the bytes have no closed header; a body without its "dd" runs to the end.
bool DecodePrintForm(const QByteArray& bytes, QByteArray& layout, QByteArray* headerText = nullptr);

// --- ticket sections in configuration files (.csc ticket data and the .vtk export) ---
// "TICKET:<slot>:<length>:", then "L:" lines (one per layout line) and "+:" continuation
// lines, then "END:". Data lines are escaped: printable ASCII stays, except '\' ("\\") and
// '/' ("\x2F"); every other byte, and a space that would end a line, is "\xHH".
struct SlotTicket {
    int slot = 0;
    QByteArray layout;
};

// The escaped form of bytes (no line structure).
QByteArray Escape(const QByteArray& bytes);
// The inverse; false on a broken escape.
bool Unescape(const QByteArray& text, QByteArray& bytes);

// The lines of one section, without line ends.
QList<QByteArray> EncodeSection(int slot, const QByteArray& layout);
// The ticket data: the marker line, then one section per ticket in the given order.
QList<QByteArray> EncodeTicketData(const std::vector<SlotTicket>& tickets);

struct ParseResult {
    std::vector<SlotTicket> tickets;  // complete, valid sections in file order
    int badSections = 0;              // sections dropped (broken escape, wrong length, not closed)
    QByteArray firstProblem;          // what was wrong with the first dropped section
};
// Finds every section in text (LF or CR LF line ends); lines outside sections are skipped.
// `maxSections` > 0 stops after that many good sections.
ParseResult ParseSections(const QByteArray& text, int maxSections = 0);

// Lines joined with CR LF, each one ended.
QByteArray JoinLines(const QList<QByteArray>& lines);
// The lines of a text without their LF or CR LF; a last line without LF counts, nothing
// after a final LF does.
QList<QByteArray> SplitLines(const QByteArray& text);

// --- the editor's text ---
// Control bytes (0x00-0x1F except LF, and 0x7F) show as control pictures so that no byte is lost
// in a text widget; the rest maps as Latin-1.
QString ToEditorText(const QByteArray& layout);
// The inverse; characters beyond Latin-1 become '?'; CR LF, CR and the paragraph separator become LF.
QByteArray FromEditorText(const QString& text);

// --- preview ---
// What the editor shows for one layout line: tokens replaced with sample values formatted
// with the ticket properties (units, time format, decimal formats), control codes by name
// ("<ESC>", "<CR>", "<0x07>").
struct PreviewProperties {
    QByteArray unitText;
    QByteArray timeFormat;
    QByteArray decimalFormat[6];
};
QString RenderPreview(const QByteArray& line, const PreviewProperties& properties);
// Digits the preview shows for a decimal format such as "-0.01" (2); 1 when the format is empty.
int PreviewDecimals(const QByteArray& format);

}  // namespace TicketFormats
