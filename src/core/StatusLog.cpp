// SPDX-License-Identifier: MIT
#include "StatusLog.h"

QByteArray StatusLog::KindLabel(int kind)
{
    switch (kind) {
    case kError: return "Error";
    case kWarning: return "Warning";
    case kCommError: return "Comm Error";
    case kInformation: return "Information";
    default: return QByteArray();
    }
}

void StatusLog::Add(const QByteArray& text, int kind)
{
    lines_.push_back(StatusLine{kind, text});
    Q_EMIT LineAdded(int(lines_.size()) - 1, kind, text);
}

void StatusLog::Clear()
{
    lines_.clear();
    Q_EMIT Cleared();
}
