// SPDX-License-Identifier: MIT
#include "CCEvent.h"

#include "ConfigModel.h"
#include "TextConv.h"

using TextConv::UpToColon;

namespace {
// Removes the text up to and including the first ':'; nothing when there is none.
void DropThroughColon(QByteArray& text)
{
    text.remove(0, text.indexOf(':') + 1);
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
