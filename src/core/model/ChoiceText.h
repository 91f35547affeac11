// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class ConfigEntry;

// The display text of an entry's current value: the value, read as a number, indexes the
// comma-separated display choices (an entry labelled "Time format" maps 12 and 24 to 0 and 1).
// Empty when the choices are no list or the index is outside them.
QByteArray ChoiceText(const ConfigEntry& entry);
