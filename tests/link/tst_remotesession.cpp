// SPDX-License-Identifier: MIT
// Remote sessions over loopback TCP: a host reads the simulated indicator on the remote's pty.
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

#include "CliRun.h"
#include "CommandTable.h"
#include "ExpectedTraffic.h"
#include "IndicatorSim.h"
#include "LinkBench.h"
#include "link/RemoteSession.h"

namespace {

constexpr int kTestReplyTimeoutMs = 700;
constexpr int kBoundMs = 20000;
constexpr char kClosedLine[] = "Information: Remote configuration session has been closed";

CommSettings SettingsFor(const QByteArray& port)
{
    CommSettings settings = CommSettings::Defaults();
    settings.port = port;
    settings.serverAddress = "127.0.0.1";
    return settings;
}

// One copy of the program: a headless workbench with its own prompts and view.
struct Copy : LinkBench {
    Copy(const TestData& data, quint16 sessionPort, const QByteArray& port)
        : LinkBench(data, SettingsFor(port), kTestReplyTimeoutMs)
    {
        bench.Session().SetSessionPort(sessionPort);
        QObject::connect(&bench, &Workbench::ReadFinished, [this](int r) { readResult = r; });
    }
    // Remote setup, then Host session: 'x' checked or '-', then 'e' enabled or 'g' greyed.
    QByteArray Menu() const
    {
        QByteArray out;
        for (int id : {kCmdRemoteSetup, kCmdHostSession}) {
            bool checked = false;
            for (const auto& c : view.commands) checked = checked || (c.id == id && c.checked);
            out += QByteArray(checked ? "x" : "-") + (view.IsCommandEnabled(id) ? "e" : "g");
        }
        return out;
    }

    int readResult = -1;
};

}  // namespace

