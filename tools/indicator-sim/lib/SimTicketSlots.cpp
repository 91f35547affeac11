// SPDX-License-Identifier: MIT
#include "SimTicketSlots.h"

#include "SimEngine.h"
#include "link/TrafficTrace.h"

namespace {

constexpr char kAccepted[] = "D";
constexpr char kRefused[] = "E";
constexpr char kLineFeed = '\n';
constexpr int kCountDigits = 3;
// The handheld's framed slot command, "<#><n>", for the slots a locations digit can name.
constexpr char kFramedSlotPrefix[] = "<#><";
constexpr int kHighestSlot = 9;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

SimTicketSlots::SimTicketSlots(SimEngine& engine, Note note) : note_(std::move(note))
{
    engine.SetCommand("XS", [](SimEngine& e, const QByteArray&) {
        const SimProfile& p = e.Profile();
        e.SendLine(QByteArray(1, p.ticketLocations) + ' ' + QByteArray::number(p.maxTicketSize), false);
    });
    engine.SetCommand("XC", [this](SimEngine& e, const QByteArray&) {
        Reset();
        state_ = State::Slot;
        e.SendRaw(kAccepted);
    });
    for (int slot = 1; slot <= kHighestSlot; ++slot) {
        engine.SetCommand(kFramedSlotPrefix + QByteArray::number(slot) + '>', [this, slot](SimEngine& e, const QByteArray&) {
            if (state_ != State::Slot) {
                e.SendLine("?", false);
                return;
            }
            BeginBody(e, slot);
        });
    }
    // An empty slot answers nothing, as an indicator with no ticket ready does.
    engine.SetCommand("XU", [](SimEngine& e, const QByteArray&) {
        const auto it = e.Profile().tickets.find(e.Profile().uploadSlot);
        if (it != e.Profile().tickets.end()) e.SendRaw(it->second);
    });
    engine.AddRawConsumer([this](SimEngine& e, char byte) { return Take(e, byte); });
}

void SimTicketSlots::Reset()
{
    state_ = State::Idle;
    slot_ = 0;
    count_.clear();
    expected_ = 0;
    chunk_.clear();
    ticket_.clear();
    chunkIndex_ = 0;
    refused_ = false;
}

void SimTicketSlots::BeginBody(SimEngine& engine, int slot)
{
    slot_ = slot;
    state_ = State::Count;
    engine.SendRaw(kAccepted);
}

bool SimTicketSlots::Take(SimEngine& engine, char byte)
{
    switch (state_) {
    case State::Idle:
        return false;
    case State::Slot:
        // A line feed starts the handheld's framed slot command: the framing takes it.
        if (!IsDigit(byte) || byte == '0') return false;
        BeginBody(engine, byte - '0');
        return true;
    case State::Count:
        if (!IsDigit(byte)) {
            // A command where a count belongs: the host has given up on the ticket.
            Reset();
            if (byte == kLineFeed) return false;
            engine.SendRaw(kRefused);
            return true;
        }
        count_ += byte;
        if (count_.size() < kCountDigits) return true;
        expected_ = count_.toInt();
        count_.clear();
        if (expected_ == 0) {
            EndOfTicket(engine);
        } else {
            chunk_.clear();
            state_ = State::Data;
        }
        return true;
    case State::Data:
        chunk_ += byte;
        if (chunk_.size() == expected_) EndOfChunk(engine);
        return true;
    }
    return false;
}

void SimTicketSlots::EndOfChunk(SimEngine& engine)
{
    state_ = State::Count;
    const int index = chunkIndex_++;
    const SimProfile& profile = engine.Profile();
    const bool tooLarge = ticket_.size() + chunk_.size() > profile.maxTicketSize;
    if (index == engine.Faults().refuseChunkAt || tooLarge || refused_) {
        refused_ = true;
        engine.SendRaw(kRefused);
        return;
    }
    ticket_ += chunk_;
    engine.SendRaw(kAccepted);
}

void SimTicketSlots::EndOfTicket(SimEngine& engine)
{
    const bool refused = refused_;
    const int slot = slot_;
    const QByteArray ticket = ticket_;
    Reset();
    if (refused) {
        if (note_) note_("ticket for slot " + QByteArray::number(slot) + " refused");
        engine.SendRaw(kRefused);
        return;
    }
    engine.Profile().tickets[slot] = ticket;
    if (note_) {
        note_("ticket stored in slot " + QByteArray::number(slot) + " (" + QByteArray::number(ticket.size()) +
              " bytes): " + TrafficTrace::Escape(ticket));
    }
    engine.SendRaw(kAccepted);
}
