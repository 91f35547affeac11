// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// What the program sends an indicator, byte for byte, written out here rather than taken from
// the code under test.

// Identification: who is there, three describe lines, the lock state.
inline const QByteArray kIdentifyTraffic = "\nA\r\nB\r\nB\r\nB\r\nXJ\r";

// The value pull: the first request, then one more for each further value line.
inline QByteArray PullTraffic(int requests)
{
    QByteArray out = "\nXO\r";
    for (int i = 1; i < requests; ++i) out += "\nXo\r";
    return out;
}
