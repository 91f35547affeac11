// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>

class CDevice;

// JSON shapes shared by the command line's commands. Strings are the stored 8-bit texts
// read as Latin-1.
namespace CliJson {

inline QJsonValue Text(const QByteArray& bytes) { return QJsonValue(QString::fromLatin1(bytes)); }
// {"identified", "unlocked", "mfgLine", "modelLine", "revisionLine", "protocolLine", "fieldsLine"}
QJsonObject Device(const CDevice& device);
// Writes one JSON object and a newline to stdout.
void Print(const QJsonObject& object);

}  // namespace CliJson
