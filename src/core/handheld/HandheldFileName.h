// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Names that arrive from a handheld PC become file names in the handheld folder. The handheld
// is not trusted to send only names that stay there: a name holding '/' or '\', a leading
// '.', control characters, or nothing at all is mapped to a safe one.
class HandheldFileName {
public:
    // The name a handheld configuration is stored under: trailing white space removed, every
    // '/', '\' and control character replaced by '_', a leading '.' replaced by '_', and an
    // empty name "unnamed". `changed` tells whether the result differs from the trimmed name.
    static QByteArray Safe(const QByteArray& name, bool* changed = nullptr);
    // "<folder><base>.plm"; its tickets are named by HandheldFile::TicketFilePath.
    static QString ConfigurationPath(const QString& folder, const QByteArray& base);
};

inline constexpr char kUnnamedHandheldFile[] = "unnamed";
