// SPDX-License-Identifier: MIT
#include "CliJson.h"

#include <QJsonDocument>
#include <cstdio>

#include "model/CDevice.h"

namespace CliJson {

QJsonObject Device(const CDevice& d)
{
    QJsonObject o;
    o.insert(QStringLiteral("identified"), d.identified);
    o.insert(QStringLiteral("unlocked"), d.unlocked);
    o.insert(QStringLiteral("mfgLine"), Text(d.mfgLine));
    o.insert(QStringLiteral("modelLine"), Text(d.modelLine));
    o.insert(QStringLiteral("revisionLine"), Text(d.revisionLine));
    o.insert(QStringLiteral("protocolLine"), Text(d.protocolLine));
    o.insert(QStringLiteral("fieldsLine"), Text(d.fieldsLine));
    return o;
}

void Print(const QJsonObject& object)
{
    const QByteArray out = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
}

}  // namespace CliJson
