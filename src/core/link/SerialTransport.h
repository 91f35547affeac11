// SPDX-License-Identifier: MIT
#pragma once

#include <QSerialPort>
#include <functional>
#include <memory>

#include "ByteTransport.h"

class PortFactory;

// The serial carrier: a QSerialPort from the port factory, with the line settings written
// as the settings dialog's texts make them ("9600,N,8,1").
class SerialTransport : public ByteTransport {
    Q_OBJECT
public:
    struct LineSettings {
        qint32 baudRate = 9600;
        QSerialPort::Parity parity = QSerialPort::NoParity;
        QSerialPort::DataBits dataBits = QSerialPort::Data8;
        QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    };
    // "speed,parity letter,data bits,stop bits"; false when a part is not one a port takes.
    static bool ParseLineSettings(const QByteArray& text, LineSettings* out);

    explicit SerialTransport(PortFactory& factory, QObject* parent = nullptr);
    ~SerialTransport() override;

    // Opens the device with the line settings; false with a text fit to show the technician.
    bool Open(const QString& devicePath, const QByteArray& lineSettings, QString* error);
    bool IsOpen() const override;
    bool Write(const QByteArray& bytes) override;
    qint64 BytesToWrite() const override { return port_ ? port_->bytesToWrite() : 0; }
    void Close() override;

    // The canonical path of the open (or last opened) device.
    QString DevicePath() const { return devicePath_; }

private:
    // Runs one line-setting call; a setting the device cannot take is let pass.
    bool Apply(const std::function<bool()>& setter);
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    void ReportFault(const QString& text);
    void ShutPort();

    PortFactory& factory_;
    std::unique_ptr<QSerialPort> port_;
    QString devicePath_;
    bool opening_ = false;
    // Set at the first fault: the port is going away and every later error is the same fault.
    bool closing_ = false;
};
