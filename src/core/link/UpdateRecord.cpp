// SPDX-License-Identifier: MIT
#include "UpdateRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/CDevice.h"
#include "model/TextConv.h"

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kOutcomeSeparator[] = "; ";

QByteArray OutcomeText(UpdateRecord::SettingOutcome outcome, int rejections)
{
    switch (outcome) {
    case UpdateRecord::SettingOutcome::Accepted:
        return rejections ? "accepted after " + TextConv::Dec(rejections) + " rejections" : QByteArray("accepted");
    case UpdateRecord::SettingOutcome::Rejected:
        return "rejected " + TextConv::Dec(rejections) + " times";
    case UpdateRecord::SettingOutcome::Locked:
        return "skipped because locked";
    case UpdateRecord::SettingOutcome::Unsendable:
        return "not sent: the value cannot be carried by a setting command";
    }
    return QByteArray();
}

}  // namespace

UpdateRecord::UpdateRecord(const QDateTime& when, const QByteArray& port, const QByteArray& configurationFile)
    : when_(when), port_(port), configurationFile_(configurationFile)
{
}

QByteArray UpdateRecord::IsoLocalTime(const QDateTime& when)
{
    // Written out by hand: Qt prints a zero offset as "Z", and a local time without any.
    const QDateTime local = when.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    const QString sign = offset < 0 ? QStringLiteral("-") : QStringLiteral("+");
    return (local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + sign +
            QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0')))
        .toLatin1();
}

void UpdateRecord::SetIdentity(const CDevice& device)
{
    identity_.clear();
    for (const QByteArray& line : {device.protocolLine, device.mfgLine, device.modelLine, device.revisionLine}) {
        if (!line.isEmpty()) identity_.append(line);
    }
}

void UpdateRecord::AddSetting(const QByteArray& code, const QByteArray& value, SettingOutcome outcome, int rejections)
{
    items_.append("Setting " + code + ':' + value + ": " + OutcomeText(outcome, rejections));
}

void UpdateRecord::AddTicket(int slot, const QByteArray& outcome)
{
    items_.append("Ticket slot " + TextConv::Dec(slot) + ": " + outcome);
}

void UpdateRecord::AddOutcome(const QByteArray& text)
{
    outcomes_.append(text);
}

QByteArray UpdateRecord::Text() const
{
    QByteArray out = "Update " + IsoLocalTime(when_) + kLineEnd;
    out += "Port: " + port_ + kLineEnd;
    if (identity_.isEmpty()) out += QByteArray("Device: (not identified)") + kLineEnd;
    for (const QByteArray& line : identity_) out += "Device: " + line + kLineEnd;
    out += "Configuration: " + configurationFile_ + kLineEnd;
    for (const QByteArray& item : items_) out += item + kLineEnd;
    out += "Outcome: " + outcomes_.join(kOutcomeSeparator) + kLineEnd;
    out += kLineEnd;
    return out;
}

bool UpdateRecord::AppendTo(const QString& path, QString* error) const
{
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) return fail(QStringLiteral("cannot create %1").arg(folder));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return fail(file.errorString());
    const QByteArray text = Text();
    // One write of the whole record: a reader never sees half of one from us.
    if (file.write(text) != text.size() || !file.flush()) return fail(file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    return true;
}
