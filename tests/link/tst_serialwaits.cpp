// SPDX-License-Identifier: MIT
// The carriers and the three waits: a real pseudo-terminal with the simulator on the other
// end, and the device socket over loopback TCP.
#include <QSerialPort>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

#include "IndicatorSim.h"
#include "ScriptedPrompts.h"
#include "StatusLog.h"
#include "link/CScaleSocket.h"
#include "link/DeviceLink.h"
#include "platform/PortFactory.h"

namespace {

// Short enough to keep the suite quick, long enough for a loaded machine to deliver bytes.
constexpr int kTestReplyTimeoutMs = 700;
// Used where the wait must end for another reason than its bound.
constexpr int kLongTimeoutMs = 30000;
constexpr int kTestConnectTimeoutMs = 300;

// A status line as the link posts it: text and kind.
using Logged = QPair<QByteArray, int>;

// Counts the errors every port it makes reports, to see a flood.
class CountingFactory : public PortFactory {
public:
    std::unique_ptr<QSerialPort> CreatePort(const QString& path) override
    {
        auto port = PortFactory::CreatePort(path);
        QObject::connect(port.get(), &QSerialPort::errorOccurred, port.get(), [this](QSerialPort::SerialPortError e) {
            if (e != QSerialPort::NoError) ++errors;
        });
        return port;
    }
    int errors = 0;
};

}  // namespace

class TestSerialWaits : public QObject {
    Q_OBJECT

    std::unique_ptr<IndicatorSim> sim;
    CommSettings settings;
    ScriptedPrompts prompts;
    QList<Logged> log;
    std::unique_ptr<DeviceLink> link;

    void Inject(const QByteArray& bytes) { sim->Engine().SendRaw(bytes); }

private Q_SLOTS:
    void init()
    {
        sim = std::make_unique<IndicatorSim>(614);
        QString error;
        QVERIFY2(sim->StartPty(&error), qPrintable(error));
        settings = CommSettings::Defaults();
        settings.port = QFile::encodeName(sim->Address());
        prompts = ScriptedPrompts();
        log.clear();
        link = std::make_unique<DeviceLink>(settings, prompts,
                                            [this](const QByteArray& t, int k) { log.append({t, k}); });
        link->SetReplyTimeout(kTestReplyTimeoutMs);
        QVERIFY2(link->OpenSerialPort(&error), qPrintable(error));
    }
    void cleanup()
    {
        link.reset();
        sim.reset();
    }

    // The three waits: what they return and log, and what they leave in the buffer. A wait
    // marked "exit" is ended by the exiting flag instead of its bound.
    void waits_data()
    {
        QTest::addColumn<char>("wait");
        QTest::addColumn<QByteArray>("arrives");
        QTest::addColumn<bool>("exiting");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QList<Logged>>("lines");
        QTest::addColumn<QByteArray>("bufferAfter");
        using L = QList<Logged>;
        const QByteArray none;
        const Logged invalid{"Invalid response from attached device", kError};
        // WaitForAck: the result is the character received, the status goes into "out".
        QTest::newRow("ack D") << 'a' << QByteArray("D") << false << int('D') << QByteArray("0") << L{} << none;
        QTest::newRow("ack E") << 'a' << QByteArray("E") << false << int('E') << QByteArray("0") << L{} << none;
        QTest::newRow("ack takes one character") << 'a' << QByteArray("DE") << false << int('D') << QByteArray("0")
                                                 << L{} << QByteArray("E");
        QTest::newRow("ack other character") << 'a' << QByteArray("Q") << false << int('Q') << QByteArray("3")
                                             << L{invalid} << none;
        QTest::newRow("ack leaves a line feed for the line")
            << 'a' << QByteArray("\nAB") << false << int('\n') << QByteArray("3") << L{invalid} << QByteArray("\nAB");
        QTest::newRow("ack question mark reported twice")
            << 'a' << QByteArray("\n?\r") << false << 0 << QByteArray("3")
            << L{{"The current device does not recognize last command", kWarning}, invalid} << none;
        QTest::newRow("ack nothing") << 'a' << none << false << 0 << QByteArray("2")
                                     << L{{"Timeout waiting for response, check the connection", kCommError}} << none;
        QTest::newRow("ack exit") << 'a' << none << true << 0 << QByteArray("1")
                                  << L{{"User canceled the request", kInformation}} << none;
        QTest::newRow("line") << 'l' << QByteArray("\nSMA:2/1.0\r") << false << 1 << QByteArray("SMA:2/1.0") << L{}
                              << none;
        QTest::newRow("line question mark") << 'l' << QByteArray("\n?\r") << false << 0 << QByteArray("?") << L{}
                                            << none;
        QTest::newRow("line nothing") << 'l' << none << false << 0 << none << L{} << none;
        QTest::newRow("line exit") << 'l' << none << true << 0 << none << L{} << none;
        QTest::newRow("bytes 5 of 7") << 'b' << QByteArray("ABCDEFG") << false << 1 << QByteArray("ABCDE") << L{}
                                      << QByteArray("FG");
        QTest::newRow("bytes 5 of 2") << 'b' << QByteArray("AB") << false << 0 << none << L{} << QByteArray("AB");
        QTest::newRow("bytes exit") << 'b' << none << true << 0 << none << L{} << none;
    }
    void waits()
    {
        QFETCH(char, wait);
        QFETCH(QByteArray, arrives);
        QFETCH(bool, exiting);
        if (wait == 'b') link->lineMode = 0;
        Inject(arrives);
        if (exiting) {
            link->SetReplyTimeout(kLongTimeoutMs);
            QTimer::singleShot(50, link.get(), [this]() { link->SetExiting(true); });
        } else if (!arrives.isEmpty()) {
            QTRY_VERIFY(!link->receiveBuffer.isEmpty() || !link->pendingReplyLines.isEmpty());
        }
        QByteArray out = "stale";
        int status = -1;
        if (wait == 'a') {
            QTEST(int(link->WaitForAck('D', 'E', &status)), "result");
            out = QByteArray::number(status);
        } else if (wait == 'l') {
            QTEST(link->WaitForReplyLine(out), "result");
        } else {
            QTEST(link->WaitForBytes(out, 5), "result");
        }
        QTEST(out, "out");
        QTEST(log, "lines");
        QTEST(link->receiveBuffer, "bufferAfter");
        QVERIFY(!link->WaitActive());
        QCOMPARE(link->Exiting(), exiting);
        // The next wait clears the exiting flag again.
        link->DiscardReplies();
        link->SetReplyTimeout(kTestReplyTimeoutMs);
        Inject("D");
        QCOMPARE(link->WaitForAck('D', 'E', &status), 'D');
    }

