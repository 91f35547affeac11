// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class ConfigModel;
class QIODevice;

// What in the text the reader could not take as it stands.
enum class ReadProblem {
    CutAtNul,       // a NUL byte cut the line short; the rest of the line is lost
    TooLong,        // the line is over the length limit; nothing after it is read
    NoColon,        // an entries-section line without ':' ends the read
    SubEntryFirst,  // a sub-entry line before any entry ends the read
    NoEnd,          // the entries section stops without its "END:" line
};

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
    // The value pull ended: how many value lines came, and whether the list ended with "END:".
    virtual void ValuesPulled(int received, bool complete)
    {
        (void)received;
        (void)complete;
    }
    // A problem of the text, with the number of the physical line it is on (from 1).
    virtual void Problem(ReadProblem problem, int lineNumber)
    {
        (void)problem;
        (void)lineNumber;
    }
};

// The template/configuration language's line reading and the one-pass reader.
namespace ConfigReader {

// Longest line the language allows.
constexpr int kMaxLineLength = 255;
// What starts a sub-entry line.
inline constexpr char kSubEntryMark[] = "->:";

// A line holding "//" anywhere is a comment, skipped whole.
bool IsComment(const QByteArray& line);

// What a line of the entries section is, by substring tests in this order.
enum class EntriesLine { NoColon, Header, End, SubEntry, Entry };
EntriesLine KindOf(const QByteArray& line);

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
