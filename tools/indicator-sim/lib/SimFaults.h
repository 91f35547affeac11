// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

// Faults the simulated indicator plays on request. Indexes count from 0; -1 is off.
struct SimFaults {
    // The value line at this position of a pull goes out with a wrong checksum.
    int badChecksumAt = -1;
    // The value line at this position of a pull is not sent at all.
    int dropLineAt = -1;
    // No command is answered.
    bool silent = false;
    // Commands after the first N are not answered.
    int silentAfter = -1;
    // After answering N commands the link goes away (the pty master closes, the client is dropped).
    int disconnectAfter = -1;
    // The next N settings written are refused with 'E'.
    int rejectSettings = 0;
    // These commands (text between the line feed and the carriage return) get "\n?\r".
    QList<QByteArray> unknownCommands;
    // Value lines appended to every pull with codes no template has (they make the Extended tab).
    int extraValueLines = 0;

    // The answer to "\nXI\r" (settings follow): 'D' ready, 'Q' the settings will not be saved.
    char updateStartReply = 'D';
    // The setting with this code is refused with 'E' the next `rejectCodeTimes` times it comes.
    QByteArray rejectCode;
    int rejectCodeTimes = 0;
    // Once N settings have been written nothing more is answered.
    int silentAfterSettings = -1;
    // When setting N+1 arrives the link goes away (the update is cut in the middle).
    int disconnectAfterSettings = -1;
    // The ticket chunk at this position of a download (0 = the first) is refused with 'E'; the
    // ticket is then not stored and its end marker is refused too.
    int refuseChunkAt = -1;
};