    void arrivalsDoNotExtendTheBound()
    {
        // A character every few milliseconds, never a whole line: the wait must still end.
        QTimer drip;
        connect(&drip, &QTimer::timeout, this, [this]() { Inject("x"); });
        drip.start(20);
        QByteArray reply;
        QCOMPARE(link->WaitForReplyLine(reply), 0);
        drip.stop();
        QVERIFY(!link->receiveBuffer.isEmpty());
    }

    void secondWaitInsideAWaitFailsAtOnce()
    {
        link->SetReplyTimeout(kLongTimeoutMs);
        int innerStatus = -1;
        char innerChar = 'x';
        QTimer::singleShot(30, this, [&]() {
            innerChar = link->WaitForAck('D', 'E', &innerStatus);
            Inject("\nOUTER\r");
        });
        QByteArray reply;
        QCOMPARE(link->WaitForReplyLine(reply), 1);
        QCOMPARE(reply, QByteArray("OUTER"));
        QCOMPARE(innerChar, char(0));
        QCOMPARE(innerStatus, 1);
    }

    void linkDestroyedInsideAWait()
    {
        link->SetReplyTimeout(kLongTimeoutMs);
        DeviceLink* raw = link.get();
        QTimer::singleShot(30, this, [&]() { link.reset(); });
        QByteArray reply;
        QCOMPARE(raw->WaitForReplyLine(reply), 0);
        QVERIFY(!link);
    }

    // The fault's texts and its one Comm Error are the fault table's; this is the hang-up flood.
    void unplugEndsTheWaitAndClosesThePort()
    {
        CountingFactory factory;
        link->SetPortFactory(&factory);
        QString error;
        QVERIFY(link->OpenSerialPort(&error));
        link->SetReplyTimeout(kLongTimeoutMs);
        QTimer::singleShot(50, sim.get(), [this]() { sim->Unplug(); });
        int status = -1;
        link->WaitForAck('D', 'E', &status);
        QCOMPARE(status, 2);
        QVERIFY(link->HasSerialFault());
        QVERIFY(!link->IsLinkUp());
        // The port must be closed, not raising the same error forever.
        QTest::qWait(300);
        QVERIFY2(factory.errors < 100, qPrintable(QString::number(factory.errors)));
        link.reset();
    }

    void symlinkLocksLikeItsTarget()
    {
        QTemporaryDir dir;
        const QString linkPath = dir.filePath(QStringLiteral("indicator"));
        QString error;
        QVERIFY2(sim->MakeLink(linkPath, &error), qPrintable(error));
        link->CloseSerialPort();
        CommSettings viaLink = settings;
        viaLink.port = QFile::encodeName(linkPath);
        DeviceLink first(viaLink, prompts, [](const QByteArray&, int) {});
        QVERIFY2(first.OpenSerialPort(&error), qPrintable(error));
        QCOMPARE(first.SerialDevicePath(), sim->Address());
        QVERIFY(!link->OpenSerialPort(&error));
        QCOMPARE(error, QStringLiteral("The port is in use by another program"));
    }

