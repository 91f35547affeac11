// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// The ten communication settings, held as the texts the settings dialog shows.
struct CommSettings {
    QByteArray port;            // "Port": "COM1".."COM18", "TCP/IP", or a device path beginning with '/'
    QByteArray baudRate;        // "BaudRate"
    QByteArray parity;          // "Parity"
    QByteArray stopBits;        // "StopBits"
    QByteArray dataBits;        // "DataBits"
    QByteArray remoteAddress;   // "Remote Address": the indicator on TCP/IP
    QByteArray serverAddress;   // "Server Address": the host of a remote session
    QByteArray remotePort;      // "Remote Port"
    QByteArray alternatePort;   // "Alternate Port"
    unsigned tcpIpTimeout = 100;  // "Tcp/Ip Timeout"

    static CommSettings Defaults();
    // "Port" names the indicator on TCP/IP rather than a serial port.
    bool IsTcp() const;
};

// The "Port" setting that selects the indicator on TCP/IP instead of a serial port.
inline constexpr char kTcpPortName[] = "TCP/IP";

inline bool CommSettings::IsTcp() const
{
    return port == kTcpPortName;
}

// The fixed address offered for the indicator on TCP/IP until the technician sets another.
inline constexpr char kDefaultRemoteAddress[] = "192.168.0.100";
