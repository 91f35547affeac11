// SPDX-License-Identifier: MIT
#include "ConfigEntry.h"

#include "TextConv.h"

namespace {

constexpr char kEscapedColon = '\x02';

// Takes the text up to the first ':' and removes it and the ':' from `rest`.
// Without a ':' the field is empty and `rest` stays as it is.
QByteArray TakeField(QByteArray& rest)
{
    const int colon = rest.indexOf(':');
    if (colon < 0) return QByteArray();
    QByteArray field = rest.left(colon);
    rest.remove(0, colon + 1);
    return field;
}

QByteArray EscapeColons(const QByteArray& text)
{
    QByteArray out = text;
    return out.replace(":", "::");
}

}  // namespace

ConfigEntry::ConfigEntry(const QByteArray& entryLine, const QByteArray& section, int tab, ConfigEntry* owner)
    : tabIndex(tab), sectionName(section), line(entryLine), parent(owner)
{
    QByteArray rest = entryLine;
    rest.replace("::", QByteArray(1, kEscapedColon));
    QByteArray* fields[] = {&code, &x, &y, &value, &valueSpec, &choices, &label, &controlType};
    for (QByteArray* field : fields) {
        *field = TakeField(rest);
        field->replace(kEscapedColon, ':');
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

QByteArray ConfigEntry::FormatLine()
{
    QByteArray out;
    for (const QByteArray& f : {code, x, y, value}) out += f + ':';
    for (const QByteArray& f : {valueSpec, choices, label}) out += EscapeColons(f) + ':';
    out += controlType + ':';
    line = out;
    return out;
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
