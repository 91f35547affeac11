// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <functional>
#include <map>
#include <vector>

#include "SimFaults.h"
#include "SimProfile.h"

// The indicator's side of the command exchange, without any I/O: bytes from the host go
// in through Feed, replies come out through the output function. Commands are looked up in
// a table so later features add their own.
class SimEngine {
public:
    using Output = std::function<void(const QByteArray& bytes)>;
    // A command's handler gets the text between the line feed and the carriage return.
    using Handler = std::function<void(SimEngine& engine, const QByteArray& command)>;
    // Bytes the host sends outside a framed command (counts, chunks, records); true when taken.
    // Consumers see every byte outside a frame before the framing does, so a binary body may
    // carry line feeds; a consumer that is not expecting anything returns false.
    using RawConsumer = std::function<bool(SimEngine& engine, char byte)>;

    SimEngine(SimProfile& profile, SimFaults& faults, Output output);

    void Feed(const QByteArray& bytes);
    // A new connection: the identification and value pulls start over.
    void Reset();

    // Table-driven commands: exact texts, and data commands (those carrying "^checksum").
    void SetCommand(const QByteArray& text, Handler handler);
    void SetDataHandler(Handler handler);
    // Called for a command the table does not know, instead of answering "\n?\r".
    void SetFallbackHandler(Handler handler);
    // Consumers are asked in the order they were added; the first that takes a byte has it.
    void AddRawConsumer(RawConsumer consumer);
    // Called when the host sends the escape character alone.
    void SetEscapeHandler(std::function<void(SimEngine&)> handler);
    // Called when a fault says the link must go away now.
    void SetDisconnectHandler(std::function<void()> handler);

    // Sends one reply line, framed "\n" text "\r", with "^checksum" when `checksum` is set.
    void SendLine(const QByteArray& text, bool checksum);
    // Sends bytes as they are (acknowledgements).
    void SendRaw(const QByteArray& bytes);
    static QByteArray FrameLine(const QByteArray& text, bool checksum);
    // The checksum the program expects: XOR of the bytes as signed chars, low 8 bits.
    static int Checksum(const QByteArray& text);

    SimProfile& Profile() { return profile_; }
    SimFaults& Faults() { return faults_; }
    int CommandCount() const { return commandCount_; }
    // Settings written (data commands other than the end command) since the start.
    int SettingCount() const { return settingCount_; }
    const QList<QByteArray>& Commands() const { return commands_; }

private:
    void InstallStandardCommands();
    void Dispatch(const QByteArray& command);
    void OnDataCommand(const QByteArray& command);
    void SendValueLine();

    SimProfile& profile_;
    SimFaults& faults_;
    Output output_;
    std::map<QByteArray, Handler> commandTable_;
    Handler dataHandler_;
    Handler fallbackHandler_;
    std::vector<RawConsumer> rawConsumers_;
    std::function<void(SimEngine&)> escapeHandler_;
    std::function<void()> disconnectHandler_;

    bool inFrame_ = false;
    QByteArray frame_;
    int commandCount_ = 0;
    int settingCount_ = 0;
    QList<QByteArray> commands_;
    int describeIndex_ = 0;
    int valueIndex_ = 0;
};
