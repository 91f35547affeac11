// SPDX-License-Identifier: MIT
#include "ConfigReader.h"

#include <QIODevice>
#include <QLoggingCategory>
#include <algorithm>

#include "Catalogue.h"
#include "ConfigModel.h"
#include "StatusLog.h"
#include "TextConv.h"

Q_LOGGING_CATEGORY(lcReader, "tarelink.model.reader", QtWarningMsg)

namespace ConfigReader {

namespace {

constexpr int kDescriptionLines = 5;
// A runaway indicator that never sends "END:" must not keep the read going forever; real
// indicators report a few hundred settings.
constexpr int kMaxValueReplies = 10000;
// Skipping the rest of an over-long line on a stream that cannot seek.
constexpr qint64 kSkipChunk = 64 * 1024;

constexpr char kFirstValueCommand[] = "\nXO\r";
constexpr char kNextValueCommand[] = "\nXo\r";
constexpr char kPathSeparator = '/';

// Variable names of "ASSIGN:" lines; the first name contained in the line's name wins.
enum class Variable { Capacity, Interval, DecimalPoint, TareWeight, None };

Variable VariableNamed(const QByteArray& name)
{
    if (name.contains("CAPACITY")) return Variable::Capacity;
    if (name.contains("INTERVAL")) return Variable::Interval;
    if (name.contains("DECIMALPOINT")) return Variable::DecimalPoint;
    if (name.contains("TAREWEIGHT")) return Variable::TareWeight;
    return Variable::None;
}

// Rule keywords in the order they are tested; the first one found decides the type.
struct RuleKeyword {
    const char* keyword;
    int type;
};
constexpr RuleKeyword kRuleKeywords[] = {
    {"ENABLE:", kEnable}, {"DISABLE:", kDisable}, {"REJECT:", kReject},
    {"HIDE:", kHide},     {"SHOW:", kShow},       {"VERIFY:", kVerify},
};

int RuleTypeOf(const QByteArray& line)
{
    for (const RuleKeyword& k : kRuleKeywords) {
        if (line.contains(k.keyword)) return k.type;
    }
    return 0;
}

// Drops the text up to and including the first ':' (all of it when there is none).
QByteArray AfterColon(const QByteArray& text)
{
    const int colon = text.indexOf(':');
    return colon < 0 ? QByteArray() : text.mid(colon + 1);
}

// Moves the stream to its end, so every later read reports the end of the file.
void SkipToEnd(QIODevice& stream)
{
    if (!stream.isSequential()) {
        stream.seek(stream.size());
        return;
    }
    while (!stream.atEnd()) {
        if (stream.skip(kSkipChunk) <= 0) break;
    }
}

// The stream as the reader goes through it: physical lines counted from 1, and the text's
// problems told to the hooks (when there are any) with the line they are on.
class LineSource {
public:
    LineSource(QIODevice& stream, ReaderHooks* hooks) : stream_(stream), hooks_(hooks) {}

    // One physical line (ReadRawLine).
    bool Raw(QByteArray& line)
    {
        if (!stream_.isReadable() || stream_.atEnd()) return false;
        ++number_;
        // Room for a full-length line, its CR LF and one character more, which tells a line
        // that fits from an over-long one.
        char buffer[kMaxLineLength + 3];
        const qint64 n = stream_.readLine(buffer, sizeof buffer);
        QByteArray raw(buffer, int(std::max<qint64>(n, 0)));
        const bool ended = raw.endsWith('\n');
        if (ended) raw.chop(1);
        if (raw.endsWith('\r') && (ended || stream_.atEnd())) raw.chop(1);
        if (raw.size() > kMaxLineLength) {
            raw.truncate(kMaxLineLength);
            Report(ReadProblem::TooLong);
            SkipToEnd(stream_);
        }
        line = TextConv::CString(raw);
        if (line.size() != raw.size()) Report(ReadProblem::CutAtNul);
        return true;
    }

    // One line that is not a comment (ReadLine).
    bool Next(QByteArray& line)
    {
        if (!stream_.isReadable() || stream_.atEnd()) return false;
        for (;;) {
            line.clear();
            Raw(line);
            if (!IsComment(line)) break;
            if (stream_.atEnd()) {
                line.clear();
                break;
            }
        }
        return !line.isEmpty();
    }

