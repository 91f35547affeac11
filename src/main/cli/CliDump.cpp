// SPDX-License-Identifier: MIT
#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>

#include "Cli.h"
#include "CliJson.h"
#include "CliSession.h"
#include "tickets/TicketStore.h"

namespace {

QJsonValue CodeOrNull(const ConfigEntry* entry)
{
    return entry ? CliJson::Text(entry->code) : QJsonValue(QJsonValue::Null);
}

QJsonArray Texts(const QList<QByteArray>& texts)
{
    QJsonArray out;
    for (const QByteArray& t : texts) out.append(CliJson::Text(t));
    return out;
}

QJsonArray Entries(const EntryArray& entries);

QJsonObject Entry(const ConfigEntry& e)
{
    QJsonObject o;
    o.insert(QStringLiteral("code"), CliJson::Text(e.code));
    o.insert(QStringLiteral("x"), CliJson::Text(e.x));
    o.insert(QStringLiteral("y"), CliJson::Text(e.y));
    o.insert(QStringLiteral("value"), CliJson::Text(e.value));
    o.insert(QStringLiteral("valueSpec"), CliJson::Text(e.valueSpec));
    o.insert(QStringLiteral("choices"), CliJson::Text(e.choices));
    o.insert(QStringLiteral("label"), CliJson::Text(e.label));
    o.insert(QStringLiteral("controlType"), CliJson::Text(e.controlType));
    o.insert(QStringLiteral("sectionName"), CliJson::Text(e.sectionName));
    o.insert(QStringLiteral("tabIndex"), e.tabIndex);
    o.insert(QStringLiteral("hidden"), e.hidden);
    o.insert(QStringLiteral("disabled"), e.disabled);
    o.insert(QStringLiteral("hasValue"), e.hasValue);
    o.insert(QStringLiteral("modified"), e.modified);
    o.insert(QStringLiteral("subEntries"), Entries(e.subEntries));
    return o;
}

QJsonArray Entries(const EntryArray& entries)
{
    QJsonArray out;
    for (const auto& e : entries) out.append(Entry(*e));
    return out;
}

QJsonArray Tabs(const std::vector<TabItem>& tabs)
{
    QJsonArray out;
    for (const TabItem& t : tabs) {
        QJsonObject o;
        o.insert(QStringLiteral("name"), CliJson::Text(t.name));
        o.insert(QStringLiteral("image"), t.image);
        out.append(o);
    }
    return out;
}

QJsonArray Interlocks(const std::vector<CInterlock>& rules)
{
    QJsonArray out;
    for (const CInterlock& r : rules) {
        QJsonArray targets;
        for (const CInterlockItem& item : r.targets) {
            QJsonObject t;
            t.insert(QStringLiteral("code"), CodeOrNull(item.entry));
            t.insert(QStringLiteral("values"), Texts(item.values));
            targets.append(t);
        }
        QJsonObject o;
        o.insert(QStringLiteral("type"), r.type);
        o.insert(QStringLiteral("sourceLine"), CliJson::Text(r.sourceLine));
        o.insert(QStringLiteral("control"), CodeOrNull(r.controlEntry));
        o.insert(QStringLiteral("values"), Texts(r.values));
        o.insert(QStringLiteral("targets"), targets);
        out.append(o);
    }
    return out;
}

QJsonArray Events(const std::vector<CCEvent>& events)
{
    QJsonArray out;
    for (const CCEvent& e : events) {
        QJsonObject o;
        o.insert(QStringLiteral("name"), CliJson::Text(e.name));
        o.insert(QStringLiteral("code"), CliJson::Text(e.code));
        o.insert(QStringLiteral("entry"), CodeOrNull(e.entry));
        o.insert(QStringLiteral("sourceLine"), CliJson::Text(e.sourceLine));
        out.append(o);
    }
    return out;
}

QJsonArray LogLines(const StatusLog& log)
{
    QJsonArray out;
    for (const StatusLine& line : log.Lines()) {
        QJsonObject o;
        o.insert(QStringLiteral("kind"), CliJson::Text(StatusLog::KindLabel(line.kind)));
        o.insert(QStringLiteral("text"), CliJson::Text(line.text));
        out.append(o);
    }
    return out;
}

QJsonObject Describe(CliSession& session)
{
    Workbench& bench = session.Bench();
    const ConfigModel& m = bench.Model();
    QJsonObject variables;
    variables.insert(QStringLiteral("capacity"), CodeOrNull(m.capacityEntry));
    variables.insert(QStringLiteral("decimalPoint"), CodeOrNull(m.decimalPointEntry));
    variables.insert(QStringLiteral("interval"), CodeOrNull(m.intervalEntry));
    variables.insert(QStringLiteral("tare"), CodeOrNull(m.tareEntry));

    QJsonObject o;
    o.insert(QStringLiteral("result"), session.ReaderResult());
    o.insert(QStringLiteral("documentPath"), CliJson::Text(m.documentPath));
    o.insert(QStringLiteral("fileDevice"), CliJson::Device(m.fileDevice));
    o.insert(QStringLiteral("attachedDevice"), CliJson::Device(m.attachedDevice));
    o.insert(QStringLiteral("tabs"), Tabs(m.tabs));
    o.insert(QStringLiteral("extendedTab"), m.extendedTab);
    o.insert(QStringLiteral("modelInfoTab"), m.modelInfoTab);
    o.insert(QStringLiteral("printTab"), m.printTab);
    o.insert(QStringLiteral("ticketCapable"), m.ticketCapable);
    o.insert(QStringLiteral("entries"), Entries(m.entries));
    o.insert(QStringLiteral("extraEntries"), Entries(m.extraEntries));
    o.insert(QStringLiteral("variables"), variables);
    o.insert(QStringLiteral("interlocks"), Interlocks(m.interlocks));
    o.insert(QStringLiteral("events"), Events(m.events));
    o.insert(QStringLiteral("slotCount"), int(bench.Tickets().TicketCount()));
    o.insert(QStringLiteral("log"), LogLines(bench.Log()));
    return o;
}

}  // namespace

namespace Cli {

int Dump(const QStringList& arguments)
{
    QStringList args = arguments;
    if (!TakeDataOption(args)) return CliSession::kExitCannotOpen;
    if (args.size() != 1) {
        std::fputs("Usage: tarelink-cli dump FILE [--data DIR]\n", stderr);
        return CliSession::kExitCannotOpen;
    }
    CliSession session;
    const int code = session.Load(args.first());
    if (code == CliSession::kExitCannotOpen) return code;
    CliJson::Print(Describe(session));
    return code;
}

}  // namespace Cli
