// SPDX-License-Identifier: MIT
// tarelink-cli identify and read as a technician runs them, against the simulator.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <memory>

#include "IndicatorSim.h"
#include "TestData.h"

namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

}  // namespace

class TestCliLink : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;

    // The simulator lives in this process, so the event loop must run while the program does.
    Run Cli(const QStringList& args)
    {
        QProcess p;
        QSignalSpy done(&p, &QProcess::finished);
        p.start(QStringLiteral(TARELINK_BINARY_DIR "/src/main/tarelink-cli"), args);
        Run r;
        if (!p.waitForStarted() || !(done.count() || done.wait(60000))) return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    QStringList Common() const
    {
        return {QStringLiteral("--port"), sim->Address(), QStringLiteral("--data"), data->Base()};
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<TestData>();
        sim = std::make_unique<IndicatorSim>(615);
        QString error;
        QVERIFY(sim->Profile().LoadTemplate(data->Configurations() + QStringLiteral("615.tpl"), &error));
        QVERIFY(sim->StartPty(&error));
    }
    void cleanup()
    {
        sim.reset();
        data.reset();
    }

    void identifyPrintsTheRecord()
    {
        const Run r = Cli(QStringList{QStringLiteral("identify")} + Common());
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o.value(QStringLiteral("identified")).toInt(), 1);
        QCOMPARE(o.value(QStringLiteral("modelLine")).toString(), QStringLiteral("MOD:615"));
        QCOMPARE(o.value(QStringLiteral("revisionLine")).toString(), QStringLiteral("REV:1.4"));
        QVERIFY(o.value(QStringLiteral("fieldsLine")).toString().startsWith(QStringLiteral("FIELDS:GR1,TF2")));
        QCOMPARE(sim->FromHost(), QByteArray("\nA\r\nB\r\nB\r\nB\r\nXJ\r"));
    }

    void readWritesWhatSaveWrites()
    {
        sim->Profile().SetValue("unt", "3");
        sim->Faults().extraValueLines = 1;
        const QString out = data->Path(QStringLiteral("read.csc"));
        const Run r = Cli(QStringList{QStringLiteral("read")} + Common() + QStringList{QStringLiteral("-o"), out});
        QCOMPARE(r.code, 0);
        const QByteArray file = TestData::ReadAll(out);
        QVERIFY(file.contains("\r\nMOD:615\r\n"));
        QVERIFY(file.contains("\r\nunt:20:60:3:"));
        QVERIFY(file.contains("\r\nEND:\r\n"));
        QVERIFY(r.err.contains("Information: Current device - Model 615  Tarelink Version 1.4\n"));
    }

    void nothingThereExitsOne_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("identify") << QStringLiteral("identify") << QByteArray("Information: No device attached");
        QTest::newRow("read") << QStringLiteral("read") << QByteArray("Information: No device attached");
    }
    void nothingThereExitsOne()
    {
        QFETCH(QString, command);
        sim->Faults().silent = true;
        const QString out = data->Path(QStringLiteral("never.csc"));
        const Run r = Cli(QStringList{command} + Common() + QStringList{QStringLiteral("-o"), out}.mid(command == QLatin1String("read") ? 0 : 2));
        QCOMPARE(r.code, 1);
        QTEST(r.err.split('\n').value(0), "expected");
        QVERIFY(!QFile::exists(out));
    }

    void tcpPortOption()
    {
        sim->Stop();
        QString error;
        QVERIFY(sim->StartTcp(0, &error));
        const Run r = Cli({QStringLiteral("identify"), QStringLiteral("--port"),
                           QStringLiteral("tcp:127.0.0.1:%1").arg(sim->TcpPort()), QStringLiteral("--data"),
                           data->Base()});
        QCOMPARE(r.code, 0);
        QCOMPARE(QJsonDocument::fromJson(r.out).object().value(QStringLiteral("modelLine")).toString(),
                 QStringLiteral("MOD:615"));
    }

    void badOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("read without -o") << QStringList{QStringLiteral("read")};
        QTest::newRow("port without value") << QStringList{QStringLiteral("identify"), QStringLiteral("--port")};
        QTest::newRow("tcp without port") << QStringList{QStringLiteral("identify"), QStringLiteral("--port"),
                                                         QStringLiteral("tcp:localhost")};
        QTest::newRow("stray argument") << QStringList{QStringLiteral("identify"), QStringLiteral("extra")};
    }
    void badOptions()
    {
        QFETCH(QStringList, args);
        const Run r = Cli(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith("tarelink-cli: "));
        QVERIFY(sim->FromHost().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliLink)
#include "tst_clilink.moc"
