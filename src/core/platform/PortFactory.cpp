// SPDX-License-Identifier: MIT
#include "PortFactory.h"

#include <QSerialPort>

#include "model/TextConv.h"

namespace {
// COM1 is the first serial device the kernel names.
constexpr char kSerialDevicePrefix[] = "/dev/ttyS";
constexpr int kPortNameDigitsFrom = 3;
}  // namespace

QString PortFactory::DevicePathFor(const QByteArray& portSetting) const
{
    return SerialDevicePath(portSetting);
}

std::unique_ptr<QSerialPort> PortFactory::CreatePort(const QString& devicePath)
{
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(devicePath);
    return port;
}

int PortFactory::PortNumber(const QByteArray& portSetting)
{
    return TextConv::Atoi(TextConv::Mid(portSetting, kPortNameDigitsFrom));
}

QString PortFactory::SerialDevicePath(const QByteArray& portSetting)
{
    if (portSetting.startsWith('/')) return QString::fromLocal8Bit(portSetting);
    const int number = PortNumber(portSetting);
    if (number <= 0) return QString();
    return QLatin1String(kSerialDevicePrefix) + QString::number(number - 1);
}

PortFactory& PortFactory::Default()
{
    static PortFactory factory;
    return factory;
}
