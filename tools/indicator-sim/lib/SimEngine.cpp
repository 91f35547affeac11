// SPDX-License-Identifier: MIT
#include "SimEngine.h"

namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kEscape = 27;
// Longer frames are garbage: the indicator's line buffer is small.
constexpr int kMaxFrameLength = 512;
constexpr char kAccepted[] = "D";
constexpr char kRejected[] = "E";
constexpr char kEndLine[] = "END:";
constexpr char kExtraCodePrefix[] = "EXT";

}  // namespace

SimEngine::SimEngine(SimProfile& profile, SimFaults& faults, Output output)
    : profile_(profile), faults_(faults), output_(std::move(output))
{
    InstallStandardCommands();
}

int SimEngine::Checksum(const QByteArray& text)
{
    int sum = 0;
    for (char c : text) sum ^= int(static_cast<signed char>(c));
    return sum & 0xFF;
}

QByteArray SimEngine::FrameLine(const QByteArray& text, bool checksum)
{
    QByteArray line = kLineFeed + text;
    if (checksum) line += '^' + QByteArray::number(Checksum(line));
    return line + kCarriageReturn;
}

void SimEngine::SendLine(const QByteArray& text, bool checksum)
{
    output_(FrameLine(text, checksum));
}

void SimEngine::SendRaw(const QByteArray& bytes)
{
    output_(bytes);
}

void SimEngine::SetCommand(const QByteArray& text, Handler handler)
{
    commandTable_[text] = std::move(handler);
}

void SimEngine::SetDataHandler(Handler handler)
{
    dataHandler_ = std::move(handler);
}

void SimEngine::SetFallbackHandler(Handler handler)
{
    fallbackHandler_ = std::move(handler);
}

void SimEngine::AddRawConsumer(RawConsumer consumer)
{
    rawConsumers_.push_back(std::move(consumer));
}

void SimEngine::SetEscapeHandler(std::function<void(SimEngine&)> handler)
{
    escapeHandler_ = std::move(handler);
}

void SimEngine::SetDisconnectHandler(std::function<void()> handler)
{
    disconnectHandler_ = std::move(handler);
}

void SimEngine::Reset()
{
    inFrame_ = false;
    frame_.clear();
    describeIndex_ = 0;
    valueIndex_ = 0;
}

void SimEngine::InstallStandardCommands()
{
    SetCommand("A", [](SimEngine& e, const QByteArray&) {
        e.describeIndex_ = 0;
        e.SendLine(e.profile_.protocolLine, false);
    });
    SetCommand("B", [](SimEngine& e, const QByteArray&) {
        if (e.describeIndex_ >= e.profile_.describeLines.size()) {
            e.SendLine("?", false);
            return;
        }
        e.SendLine(e.profile_.describeLines.at(e.describeIndex_++), false);
    });
    SetCommand("XJ", [](SimEngine& e, const QByteArray&) {
        if (!e.profile_.lockReply.isEmpty()) e.SendLine(e.profile_.lockReply, false);
    });
    SetCommand("XO", [](SimEngine& e, const QByteArray&) {
        e.valueIndex_ = 0;
        e.SendValueLine();
    });
    SetCommand("Xo", [](SimEngine& e, const QByteArray&) { e.SendValueLine(); });
    SetCommand("XI", [](SimEngine& e, const QByteArray&) { e.SendRaw(QByteArray(1, e.faults_.updateStartReply)); });
    SetDataHandler([](SimEngine& e, const QByteArray& command) { e.OnDataCommand(command); });
    SetEscapeHandler([](SimEngine&) {});
}

