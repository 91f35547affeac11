// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class ConfigModel;
class QIODevice;

// What the reader needs from its surroundings.
class ReaderHooks {
public:
    virtual ~ReaderHooks() = default;
    // A status log line (kinds of StatusLog.h).
    virtual void Log(const QByteArray& text, int kind) = 0;
    // Sends a command to the attached indicator and waits for one reply line.
    // False when the exchange failed (no reply, "?", cancelled).
    virtual bool Exchange(const QByteArray& command, QByteArray& reply) = 0;
    // The "Configuration does not match the attached device" box; returns when it is closed.
    virtual void ConfigurationMismatch() = 0;
    // The ticket editor's slot count and its ticket data (the rest of the stream).
    virtual void SetTicketCount(int count) = 0;
    virtual void LoadTicketData(QIODevice& stream) = 0;
};

// The template/configuration language's line reading and the one-pass reader.
namespace ConfigReader {

// Longest line the language allows.
constexpr int kMaxLineLength = 255;

// Reads one physical line like a text-mode stream: up to LF (CR LF counts as LF), at most
// kMaxLineLength characters, cut at a NUL byte. After an over-long line the stream
// counts as ended. False at the end of the stream.
bool ReadRawLine(QIODevice& stream, QByteArray& line);
// Reads lines, skipping comment lines (containing "//"); true with a non-empty line,
// false with an empty one or at the end (then `line` is left as it was).
bool ReadLine(QIODevice& stream, QByteArray& line);

// Reads the whole stream into a reset model. Returns 1 when the entries section ended with
// its "END:" line, else 0. `fromFile` is 0 for a template read for the attached indicator.
int ReadConfiguration(ConfigModel& model, QIODevice* stream, int fromFile, ReaderHooks& hooks);

}  // namespace ConfigReader
