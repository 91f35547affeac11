// SPDX-License-Identifier: MIT
#include "Substr.h"

#include <algorithm>

namespace {

constexpr char kHexTag[] = "<0x";
// "<0x", two digits and one closing character.
constexpr int kHexTagLength = 6;
constexpr int kHexTagDigitsEnd = 5;

int DigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return static_cast<unsigned char>(c);
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
        const bool hex = entry.tag == kHexTag;
        int p = line.indexOf(entry.tag);
        while (p >= 0) {
            if (hex) {
                // A tag too close to the end to hold its two digits is left as it is; it is the
                // last occurrence, so the entry is done.
                if (p + kHexTagDigitsEnd > line.size()) break;
                line[p] = HexTagValue(line[p + 3], line[p + 4]);
                // Without its closing character the tag takes what is there.
                line.remove(p + 1, std::min(kHexTagLength - 1, int(line.size()) - p - 1));
            } else {
                line[p] = entry.code;
                line.remove(p + 1, int(entry.tag.size()) - 1);
            }
            p = line.indexOf(entry.tag);
        }
    }
}
