// SPDX-License-Identifier: MIT
// Reply lines, checksums and the receive buffer, fed directly; line settings and port names.
#include <QtTest>

#include "ScriptedPrompts.h"
#include "link/DeviceLink.h"
#include "link/SerialTransport.h"
#include "platform/PortFactory.h"

class TestReplyFraming : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checksum_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty") << QByteArray() << 0;
        // 0x0a ^ 'G' ^ 'R' ^ ':' ^ '1' ^ ':' worked by hand; the lines below use it.
        QTest::newRow("GR:1:") << QByteArray("\nGR:1:") << 46;
        QTest::newRow("end command") << QByteArray("\nEND:0:") << 117;
        // Bytes above 127 count as negative signed chars.
        QTest::newRow("high byte") << QByteArray("\xe9") << -23;
        QTest::newRow("high pair") << QByteArray("\xe9\x01") << (-23 ^ 1);
    }
    void checksum()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        QCOMPARE(DeviceLink::LineChecksum(text), expected);
    }

    void checkReplyLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("result");
        const QByteArray gr = "\nGR:1:";
        QTest::newRow("checksum right") << gr + "^46" << true << QByteArray("GR:1:");
        QTest::newRow("checksum wrong") << gr + "^47" << false << QByteArray();
        QTest::newRow("checksum missing digits") << gr + '^' << false << QByteArray();
        QTest::newRow("no caret") << QByteArray("\nMOD:637") << true << QByteArray("MOD:637");
        QTest::newRow("line feed only") << QByteArray("\n") << true << QByteArray();
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
        QTest::newRow("caret first") << QByteArray("^12") << true << QByteArray("12");
        QTest::newRow("text after number ignored") << gr + "^46xyz" << true << QByteArray("GR:1:");
    }
    void checkReplyLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, result);
        QCOMPARE(DeviceLink::CheckReplyLine(line), accepted);
        if (accepted) QCOMPARE(line, result);
    }

    // Each arrival moves at most one line to the pending lines; checks how the buffer and
    // the pending lines look after each arrival.
    void arrivals_data()
    {
        QTest::addColumn<QList<QByteArray>>("arrivals");
        QTest::addColumn<QList<QByteArray>>("pending");
        QTest::addColumn<QByteArray>("buffer");
        using L = QList<QByteArray>;
        QTest::newRow("one line in pieces") << L{"\nMO", "D:6", "37\r"} << L{"MOD:637"} << QByteArray();
        QTest::newRow("two lines at once: one queued")
            << L{"\nSMA:1\r\nMFG:x\r"} << L{"SMA:1"} << QByteArray("\nMFG:x\r");
        QTest::newRow("second line taken on the next arrival")
            << L{"\nSMA:1\r\nMFG:x\r", "D"} << L{"SMA:1", "MFG:x"} << QByteArray("D");
        QTest::newRow("no leading line feed dropped") << L{"MOD:637\r"} << L{} << QByteArray();
        QTest::newRow("bad checksum dropped") << L{"\nGR:1:^0\r"} << L{} << QByteArray();
        QTest::newRow("checksummed line") << L{"\nGR:1:^46\r"} << L{"GR:1:"} << QByteArray();
        QTest::newRow("question mark kept") << L{"\n?\r"} << L{"?"} << QByteArray();
        QTest::newRow("bare ack stays in buffer") << L{"D"} << L{} << QByteArray("D");
        QTest::newRow("100 characters kept") << L{QByteArray(100, 'x')} << L{} << QByteArray(100, 'x');
        QTest::newRow("101 characters discarded") << L{QByteArray(101, 'x')} << L{} << QByteArray();
        QTest::newRow("discard takes pending lines too")
            << L{"\nA:1\r", QByteArray(101, 'x')} << L{} << QByteArray();
        QTest::newRow("discard counts what was left before")
            << L{QByteArray(60, 'y'), QByteArray(41, 'x')} << L{} << QByteArray();
    }
    void arrivals()
    {
        QFETCH(QList<QByteArray>, arrivals);
        QFETCH(QList<QByteArray>, pending);
        QFETCH(QByteArray, buffer);
        CommSettings settings = CommSettings::Defaults();
        ScriptedPrompts prompts;
        DeviceLink link(settings, prompts, [](const QByteArray&, int) {});
        for (const QByteArray& a : arrivals) link.OnSerialEvent(a);
        QCOMPARE(link.pendingReplyLines, pending);
        QCOMPARE(link.receiveBuffer, buffer);
    }

    void socketPathHasNoDiscardAndNoLineModeTest()
    {
        CommSettings settings = CommSettings::Defaults();
        ScriptedPrompts prompts;
        DeviceLink link(settings, prompts, [](const QByteArray&, int) {});
        link.lineMode = 0;
        link.OnSocketData(QByteArray(150, 'x') + "\nOK\r");
        QCOMPARE(link.pendingReplyLines, QList<QByteArray>());  // the x's are not a line
        QCOMPARE(link.receiveBuffer, QByteArray());
        link.OnSocketData("\nOK\r");
        QCOMPARE(link.pendingReplyLines, QList<QByteArray>{"OK"});
        // Line mode off: serial arrivals stay raw.
        link.OnSerialEvent("\nRAW\r");
        QCOMPARE(link.receiveBuffer, QByteArray("\nRAW\r"));
        QCOMPARE(link.pendingReplyLines.size(), 1);
    }

    // Parsed as "baud parity data stop" (the port's enums as numbers); empty when refused.
    void parseLineSettings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("parsed");
        auto row = [](const char* text, QString parsed) { QTest::newRow(text) << QByteArray(text) << parsed; };
        const auto parsed = [](int baud, int parity, int data, int stop) {
            return QStringLiteral("%1 %2 %3 %4").arg(baud).arg(parity).arg(data).arg(stop);
        };
        row("9600,N,8,1", parsed(9600, QSerialPort::NoParity, 8, QSerialPort::OneStop));
        row("19200,E,7,2", parsed(19200, QSerialPort::EvenParity, 7, QSerialPort::TwoStop));
        row("38400,O,8,1", parsed(38400, QSerialPort::OddParity, 8, QSerialPort::OneStop));
        for (const char* bad : {",N,8,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3", "9600,N,8"}) row(bad, QString());
    }
    void parseLineSettings()
    {
        QFETCH(QByteArray, text);
        SerialTransport::LineSettings s;
        const bool valid = SerialTransport::ParseLineSettings(text, &s);
        QTEST(valid ? QStringLiteral("%1 %2 %3 %4").arg(s.baudRate).arg(s.parity).arg(s.dataBits).arg(s.stopBits)
                    : QString(),
              "parsed");
    }

    void devicePaths_data()
    {
        QTest::addColumn<QByteArray>("port");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM1") << QByteArray("COM1") << QStringLiteral("/dev/ttyS0");
        QTest::newRow("COM12") << QByteArray("COM12") << QStringLiteral("/dev/ttyS11");
        QTest::newRow("NONE") << QByteArray("NONE") << QString();
        QTest::newRow("TCP/IP") << QByteArray("TCP/IP") << QString();
        QTest::newRow("COM0") << QByteArray("COM0") << QString();
        QTest::newRow("device path") << QByteArray("/dev/ttyUSB0") << QStringLiteral("/dev/ttyUSB0");
    }
    void devicePaths()
    {
        QFETCH(QByteArray, port);
        QFETCH(QString, path);
        QCOMPARE(PortFactory::SerialDevicePath(port), path);
    }
};

QTEST_GUILESS_MAIN(TestReplyFraming)
#include "tst_replyframing.moc"
