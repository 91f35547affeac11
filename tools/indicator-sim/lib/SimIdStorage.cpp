// SPDX-License-Identifier: MIT
#include "SimIdStorage.h"

#include "SimEngine.h"

namespace {

constexpr char kFirstHeader[] = "\x01G\x02";
constexpr char kHeader = '\x02';
constexpr char kCarriageReturn = '\r';
constexpr char kEndMark[] = "\x04";
constexpr char kNext = 'A';
constexpr char kResend = 'N';
constexpr char kTaken[] = "F";
constexpr char kRefused[] = "E";
constexpr int kFirstLength = 48;
constexpr int kShortLength = 40;
constexpr int kStoredLength = 45;
// Three count digits and the two of the record length.
constexpr int kInformationLength = 5;
constexpr int kCountDigits = 3;

}  // namespace

SimIdStorage::SimIdStorage(SimEngine& engine, bool sendsOnStart, Note note)
    : note_(std::move(note)), records_(Sample(3))
{
    if (sendsOnStart) engine.SetCommand("XI", [this](SimEngine& e, const QByteArray&) { Start(e); });
    engine.SetCommand("XF", [this](SimEngine& e, const QByteArray&) {
        Reset();
        if (faults_.silent) return;
        e.SendRaw(QByteArray(1, faults_.startReply));
        if (faults_.startReply == kTaken[0]) state_ = State::Information;
    });
    engine.AddRawConsumer([this](SimEngine& e, char byte) { return Take(e, byte); });
}

QList<QByteArray> SimIdStorage::Sample(int n)
{
    QList<QByteArray> out;
    for (int i = 1; i <= n; ++i) {
        const QByteArray data = "ID" + QByteArray::number(i).rightJustified(6, '0') + " TRUCK " +
                                QByteArray::number(100 + i) + " TARE " + QByteArray::number(1000 * i);
        out.append(data.leftJustified(kDataLength, ' ', true));
    }
    return out;
}

void SimIdStorage::Reset()
{
    state_ = State::Idle;
    sent_ = 0;
    incoming_.clear();
    expected_ = 0;
    taken_ = 0;
    received_.clear();
}

void SimIdStorage::Start(SimEngine& engine)
{
    Reset();
    if (faults_.silent) return;
    if (faults_.garbage) {
        engine.SendRaw(QByteArray(kFirstLength - 1, '?') + kCarriageReturn);
        return;
    }
    if (records_.isEmpty()) {
        engine.SendRaw(kEndMark);
        return;
    }
    state_ = State::Sending;
    SendRecord(engine, 0);
}

void SimIdStorage::SendRecord(SimEngine& engine, int index)
{
    sent_ = index;
    QByteArray record = (index == 0 ? QByteArray(kFirstHeader) : QByteArray(1, kHeader)) + records_.at(index) +
                        kCarriageReturn;
    if (index == faults_.badRecordAt && !badPlayed_) {
        badPlayed_ = true;
        record.chop(1);
        record += '?';
    } else if (index == faults_.shortRecordAt && !shortPlayed_) {
        shortPlayed_ = true;
        record.truncate(kShortLength);
    }
    engine.SendRaw(record);
}

bool SimIdStorage::Take(SimEngine& engine, char byte)
{
    switch (state_) {
    case State::Idle:
        return false;
    case State::Sending:
        if (byte == kResend) {
            SendRecord(engine, sent_);
        } else if (byte == kNext) {
            if (sent_ + 1 < records_.size()) {
                SendRecord(engine, sent_ + 1);
            } else {
                Reset();
                engine.SendRaw(kEndMark);
            }
        } else {
            return false;
        }
        return true;
    case State::Information:
        incoming_ += byte;
        if (incoming_.size() == kInformationLength) {
            expected_ = incoming_.left(kCountDigits).toInt();
            const int length = incoming_.mid(kCountDigits).toInt();
            incoming_.clear();
            if (expected_ <= 0 || length != kStoredLength) {
                Reset();
                engine.SendRaw(kRefused);
            } else {
                state_ = State::Receiving;
                engine.SendRaw(kTaken);
            }
        }
        return true;
    case State::Receiving:
        incoming_ += byte;
        if (incoming_.size() == kStoredLength) TakeRecord(engine);
        return true;
    }
    return false;
}

void SimIdStorage::TakeRecord(SimEngine& engine)
{
    const int index = taken_++;
    const QByteArray record = incoming_;
    incoming_.clear();
    if (index == faults_.refuseRecordAt && !refusePlayed_) {
        refusePlayed_ = true;
        engine.SendRaw(QByteArray(1, kResend));
    } else {
        received_.append(record.left(kDataLength));
        engine.SendRaw(QByteArray(1, kNext));
    }
    if (taken_ < expected_) return;
    records_ = received_;
    if (note_) note_("ID storage: " + QByteArray::number(records_.size()) + " record(s) kept");
    Reset();
}
