// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include "ReadOutcome.h"

class CDevice;
class QIODevice;
class Workbench;

// Shown on the busy window while a command looks for the link it needs.
inline constexpr char kCheckingForDevice[] = "Checking for attached device...";

// Read device: opens the link, identifies the indicator, reads its template and values (or a
// template or configuration file a command opened) and builds the pages. A serial fault in any
// of the steps that can meet one ends those steps and is posted once as a Comm Error.
class DeviceReader {
public:
    explicit DeviceReader(Workbench& bench);
    DeviceReader(const DeviceReader&) = delete;
    DeviceReader& operator=(const DeviceReader&) = delete;

    // The whole read: the device when `templateStream` is null, else the caller's stream;
    // then the value lines of `valuesStream` when given.
    const ReadOutcome& Read(QIODevice* valuesStream, QIODevice* templateStream);
    // The read's link steps alone, logged as the read logs them: opens the link "Port" names
    // and identifies the attached indicator. True when it is identified and no fault came.
    bool IdentifyAttached();
    // The identification exchange on a record; stops at a fault and leaves it to the caller.
    void Identify(CDevice& record);
    // Opens the link "Port" names, with the read's busy texts: the device socket for "TCP/IP"
    // (a socket that cannot connect is simply not there afterwards), else the serial port.
    // False with the port's error text when the serial port cannot be opened.
    bool OpenConfiguredLink(QString* error);
    // The commands that use whatever link is up (Update device, Send ticket): opens the link
    // "Port" names only when none is up (a socket whose peer has gone counts as none), saying
    // each step on the busy window; a serial port that does not open is posted as "%s (%s)".
    void OpenLinkIfNone();

    bool Running() const { return running_; }
    const ReadOutcome& Outcome() const { return outcome_; }

private:
    class Hooks;

    // Steps 3 to 10 of the read; they return early when a fault ends them.
    void RunSteps(QIODevice* valuesStream, QIODevice* templateStream);
    // Opens the link and identifies; false when the read stops here (a fault or no device).
    bool OpenAndIdentify();
    // One command and its reply line; false on no reply, "?" or a pending fault.
    bool Exchange(const QByteArray& command, QByteArray& reply);
    // Takes a fault the link met into the outcome; true when the read has one.
    bool Faulted();
    void ReportFault();

    Workbench& bench_;
    ReadOutcome outcome_;
    bool running_ = false;
};
