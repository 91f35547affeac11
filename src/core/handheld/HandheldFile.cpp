// SPDX-License-Identifier: MIT
#include "HandheldFile.h"

#include <QBuffer>

#include "model/ConfigModel.h"
#include "model/ConfigReader.h"
#include "model/TextConv.h"

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kEndLine[] = "END:";
constexpr int kModelNumberAt = 4;
constexpr int kModelNumberLength = 3;

}  // namespace

QByteArray HandheldFile::Compose(const ConfigModel& model)
{
    QByteArray out = model.fileDevice.modelLine + ':' + kLineEnd;
    for (const auto& entry : model.entries) out += entry->code + ':' + entry->value + ':' + kLineEnd;
    return out;
}

HandheldFile::Parsed HandheldFile::Parse(const QByteArray& bytes)
{
    Parsed parsed;
    QByteArray data = bytes;
    QBuffer stream(&data);
    stream.open(QIODevice::ReadOnly);
    QByteArray line;
    if (!ConfigReader::ReadRawLine(stream, line)) return parsed;
    parsed.modelNumber = TextConv::Mid(line, kModelNumberAt, kModelNumberLength);
    while (ConfigReader::ReadRawLine(stream, line)) {
        if (line.startsWith(kEndLine)) break;
        // A blank line sets nothing; read on, it would become a nameless extra setting.
        if (!line.isEmpty()) parsed.values += line + kLineEnd;
    }
    return parsed;
}

QByteArray HandheldFile::TicketFilePath(const QByteArray& handheldPath, int slot)
{
    const qsizetype dot = handheldPath.lastIndexOf('.');
    const QByteArray stem = dot < 0 ? handheldPath : handheldPath.left(dot);
    return stem + "-s" + QByteArray::number(slot) + ".dvc";
}
