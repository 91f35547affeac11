// SPDX-License-Identifier: MIT
#include "CInterlock.h"

#include <cstring>

#include "ConfigModel.h"
#include "EntryValues.h"
#include "TextConv.h"

QByteArray CInterlock::NextToken(QByteArray& source, const char* delimiters, char* found)
{
    for (int i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c != '\0' && std::strchr(delimiters, c)) {
            QByteArray token = source.left(i);
            source.remove(0, i + 1);
            if (found) *found = c;
            return token;
        }
    }
    QByteArray token = source;
    source.clear();
    if (found) *found = 0;
    return token;
}

CInterlockItem* CInterlock::AddTarget(const QByteArray& code, const EntryArray& entries)
{
    if (code.isEmpty()) return nullptr;
    for (const auto& top : entries) {
        ConfigEntry* hit = nullptr;
        if (top->code == code) {
            hit = top.get();
        } else {
            for (const auto& sub : top->subEntries) {
                if (sub->code == code) {
                    hit = sub.get();
                    break;
                }
            }
        }
        if (hit) {
            targets.push_back(CInterlockItem{{}, hit});
            return &targets.back();
        }
    }
    return nullptr;
}

CInterlock::CInterlock(const QByteArray& line, int ruleType, const EntryArray& entries)
    : type(ruleType), sourceLine(line)
{
    QByteArray rest = line;
    char delim = 0;
    NextToken(rest, ":");

    // Every list loop stops at its first failure; what is left is read as the following parts.
    auto readTargets = [&]() {
        CInterlockItem* added = nullptr;
        do {
            added = AddTarget(NextToken(rest, ",:", &delim), entries);
        } while (added && delim == ',');
    };
    auto readControl = [&]() {
        controlEntry = ConfigModel::FindTopLevelEntry(entries, NextToken(rest, ":"));
    };
    auto readValues = [&](QList<QByteArray>& into, bool allowed) {
        bool appended = false;
        do {
            const QByteArray token = NextToken(rest, ",:", &delim);
            appended = allowed && !token.isEmpty();
            if (appended) into.append(token);
        } while (appended && delim == ',');
    };

    switch (type) {
    case kEnable:
    case kDisable:
    case kHide:
    case kShow:
        readTargets();
        readControl();
        readValues(values, true);
        break;
    case kReject: {
        readControl();
        readValues(values, true);
        CInterlockItem* target = AddTarget(NextToken(rest, ":"), entries);
        QList<QByteArray> rejected;
        readValues(rejected, target != nullptr);
        if (target) target->values = rejected;
        break;
    }
    case kVerify:
        readTargets();
        readControl();
        break;
    default:
        controlEntry = nullptr;
        break;
    }
}

int CInterlock::Apply(ConfigEntry* changed, const QByteArray& text, int displayedTab, const ConfigModel& model)
{
    if (!changed || controlEntry != changed) return 0;

    if (type != kVerify) {
        const QByteArray converted = EntryValues::ConvertToValue(*changed, text, nullptr, model);
        if (values.isEmpty() || !values.contains(converted)) return 0;
    }

    for (CInterlockItem& item : targets) {
        ConfigEntry* target = item.entry;
        if (!target) break;
        switch (type) {
        case kEnable:
        case kDisable: {
            if (target->disabled) break;
            const bool on = type == kEnable;
            for (auto& c : target->controls) {
                if (c->Kind() == ControlKind::Edit) {
                    c->SetWritable(on);
                    c->Redraw();
                } else {
                    c->SetEnabled(on);
                }
            }
            break;
        }
        case kHide:
        case kShow: {
            const bool show = type == kShow;
            target->hidden = show ? 0 : 1;
            if (target->tabIndex == displayedTab) {
                for (auto& c : target->controls) c->SetVisible(show);
            }
            break;
        }
        case kReject:
            for (auto& c : target->controls) {
                const QByteArray shown = c->Text();
                for (const QByteArray& rejected : item.values) {
                    if (EntryValues::ConvertToValue(*target, shown, nullptr, model) == rejected) {
                        EntryValues::ApplyBoundValue(*target, 0, model);
                    }
                }
            }
            break;
        case kVerify: {
            const float limit = float(TextConv::Atof(changed->value));
            const float current = float(TextConv::Atof(target->value));
            if (current > limit) {
                for (auto& c : target->controls) {
                    if (!c->IsStatic()) c->SetText(changed->value);
                }
                target->SetValue(changed->value);
            }
            break;
        }
        default:
            break;
        }
    }
    return 1;
}
