// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "CommSettings.h"

// The per-user settings store: QSettings("Tervolin Scale Mfg", "Weighset"), group "Tarelink".
namespace SettingsStore {

inline constexpr char kOrganisation[] = "Tervolin Scale Mfg";
inline constexpr char kApplication[] = "Weighset";
inline constexpr char kGroup[] = "Tarelink";

// Reads the ten keys; a missing key gives its default, a stored value is used as it is.
CommSettings Load();
// Writes all ten keys in their order: nine strings, then the time-out as an integer.
void Save(const CommSettings& settings);

}  // namespace SettingsStore