    void Report(ReadProblem problem)
    {
        if (hooks_) hooks_->Problem(problem, number_);
    }

private:
    QIODevice& stream_;
    ReaderHooks* hooks_;
    int number_ = 0;
};

void BindVariable(ConfigModel& model, const QByteArray& line)
{
    QByteArray rest = AfterColon(line);
    const QByteArray name = TextConv::UpToColon(rest);
    rest = AfterColon(rest);
    ConfigEntry* entry = ConfigModel::FindEntryByCode(model.entries, TextConv::UpToColon(rest));
    switch (VariableNamed(name)) {
    case Variable::Capacity: model.capacityEntry = entry; break;
    case Variable::Interval: model.intervalEntry = entry; break;
    case Variable::DecimalPoint: model.decimalPointEntry = entry; break;
    case Variable::TareWeight: model.tareEntry = entry; break;
    case Variable::None: break;
    }
}

void BindDefaults(ConfigModel& model)
{
    const EntryArray& e = model.entries;
    if (!model.tareEntry) model.tareEntry = ConfigModel::FindEntryByCode(e, "tare");
    if (!model.capacityEntry) model.capacityEntry = ConfigModel::FindEntryByCode(e, "CAP");
    if (!model.intervalEntry) model.intervalEntry = ConfigModel::FindEntryByCode(e, "INT");
    if (!model.decimalPointEntry) model.decimalPointEntry = ConfigModel::FindEntryByCode(e, "DPP");
}

void ReadDescription(ConfigModel& model, LineSource& in)
{
    CDevice& file = model.fileDevice;
    file.ClearIdentity();
    file.identified = 0;
    // One working string: a short file leaves the later lines with whatever the last read left.
    QByteArray working;
    QByteArray* lines[kDescriptionLines] = {&file.mfgLine, &file.modelLine, &file.revisionLine,
                                            &file.protocolLine, &file.fieldsLine};
    for (QByteArray* line : lines) {
        in.Next(working);
        *line = working;
    }
    file.CheckIdentity();
    file.unlocked = 1;
}

void LogCurrentFile(ConfigModel& model, ReaderHooks& hooks)
{
    const CDevice& file = model.fileDevice;
    const float modelNumber = float(TextConv::Atof(file.ModelText()));
    const float version = float(TextConv::Atof(file.VersionText()));
    model.documentPath = Catalogue::TemplateNameFor(model.revisionCatalogue, modelNumber, version);
    hooks.Log(TextConv::Format("Current configuration file - Model %s  Tarelink Version %s",
                               {file.ModelText(), file.VersionText()}),
              kInformation);
}

void CheckAgainstAttached(ConfigModel& model, ReaderHooks& hooks)
{
    CDevice& attached = model.attachedDevice;
    if (!attached.identified) {
        attached.unlocked = 1;
        LogCurrentFile(model, hooks);
        // The default field list, without the prefix a device read gives it.
        attached.fieldsLine = QByteArray(kDefaultFieldsLine).mid(int(sizeof kFieldsPrefix) - 1);
    } else if (!attached.SameDevice(model.fileDevice)) {
        hooks.ConfigurationMismatch();
        LogCurrentFile(model, hooks);
    } else {
        attached.fieldsLine = model.fileDevice.fieldsLine;
    }
}

}  // namespace

bool IsComment(const QByteArray& line)
{
    return line.contains("//");
}

EntriesLine KindOf(const QByteArray& line)
{
    if (!line.contains(':')) return EntriesLine::NoColon;
    if (line.contains("HDR:")) return EntriesLine::Header;
    if (line.contains("END:")) return EntriesLine::End;
    if (line.contains(kSubEntryMark)) return EntriesLine::SubEntry;
    return EntriesLine::Entry;
}

namespace {

// The entries section; true when it ended with its "END:" line.
bool ReadEntries(ConfigModel& model, LineSource& in, ReaderHooks& hooks)
{
    ConfigEntry* lastTop = nullptr;
    QByteArray line;
    if (!in.Next(line)) {
        in.Report(ReadProblem::NoEnd);
        return false;
    }
    for (;;) {
        switch (KindOf(line)) {
        case EntriesLine::NoColon:
            hooks.Log("Error reading configuration file!", kError);
            in.Report(ReadProblem::NoColon);
            return false;
        case EntriesLine::Header:
            model.currentTabIndex = model.AddTab(line);
            break;
        case EntriesLine::End:
            return true;
        case EntriesLine::SubEntry:
            if (!lastTop) {
                in.Report(ReadProblem::SubEntryFirst);
                return false;
            }
            lastTop->subEntries.push_back(std::make_unique<ConfigEntry>(
                line.mid(int(sizeof kSubEntryMark) - 1), model.currentSectionName, model.currentTabIndex, lastTop));
            break;
        case EntriesLine::Entry:
            model.entries.push_back(
                std::make_unique<ConfigEntry>(line, model.currentSectionName, model.currentTabIndex, nullptr));
            lastTop = model.entries.back().get();
            break;
        }
        if (!in.Next(line)) {
            in.Report(ReadProblem::NoEnd);
            return false;
        }
    }
}

void ReadRules(ConfigModel& model, LineSource& in)
{
    QByteArray line;
    while (in.Next(line)) {
        const int type = RuleTypeOf(line);
        if (type == 0) break;
        model.interlocks.emplace_back(line, type, model.entries);
    }
}

void ReadEvents(ConfigModel& model, LineSource& in)
{
    QByteArray line;
    while (in.Next(line) && line.startsWith("FIRE:")) model.events.emplace_back(line, model.entries);
}

int CountSlots(LineSource& in)
{
    int count = 0;
    QByteArray line;
    while (in.Next(line) && line.startsWith("Slot:")) ++count;
    return count;
}

// Pulls the attached indicator's settings: "\nXO\r" first, then "\nXo\r" until "END:".
// A failed exchange ends the pull; the settings not yet received keep the template's values.
void PullValues(ConfigModel& model, ReaderHooks& hooks)
{
    QByteArray command = kFirstValueCommand;
    int received = 0;
    for (; received < kMaxValueReplies; ++received) {
        QByteArray reply;
        if (!hooks.Exchange(command, reply)) break;
        command = kNextValueCommand;
        if (reply.contains("END:")) {
            hooks.ValuesPulled(received, true);
            return;
        }
        if (!model.MatchDeviceLine(model.entries, reply)) model.AddExtraEntry(reply);
    }
    if (received == kMaxValueReplies) {
        qCWarning(lcReader) << "the indicator sent" << kMaxValueReplies << "settings without END:";
    }
    hooks.ValuesPulled(received, false);
}

void LogLoaded(const ConfigModel& model, ReaderHooks& hooks)
{
    const int slash = model.documentPath.lastIndexOf(kPathSeparator);
    if (slash < 0) return;
    const QByteArray name = model.documentPath.mid(slash + 1);
    if (name.contains(".csc")) {
        hooks.Log("Successfully loaded configuration file - " + name, kInformation);
    } else if (name.contains(".tpl")) {
        hooks.Log(TextConv::Format("Successfully loaded template file for Model %s", {name.left(3)}), kInformation);
    }
}

void AddModelInformation(ConfigModel& model, bool attached)
{
    const CDevice record = attached ? model.attachedDevice : model.fileDevice;
    model.AddModelInfoEntry(attached ? QByteArray("SOURCE:Device:Model information is from an attached device")
                                     : QByteArray("SOURCE:File:Model information is from a file"));
    model.AddModelInfoEntry(attached ? QByteArray("STATUS:Connected:An SMA-compliant device is connected")
                                     : QByteArray("STATUS:Disconnected:No device is connected"));
    for (const QByteArray& line :
         {record.mfgLine, record.modelLine, record.revisionLine, record.protocolLine, record.fieldsLine}) {
        model.AddModelInfoEntry(line);
    }
}

}  // namespace

bool ReadRawLine(QIODevice& stream, QByteArray& line)
{
    return LineSource(stream, nullptr).Raw(line);
}

bool ReadLine(QIODevice& stream, QByteArray& line)
{
    return LineSource(stream, nullptr).Next(line);
}

int ReadConfiguration(ConfigModel& model, QIODevice* stream, int fromFile, ReaderHooks& hooks)
{
    if (!stream || !stream->isReadable()) return 0;
    if (!stream->isSequential()) stream->seek(0);

    LineSource in(*stream, &hooks);
    ReadDescription(model, in);
    CheckAgainstAttached(model, hooks);

    // Only an entries section that ends with its "END:" line goes on to the later sections.
    if (!ReadEntries(model, in, hooks)) return 0;

    QByteArray line;
    while (in.Next(line) && line.startsWith("ASSIGN:")) BindVariable(model, line);
    BindDefaults(model);

    ReadRules(model, in);
    ReadEvents(model, in);
    hooks.SetTicketCount(CountSlots(in));
    hooks.LoadTicketData(*stream);

    const bool attached = model.attachedDevice.identified != 0;
    if (attached && fromFile == 0) {
        PullValues(model, hooks);
    } else if (attached) {
        model.MarkReceived(model.entries);
        ConfigModel::ClearModified(model.entries);
    }
    LogLoaded(model, hooks);
    if (attached) {
        if (model.documentPath.contains(".tpl")) ConfigModel::ClearModified(model.entries);
    } else {
        model.MarkReceived(model.entries);
        ConfigModel::ClearModified(model.entries);
    }

    if (model.extraEntries.empty()) {
        if (model.extendedTab >= 0) model.DeleteTab(model.extendedTab);
        model.extendedTab = -1;
    }
    AddModelInformation(model, attached);
    return 1;
}

}  // namespace ConfigReader
