// SPDX-License-Identifier: MIT
#include "Substr.h"

#include <algorithm>

namespace {

// After "<0x": two digits and one closing character.
constexpr int kHexTagRest = 3;
constexpr int kHexDigits = 2;

int DigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return static_cast<unsigned char>(c);
}

// One entry over the line in one pass. Replacing the first occurrence and searching again from
// the start gives the same line: the part already passed holds no occurrence, so a new one can
// only end at the byte just added (a replaced code may complete a tag with what precedes it).
QByteArray ApplyEntry(const Substr& entry, const QByteArray& line)
{
    const bool hex = entry.tag == Substr::kHexTag;
    const int tagLength = int(entry.tag.size());
    QByteArray out;
    out.reserve(line.size());
    int i = 0;
    while (i < line.size()) {
        out += line[i++];
        while (out.endsWith(entry.tag)) {
            char code = entry.code;
            if (hex) {
                const int rest = int(line.size()) - i;
                // Too close to the end to hold its two digits: left as it is. Any later
                // occurrence would be closer still, so the entry is done.
                if (rest < kHexDigits) return out + line.mid(i);
                code = Substr::HexTagValue(line[i], line[i + 1]);
                // Without its closing character the tag takes what is there.
                i += std::min(kHexTagRest, rest);
            }
            out.chop(tagLength);
            out += code;
        }
    }
    return out;
}

}  // namespace

const std::vector<Substr>& Substr::Table()
{
    static const std::vector<Substr> table = {
        {"<CR>", 13},
        {"<LF>", 10},
        {"<ESC>", 27},
        {"<STX>", 2},
        {"<ETX>", 3},
        {"<FF>", 12},
        {"\\\"", 34},
        {"\\\r", 13},
        {"\\\n", 10},
        {kHexTag, 0},
    };
    return table;
}

char Substr::HexTagValue(char high, char low)
{
    unsigned value = 0;
    value = (value * 16 + unsigned(DigitValue(high))) & 0xFF;
    value = (value * 16 + unsigned(DigitValue(low))) & 0xFF;
    return char(value);
}

void Substr::ReplaceTags(QByteArray& line)
{
    for (const Substr& entry : Table()) {
        if (line.contains(entry.tag)) line = ApplyEntry(entry, line);
    }
}
