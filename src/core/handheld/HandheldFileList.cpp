// SPDX-License-Identifier: MIT
#include "HandheldFileList.h"

namespace {

constexpr char kNamePrefix[] = "[Name] ";
constexpr char kTicketsLabel[] = " [Tickets] ";
constexpr int kNamePrefixLength = sizeof kNamePrefix - 1;

bool IsSeparator(char c)
{
    return c == ':' || c == ',';
}

// The position of the next ':' or ',' at or after `from`, or -1.
qsizetype NextSeparator(const QByteArray& text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (IsSeparator(text.at(i))) return i;
    }
    return -1;
}

}  // namespace

QList<QByteArray> HandheldFileList::Rows(const QByteArray& joined)
{
    QList<QByteArray> rows;
    qsizetype at = 0;
    const qsizetype end = joined.size();
    auto keep = [&rows](const QByteArray& row) {
        if (rows.size() < kRows) rows.append(row);
    };

    while (at < end) {
        const qsizetype nameEnd = NextSeparator(joined, at);
        if (nameEnd < 0) break;  // a name with nothing after it is not an entry
        const QByteArray name = joined.mid(at, nameEnd - at);
        at = nameEnd;
        if (joined.at(at) == ',') ++at;
        QByteArray row = kNamePrefix + name.leftJustified(kNameWidth, ' ') + kTicketsLabel;

        if (at >= end || joined.at(at) != ':') {
            for (;;) {
                const qsizetype next = NextSeparator(joined, at);
                const QByteArray ticket = joined.mid(at, next < 0 ? end - at : next - at);
                row += ticket;
                if (next < 0) {
                    keep(row);
                    return rows;
                }
                at = next;
                if (joined.at(at) == ':') break;
                ++at;
                row += ',';
            }
        }
        ++at;  // the ':' that ends the entry
        keep(row);
    }
    return rows;
}

QByteArray HandheldFileList::NameOfRow(const QByteArray& row)
{
    if (row.isEmpty() || row.contains(kHandheldEmptyPlace)) return QByteArray();
    return row.mid(kNamePrefixLength, kNameWidth);
}
