// SPDX-License-Identifier: MIT
#include "CCEvent.h"

#include "ConfigModel.h"

namespace {
// Removes the text up to and including the first ':'; nothing when there is none.
void DropThroughColon(QByteArray& text)
{
    text.remove(0, text.indexOf(':') + 1);
}

QByteArray UpToColon(const QByteArray& text)
{
    const int colon = text.indexOf(':');
    return colon < 0 ? text : text.left(colon);
}
}  // namespace

CCEvent::CCEvent(const QByteArray& line, const EntryArray& entries) : sourceLine(line)
{
    QByteArray rest = line;
    DropThroughColon(rest);
    name = UpToColon(rest);
    DropThroughColon(rest);
    code = UpToColon(rest);
    entry = ConfigModel::FindEntryByCode(entries, code);
}
