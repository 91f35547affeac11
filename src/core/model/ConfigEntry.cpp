// SPDX-License-Identifier: MIT
#include "ConfigEntry.h"

#include <algorithm>

#include "ConfigReader.h"
#include "TextConv.h"

namespace {

// A byte that stands for ':' in a field, as "::" does.
constexpr char kEscapedColon = '\x02';

// The field that starts at `from`: up to the next single ':' (a "::" is a ':' of the field).
// False when no single ':' follows; then the field and every later one stay empty. Templates
// have hundreds of entries, so the fields are cut in one pass without copies of the line.
bool TakeField(const QByteArray& line, int& from, QByteArray& field)
{
    bool escaped = false;
    for (int i = from; i < line.size(); ++i) {
        const char c = line[i];
        if (c == kEscapedColon) escaped = true;
        if (c != ':') continue;
        if (i + 1 < line.size() && line[i + 1] == ':') {
            escaped = true;
            ++i;
            continue;
        }
        if (!escaped) {
            field = line.mid(from, i - from);
        } else {
            field.clear();
            field.reserve(i - from);
            for (int j = from; j < i; ++j) {
                if (line[j] == ':') ++j;
                field += line[j] == kEscapedColon ? ':' : line[j];
            }
        }
        from = i + 1;
        return true;
    }
    return false;
}

// Appends the text with every ':' doubled.
void AppendEscaped(QByteArray& out, const QByteArray& text)
{
    for (char c : text) {
        out += c;
        if (c == ':') out += ':';
    }
}

}  // namespace

ConfigEntry::ConfigEntry(const QByteArray& entryLine, const QByteArray& section, int tab, ConfigEntry* owner)
    : tabIndex(tab), sectionName(section), line(entryLine), parent(owner)
{
    QByteArray* fields[] = {&code, &x, &y, &value, &valueSpec, &choices, &label, &controlType};
    int from = 0;
    for (QByteArray* field : fields) {
        if (!TakeField(entryLine, from, *field)) break;
    }
    disabled = IsLockedCode(code) ? 1 : 0;
}

std::unique_ptr<ConfigEntry> ConfigEntry::MakeExtra(const QByteArray& text, int xPos, int yPos, int tab)
{
    std::unique_ptr<ConfigEntry> e(new ConfigEntry);
    QByteArray rest = text;
    auto takeUpToColon = [&rest]() {
        const int colon = rest.indexOf(':');
        QByteArray part = colon < 0 ? rest : rest.left(colon);
        rest.remove(0, colon < 0 ? rest.size() : colon + 1);
        return part;
    };
    e->code = takeUpToColon();
    e->value = takeUpToColon();
    e->label = takeUpToColon();
    e->x = TextConv::Dec(xPos);
    e->y = TextConv::Dec(yPos);
    e->controlType = "edit";
    e->tabIndex = tab;
    e->hasValue = 1;
    return e;
}

ConfigEntry::~ConfigEntry()
{
    // Controls may refer to the entry; they go first.
    controls.clear();
    subEntries.clear();
}

void ConfigEntry::SetValue(const QByteArray& text)
{
    if (text.isEmpty()) return;
    if (text != value) {
        value = text;
        modified = 1;
    }
    hasValue = 1;
}

void ConfigEntry::SetDisabled(int flag)
{
    disabled = flag;
    for (auto& c : controls) c->SetEnabled(flag == 0);
}

EntryControl* ConfigEntry::GetControl(int i) const
{
    return i >= 0 && i < int(controls.size()) ? controls[size_t(i)].get() : nullptr;
}

ConfigEntry* ConfigEntry::GetSubEntry(int i) const
{
    return i >= 0 && i < int(subEntries.size()) ? subEntries[size_t(i)].get() : nullptr;
}

std::array<const QByteArray*, ConfigEntry::kFieldCount> ConfigEntry::Fields() const
{
    return {&code, &x, &y, &value, &valueSpec, &choices, &label, &controlType};
}

QByteArray ConfigEntry::Formatted(int count) const
{
    // valueSpec, choices and label have their ':' doubled; the others are written as they are.
    constexpr bool kEscaped[kFieldCount] = {false, false, false, false, true, true, true, false};
    const auto fields = Fields();
    QByteArray out;
    out.reserve(line.size() + 16);
    for (int i = 0; i < count; ++i) {
        if (kEscaped[i]) {
            AppendEscaped(out, *fields[size_t(i)]);
        } else {
            out += *fields[size_t(i)];
        }
        out += ':';
    }
    return out;
}

QByteArray ConfigEntry::FormatLine()
{
    line = Formatted(kFieldCount);
    return line;
}

bool ConfigEntry::ReadsBackFrom(const QByteArray& entryLine) const
{
    using namespace ConfigReader;
    const QByteArray fileLine = parent ? kSubEntryMark + entryLine : entryLine;
    // CR, LF and NUL end a line of a text file wherever they stand.
    for (char c : {'\r', '\n', '\0'}) {
        if (fileLine.contains(c)) return false;
    }
    if (fileLine.size() > kMaxLineLength || IsComment(fileLine)) return false;
    if (KindOf(fileLine) != (parent ? EntriesLine::SubEntry : EntriesLine::Entry)) return false;
    const ConfigEntry back(entryLine, QByteArray(), 0, nullptr);
    const auto mine = Fields();
    const auto read = back.Fields();
    return std::equal(mine.begin(), mine.end(), read.begin(), [](const QByteArray* a, const QByteArray* b) {
        return *a == *b;
    });
}

QByteArray ConfigEntry::LineToSave() const
{
    const QByteArray full = Formatted(kFieldCount);
    if (ReadsBackFrom(full)) return full;
    const auto fields = Fields();
    int count = kFieldCount;
    // At least the code: an empty line would end the entries section.
    while (count > 1 && fields[size_t(count - 1)]->isEmpty()) --count;
    if (count < kFieldCount) {
        const QByteArray shorter = Formatted(count);
        if (ReadsBackFrom(shorter)) return shorter;
    }
    return line;
}

float ConfigEntry::ValueAsFloat() const
{
    return float(TextConv::Atof(value));
}

bool ConfigEntry::IsModified() const
{
    if (modified) return true;
    for (const auto& s : subEntries) {
        if (s->IsModified()) return true;
    }
    return false;
}

bool ConfigEntry::IsLockedCode(const QByteArray& c)
{
    // Characters are signed, so bytes above 127 count as below 'a' too.
    return c.isEmpty() || static_cast<signed char>(c[0]) < 'a';
}
