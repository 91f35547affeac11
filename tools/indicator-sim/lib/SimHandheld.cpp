// SPDX-License-Identifier: MIT
#include "SimHandheld.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "IndicatorSim.h"
#include "SimEngine.h"
#include "handheld/HandheldFile.h"
#include "handheld/HandheldFileList.h"
#include "tickets/TicketFormats.h"

namespace {

constexpr char kProbe = '\r';
constexpr char kAccepted = 'D';
constexpr char kRefused = 'E';
constexpr char kEndPrefix[] = "END:";
constexpr char kLastTicket[] = "LAST_TICKET:";
constexpr char kListEnd[] = "done";
constexpr char kUnlockQuestion[] = "XJ";
constexpr int kChunkBytes = 10;
constexpr int kShortBy = 4;
constexpr int kHighestSlot = 9;
// A first line other than "XJ" gets no answer; the start follows once the program has read it.
constexpr int kUnansweredLineGapMs = 100;

QByteArray Count(int n)
{
    return QByteArray::number(n).rightJustified(3, '0');
}

}  // namespace

QList<QByteArray> SimHandheld::NonEmptyLines(const QByteArray& text)
{
    QList<QByteArray> lines = TicketFormats::SplitLines(text);
    lines.removeAll(QByteArray());
    return lines;
}

SimHandheld::SimHandheld(IndicatorSim& sim, int places, QObject* parent)
    : QObject(parent), sim_(sim), places_(size_t(std::max(places, 1)))
{
    SimEngine& engine = sim.Engine();
    engine.SetCommand("XI", [this](SimEngine& e, const QByteArray&) {
        incoming_ = Configuration();
        sim_.Profile().tickets.clear();
        state_ = State::Description;
        e.SendRaw(QByteArray(1, kAccepted));
    });
    engine.SetCommand("files", [this](SimEngine& e, const QByteArray&) {
        list_ = FileList();
        listed_ = 0;
        state_ = State::Listing;
        Acknowledged(e);
    });
    engine.SetCommand("send", [this](SimEngine&, const QByteArray&) { state_ = State::Index; });
    engine.SetCommand("exit", [this](SimEngine&, const QByteArray&) { state_ = State::Idle; });
    engine.SetFallbackHandler([this](SimEngine& e, const QByteArray& text) { OnLine(e, text); });
    engine.SetDataHandler([this](SimEngine& e, const QByteArray& command) { OnSetting(e, command); });
    engine.AddRawConsumer([this](SimEngine& e, char byte) { return Take(e, byte); });
}

QList<QByteArray> SimHandheld::FileList() const
{
    if (!faults_.fileList.isEmpty()) return faults_.fileList;
    QList<QByteArray> lines;
    for (const Configuration& c : places_) {
        if (c.name.isEmpty()) {
            lines.append(QByteArray(kHandheldEmptyPlace) + ':');
            continue;
        }
        QByteArray line = c.name;
        for (const auto& [slot, ticket] : c.tickets) line += ',' + QByteArray::number(slot);
        lines.append(line + ':');
    }
    return lines;
}

void SimHandheld::Keep(Configuration configuration)
{
    if (configuration.lines.isEmpty() || !configuration.lines.last().startsWith(kEndPrefix)) {
        configuration.lines.append(kEndPrefix);
    }
    Configuration* target = &places_.back();
    for (Configuration& c : places_) {
        if (c.name == configuration.name) {
            target = &c;
            break;
        }
    }
    if (target->name != configuration.name) {
        for (Configuration& c : places_) {
            if (c.name.isEmpty()) {
                target = &c;
                break;
            }
        }
    }
    sim_.Traffic().Note("handheld keeps \"" + configuration.name + "\" (" + QByteArray::number(configuration.lines.size()) +
                        " lines, " + QByteArray::number(configuration.tickets.size()) + " tickets)");
    *target = std::move(configuration);
}

bool SimHandheld::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    Configuration c;
    c.name = QFile::encodeName(QFileInfo(path).completeBaseName());
    c.lines = NonEmptyLines(file.readAll());
    for (int slot = 1; slot <= kHighestSlot; ++slot) {
        QFile ticket(QFile::decodeName(HandheldFile::TicketFilePath(QFile::encodeName(path), slot)));
        if (ticket.open(QIODevice::ReadOnly)) c.tickets[slot] = ticket.readAll();
    }
    Keep(std::move(c));
    return true;
}

// --- taking a configuration ---

void SimHandheld::OnLine(SimEngine& engine, const QByteArray& text)
{
    switch (state_) {
    case State::Description:
        incoming_.name = text;
        state_ = State::ModelLine;
        break;
    case State::ModelLine:
        incoming_.lines.append(text);
        state_ = State::Settings;
        break;
    case State::Settings:
        incoming_.lines.append(text);
        if (text.startsWith(kEndPrefix)) state_ = State::Tickets;
        break;
    case State::Tickets:
        if (text == kLastTicket) {
            incoming_.tickets = sim_.Profile().tickets;
            sim_.Profile().tickets.clear();
            Keep(std::move(incoming_));
            incoming_ = Configuration();
            state_ = State::Idle;
        }
        return;
    case State::Unlock:
        SendStart(engine);
        return;
    case State::SlotReply:
        engine.SendLine("XC", false);
        state_ = State::Download;
        return;
    default:
        engine.SendLine("?", false);
        return;
    }
    engine.SendRaw(QByteArray(1, kAccepted));
}