void SimEngine::Feed(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (!inFrame_) {
            bool taken = false;
            for (const RawConsumer& consumer : rawConsumers_) {
                if (consumer(*this, c)) {
                    taken = true;
                    break;
                }
            }
            if (taken) continue;
        }
        if (c == kLineFeed) {
            inFrame_ = true;
            frame_.clear();
            continue;
        }
        if (inFrame_) {
            if (c == kCarriageReturn) {
                inFrame_ = false;
                Dispatch(frame_);
                frame_.clear();
            } else if (frame_.size() < kMaxFrameLength) {
                frame_ += c;
            } else {
                inFrame_ = false;
                frame_.clear();
            }
            continue;
        }
        if (c == kEscape && escapeHandler_) escapeHandler_(*this);
    }
}

void SimEngine::Dispatch(const QByteArray& command)
{
    ++commandCount_;
    commands_.append(command);
    const bool isSetting = command.contains('^') && !command.startsWith(kEndLine);
    if (isSetting) ++settingCount_;
    const bool cutAtSetting = faults_.disconnectAfterSettings >= 0 && settingCount_ > faults_.disconnectAfterSettings;
    if ((faults_.disconnectAfter >= 0 && commandCount_ > faults_.disconnectAfter) || cutAtSetting) {
        if (disconnectHandler_) disconnectHandler_();
        return;
    }
    if (faults_.silent) return;
    if (faults_.silentAfterSettings >= 0 && settingCount_ > faults_.silentAfterSettings) return;
    if (faults_.silentAfter >= 0 && commandCount_ > faults_.silentAfter) return;
    if (faults_.unknownCommands.contains(command)) {
        SendLine("?", false);
        return;
    }
    if (command.contains('^')) {
        if (dataHandler_) dataHandler_(*this, command);
        return;
    }
    const auto it = commandTable_.find(command);
    if (it == commandTable_.end()) {
        if (fallbackHandler_) {
            fallbackHandler_(*this, command);
        } else {
            SendLine("?", false);
        }
        return;
    }
    it->second(*this, command);
}

void SimEngine::OnDataCommand(const QByteArray& command)
{
    const int caret = int(command.lastIndexOf('^'));
    const QByteArray body = kLineFeed + command.left(caret);
    bool numeric = false;
    const int sent = command.mid(caret + 1).toInt(&numeric);
    if (!numeric || sent != Checksum(body)) {
        SendRaw(kRejected);
        return;
    }
    const QByteArray text = command.left(caret);
    if (text.startsWith(kEndLine)) {
        SendRaw(kAccepted);
        return;
    }
    const QList<QByteArray> fields = text.split(':');
    if (fields.size() < 2 || fields[0].isEmpty()) {
        SendRaw(kRejected);
        return;
    }
    if (faults_.rejectSettings > 0) {
        --faults_.rejectSettings;
        SendRaw(kRejected);
        return;
    }
    if (faults_.rejectCodeTimes > 0 && fields[0] == faults_.rejectCode) {
        --faults_.rejectCodeTimes;
        SendRaw(kRejected);
        return;
    }
    profile_.SetValue(fields[0], fields[1]);
    SendRaw(kAccepted);
}

void SimEngine::SendValueLine()
{
    const int index = valueIndex_++;
    const int templated = int(profile_.settings.size());
    QByteArray text;
    if (index < templated) {
        const SimProfile::Setting& s = profile_.settings[size_t(index)];
        text = s.code + ':' + s.value + ':';
    } else if (index < templated + faults_.extraValueLines) {
        int number = index - templated + 1;
        QByteArray code = kExtraCodePrefix + QByteArray::number(number);
        // Extra lines must match nothing the template has.
        while (profile_.HasCode(code)) code += 'X';
        text = code + ':' + QByteArray::number(number) + ':';
    } else {
        valueIndex_ = templated + faults_.extraValueLines;
        text = kEndLine;
    }
    if (index == faults_.dropLineAt) return;
    QByteArray line = FrameLine(text, true);
    if (index == faults_.badChecksumAt) {
        const int caret = int(line.lastIndexOf('^'));
        const int wrong = (Checksum(line.left(caret)) + 1) & 0xFF;
        line = line.left(caret + 1) + QByteArray::number(wrong) + kCarriageReturn;
    }
    output_(line);
}
