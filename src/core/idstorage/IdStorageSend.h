// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

class Workbench;

// Sends the records of an ID storage text file into a 637: "\nXF\r", then the record
// information (count and record length), then the records, each answered by one character.
// Every step goes to the status log; a verdict line ends it.
class IdStorageSend {
public:
    struct Outcome {
        int recordsRead = 0;
        int recordsAccepted = 0;
        int recordsRefused = 0;
        bool succeeded = false;  // the "SUCCEEDED" verdict was posted

        // The verdict, and no record refused on the way.
        bool Succeeded() const { return succeeded && recordsRefused == 0; }
    };

    explicit IdStorageSend(Workbench& bench);

    // Asks for the file (the open dialog), then sends.
    Outcome Run();

private:
    void Send(QList<QByteArray>& records, Outcome& outcome);
    bool WaitForReply(char* reply);
    void Post(const QByteArray& text, int kind);

    Workbench& bench_;
};