    void lineSettingsReachThePort()
    {
        settings.baudRate = "19200";
        settings.parity = "Even";
        settings.dataBits = "7 bits";
        settings.stopBits = "2 bits";
        QString error;
        QVERIFY(link->OpenSerialPort(&error));
        QCOMPARE(link->SerialSettings(), QByteArray("19200,E,7,2"));
        const QByteArray path = QFile::encodeName(sim->Address());
        // The port holds the terminal exclusively; only root may look at it from beside.
        auto termiosNow = [&path](termios* tio) {
            const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            if (fd < 0) return false;
            const bool read = ::tcgetattr(fd, tio) == 0;
            ::close(fd);
            return read;
        };
        termios tio{};
        if (!termiosNow(&tio)) QSKIP("the terminal is held exclusively (not running as root)");
        // A pseudo-terminal keeps 8 data bits without parity; speed and stop bits it takes.
        QCOMPARE(cfgetospeed(&tio), speed_t(B19200));
        QVERIFY(tio.c_cflag & CSTOPB);

        // The reopen keeps what the port had; the fixed opener always sets 9600,N,8,1.
        QVERIFY(link->ReopenSerialPort(&error));
        QCOMPARE(link->SerialSettings(), QByteArray("19200,E,7,2"));
        QVERIFY(link->OpenSerialPortFixed(settings.port, &error));
        QCOMPARE(link->SerialSettings(), QByteArray("9600,N,8,1"));
        QVERIFY(termiosNow(&tio));
        QCOMPARE(cfgetospeed(&tio), speed_t(B9600));
        QVERIFY(!(tio.c_cflag & CSTOPB));
        QVERIFY(link->ReopenSerialPort(&error));
        QCOMPARE(link->SerialSettings(), QByteArray("9600,N,8,1"));
    }

    void staleBytesAreClearedOnOpen()
    {
        link->CloseSerialPort();
        Inject("\nSTALE\r");
        QTest::qWait(50);
        QString error;
        QVERIFY(link->OpenSerialPort(&error));
        QByteArray reply;
        QCOMPARE(link->WaitForReplyLine(reply), 0);
        QCOMPARE(reply, QByteArray());
    }

    // Refused connections are the fault table's; these would hang without the connect bound.
    void connectFailures_data()
    {
        QTest::addColumn<QByteArray>("address");
        // A documentation address: never answers (or the network says unreachable at once).
        QTest::newRow("unreachable") << QByteArray("192.0.2.1");
        QTest::newRow("not an address") << QByteArray("no.such.host.invalid");
    }
    void connectFailures()
    {
        QFETCH(QByteArray, address);
        settings.port = kTcpPortName;
        settings.remoteAddress = address;
        link->SetSocketConnectTimeout(kTestConnectTimeoutMs);
        QVERIFY(!link->ConnectDeviceSocket());
        QVERIFY(!link->HasDeviceSocket());
        link->CloseSerialPort();
        link->SendToDevice("\nA\r");
        QCOMPARE(prompts.BoxTexts(), QList<QByteArray>{"No connection found"});
    }

    // The peer's close shows its box (the fault table counts it); our own close shows none.
    // Each notification takes at most the receive area's 2048 characters.
    void deviceSocket()
    {
        sim->Stop();
        QString error;
        QVERIFY(sim->StartTcp(0, &error));
        settings.remoteAddress = "127.0.0.1";
        settings.remotePort = QByteArray::number(sim->TcpPort());
        link->CloseSerialPort();
        QVERIFY(link->ConnectDeviceSocket());
        QTRY_VERIFY(sim->HostPresent());
        link->CloseDeviceSocket();
        QTest::qWait(50);
        QVERIFY(prompts.shown.empty());

        CScaleSocket socket;
        QList<int> sizes;
        connect(&socket, &ByteTransport::BytesArrived, this, [&](const QByteArray& b) { sizes.append(int(b.size())); });
        QVERIFY(socket.ConnectTo("127.0.0.1", sim->TcpPort(), kTestConnectTimeoutMs));
        QTRY_VERIFY(sim->HostPresent());
        sim->Engine().SendRaw(QByteArray(5000, 'x'));
        QTRY_COMPARE(std::accumulate(sizes.begin(), sizes.end(), 0), 5000);
        for (int n : sizes) QVERIFY(n <= CScaleSocket::kReceiveAreaSize);
        QVERIFY(sizes.size() >= 3);
    }
};

QTEST_GUILESS_MAIN(TestSerialWaits)
#include "tst_serialwaits.moc"
