// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "platform/Prompts.h"

class Workbench;

// Copies the ID storage records of a 637 into a text file over the serial port at
// "9600,N,8,1": "\nXI\r" brings the first record, "A" asks for the next, "N" for the same
// record again, and a lone character ends the records. Every step of the exchange goes to the
// status log. Ten errors in all end the transfer; what came is written all the same.
class IdStorageReceive {
public:
    struct Outcome {
        int records = 0;
        bool endSeen = false;    // the indicator's end mark arrived
        bool written = false;    // the file holds the records
        QString path;

        bool Succeeded() const { return endSeen && written; }
    };

    explicit IdStorageReceive(Workbench& bench);

    // Asks where to save (the save dialog), then receives. The port stays open afterwards.
    Outcome Run();

    // The file dialog of both ID storage transfers, starting in the last transfer folder.
    static Prompts::FileChoice FileChoice(const Workbench& bench, bool save);

private:
    QList<QByteArray> Receive(Outcome& outcome);
    bool ReceiveFurther(QList<QByteArray>& records, int& retries);
    void Write(const QList<QByteArray>& records, Outcome& outcome);
    void Post(const QByteArray& text, int kind);

    Workbench& bench_;
};

// The file dialog's filter of both ID storage transfers.
inline constexpr char kIdStorageFilter[] = "ID Storage (*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr char kIdStorageExtension[] = ".txt";
