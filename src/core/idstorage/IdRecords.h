// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

// ID storage records of the 637 as they travel and as they are kept in a text file. A stored
// record is 45 characters: 44 data characters and a CR. The indicator sends the first record
// as 48 characters (a header holding "G" and STX, then the stored record) and every further
// record as 46 (one header character, then the stored record).
class IdRecords {
public:
    // The first record: contains "G" followed by STX.
    static bool IsFirstRecord(const QByteArray& received);
    // A received record whose first CR is its last character.
    static bool EndsAtCarriageReturn(const QByteArray& received);
    // The part of a received record that is kept: its last 45 characters.
    static QByteArray Stored(const QByteArray& received);
    // The file: every record followed by a line feed (so each line ends CR LF).
    static QByteArray FileBytes(const QList<QByteArray>& records);
    // The records of a file: pieces of at most 49 characters up to a line feed (dropped); a piece
    // longer than 45 loses its 46th character; a piece then 45 characters long is a record.
    // At most kMaxRecords are taken; `more` tells whether the file held further records.
    static QList<QByteArray> FromFile(const QByteArray& bytes, bool* more = nullptr);
    // "%.3d%d": the number of records, three digits, then the length of the first record.
    static QByteArray RecordInformation(int count, int firstLength);

    static constexpr int kFirstRecordLength = 48;
    static constexpr int kRecordLength = 46;
    static constexpr int kStoredLength = 45;
    // The record information carries the count in three digits.
    static constexpr int kMaxRecords = 999;
    // The longest piece of a file read at once.
    static constexpr int kFileLineLimit = 49;
    // More than any file of kMaxRecords records; a bigger file is read this far.
    static constexpr int kMaxFileBytes = 1 << 20;
    // One retry counter serves a whole transfer, either way; it gives up at this count.
    static constexpr int kMaxRetries = 10;
};
