// SPDX-License-Identifier: MIT
#include "ConfigWriter.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include "ConfigModel.h"
#include "ConfigReader.h"
#include "EntryValues.h"
#include "TextConv.h"
#include "platform/Folders.h"
#include "platform/Prompts.h"

Q_LOGGING_CATEGORY(lcWriter, "tarelink.model.writer", QtWarningMsg)

namespace ConfigWriter {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kExtension[] = "csc";
constexpr char kTemporaryName[] = "temp.csc";
constexpr char kPathSeparator = '/';

class Lines {
public:
    void Add(const QByteArray& line)
    {
        out_ += line;
        out_ += kLineEnd;
    }
    // A section banner: a comment line, the title, a comment line.
    void Banner(const char* title)
    {
        Add("//");
        Add(title);
        Add("//");
    }
    QByteArray Take() { return std::move(out_); }

private:
    QByteArray out_;
};

// The line written is the entry's line from now on.
QByteArray EntryLine(ConfigEntry& entry)
{
    entry.line = entry.LineToSave();
    return entry.line;
}

void AddEntries(Lines& out, ConfigModel& model)
{
    int lastTab = -1;
    bool first = true;
    for (auto& entry : model.entries) {
        if (first || entry->tabIndex != lastTab) out.Add("HDR:" + entry->sectionName + ':');
        first = false;
        lastTab = entry->tabIndex;
        out.Add(EntryLine(*entry));
        for (auto& sub : entry->subEntries) out.Add(ConfigReader::kSubEntryMark + EntryLine(*sub));
    }
}

void AddVariables(Lines& out, const ConfigModel& model)
{
    const struct {
        const char* prefix;
        const ConfigEntry* entry;
    } bindings[] = {
        {"ASSIGN:CAPACITY:", model.capacityEntry},
        {"ASSIGN:DECIMALPOINT:", model.decimalPointEntry},
        {"ASSIGN:INTERVAL:", model.intervalEntry},
        {"ASSIGN:TAREWEIGHT:", model.tareEntry},
    };
    for (const auto& b : bindings) {
        if (b.entry) out.Add(b.prefix + b.entry->code);
    }
}

}  // namespace

QByteArray FormatConfiguration(ConfigModel& model, const CDevice& device, int slotCount)
{
    Lines out;
    out.Banner("//********** Target device description **********");
    for (const QByteArray& line :
         {device.mfgLine, device.modelLine, device.revisionLine, device.protocolLine, device.fieldsLine}) {
        out.Add(line);
    }

    out.Banner("//********** Configuration entries **********");
    AddEntries(out, model);
    // The pages every configuration has, even without entries of their own.
    out.Add("HDR:Printing:");
    out.Add("HDR:Model Info:");
    out.Add("HDR:Extended:");
    out.Add("END:");

    out.Banner("//********** Variable Assignments **********");
    AddVariables(out, model);
    out.Add("END:");

    out.Banner("//********** Configuration interlocks follow **********");
    for (const CInterlock& rule : model.interlocks) out.Add(rule.sourceLine);
    out.Add("END:");

    out.Banner("//********** Event Triggers **********");
    for (const CCEvent& event : model.events) out.Add(event.sourceLine);
    out.Add("END:");

    out.Banner("//********** Set Number of Slots **********");
    for (int n = 1; n <= slotCount; ++n) out.Add("Slot:" + TextConv::Dec(n) + ':');
    out.Add("END:");
    return out.Take();
}

QList<const ConfigEntry*> UncarriedEntries(const ConfigModel& model)
{
    QList<const ConfigEntry*> out;
    auto check = [&out](const ConfigEntry& e) {
        if (!e.ReadsBackFrom(e.LineToSave())) out.append(&e);
    };
    for (const auto& e : model.entries) {
        check(*e);
        for (const auto& sub : e->subEntries) check(*sub);
    }
    return out;
}

QByteArray UncarriedWarning(const ConfigEntry& entry)
{
    const QByteArray why = EntryValues::LineCanCarry(entry.value)
                               ? "its configuration line would not read back the same"
                               : "a configuration line cannot carry ':' or \"//\"";
    return TextConv::Format("Value of %s (%s) not saved: %s; the file keeps its previous value",
                            {TextConv::ToUpper(entry.code), entry.label, why});
}

QString ProposedFileName(const QByteArray& documentPath)
{
    QByteArray name = documentPath;
    const int tpl = name.indexOf(".tpl");
    if (tpl >= 0) {
        name.truncate(tpl);
        name += ".csc";
    }
    const int slash = name.lastIndexOf(kPathSeparator);
    if (slash >= 0) name = name.mid(slash + 1);
    return QFile::decodeName(name);
}

QString WriteConfiguration(ConfigModel& model, const CDevice& device, int temporaryMode, Prompts& prompts,
                           const Target& target, QString* error)
{
    QString path;
    if (temporaryMode) {
        if (!Folders::PrepareForWriting(target.temporaryFolder)) return QString();
        path = target.temporaryFolder + QLatin1String(kTemporaryName);
    } else {
        // The user's folder may not be there yet on a fresh installation.
        Folders::PrepareForWriting(target.configurationsFolder);
        Prompts::FileChoice choice;
        choice.save = true;
        choice.initialFolder = target.configurationsFolder;
        choice.defaultName = ProposedFileName(model.documentPath);
        choice.defaultExtension = QLatin1String(kExtension);
        choice.filter = kConfigurationFilter;
        choice.overwritePrompt = true;
        choice.hideReadOnly = true;
        path = prompts.ChooseFile(choice);
        if (path.isEmpty()) return QString();
        model.documentPath = QFile::encodeName(path);
    }

    QSaveFile file(path);
    // A writable file in a folder that is not: no temporary file can go beside it, and
    // writing in place beats losing the edits.
    file.setDirectWriteFallback(true);
    const QByteArray bytes = FormatConfiguration(model, device, target.slotCount) + target.ticketData;
    // A failed write leaves the previous file untouched rather than half of a new one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qCDebug(lcWriter) << "cannot write" << path << file.errorString();
        if (error) *error = file.errorString();
        return QString();
    }
    return path;
}

}  // namespace ConfigWriter
