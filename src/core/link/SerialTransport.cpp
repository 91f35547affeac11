// SPDX-License-Identifier: MIT
#include "SerialTransport.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <cerrno>
#include <unistd.h>

#include "model/TextConv.h"
#include "platform/PortFactory.h"

Q_DECLARE_LOGGING_CATEGORY(lcLink)

namespace {

constexpr char kNoPortText[] = "Invalid port number";
constexpr char kNoSuchDeviceText[] = "No such file or directory";
constexpr char kNoAccessText[] = "Permission denied - add your user to the dialout group";
constexpr char kInUseText[] = "The port is in use by another program";
constexpr char kBadSettingsText[] = "Invalid line settings";
constexpr char kHangUpText[] = "The serial device stopped answering (unplugged or hung up)";
constexpr char kWriteFailedText[] = "Writing to the serial port failed";

// Errors that leave the port usable: a read that timed out, a modem-line call a
// pseudo-terminal does not support.
bool IsHarmless(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
           error == QSerialPort::UnsupportedOperationError;
}

}  // namespace

bool SerialTransport::ParseLineSettings(const QByteArray& text, LineSettings* out)
{
    const QList<QByteArray> parts = text.split(',');
    if (parts.size() != 4) return false;
    LineSettings s;
    s.baudRate = TextConv::Atoi(parts[0]);
    if (s.baudRate <= 0) return false;
    switch (parts[1].isEmpty() ? '\0' : parts[1][0]) {
    case 'N': s.parity = QSerialPort::NoParity; break;
    case 'E': s.parity = QSerialPort::EvenParity; break;
    case 'O': s.parity = QSerialPort::OddParity; break;
    case 'M': s.parity = QSerialPort::MarkParity; break;
    case 'S': s.parity = QSerialPort::SpaceParity; break;
    default: return false;
    }
    switch (TextConv::Atoi(parts[2])) {
    case 5: s.dataBits = QSerialPort::Data5; break;
    case 6: s.dataBits = QSerialPort::Data6; break;
    case 7: s.dataBits = QSerialPort::Data7; break;
    case 8: s.dataBits = QSerialPort::Data8; break;
    default: return false;
    }
    if (parts[3] == "1") {
        s.stopBits = QSerialPort::OneStop;
    } else if (parts[3] == "1.5") {
        s.stopBits = QSerialPort::OneAndHalfStop;
    } else if (parts[3] == "2") {
        s.stopBits = QSerialPort::TwoStop;
    } else {
        return false;
    }
    if (out) *out = s;
    return true;
}

SerialTransport::SerialTransport(PortFactory& factory, QObject* parent) : ByteTransport(parent), factory_(factory) {}

SerialTransport::~SerialTransport()
{
    if (port_) {
        port_->disconnect(this);
        if (port_->isOpen()) port_->close();
    }
}

