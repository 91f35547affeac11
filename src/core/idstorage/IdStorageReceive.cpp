// SPDX-License-Identifier: MIT
#include "IdStorageReceive.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "IdRecords.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"

using TextConv::Dec;
using TextConv::Format;

namespace {

constexpr char kStart[] = "\nXI\r";
constexpr char kNext[] = "A";
constexpr char kResend[] = "N";

constexpr char kReceiving[] = "Receiving ID Storage from 637 Indicator...";
constexpr char kSentStart[] = "Send: \nXI\r";
constexpr char kNothing[] = "Receive: %s (Error: Nothing Received) Retry #%d";
constexpr char kFirst[] = "Receive: %s (First Record)";
constexpr char kUnrecognized[] = "Receive: %s (Error: Unrecognized Response) Retry #%d";
constexpr char kSentFirstNext[] = "Send: A (Received Good Record, Send Another)";
constexpr char kGood[] = "Receive: %s (Good)";
constexpr char kSentNext[] = "Send: A (Received Good Record, Send Another, Please Wait)";
constexpr char kNoResponse[] = "Receive: %s (Error: No Response) Retry #%d";
constexpr char kSentResend[] = "Send: N (Received Bad Record, Resend Record, Please Wait) Retry #%d ";
constexpr char kEnded[] = "End of receiving records.";
constexpr char kNoRecords[] = "Could not write ID file.  No records.";
constexpr char kWritten[] = "%d record(s) received and written to %s.";
constexpr char kNotWritten[] = "Could not write ID file %s: %s";
constexpr char kTooMany[] = "The indicator sent more than %d records; receiving stopped";

}  // namespace

IdStorageReceive::IdStorageReceive(Workbench& bench) : bench_(bench) {}

void IdStorageReceive::Post(const QByteArray& text, int kind)
{
    bench_.AddStatusLine(text, kind);
}

Prompts::FileChoice IdStorageReceive::FileChoice(const Workbench& bench, bool save)
{
    Prompts::FileChoice choice;
    choice.save = save;
    choice.filter = kIdStorageFilter;
    choice.hideReadOnly = true;
    choice.overwritePrompt = true;
    choice.initialFolder = bench.Dirs().lastTransfer;
    return choice;
}

IdStorageReceive::Outcome IdStorageReceive::Run()
{
    Outcome outcome;
    DeviceLink& link = bench_.Link();
    link.lineMode = 0;

    QString path = bench_.Ask().ChooseFile(FileChoice(bench_, true));
    if (!path.isEmpty()) {
        bench_.SetLastTransferFolder(QFileInfo(path).absolutePath() + QLatin1Char('/'));
        if (!path.contains(QLatin1String(kIdStorageExtension))) path += QLatin1String(kIdStorageExtension);
        outcome.path = path;
        if (link.IsSerialOpen()) link.CloseSerialPort();
        const QByteArray port = bench_.Settings().port;
        QString why;
        if (!link.OpenSerialPortFixed(port, &why)) {
            link.ReportPortError(why, port);
        } else {
            Post(kReceiving, kInformation);
            Post(kSentStart, kInformation);
            Write(Receive(outcome), outcome);
        }
    }
    link.lineMode = 1;
    link.DiscardReplies();
    return outcome;
}

QList<QByteArray> IdStorageReceive::Receive(Outcome& outcome)
{
    DeviceLink& link = bench_.Link();
    QList<QByteArray> records;
    int retries = 0;
    bool accepted = false;
    while (!accepted && retries < IdRecords::kMaxRetries) {
        link.SendToDevice(kStart);
        QByteArray got;
        if (!link.WaitForBytes(got, IdRecords::kFirstRecordLength)) {
            ++retries;
            Post(Format(kNothing, {got, Dec(retries)}), kError);
            continue;
        }
        Post(Format(kFirst, {got}), kInformation);
        if (!IdRecords::IsFirstRecord(got)) {
            ++retries;
            Post(Format(kUnrecognized, {got, Dec(retries)}), kError);
            continue;
        }
        accepted = true;
        if (IdRecords::EndsAtCarriageReturn(got)) records.prepend(IdRecords::Stored(got));
    }
    if (accepted) outcome.endSeen = ReceiveFurther(records, retries);
    return records;
}

bool IdStorageReceive::ReceiveFurther(QList<QByteArray>& records, int& retries)
{
    DeviceLink& link = bench_.Link();
    Post(kSentFirstNext, kInformation);
    link.DiscardReplies();
    link.SendToDevice(kNext);
    while (retries < IdRecords::kMaxRetries) {
        QByteArray got;
        const bool came = link.WaitForBytes(got, IdRecords::kRecordLength);
        const qsizetype left = link.receiveBuffer.size();
        if (came && IdRecords::EndsAtCarriageReturn(got)) {
            Post(Format(kGood, {got}), kInformation);
            if (records.size() == IdRecords::kMaxRecords) {
                Post(Format(kTooMany, {Dec(IdRecords::kMaxRecords)}), kError);
                return false;
            }
            records.append(IdRecords::Stored(got));
            link.DiscardReplies();
            link.SendToDevice(kNext);
            Post(kSentNext, kInformation);
            continue;
        }
        if (came) {
            ++retries;
            Post(Format(kUnrecognized, {got, Dec(retries)}), kInformation);
        } else if (left == 0) {
            ++retries;
            Post(Format(kNoResponse, {got, Dec(retries)}), kError);
        } else if (left > 1) {
            ++retries;
        } else {
            Post(kEnded, kInformation);
            return true;
        }
        // The buffer keeps what came: the indicator sends the same record again after it.
        link.SendToDevice(kResend);
        Post(Format(kSentResend, {Dec(retries)}), kError);
    }
    return false;
}

void IdStorageReceive::Write(const QList<QByteArray>& records, Outcome& outcome)
{
    outcome.records = int(records.size());
    if (records.isEmpty()) {
        Post(kNoRecords, kError);
        return;
    }
    const QByteArray shownPath = QFile::encodeName(outcome.path);
    QSaveFile file(outcome.path);
    if (!file.open(QIODevice::WriteOnly) || file.write(IdRecords::FileBytes(records)) < 0 || !file.commit()) {
        Post(Format(kNotWritten, {shownPath, TextConv::L1(file.errorString())}), kError);
        return;
    }
    outcome.written = true;
    Post(Format(kWritten, {Dec(outcome.records), shownPath}), kInformation);
}
