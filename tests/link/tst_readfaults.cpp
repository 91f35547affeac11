// SPDX-License-Identifier: MIT
// tarelink-cli read and identify as a technician runs them, against the simulator and its
// faults: the lines on stderr, the exit code, the traffic, and OUT replaced only by a whole read.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QtTest>
#include <functional>
#include <memory>

#include "CliRun.h"
#include "ExpectedTraffic.h"
#include "IndicatorSim.h"
#include "TestData.h"

Q_DECLARE_METATYPE(SimFaults)

namespace {

const QByteArray kOld = "the old backup\r\n";
const QByteArray kCurrent = "Information: Current device - Model 615  Tarelink Version 1.4";
const QByteArray kLoaded = "Information: Successfully loaded template file for Model 615";
const QByteArray kUnplugged = "Comm Error: The serial device stopped answering (unplugged or hung up) (PORT)";

QByteArray Ended(int values)
{
    return "Warning: The value list ended without END: after " + QByteArray::number(values) + " values";
}

SimFaults With(const std::function<void(SimFaults&)>& set)
{
    SimFaults f;
    set(f);
    return f;
}

}  // namespace

class TestReadFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;

    CliRun Cli(const QStringList& args, const QString& workingDir = QString())
    {
        return CliRun(args + QStringList{QStringLiteral("--data"), data->Base()}, workingDir);
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<TestData>();
        sim = std::make_unique<IndicatorSim>(615);
        QString error;
        QVERIFY(sim->Profile().LoadTemplate(data->Configurations() + QStringLiteral("615.tpl"), &error));
        sim->Profile().SetValue("unt", "3");
    }
    void cleanup()
    {
        sim.reset();
        data.reset();
    }

    void faults_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("carrier");
        QTest::addColumn<SimFaults>("faults");
        QTest::addColumn<QList<QByteArray>>("err");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("traffic");
        using L = QList<QByteArray>;
        const QString read = QStringLiteral("read");
        const QString identify = QStringLiteral("identify");
        const QString pty = QStringLiteral("pty");
        const QString tcp = QStringLiteral("tcp");
        const SimFaults none;
        const QByteArray any;

        QTest::newRow("whole read") << read << pty << none << L{kCurrent, kLoaded} << 0 << any;
        QTest::newRow("whole read over TCP") << read << tcp << none << L{kCurrent, kLoaded} << 0 << any;
        QTest::newRow("unplug at the second B") << read << pty << With([](SimFaults& f) { f.disconnectAfter = 2; })
                                                << L{kUnplugged} << 1 << any;
        QTest::newRow("unplug at XJ") << read << pty << With([](SimFaults& f) { f.disconnectAfter = 4; })
                                      << L{kUnplugged} << 1 << any;
        QTest::newRow("unplug in the pull") << read << pty << With([](SimFaults& f) { f.disconnectAfter = 8; })
                                            << L{kCurrent, kLoaded, kUnplugged, Ended(3)} << 1 << any;
        QTest::newRow("silence") << read << pty << With([](SimFaults& f) { f.silent = true; })
                                 << L{"Information: No device attached"} << 1 << QByteArray("\nA\r");
        QTest::newRow("bad checksum") << read << pty << With([](SimFaults& f) { f.badChecksumAt = 3; })
                                      << L{kCurrent, kLoaded, Ended(3)} << 1 << kIdentifyTraffic + PullTraffic(4);
        QTest::newRow("dropped line") << read << pty << With([](SimFaults& f) { f.dropLineAt = 2; })
                                      << L{kCurrent, kLoaded, Ended(2)} << 1 << kIdentifyTraffic + PullTraffic(3);
        QTest::newRow("? to XO") << read << pty << With([](SimFaults& f) { f.unknownCommands = {"XO"}; })
                                 << L{kCurrent, kLoaded, Ended(0)} << 1 << kIdentifyTraffic + PullTraffic(1);
        QTest::newRow("TCP peer hangs up") << read << tcp << With([](SimFaults& f) { f.disconnectAfter = 7; })
                                           << L{kCurrent, "Tarelink: The connection has been closed", kLoaded, Ended(2)}
                                           << 1 << any;
        QTest::newRow("nobody on the TCP port")
            << read << QStringLiteral("refused") << none
            << L{"Comm Error: No connection found", "Information: No device attached"} << 1 << any;
        QTest::newRow("no such serial device") << read << QStringLiteral("/dev/tarelink-no-such-port") << none
                                               << L{"Comm Error: No such file or directory (PORT)"} << 1 << any;
        QTest::newRow("no port number") << read << QStringLiteral("NONE") << none
                                        << L{"Comm Error: Invalid port number (PORT)"} << 1 << any;

        QTest::newRow("identify") << identify << pty << none << L{} << 0 << kIdentifyTraffic;
        QTest::newRow("identify by a relative path") << identify << QStringLiteral("relative") << none << L{} << 0
                                                     << kIdentifyTraffic;
        QTest::newRow("identify: unplug at XJ") << identify << pty << With([](SimFaults& f) { f.disconnectAfter = 4; })
                                                << L{kUnplugged} << 1 << any;
    }
    void faults()
    {
        QFETCH(QString, command);
        QFETCH(QString, carrier);
        QFETCH(QList<QByteArray>, err);
        QFETCH(int, code);
        QFETCH(QByteArray, traffic);
        QFETCH(SimFaults, faults);
        sim->Faults() = faults;
        QString error;
        QString port;
        QString workingDir;
        if (carrier == QLatin1String("tcp")) {
            QVERIFY(sim->StartTcp(0, &error));
            port = QStringLiteral("tcp:127.0.0.1:%1").arg(sim->TcpPort());
        } else if (carrier == QLatin1String("refused")) {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            port = QStringLiteral("tcp:127.0.0.1:%1").arg(probe.serverPort());
        } else if (carrier != QLatin1String("pty") && carrier != QLatin1String("relative")) {
            port = carrier;
        } else {
            QVERIFY2(sim->StartPty(&error), qPrintable(error));
            port = sim->Address();
            if (carrier == QLatin1String("relative")) {
                QVERIFY(QDir().mkpath(data->Path(QStringLiteral("ports"))));
                QVERIFY2(sim->MakeLink(data->Path(QStringLiteral("ports/indicator")), &error), qPrintable(error));
                port = QStringLiteral("ports/indicator");
                workingDir = data->Base();
            }
        }
        for (QByteArray& line : err) line.replace("PORT", QFile::encodeName(port));

        const QString out = data->Write(QStringLiteral("backup.csc"), kOld);
        QStringList args{command, QStringLiteral("--port"), port};
        if (command == QLatin1String("read")) args += QStringList{QStringLiteral("-o"), out};
        const CliRun r = Cli(args, workingDir);
        QCOMPARE(r.code, code);
        if (code != 0 && command == QLatin1String("read")) {
            err.append("tarelink-cli: the read did not complete; " + QFile::encodeName(out) + " was not written");
        }
        QCOMPARE(r.ErrLines(), err);
        if (!traffic.isEmpty()) QCOMPARE(sim->FromHost(), traffic);

        const QByteArray file = TestData::ReadAll(out);
        if (command == QLatin1String("identify") && code == 0) {
            QCOMPARE(QJsonDocument::fromJson(r.out).object().value(QStringLiteral("modelLine")).toString(),
                     QStringLiteral("MOD:615"));
        } else if (code == 0) {
            // The indicator's own values and the ticket data, in one file.
            QVERIFY(file.contains("\r\nMOD:615\r\n"));
            QVERIFY(file.contains("\r\nunt:20:60:3:"));
            QVERIFY(file.contains("\r\nTICKET:1:"));
        }
        if (code != 0 || command == QLatin1String("identify")) QCOMPARE(file, kOld);
    }

    // A whole read holding a value no configuration line can carry is no backup either.
    void valueTheFileCannotHold()
    {
        sim->Profile().SetValue("hd1", "LINE A//B");
        QString error;
        QVERIFY2(sim->StartPty(&error), qPrintable(error));
        const QString out = data->Write(QStringLiteral("backup.csc"), kOld);
        const CliRun r =
            Cli({QStringLiteral("read"), QStringLiteral("--port"), sim->Address(), QStringLiteral("-o"), out});
        QCOMPARE(r.code, 1);
        const QList<QByteArray> err = r.ErrLines();
        QVERIFY(err.value(2).startsWith("Warning: Value of HD1 (Ticket header line 1 (20 characters)) not saved"));
        QCOMPARE(err.value(3), "tarelink-cli: the file cannot hold every value read; " + QFile::encodeName(out)
                                   + " was not written");
        QCOMPARE(TestData::ReadAll(out), kOld);
    }

    void badOptionsExitTwo()
    {
        for (const char* line : {"read", "identify --port", "identify --port tcp:localhost", "identify extra"}) {
            const CliRun r = Cli(QString::fromLatin1(line).split(QLatin1Char(' ')));
            QVERIFY2(r.code == 2 && r.ErrLines().value(0).startsWith("tarelink-cli: "), line);
        }
    }
};

QTEST_GUILESS_MAIN(TestReadFaults)
#include "tst_readfaults.moc"
