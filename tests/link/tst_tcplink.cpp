// SPDX-License-Identifier: MIT
// The device socket over loopback TCP against the simulator.
#include <QTcpServer>
#include <QtTest>
#include <memory>

#include "IndicatorSim.h"
#include "ScriptedPrompts.h"
#include "link/CScaleSocket.h"
#include "link/DeviceLink.h"

namespace {
constexpr int kTestReplyTimeoutMs = 700;
constexpr int kTestConnectTimeoutMs = 300;
}  // namespace

class TestTcpLink : public QObject {
    Q_OBJECT

    std::unique_ptr<IndicatorSim> sim;
    CommSettings settings;
    ScriptedPrompts prompts;
    QList<QByteArray> log;
    std::unique_ptr<DeviceLink> link;

private Q_SLOTS:
    void init()
    {
        sim = std::make_unique<IndicatorSim>(637);
        QString error;
        QVERIFY2(sim->StartTcp(0, &error), qPrintable(error));
        settings = CommSettings::Defaults();
        settings.port = "TCP/IP";
        settings.remoteAddress = "127.0.0.1";
        settings.remotePort = QByteArray::number(sim->TcpPort());
        prompts = ScriptedPrompts();
        log.clear();
        link = std::make_unique<DeviceLink>(settings, prompts, [this](const QByteArray& t, int) { log.append(t); });
        link->SetReplyTimeout(kTestReplyTimeoutMs);
        link->SetSocketConnectTimeout(kTestConnectTimeoutMs);
    }
    void cleanup()
    {
        link.reset();
        sim.reset();
    }

    void exchangeOverTheSocket()
    {
        QVERIFY(link->ConnectDeviceSocket());
        QVERIFY(link->HasDeviceSocket());
        QVERIFY(link->IsLinkUp());
        QVERIFY(!link->IsSerialOpen());
        QByteArray reply;
        QCOMPARE(link->SendAndWaitLine("\nA\r", reply), 1);
        QCOMPARE(reply, QByteArray("SMA:2/1.0"));
        QCOMPARE(link->SendAndWaitLine("\nB\r", reply), 1);
        QCOMPARE(reply, QByteArray("MFG:Tervolin Scale Mfg"));
        QCOMPARE(link->SendAndWaitLine("\nZZ\r", reply), 0);
        QCOMPARE(reply, QByteArray("?"));
        QCOMPARE(sim->FromHost(), QByteArray("\nA\r\nB\r\nZZ\r"));
        QVERIFY(prompts.shown.empty());
    }

    void connectFailures_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<bool>("freePort");
        // Nothing listens on a port we just gave back.
        QTest::newRow("refused") << QByteArray("127.0.0.1") << true;
        // A documentation address: never answers (or the network says unreachable at once).
        QTest::newRow("unreachable") << QByteArray("192.0.2.1") << false;
        QTest::newRow("not an address") << QByteArray("no.such.host.invalid") << false;
    }
    void connectFailures()
    {
        QFETCH(QByteArray, address);
        QFETCH(bool, freePort);
        settings.remoteAddress = address;
        if (freePort) {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            settings.remotePort = QByteArray::number(probe.serverPort());
        }
        QVERIFY(!link->ConnectDeviceSocket());
        QVERIFY(!link->HasDeviceSocket());
        QVERIFY(!link->IsLinkUp());
        link->SendToDevice("\nA\r");
        QCOMPARE(prompts.BoxTexts(), QList<QByteArray>{"No connection found"});
    }

    void peerCloseShowsTheBoxOnce()
    {
        QVERIFY(link->ConnectDeviceSocket());
        QTRY_VERIFY(sim->HostPresent());
        sim->Unplug();
        QTRY_COMPARE(prompts.BoxTexts(), QList<QByteArray>{"The connection has been closed"});
        QCOMPARE(prompts.shown.front().caption, QByteArray());
        // The socket stays; sending on it goes nowhere and shows nothing more.
        QVERIFY(link->HasDeviceSocket());
        link->SendToDevice("\nA\r");
        QTest::qWait(50);
        QCOMPARE(prompts.shown.size(), size_t(1));
        // Our own close is no news to the user.
        QVERIFY(link->ConnectDeviceSocket());
        link->CloseDeviceSocket();
        QTest::qWait(50);
        QCOMPARE(prompts.shown.size(), size_t(1));
        QVERIFY(!link->HasDeviceSocket());
    }

    void atMost2048CharactersPerNotification()
    {
        CScaleSocket socket;
        QList<int> sizes;
        connect(&socket, &ByteTransport::BytesArrived, this, [&sizes](const QByteArray& b) { sizes.append(int(b.size())); });
        QVERIFY(socket.ConnectTo("127.0.0.1", sim->TcpPort(), kTestConnectTimeoutMs));
        QTRY_VERIFY(sim->HostPresent());
        sim->Engine().SendRaw(QByteArray(5000, 'x'));
        int total = 0;
        QTRY_VERIFY((total = std::accumulate(sizes.begin(), sizes.end(), 0)) == 5000);
        for (int n : sizes) QVERIFY(n <= CScaleSocket::kReceiveAreaSize);
        QVERIFY(sizes.size() >= 3);
    }

    void socketDataHasNoDiscard()
    {
        QVERIFY(link->ConnectDeviceSocket());
        QTRY_VERIFY(sim->HostPresent());
        // 150 characters at once would be thrown away on the serial path.
        const QByteArray line = "\n" + QByteArray(150, 'v') + "\r";
        sim->Engine().SendRaw(line);
        QByteArray reply;
        QCOMPARE(link->WaitForReplyLine(reply), 1);
        QCOMPARE(reply, QByteArray(150, 'v'));
    }
};

QTEST_GUILESS_MAIN(TestTcpLink)
#include "tst_tcplink.moc"
