// SPDX-License-Identifier: MIT
#include "TicketBytes.h"

#include <algorithm>

#include "Substr.h"

namespace TicketBytes {

namespace {

constexpr char kTagClose = '>';
constexpr char kSlotLine[] = "Slot:";
constexpr int kSlotDigitAt = 5;
constexpr char kEndLine[] = "END:";
// The second "END:" after the slot's line closes the block: its slots section, then its ticket.
constexpr int kEndsToClose = 2;

}  // namespace

bool HoldsIncompleteTag(const QByteArray& line)
{
    if (line.contains(Substr::kHexTag)) return true;
    for (const Substr& entry : Substr::Table()) {
        if (!entry.tag.startsWith('<') || !entry.tag.endsWith(kTagClose)) continue;
        const QByteArray stem = entry.tag.chopped(1);
        for (int at = int(line.indexOf(stem)); at >= 0; at = int(line.indexOf(stem, at + 1))) {
            const int next = at + int(stem.size());
            if (next >= line.size() || line[next] != kTagClose) return true;
        }
    }
    return false;
}

Conversion ConvertExternalSource(const QByteArray& source)
{
    Conversion result;
    result.bytes.reserve(source.size());
    int start = 0;
    while (start < source.size()) {
        int end = int(source.indexOf('\n', start));
        const int next = end < 0 ? int(source.size()) : end + 1;
        if (end < 0) end = int(source.size());
        QByteArray line = source.mid(start, end - start);
        Substr::ReplaceTags(line);
        ++result.lines;
        if (HoldsIncompleteTag(line)) {
            if (result.incompleteTagLines++ == 0) result.firstIncompleteTagLine = result.lines;
        }
        result.bytes += line;
        start = next;
    }
    return result;
}

int HeaderEnd(const QByteArray& file)
{
    if (file.isEmpty()) return -1;
    const int close = int(file.indexOf(file.at(0), 1));
    return close < 0 ? -1 : close + 1;
}

PrintCut CutForPrinter(const QByteArray& file)
{
    PrintCut cut;
    const int bodyStart = HeaderEnd(file);
    if (bodyStart < 0) return cut;
    cut.headerClosed = true;
    const char d = file.at(0);
    const QByteArray dd(2, d);
    const int found = int(file.indexOf(dd, bodyStart));
    const int bodyEnd = found < 0 ? int(file.size()) : found;
    // The pieces keep the reads' ten-byte grid; only the last one is cut short at dd.
    for (int at = bodyStart; at < bodyEnd; at += kPrintPieceBytes) {
        cut.pieces.append(file.mid(at, std::min(kPrintPieceBytes, bodyEnd - at)));
    }
    return cut;
}

ExportCut CutExport(const QByteArray& configuration, int slot)
{
    ExportCut cut;
    const char digit = char('0' + slot);
    int ends = 0;
    for (const QByteArray& line : TicketFormats::SplitLines(configuration)) {
        cut.lines.append(line);
        if (line.startsWith(kSlotLine) && line.size() > kSlotDigitAt && line.at(kSlotDigitAt) == digit) {
            cut.found = true;
        }
        if (!line.startsWith(kEndLine)) continue;
        ++ends;
        if (!cut.found) {
            cut.lines.clear();
            ends = 0;
        } else if (ends == kEndsToClose) {
            cut.closed = true;
            break;
        }
    }
    return cut;
}

}  // namespace TicketBytes
