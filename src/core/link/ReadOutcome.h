// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// How a read of the device or of a file ended: what the callers that keep or pass on the
// result (the command line above all) need to tell a whole read from a partial one.
struct ReadOutcome {
    // The pages were built from the template or the file.
    bool pagesBuilt = false;
    // The indicator was asked for its values ...
    bool valuesPulled = false;
    // ... and the list ended with its "END:" line.
    bool valuesComplete = false;
    // Value lines that came before the pull ended.
    int valuesReceived = 0;
    // The serial port's error text when a fault ended the read's steps; empty otherwise.
    QString fault;
    // Why the file was not read to its end, one text per problem, in file order.
    QList<QByteArray> problems;

    // Everything the read set out to get arrived.
    bool Complete() const
    {
        return pagesBuilt && fault.isEmpty() && (!valuesPulled || valuesComplete) && problems.isEmpty();
    }
};
