// SPDX-License-Identifier: MIT
#include "SettingsStore.h"

#include <QSettings>

#include "model/TextConv.h"

CommSettings CommSettings::Defaults()
{
    CommSettings s;
    s.port = "COM1";
    s.baudRate = "9600";
    s.parity = "None";
    s.stopBits = "1 bit";
    s.dataBits = "8 bits";
    s.remoteAddress = kDefaultRemoteAddress;
    s.serverAddress = "127.0.0.1";
    s.remotePort = "3001";
    s.alternatePort = "COM1";
    s.tcpIpTimeout = 100;
    return s;
}

namespace SettingsStore {

namespace {

QByteArray ReadString(QSettings& s, const char* key, const QByteArray& fallback)
{
    const QString k = QString::fromLatin1(key);
    if (!s.contains(k)) return fallback;
    return s.value(k).toString().toLatin1();
}
}  // namespace

CommSettings Load()
{
    const CommSettings d = CommSettings::Defaults();
    QSettings s(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    s.beginGroup(QString::fromLatin1(kGroup));
    CommSettings c;
    c.port = ReadString(s, "Port", d.port);
    c.baudRate = ReadString(s, "BaudRate", d.baudRate);
    c.parity = ReadString(s, "Parity", d.parity);
    c.stopBits = ReadString(s, "StopBits", d.stopBits);
    c.dataBits = ReadString(s, "DataBits", d.dataBits);
    c.remoteAddress = ReadString(s, "Remote Address", d.remoteAddress);
    c.serverAddress = ReadString(s, "Server Address", d.serverAddress);
    c.remotePort = ReadString(s, "Remote Port", d.remotePort);
    c.alternatePort = ReadString(s, "Alternate Port", d.alternatePort);
    const QString timeoutKey = QStringLiteral("Tcp/Ip Timeout");
    // The integer profile call reads a stored text as its leading digits.
    c.tcpIpTimeout = s.contains(timeoutKey)
        ? unsigned(TextConv::Atoi(s.value(timeoutKey).toString().toLatin1()))
        : d.tcpIpTimeout;
    s.endGroup();
    return c;
}

void Save(const CommSettings& c)
{
    QSettings s(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
    s.beginGroup(QString::fromLatin1(kGroup));
    auto put = [&s](const char* key, const QByteArray& v) {
        s.setValue(QString::fromLatin1(key), QString::fromLatin1(v));
    };
    put("Port", c.port);
    put("BaudRate", c.baudRate);
    put("Parity", c.parity);
    put("StopBits", c.stopBits);
    put("DataBits", c.dataBits);
    put("Remote Address", c.remoteAddress);
    put("Server Address", c.serverAddress);
    put("Remote Port", c.remotePort);
    put("Alternate Port", c.alternatePort);
    s.setValue(QStringLiteral("Tcp/Ip Timeout"), int(c.tcpIpTimeout));
    s.endGroup();
    s.sync();
}

}  // namespace SettingsStore
