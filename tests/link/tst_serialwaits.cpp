// SPDX-License-Identifier: MIT
// The serial carrier and the three waits, over a real pseudo-terminal with the simulator on
// the other end.
#include <QSerialPort>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

#include "IndicatorSim.h"
#include "ScriptedPrompts.h"
#include "StatusLog.h"
#include "link/DeviceLink.h"
#include "platform/PortFactory.h"

namespace {

// Short enough to keep the suite quick, long enough for a loaded machine to deliver bytes.
constexpr int kTestReplyTimeoutMs = 700;
// Used where the wait must end for another reason than its bound.
constexpr int kLongTimeoutMs = 30000;

struct Logged {
    QByteArray text;
    int kind;
    bool operator==(const Logged& o) const { return text == o.text && kind == o.kind; }
};

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

Q_DECLARE_METATYPE(QList<Logged>)

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

    void commandsGoOutByteForByte()
    {
        const QByteArray body = "\nGR:1:";
        const QByteArray command = body + '^' + QByteArray::number(DeviceLink::LineChecksum(body)) + '\r';
        QCOMPARE(command, QByteArray("\nGR:1:^46\r"));
        link->SendToDevice(command);
        int status = -1;
        QCOMPARE(link->WaitForAck('D', 'E', &status), 'D');
        QCOMPARE(status, 0);
        QCOMPARE(sim->FromHost(), command);
        QCOMPARE(sim->Profile().Value("GR"), QByteArray("1"));
        QVERIFY(log.isEmpty());
        QVERIFY(prompts.shown.empty());
    }

    void waitForAck_data()
    {
        QTest::addColumn<QByteArray>("arrives");
        QTest::addColumn<char>("received");
        QTest::addColumn<int>("status");
        QTest::addColumn<QList<Logged>>("lines");
        QTest::addColumn<QByteArray>("bufferAfter");
        using L = QList<Logged>;
        QTest::newRow("D") << QByteArray("D") << 'D' << 0 << L{} << QByteArray();
        QTest::newRow("E is accepted too") << QByteArray("E") << 'E' << 0 << L{} << QByteArray();
        QTest::newRow("only the first character") << QByteArray("DE") << 'D' << 0 << L{} << QByteArray("E");
        QTest::newRow("other character") << QByteArray("Q") << 'Q' << 3
                                         << L{{"Invalid response from attached device", kError}} << QByteArray();
        QTest::newRow("line feed left for the line")
            << QByteArray("\nAB") << '\n' << 3 << L{{"Invalid response from attached device", kError}}
            << QByteArray("\nAB");
        QTest::newRow("question mark reported twice")
            << QByteArray("\n?\r") << char(0) << 3
            << L{{"The current device does not recognize last command", kWarning},
                 {"Invalid response from attached device", kError}}
            << QByteArray();
        QTest::newRow("nothing") << QByteArray() << char(0) << 2
                                 << L{{"Timeout waiting for response, check the connection", kCommError}}
                                 << QByteArray();
    }
    void waitForAck()
    {
        QFETCH(QByteArray, arrives);
        Inject(arrives);
        int status = -1;
        QTEST(link->WaitForAck('D', 'E', &status), "received");
        QTEST(status, "status");
        QTEST(log, "lines");
        QTEST(link->receiveBuffer, "bufferAfter");
        QVERIFY(!link->WaitActive());
    }

    void waitForReplyLine_data()
    {
        QTest::addColumn<QByteArray>("arrives");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("reply");
        // Which lines count is the framing's business (tested on its own); this is the wait's.
        QTest::newRow("plain line") << QByteArray("\nSMA:2/1.0\r") << 1 << QByteArray("SMA:2/1.0");
        QTest::newRow("question mark") << QByteArray("\n?\r") << 0 << QByteArray("?");
        QTest::newRow("nothing") << QByteArray() << 0 << QByteArray();
    }
    void waitForReplyLine()
    {
        QFETCH(QByteArray, arrives);
        Inject(arrives);
        QByteArray reply = "stale";
        QTEST(link->WaitForReplyLine(reply), "result");
        QTEST(reply, "reply");
        QVERIFY(log.isEmpty());
    }

