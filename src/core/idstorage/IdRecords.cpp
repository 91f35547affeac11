// SPDX-License-Identifier: MIT
#include "IdRecords.h"

namespace {

constexpr char kFirstRecordMark[] = "G\x02";
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr int kCountDigits = 3;

}  // namespace

bool IdRecords::IsFirstRecord(const QByteArray& received)
{
    return received.contains(kFirstRecordMark);
}

bool IdRecords::EndsAtCarriageReturn(const QByteArray& received)
{
    return !received.isEmpty() && received.indexOf(kCarriageReturn) == received.size() - 1;
}

QByteArray IdRecords::Stored(const QByteArray& received)
{
    return received.right(kStoredLength);
}

QByteArray IdRecords::FileBytes(const QList<QByteArray>& records)
{
    QByteArray out;
    out.reserve(records.size() * (kStoredLength + 1));
    for (const QByteArray& r : records) out += r + kLineFeed;
    return out;
}

QList<QByteArray> IdRecords::FromFile(const QByteArray& bytes, bool* more)
{
    QList<QByteArray> records;
    if (more) *more = false;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype feed = bytes.indexOf(kLineFeed, at);
        QByteArray piece;
        if (feed >= 0 && feed - at <= kFileLineLimit) {
            piece = bytes.mid(at, feed - at);
            at = feed + 1;
        } else {
            piece = bytes.mid(at, kFileLineLimit);
            at += piece.size();
        }
        if (piece.size() > kStoredLength) piece.remove(kStoredLength, 1);
        if (piece.size() != kStoredLength) continue;
        if (records.size() == kMaxRecords) {
            if (more) *more = true;
            break;
        }
        records.append(piece);
    }
    return records;
}

QByteArray IdRecords::RecordInformation(int count, int firstLength)
{
    return QByteArray::number(count).rightJustified(kCountDigits, '0') + QByteArray::number(firstLength);
}
