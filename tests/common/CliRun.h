// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of tarelink-cli to its end. The event loop runs while the program does, so a
// simulator living in the test's own process keeps answering; a run that does not end within
// the bound is killed.
struct CliRun {
    explicit CliRun(const QStringList& args, const QString& workingDir = QString(),
                    const QProcessEnvironment& env = QProcessEnvironment());

    // The lines on stderr, without the empty ones.
    QList<QByteArray> ErrLines() const;

    static QString Program();

    int code = -1;  // -1: did not start, did not end in time, or crashed
    QByteArray out;
    QByteArray err;
};