bool SerialTransport::Open(const QString& devicePath, const QByteArray& lineSettings, QString* error)
{
    auto fail = [error](const QString& text) {
        if (error) *error = text;
        return false;
    };
    Close();
    if (devicePath.isEmpty()) return fail(QLatin1String(kNoPortText));
    LineSettings settings;
    if (!ParseLineSettings(lineSettings, &settings)) {
        return fail(QLatin1String(kBadSettingsText) + QLatin1Char(' ') + QString::fromLatin1(lineSettings));
    }
    // Lock files are named after the path: a symlink and its target must lock alike.
    const QString canonical = QFileInfo(devicePath).canonicalFilePath();
    if (canonical.isEmpty()) return fail(QLatin1String(kNoSuchDeviceText));
    devicePath_ = canonical;

    port_ = factory_.CreatePort(canonical);
    port_->setPortName(canonical);
    connect(port_.get(), &QSerialPort::readyRead, this, &SerialTransport::OnReadyRead);
    connect(port_.get(), &QSerialPort::errorOccurred, this, &SerialTransport::OnError);

    opening_ = true;
    closing_ = false;
    const bool opened = port_->open(QIODevice::ReadWrite);
    opening_ = false;
    if (!opened) {
        const QSerialPort::SerialPortError why = port_->error();
        const QString qtText = port_->errorString();
        port_->disconnect(this);
        port_.reset();
        if (why == QSerialPort::DeviceNotFoundError) return fail(QLatin1String(kNoSuchDeviceText));
        if (why == QSerialPort::PermissionError) {
            const QByteArray path = QFile::encodeName(canonical);
            if (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES) {
                return fail(QLatin1String(kNoAccessText));
            }
            return fail(QLatin1String(kInUseText));
        }
        return fail(qtText);
    }
    opening_ = true;
    const bool applied = Apply([&]() { return port_->setBaudRate(settings.baudRate); }) &&
                         Apply([&]() { return port_->setParity(settings.parity); }) &&
                         Apply([&]() { return port_->setDataBits(settings.dataBits); }) &&
                         Apply([&]() { return port_->setStopBits(settings.stopBits); });
    opening_ = false;
    if (!applied) {
        const QString qtText = port_->errorString();
        port_->disconnect(this);
        port_->close();
        port_.reset();
        return fail(QLatin1String(kBadSettingsText) + QStringLiteral(" (") + qtText + QLatin1Char(')'));
    }
    // Bytes the driver kept from before the open are not ours.
    port_->clear(QSerialPort::AllDirections);
    // Modem-line calls fail on pseudo-terminals; that is no reason to refuse the port.
    port_->clearError();
    qCDebug(lcLink) << "serial port open" << canonical << lineSettings;
    return true;
}

bool SerialTransport::IsOpen() const
{
    return port_ && port_->isOpen() && !closing_;
}

bool SerialTransport::Write(const QByteArray& bytes)
{
    if (!IsOpen()) return false;
    if (port_->write(bytes) != bytes.size()) {
        ReportFault(QLatin1String(kWriteFailedText));
        return false;
    }
    return true;
}

void SerialTransport::Close()
{
    if (!port_) return;
    port_->disconnect(this);
    if (port_->isOpen()) {
        // What was handed over goes out (a printer gets its whole ticket): the port keeps
        // written bytes until the event loop runs, and closing would drop them.
        for (qint64 left = port_->bytesToWrite(); left > 0;) {
            port_->flush();
            const qint64 now = port_->bytesToWrite();
            if (now >= left) break;
            left = now;
        }
        port_->close();
    }
    port_.reset();
    closing_ = false;
}

bool SerialTransport::Apply(const std::function<bool()>& setter)
{
    if (setter()) return true;
    // A pseudo-terminal keeps 8 data bits and no parity whatever it is told; a real port
    // honours them. Neither is a reason to refuse the port.
    if (port_->error() != QSerialPort::UnsupportedOperationError) return false;
    qCDebug(lcLink) << "line setting not supported by" << devicePath_ << port_->errorString();
    port_->clearError();
    return true;
}

void SerialTransport::OnReadyRead()
{
    if (!port_ || closing_) return;
    const QByteArray bytes = port_->readAll();
    if (!bytes.isEmpty()) Q_EMIT BytesArrived(bytes);
}

void SerialTransport::OnError(QSerialPort::SerialPortError error)
{
    if (opening_ || closing_ || !port_) return;
    if (IsHarmless(error)) {
        if (error == QSerialPort::UnsupportedOperationError) port_->clearError();
        return;
    }
    qCDebug(lcLink) << "serial error" << error << port_->errorString();
    QString text = QLatin1String(kHangUpText);
    if (error == QSerialPort::WriteError) text = QLatin1String(kWriteFailedText);
    ReportFault(text);
}

void SerialTransport::ReportFault(const QString& text)
{
    if (closing_) return;
    // A hung-up port raises the same error again and again while it stays open; one report,
    // then the port goes, but not from inside its own signal.
    closing_ = true;
    QMetaObject::invokeMethod(this, &SerialTransport::ShutPort, Qt::QueuedConnection);
    Q_EMIT Failed(text);
}

void SerialTransport::ShutPort()
{
    if (!closing_) return;
    Close();
}
