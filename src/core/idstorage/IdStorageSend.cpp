// SPDX-License-Identifier: MIT
#include "IdStorageSend.h"

#include <QFile>
#include <QFileInfo>

#include "IdRecords.h"
#include "IdStorageReceive.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"

using TextConv::Dec;
using TextConv::Format;

namespace {

constexpr char kStart[] = "\nXF\r";
constexpr char kTaken = 'F';
constexpr char kRecordTaken = 'A';

constexpr char kSending[] = "Sending ID storage to 637 Indicator.";
constexpr char kRead[] = "Read %d record(s) from '%s' to send.";
constexpr char kCannotRead[] = "Could not read %s.";
constexpr char kNoData[] = "There is no data to send in %s.";
constexpr char kOnlyFirst[] = "Only the first %d records of %s are sent: the indicator takes no more at once";
// The log line names XR; the command sent is XF.
constexpr char kSentStart[] = "Send: \nXR\r";
constexpr char kNoResponse[] = "No response from indicator (Error)  Retry #%d";
constexpr char kRefusedReply[] = "Receive: %s (Error)  Retry #%d";
constexpr char kStarted[] = "Receive: %s (Command successful)";
constexpr char kSentInformation[] = "Send: %s (Record Information)";
constexpr char kInformationTaken[] = "Receive: %s (Record Information successful)";
constexpr char kSentRecord[] = "Send: %s (Record)";
constexpr char kRecordOk[] = "Receive: %s (Record successful)";
constexpr char kSucceeded[] = "Sending ID Storage SUCCEEDED!  %d record(s) added.";
constexpr char kFailed[] = "Sending ID Storage FAILED!  Maximum retries exceeded.";

}  // namespace

IdStorageSend::IdStorageSend(Workbench& bench) : bench_(bench) {}

void IdStorageSend::Post(const QByteArray& text, int kind)
{
    bench_.AddStatusLine(text, kind);
}

bool IdStorageSend::WaitForReply(char* reply)
{
    QByteArray got;
    if (!bench_.Link().WaitForBytes(got, 1)) return false;
    *reply = got.at(0);
    return true;
}

IdStorageSend::Outcome IdStorageSend::Run()
{
    Outcome outcome;
    const QString path = bench_.Ask().ChooseFile(IdStorageReceive::FileChoice(bench_, false));
    if (path.isEmpty()) return outcome;
    bench_.SetLastTransferFolder(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    const QByteArray shownPath = QFile::encodeName(path);

    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    QList<QByteArray> records;
    if (path.contains(QLatin1String(kIdStorageExtension))) {
        Post(kSending, kInformation);
        if (opened) {
            bool more = false;
            records = IdRecords::FromFile(file.read(IdRecords::kMaxFileBytes), &more);
            Post(Format(kRead, {Dec(records.size()), shownPath}), kInformation);
            if (more) Post(Format(kOnlyFirst, {Dec(IdRecords::kMaxRecords), shownPath}), kWarning);
        } else {
            Post(Format(kCannotRead, {shownPath}), kError);
        }
    }
    file.close();
    outcome.recordsRead = int(records.size());
    if (records.isEmpty()) {
        Post(Format(kNoData, {shownPath}), kError);
        Post(kFailed, kError);
        return outcome;
    }

    DeviceLink& link = bench_.Link();
    if (!link.HasDeviceSocket() && !link.IsHostSession() && !link.IsSerialOpen()) {
        QString why;
        if (!link.ReopenSerialPort(&why)) {
            link.ReportPortError(why, bench_.Settings().port);
            return outcome;
        }
    }
    Send(records, outcome);
    link.DiscardReplies();
    return outcome;
}

void IdStorageSend::Send(QList<QByteArray>& records, Outcome& outcome)
{
    DeviceLink& link = bench_.Link();
    bool restart = true;
    bool success = false;
    int retries = 0;
    int lastPass = 0;
    char reply = 0;
    auto refused = [&](bool came) {
        ++retries;
        Post(Format(kRefusedReply, {came ? QByteArray(1, reply) : QByteArray(), Dec(retries)}), kError);
    };

    while (restart && retries < IdRecords::kMaxRetries) {
        link.SendToDevice(kStart);
        Post(kSentStart, kInformation);
        if (!WaitForReply(&reply)) {
            ++retries;
            Post(Format(kNoResponse, {Dec(retries)}), kError);
            continue;
        }
        if (reply != kTaken) {
            refused(true);
            continue;
        }
        Post(Format(kStarted, {QByteArray(1, reply)}), kInformation);
        if (records.isEmpty()) break;

        const QByteArray information = IdRecords::RecordInformation(int(records.size()), int(records.first().size()));
        Post(Format(kSentInformation, {information}), kInformation);
        link.SendToDevice(information);
        const bool came = WaitForReply(&reply);
        if (!came || reply != kTaken) {
            refused(came);
            continue;
        }
        Post(Format(kInformationTaken, {QByteArray(1, reply)}), kInformation);
        restart = false;

        lastPass = int(records.size());
        // Ten errors end the transfer here too: a silent indicator must not cost every record's wait.
        for (int i = 0; i < lastPass && retries < IdRecords::kMaxRetries; ++i) {
            const QByteArray record = records.takeFirst();
            link.SendToDevice(record);
            Post(Format(kSentRecord, {record}), kInformation);
            const bool answered = WaitForReply(&reply);
            if (answered && reply == kRecordTaken) {
                success = true;
                restart = false;
                ++outcome.recordsAccepted;
                Post(Format(kRecordOk, {QByteArray(1, reply)}), kInformation);
            } else {
                restart = true;
                ++outcome.recordsRefused;
                refused(answered);
            }
        }
    }

    if (success && retries < IdRecords::kMaxRetries) {
        outcome.succeeded = true;
        Post(Format(kSucceeded, {Dec(lastPass)}), kInformation);
    } else {
        Post(kFailed, kError);
    }
}