void SimHandheld::OnSetting(SimEngine& engine, const QByteArray& command)
{
    const int caret = int(command.lastIndexOf('^'));
    bool numeric = false;
    const int sent = command.mid(caret + 1).toInt(&numeric);
    if (state_ != State::Settings || !numeric || sent != SimEngine::Checksum('\n' + command.left(caret))) {
        engine.SendRaw(QByteArray(1, kRefused));
        return;
    }
    incoming_.lines.append(command);
    engine.SendRaw(QByteArray(1, kAccepted));
}

// --- the bytes the program sends outside its commands ---

bool SimHandheld::Take(SimEngine& engine, char byte)
{
    if (byte == kProbe) {
        // A probe starts everything over.
        state_ = State::Idle;
        ++probes_;
        if (faults_.answerProbeFrom > 0 && probes_ >= faults_.answerProbeFrom) engine.SendLine("?", false);
        return true;
    }
    switch (state_) {
    case State::Index:
        if (byte < '0' || byte > '9') {
            state_ = State::Idle;
            return false;
        }
        Replay(engine, byte - '0');
        return true;
    case State::Listing:
    case State::Start:
    case State::Line:
    case State::Download:
    case State::Slot:
    case State::Chunk:
    case State::TicketEnd:
        if (byte == kAccepted) {
            Acknowledged(engine);
        } else if (byte == kRefused) {
            // A refused slot: the program waits for the next ticket.
            if (state_ == State::Slot) {
                ++ticket_;
                SendNextTicket(engine);
            } else {
                state_ = State::Idle;
            }
        } else {
            return false;
        }
        return true;
    default:
        return false;
    }
}

// --- replaying ---

void SimHandheld::Replay(SimEngine& engine, int place)
{
    state_ = State::Idle;
    if (place >= int(places_.size()) || places_[size_t(place)].name.isEmpty()) return;
    replay_ = places_[size_t(place)];
    line_ = 0;
    ticket_ = replay_.tickets.cbegin();
    chunk_ = 0;
    if (faults_.firstLine == kUnlockQuestion) {
        engine.SendLine(kUnlockQuestion, false);
        state_ = State::Unlock;
    } else if (faults_.firstLine.isEmpty()) {
        SendStart(engine);
    } else {
        engine.SendLine(faults_.firstLine, false);
        QTimer::singleShot(kUnansweredLineGapMs, this, [this, &engine]() { SendStart(engine); });
    }
}

void SimHandheld::SendStart(SimEngine& engine)
{
    engine.SendLine("XI", false);
    state_ = State::Start;
}

void SimHandheld::Acknowledged(SimEngine& engine)
{
    switch (state_) {
    case State::Listing:
        if (listed_ < list_.size()) {
            engine.SendLine(list_.at(listed_++), false);
        } else {
            engine.SendLine(kListEnd, false);
            state_ = State::Idle;
        }
        break;
    case State::Start:
    case State::Line:
        SendNextLine(engine);
        break;
    case State::Download: {
        const char slot = faults_.slotCharacter ? faults_.slotCharacter : char('0' + ticket_->first);
        engine.SendRaw(QByteArray(1, slot));
        state_ = State::Slot;
        break;
    }
    case State::Slot:
        offset_ = 0;
        SendNextChunk(engine);
        break;
    case State::Chunk:
        SendNextChunk(engine);
        break;
    case State::TicketEnd:
        ++ticket_;
        SendNextTicket(engine);
        break;
    default:
        break;
    }
}

void SimHandheld::SendNextLine(SimEngine& engine)
{
    if (line_ < replay_.lines.size()) {
        engine.SendRaw('\n' + replay_.lines.at(line_++) + '\r');
        state_ = State::Line;
        return;
    }
    SendNextTicket(engine);
}

void SimHandheld::SendNextTicket(SimEngine& engine)
{
    if (ticket_ == replay_.tickets.cend()) {
        engine.SendLine(kLastTicket, false);
        state_ = State::Idle;
        return;
    }
    engine.SendLine("XS", false);
    state_ = State::SlotReply;
}

void SimHandheld::SendNextChunk(SimEngine& engine)
{
    const QByteArray& ticket = ticket_->second;
    if (offset_ >= ticket.size()) {
        engine.SendRaw(Count(0));
        state_ = State::TicketEnd;
        return;
    }
    const int n = std::min(kChunkBytes, int(ticket.size()) - offset_);
    QByteArray bytes = ticket.mid(offset_, n);
    if (chunk_++ == faults_.shortChunkAt) bytes.chop(std::min(kShortBy, int(bytes.size())));
    engine.SendRaw(Count(n) + bytes);
    offset_ += n;
    state_ = State::Chunk;
}
