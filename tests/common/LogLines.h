// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

class StatusLog;

// The status log's lines from `first` on, each as "<Type>: <text>", the way the command line
// prints them.
QList<QByteArray> LogLines(const StatusLog& log, int first = 0);
