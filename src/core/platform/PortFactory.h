// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QSerialPort;

// Makes the serial ports the link opens. The product uses the default; tests hand in a
// factory that maps a "Port" setting to a pseudo-terminal or records what was asked for.
class PortFactory {
public:
    virtual ~PortFactory() = default;

    // The device path the link opens for a "Port" setting; empty when it names no port.
    virtual QString DevicePathFor(const QByteArray& portSetting) const;
    // A closed port object for a device path.
    virtual std::unique_ptr<QSerialPort> CreatePort(const QString& devicePath);

    // The one place the saved names become device paths: a value beginning with '/' is a path
    // used as it is; otherwise the number after the first three characters ("COM12" -> 12)
    // is the port number n, which names /dev/ttyS(n-1); no number (or 0) names no port.
    static QString SerialDevicePath(const QByteArray& portSetting);
    // The port number as the settings give it: the decimal number after the first three characters.
    static int PortNumber(const QByteArray& portSetting);

    // The factory of the product.
    static PortFactory& Default();
};
