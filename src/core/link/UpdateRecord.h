// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

class CDevice;

// What one Update device wrote to which indicator and when: kept in an append-only log in
// the data folder, because weights-and-measures work must be able to show it later.
//
// One record, lines ending CR LF, a blank line after it:
//   Update <time, ISO 8601 local with offset>
//   Port: <port>
//   Device: <identity line>            (one per identity line the indicator gave)
//   Configuration: <file>
//   Setting <code>:<value>: <outcome>  (one per setting, in the order sent)
//   Ticket slot <n>: <outcome>         (one per slot, when tickets were sent)
//   Outcome: <the outcome lines of the update, joined by "; ">
class UpdateRecord {
public:
    enum class SettingOutcome { Accepted, Rejected, Locked, Unsendable };

    UpdateRecord(const QDateTime& when, const QByteArray& port, const QByteArray& configurationFile);

    void SetIdentity(const CDevice& device);
    // `rejections`: the refused attempts before the outcome (an accepted setting may have some).
    void AddSetting(const QByteArray& code, const QByteArray& value, SettingOutcome outcome, int rejections);
    void AddTicket(int slot, const QByteArray& outcome);
    // One outcome line of the update (several may come, in order).
    void AddOutcome(const QByteArray& text);

    QByteArray Text() const;
    // Appends the record to the file (folders made as needed) and flushes it. False with a reason.
    bool AppendTo(const QString& path, QString* error) const;

    // The time as the record writes it: "2024-05-01T09:30:00+02:00".
    static QByteArray IsoLocalTime(const QDateTime& when);

private:
    QDateTime when_;
    QByteArray port_;
    QByteArray configurationFile_;
    QList<QByteArray> identity_;
    QList<QByteArray> items_;
    QList<QByteArray> outcomes_;
};

// Below the data folder.
inline constexpr char kUpdateLogPath[] = "Logs/updates.log";
