// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <vector>

// One entry of the tag table for external ticket sources (.txt): a tag and the single
// character code that replaces it. Control codes are written in those files as tags.
class Substr {
public:
    Substr(const QByteArray& tagText, char replacement) : tag(tagText), code(replacement) {}

    // The tag whose code is given by the two characters after it.
    static constexpr char kHexTag[] = "<0x";

    // The ten entries in the order they are applied; built once.
    static const std::vector<Substr>& Table();
    // Replaces every tag of the table in one line, entry by entry, each occurrence found
    // by searching again from the start of the line (in one pass per entry, so a long line
    // costs its length times the table, never its length squared).
    static void ReplaceTags(QByteArray& line);
    // The value of the two characters after "<0x": '0'-'9' and 'A'-'F' count as hex digits,
    // any other character by its own code, all modulo 256.
    static char HexTagValue(char high, char low);

    QByteArray tag;
    char code;
};
