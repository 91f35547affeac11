// SPDX-License-Identifier: MIT
#include "LogLines.h"

#include "StatusLog.h"

QList<QByteArray> LogLines(const StatusLog& log, int first)
{
    QList<QByteArray> out;
    const auto& lines = log.Lines();
    for (size_t i = size_t(first); i < lines.size(); ++i) {
        out.append(StatusLog::KindLabel(lines[i].kind) + ": " + lines[i].text);
    }
    return out;
}
