// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <functional>

class SimEngine;

// The indicator's ticket slots: the slot query "\nXS\r", the download command "\nXC\r", and
// the download body that follows outside the command framing: the slot (one bare digit, or
// "\n<#><n>\r" from a handheld), chunks of a three-digit count and that many bytes, and the
// end marker "000". Each is acknowledged with one character; a complete ticket is kept in
// the profile under its slot and noted in the traffic log. "\nXU\r" reads a stored ticket back.
class SimTicketSlots {
public:
    using Note = std::function<void(const QByteArray& text)>;

    SimTicketSlots(SimEngine& engine, Note note);
    // A new connection: a download that was under way is forgotten.
    void Reset();

private:
    enum class State { Idle, Slot, Count, Data };

    bool Take(SimEngine& engine, char byte);
    void BeginBody(SimEngine& engine, int slot);
    void EndOfChunk(SimEngine& engine);
    void EndOfTicket(SimEngine& engine);

    Note note_;
    State state_ = State::Idle;
    int slot_ = 0;
    QByteArray count_;
    int expected_ = 0;
    QByteArray chunk_;
    QByteArray ticket_;
    int chunkIndex_ = 0;
    bool refused_ = false;
};
