// SPDX-License-Identifier: MIT
#include "SettingSearch.h"

#include <algorithm>

#include "ConfigModel.h"

namespace SettingSearch {

namespace {

enum Rank { kSameCode, kCodeStart, kLabelStart, kCodeInside, kLabelInside, kNoMatch };

Rank RankOf(const ConfigEntry& e, const QString& text)
{
    const QString code = QString::fromLatin1(e.code);
    const QString label = QString::fromLatin1(e.label);
    if (code.compare(text, Qt::CaseInsensitive) == 0) return kSameCode;
    if (code.startsWith(text, Qt::CaseInsensitive)) return kCodeStart;
    if (label.startsWith(text, Qt::CaseInsensitive)) return kLabelStart;
    if (code.contains(text, Qt::CaseInsensitive)) return kCodeInside;
    if (label.contains(text, Qt::CaseInsensitive)) return kLabelInside;
    return kNoMatch;
}

}  // namespace

std::vector<Match> Find(const ConfigModel& model, const QString& text, int limit)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || wanted.size() > kMaxTextLength || limit <= 0) return {};

    std::vector<std::pair<Rank, Match>> found;
    auto consider = [&](ConfigEntry& e) {
        if (e.hidden || e.controls.empty() || e.tabIndex < 0 || e.tabIndex >= int(model.tabs.size())) return;
        const Rank rank = RankOf(e, wanted);
        if (rank == kNoMatch) return;
        found.push_back({rank, Match{&e, e.code, e.label, e.tabIndex, model.tabs[size_t(e.tabIndex)].name}});
    };
    for (const EntryArray* list : {&model.entries, &model.extraEntries}) {
        for (const auto& top : *list) {
            consider(*top);
            for (const auto& sub : top->subEntries) consider(*sub);
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Match> matches;
    for (size_t i = 0; i < found.size() && int(i) < limit; ++i) matches.push_back(found[i].second);
    return matches;
}

}  // namespace SettingSearch
