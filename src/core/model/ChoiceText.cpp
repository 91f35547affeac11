// SPDX-License-Identifier: MIT
#include "ChoiceText.h"

#include "ConfigEntry.h"
#include "TextConv.h"

namespace {

constexpr int kTwelveHourIndex = 0;
constexpr int kTwentyFourHourIndex = 1;

}  // namespace

QByteArray ChoiceText(const ConfigEntry& entry)
{
    int n = TextConv::TruncateToInt(TextConv::Atof(entry.value));
    // The time format is stored as the hours of the clock, not as a list position.
    if (entry.label == "Time format") {
        if (n == 12) {
            n = kTwelveHourIndex;
        } else if (n == 24) {
            n = kTwentyFourHourIndex;
        }
    }
    if (!entry.choices.contains(',') || n < 0) return QByteArray();
    const QList<QByteArray> items = entry.choices.split(',');
    return n < items.size() ? items[n] : QByteArray();
}