    void replyAlreadyPendingIsTakenFirst()
    {
        link->pendingReplyLines = {"OLD", "NEWER"};
        Inject("\nNEWEST\r");
        QByteArray reply;
        QCOMPARE(link->WaitForReplyLine(reply), 1);
        QCOMPARE(reply, QByteArray("OLD"));
    }

    void waitForBytes()
    {
        link->lineMode = 0;
        Inject("ABCDEFG");
        QByteArray out;
        QCOMPARE(link->WaitForBytes(out, 5), 1);
        QCOMPARE(out, QByteArray("ABCDE"));
        QCOMPARE(link->receiveBuffer, QByteArray("FG"));
        QCOMPARE(link->WaitForBytes(out, 5), 0);
        QCOMPARE(out, QByteArray());
        QVERIFY(log.isEmpty());
    }

    void exitingEndsEveryWait_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("ack") << 0;
        QTest::newRow("line") << 1;
        QTest::newRow("bytes") << 2;
    }
    void exitingEndsEveryWait()
    {
        QFETCH(int, which);
        link->SetReplyTimeout(kLongTimeoutMs);
        QTimer::singleShot(50, link.get(), [this]() { link->SetExiting(true); });
        QByteArray out;
        if (which == 0) {
            int status = -1;
            QCOMPARE(link->WaitForAck('D', 'E', &status), char(0));
            QCOMPARE(status, 1);
            QCOMPARE(log, (QList<Logged>{{"User canceled the request", kInformation}}));
        } else if (which == 1) {
            QCOMPARE(link->WaitForReplyLine(out), 0);
            QVERIFY(log.isEmpty());
        } else {
            QCOMPARE(link->WaitForBytes(out, 3), 0);
        }
        QVERIFY(link->Exiting());
        // The next wait clears the flag again.
        Inject("D");
        int status = -1;
        link->SetReplyTimeout(kTestReplyTimeoutMs);
        QCOMPARE(link->WaitForAck('D', 'E', &status), 'D');
        QCOMPARE(status, 0);
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

    void unplugEndsTheWaitWithOneFault()
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
        QString fault;
        QVERIFY(link->TakeSerialFault(&fault));
        QVERIFY(!fault.isEmpty());
        QVERIFY(!link->TakeSerialFault(&fault));
        QVERIFY(!link->IsSerialOpen());
        QVERIFY(!link->IsLinkUp());
        // The hang-up flood: the port must be closed, not raising the same error forever.
        QTest::qWait(300);
        QVERIFY2(factory.errors < 100, qPrintable(QString::number(factory.errors)));
        link->SendToDevice("\nA\r");
        QCOMPARE(prompts.BoxTexts(), QList<QByteArray>{"No connection found"});
        link.reset();
    }

    void openErrors_data()
    {
        QTest::addColumn<QByteArray>("port");
        QTest::addColumn<QString>("error");
        QTest::newRow("no digits") << QByteArray("NONE") << QStringLiteral("Invalid port number");
        QTest::newRow("missing device") << QByteArray("/dev/tarelink-no-such-port")
                                        << QStringLiteral("No such file or directory");
        QTest::newRow("held by another program") << QByteArray() << QStringLiteral("The port is in use by another program");
    }
    void openErrors()
    {
        QFETCH(QByteArray, port);
        CommSettings other = settings;
        if (!port.isEmpty()) other.port = port;
        DeviceLink second(other, prompts, [](const QByteArray&, int) {});
        QString error;
        QVERIFY(!second.OpenSerialPort(&error));
        QTEST(error, "error");
        QVERIFY(!second.IsSerialOpen());
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

    void noLinkShowsTheBoxAtEverySend()
    {
        link->CloseSerialPort();
        link->SendToDevice("\nA\r");
        link->SendToDevice("\nB\r");
        QCOMPARE(prompts.BoxTexts(), (QList<QByteArray>{"No connection found", "No connection found"}));
        QCOMPARE(prompts.shown.front().caption, QByteArray());
        QVERIFY(sim->FromHost().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSerialWaits)
#include "tst_serialwaits.moc"
