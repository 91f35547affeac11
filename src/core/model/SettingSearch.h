// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class ConfigEntry;
class ConfigModel;

// Finding a setting by part of its code or label, for the window's find field.
namespace SettingSearch {

struct Match {
    ConfigEntry* entry = nullptr;
    QByteArray code;
    QByteArray label;
    int tab = -1;
    QByteArray tabName;
};

// The entries whose code or label contains `text` (case ignored), best first: the code
// itself, then codes and labels that begin with it, then the rest, each in page order.
// Hidden entries, entries without a control and entries on no tab are never offered;
// at most `limit` matches.
std::vector<Match> Find(const ConfigModel& model, const QString& text, int limit);

// Nothing longer can match: no entry line is longer.
inline constexpr int kMaxTextLength = 255;

}  // namespace SettingSearch