class TestRemoteSession : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;
    quint16 port = 0;

    std::unique_ptr<Copy> MakeCopy(bool withLink)
    {
        auto copy = std::make_unique<Copy>(*data, port, QFile::encodeName(sim->Address()));
        if (withLink) copy->bench.Link().OpenSerialPort(nullptr);
        return copy;
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<TestData>();
        sim = std::make_unique<IndicatorSim>(615);
        QString error;
        QVERIFY(sim->Profile().LoadTemplate(data->Configurations() + QStringLiteral("615.tpl"), &error));
        QVERIFY(sim->StartPty(&error));
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }

    void hostReadsThroughTheRemoteAndEndsTheSession()
    {
        auto host = MakeCopy(false);
        auto remote = MakeCopy(true);
        host->bench.OnCommand(kCmdHostSession);
        QCOMPARE(host->Menu(), QByteArray("-gxe"));
        remote->bench.OnCommand(kCmdRemoteSetup);
        QCOMPARE(remote->Log(), QList<QByteArray>{"Information: Remote connection started"});
        QCOMPARE(remote->bench.CommandsEnabled(), 0);
        QCOMPARE(remote->Menu(), QByteArray("xe-g"));
        QVERIFY(remote->view.sessionPictureVisible);

        QTRY_COMPARE_WITH_TIMEOUT(host->readResult, 1, kBoundMs);
        QCOMPARE(host->view.busyMessages.at(1), QByteArray("Host session started, looking for remote device..."));
        QCOMPARE(host->Menu(), QByteArray("xgxe"));
        QVERIFY(host->view.sessionPictureVisible);
        QVERIFY(sim->FromHost().startsWith(kIdentifyTraffic + PullTraffic(2)));

        IndicatorSim own(615);  // the host's own port: the handheld is looked for there, not on the remote's
        host->bench.Settings().alternatePort = own.StartPty(nullptr) ? QFile::encodeName(own.Address()) : "";
        host->prompts.descriptions = {"Dock"};
        host->bench.OnCommand(kCmdSendToHandheld);
        QTRY_COMPARE(own.FromHost(), QByteArray("\r\r\r"));

        host->bench.OnCommand(kCmdHostSession);
        QTRY_COMPARE_WITH_TIMEOUT(host->Log().constLast(), QByteArray(kClosedLine), kBoundMs);
        QCOMPARE(remote->Log().constLast(), QByteArray(kClosedLine));
        QCOMPARE(remote->bench.CommandsEnabled(), 1);
        for (Copy* c : {host.get(), remote.get()}) {
            QCOMPARE(c->Menu(), QByteArray("-e-e"));
            QVERIFY(!c->view.sessionPictureVisible);
        }
        host->bench.OnCommand(kCmdHostSession);  // listening, no remote yet: its own link stays shut
        host->bench.ReadDevice(nullptr, nullptr);
        QCOMPARE(host->Log().constLast(), QByteArray("Information: No device attached"));
    }

    void chunksFromTheHost_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<QByteArray>("relayed");
        QTest::newRow("command") << QByteArray("\nA\r") << QByteArray("\nA\r");
        QTest::newRow("escape mid-chunk") << QByteArray("\nA\r\x1b\nB\r") << QByteArray();
    }
    void chunksFromTheHost()
    {
        QFETCH(QByteArray, chunk);
        QFETCH(QByteArray, relayed);
        QTcpServer fakeHost;
        QVERIFY(fakeHost.listen(QHostAddress::LocalHost, port));
        auto remote = MakeCopy(true);
        remote->bench.OnCommand(kCmdRemoteSetup);
        QTRY_VERIFY(fakeHost.hasPendingConnections());
        QTcpSocket* peer = fakeHost.nextPendingConnection();
        peer->write(chunk);
        if (relayed.isEmpty()) {
            QTRY_COMPARE(remote->Log().constLast(), QByteArray(kClosedLine));
            QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
            QCOMPARE(remote->bench.CommandsEnabled(), 1);
            QCOMPARE(remote->Menu(), QByteArray("-e-e"));
            QCOMPARE(sim->FromHost(), QByteArray());
        } else {
            // The indicator's answer comes back as it left the indicator.
            // Two hops at the simulated line speed: generous for a loaded machine.
            QTRY_VERIFY_WITH_TIMEOUT(!sim->ToHost().isEmpty() && peer->bytesAvailable() >= sim->ToHost().size(), 20000);
            QCOMPARE(peer->readAll(), sim->ToHost());
            QCOMPARE(sim->FromHost(), relayed);
            QCOMPARE(remote->Menu(), QByteArray("xe-g"));
        }
    }

    void sessionsGoneBad_data()
    {
        QTest::addColumn<QByteArray>("how");
        QTest::addColumn<QByteArray>("hostLine");
        QTest::addColumn<QByteArray>("remoteBox");
        QTest::addColumn<int>("read");
        QTest::newRow("port in use") << QByteArray("busy") << QByteArray("Information: Could not start host socket")
                                     << QByteArray() << -1;
        QTest::newRow("host unreachable") << QByteArray("unreachable") << QByteArray()
                                          << QByteArray("Error creating socket connection") << -1;
        QTest::newRow("no indicator link") << QByteArray("nolink") << QByteArray("Information: No device attached")
                                           << QByteArray("No connection found") << 0;
        QTest::newRow("remote gone mid-read") << QByteArray("killed") << QByteArray(kClosedLine) << QByteArray() << 2;
        QTest::newRow("second remote") << QByteArray("second")
                                       << QByteArray("Information: Client socket already exists") << QByteArray() << 1;
        QTest::newRow("garbage flood") << QByteArray("flood") << QByteArray("Information: No device attached")
                                       << QByteArray() << 0;
    }
    void sessionsGoneBad()
    {
        QFETCH(QByteArray, how);
        QFETCH(QByteArray, hostLine);
        QFETCH(QByteArray, remoteBox);
        QFETCH(int, read);
        QTcpServer squatter;
        if (how == "busy") QVERIFY(squatter.listen(QHostAddress::Any, port));
        auto host = MakeCopy(false);
        auto remote = MakeCopy(how != "nolink");
        if (how != "unreachable") host->bench.OnCommand(kCmdHostSession);
        if (how != "busy" && how != "flood") remote->bench.OnCommand(kCmdRemoteSetup);
        QTcpSocket intruder;
        if (how == "flood" || how == "second") {
            intruder.connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(intruder.waitForConnected(kBoundMs));
            QList<quint32> garbage(2 << 20);
            QRandomGenerator::global()->fillRange(garbage.data(), garbage.size());
            intruder.write(reinterpret_cast<const char*>(garbage.data()), garbage.size() * 4);
        }
        if (how == "killed") {
            QTRY_VERIFY(sim->FromHost().contains("\nXO\r"));
            remote.reset();
        }
        // 2: the read ends, whatever it made of the half it got.
        QTRY_VERIFY_WITH_TIMEOUT(read == 2 ? host->readResult >= 0 : host->readResult == read, kBoundMs);
        QVERIFY(host->bench.Link().receiveBuffer.size() <= 4096 + 2048);
        if (!hostLine.isEmpty()) QTRY_VERIFY(host->Log().contains(hostLine));
        QCOMPARE(host->Log().count("Information: Client socket already exists"), how == "second" ? 1 : 0);
        if (remote) QCOMPARE(remote->prompts.BoxTexts().value(0), remoteBox);
        if (how == "second") {
            host->bench.OnCommand(kCmdHostSession);
            QTRY_COMPARE(intruder.state(), QAbstractSocket::UnconnectedState);
            QCOMPARE(intruder.bytesAvailable(), 0);
        }
        if (how == "busy" || how == "unreachable" || how == "killed") {
            QCOMPARE(host->Menu(), QByteArray("-e-e"));
            if (remote) QCOMPARE(remote->Menu(), QByteArray("-e-e"));
        }
    }

    // What a technician runs: the relay and the hosted read give the file a direct read gives.
    void cliRelayAndHostedReadMatchADirectRead()
    {
        auto run = [&](QProcess& p, const QStringList& args) {
            p.start(CliRun::Program(),
                    args + QStringList{QStringLiteral("--data"), data->Base(), QStringLiteral("--session-port"),
                                       QString::number(port)});
            QVERIFY(p.waitForStarted());
        };
        auto file = [&](const char* name) { return data->Path(QString::fromLatin1(name)); };
        QProcess host, relay, direct;
        run(host, {QStringLiteral("read"), QStringLiteral("--host"), QStringLiteral("-o"), file("hosted.csc")});
        QByteArray said;
        QTRY_VERIFY((said += host.readAllStandardError()).contains("waiting"));
        run(relay, {QStringLiteral("relay"), QStringLiteral("--server"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--port"), sim->Address()});
        for (QProcess* p : {&host, &relay}) {
            QTRY_COMPARE_WITH_TIMEOUT(p->state(), QProcess::NotRunning, kBoundMs);
            QCOMPARE(p->exitCode(), 0);
        }
        QVERIFY(relay.readAllStandardError().endsWith(QByteArray(kClosedLine) + '\n'));
        run(direct, {QStringLiteral("read"), QStringLiteral("--port"), sim->Address(), QStringLiteral("-o"),
                     file("direct.csc")});
        QTRY_COMPARE_WITH_TIMEOUT(direct.state(), QProcess::NotRunning, kBoundMs);
        QVERIFY(TestData::ReadAll(file("direct.csc")).contains("\r\nMOD:615\r\n"));
        QCOMPARE(TestData::ReadAll(file("hosted.csc")), TestData::ReadAll(file("direct.csc")));
    }
};

QTEST_GUILESS_MAIN(TestRemoteSession)
#include "tst_remotesession.moc"
