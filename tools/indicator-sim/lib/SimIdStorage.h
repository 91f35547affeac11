// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <functional>

class SimEngine;

// The ID storage of a 637: records of 44 data characters. "\nXI\r" starts sending them: the
// first as 48 characters (a header holding "G" and STX), each further one as 46 after an "A",
// the same again after an "N", and a lone end character after the last. "\nXF\r" starts
// taking them: the record information (three count digits and the length), then the records
// of 45 characters, each answered "A" (kept) or "N"; what a complete send brought replaces the
// records held.
class SimIdStorage {
public:
    using Note = std::function<void(const QByteArray& text)>;

    // Faults played on request; record indexes count from 0, -1 is off. A record fault is played
    // once: the record sent again after the program's "N" is a good one.
    struct Faults {
        int badRecordAt = -1;    // goes out with its carriage return in the wrong place
        int shortRecordAt = -1;  // goes out cut to 40 characters
        bool silent = false;     // neither "\nXI\r" nor "\nXF\r" is answered
        bool garbage = false;    // "\nXI\r" gets 48 characters that are no first record
        int refuseRecordAt = -1; // a record the program sends is answered "N"
        char startReply = 'F';   // the answer to "\nXF\r"
    };

    // `sendsOnStart`: "\nXI\r" starts the records (the 637); otherwise that command is left to
    // the indicator's own meaning.
    SimIdStorage(SimEngine& engine, bool sendsOnStart, Note note);
    void Reset();

    QList<QByteArray>& Records() { return records_; }
    Faults& IdFaults() { return faults_; }

    // n records of 44 data characters each, numbered from 1.
    static QList<QByteArray> Sample(int n);

    static constexpr int kDataLength = 44;

private:
    enum class State { Idle, Sending, Information, Receiving };

    void Start(SimEngine& engine);
    void SendRecord(SimEngine& engine, int index);
    bool Take(SimEngine& engine, char byte);
    void TakeRecord(SimEngine& engine);

    Note note_;
    Faults faults_;
    QList<QByteArray> records_;
    State state_ = State::Idle;
    int sent_ = 0;
    bool badPlayed_ = false;
    bool shortPlayed_ = false;
    bool refusePlayed_ = false;
    QByteArray incoming_;
    int expected_ = 0;
    int taken_ = 0;
    QList<QByteArray> received_;
};
