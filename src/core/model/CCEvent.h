// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include "ConfigEntry.h"

// One "FIRE:" line: an event name bound to the entry whose changes raise it.
class CCEvent {
public:
    CCEvent() = default;
    CCEvent(const QByteArray& line, const EntryArray& entries);

    QByteArray sourceLine;
    QByteArray name;
    QByteArray code;
    ConfigEntry* entry = nullptr;
};
