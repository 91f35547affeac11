// SPDX-License-Identifier: MIT
// The simulated indicator's answers, fed directly: what the link tests rely on it to say.
#include <QtTest>

#include "SimEngine.h"

class TestSimEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        const QByteArray gr = SimEngine::FrameLine("GR:1:", true);
        QTest::newRow("identity") << QByteArray("\nA\r\nB\r\nB\r\nB\r\nB\r\nB\r")
                                  << QByteArray("\nSMA:2/1.0\r\nMFG:Tervolin Scale Mfg\r\nMOD:614\r\nREV:2.1\r"
                                                "\nSN:000001\r\n?\r");
        QTest::newRow("A starts the description again") << QByteArray("\nB\r\nA\r\nB\r")
                                                        << QByteArray("\nMFG:Tervolin Scale Mfg\r\nSMA:2/1.0\r\nMFG:Tervolin Scale Mfg\r");
        QTest::newRow("lock") << QByteArray("\nXJ\r") << QByteArray("\n1\r");
        QTest::newRow("unknown") << QByteArray("\nQQ\r") << QByteArray("\n?\r");
        QTest::newRow("setting") << gr << QByteArray("D");
        QTest::newRow("setting with wrong checksum") << QByteArray("\nGR:1:^47\r") << QByteArray("E");
        QTest::newRow("end") << QByteArray("\nEND:0:^117\r") << QByteArray("D");
        QTest::newRow("update start") << QByteArray("\nXI\r") << QByteArray("D");
        QTest::newRow("bytes outside a frame ignored") << QByteArray("xyz\x1b\nXJ\r") << QByteArray("\n1\r");
        QTest::newRow("line feed restarts a frame") << QByteArray("\nXQ\nXJ\r") << QByteArray("\n1\r");
    }
    void answers()
    {
        QFETCH(QByteArray, input);
        SimProfile profile = SimProfile::ForModel(614);
        SimFaults faults;
        QByteArray out;
        SimEngine engine(profile, faults, [&out](const QByteArray& b) { out += b; });
        engine.Feed(input);
        QTEST(out, "output");
    }

    void pullAndFaults_data()
    {
        QTest::addColumn<int>("badChecksumAt");
        QTest::addColumn<int>("dropLineAt");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QByteArray>("expected");
        auto f = [](const char* t) { return SimEngine::FrameLine(t, true); };
        const QByteArray all = f("unt:1:") + f("tare:00:") + f("CAP:50000:") + f("INT:5:") + f("DPP:1:");
        QTest::newRow("plain") << -1 << -1 << 0 << all + f("END:") + f("END:");
        QTest::newRow("extra lines") << -1 << -1 << 2 << all + f("EXT1:1:") + f("EXT2:2:") + f("END:") + f("END:");
        QTest::newRow("dropped second") << -1 << 1 << 0
                                        << f("unt:1:") + f("CAP:50000:") + f("INT:5:") + f("DPP:1:") + f("END:") +
                                               f("END:");
        QByteArray bad = f("tare:00:");
        bad.replace("^" + QByteArray::number(SimEngine::Checksum("\ntare:00:")),
                    "^" + QByteArray::number((SimEngine::Checksum("\ntare:00:") + 1) & 0xFF));
        QTest::newRow("bad checksum") << 1 << -1 << 0
                                      << f("unt:1:") + bad + f("CAP:50000:") + f("INT:5:") + f("DPP:1:") + f("END:") +
                                             f("END:");
    }
    void pullAndFaults()
    {
        QFETCH(int, badChecksumAt);
        QFETCH(int, dropLineAt);
        QFETCH(int, extra);
        SimProfile profile = SimProfile::ForModel(614);
        SimFaults faults;
        faults.badChecksumAt = badChecksumAt;
        faults.dropLineAt = dropLineAt;
        faults.extraValueLines = extra;
        QByteArray out;
        SimEngine engine(profile, faults, [&out](const QByteArray& b) { out += b; });
        QByteArray pull = "\nXO\r";
        for (int i = 0; i < 6 + extra; ++i) pull += "\nXo\r";
        engine.Feed(pull);
        QTEST(out, "expected");
    }

    void settingsAreStoredAndRejectedOnRequest()
    {
        SimProfile profile = SimProfile::ForModel(615);
        SimFaults faults;
        faults.rejectSettings = 2;
        QByteArray out;
        SimEngine engine(profile, faults, [&out](const QByteArray& b) { out += b; });
        const QByteArray cap = SimEngine::FrameLine("CAP:777:", true);
        engine.Feed(cap + cap + cap);
        QCOMPARE(out, QByteArray("EED"));
        QCOMPARE(profile.Value("CAP"), QByteArray("777"));
    }

    void silenceAndDisconnectCountCommands()
    {
        SimProfile profile = SimProfile::ForModel(637);
        SimFaults faults;
        faults.silentAfter = 1;
        faults.disconnectAfter = 2;
        QByteArray out;
        int pulled = 0;
        SimEngine engine(profile, faults, [&out](const QByteArray& b) { out += b; });
        engine.SetDisconnectHandler([&pulled]() { ++pulled; });
        engine.Feed("\nXJ\r\nXJ\r\nXJ\r");
        QCOMPARE(out, QByteArray("\n1\r"));
        QCOMPARE(pulled, 1);
        QCOMPARE(engine.CommandCount(), 3);
    }
};

QTEST_GUILESS_MAIN(TestSimEngine)
#include "tst_simengine.moc"
