// SPDX-License-Identifier: MIT
// The traffic trace: its escaping, and tarelink-cli --trace against the simulator.
#include <QRegularExpression>
#include <QtTest>
#include <memory>

#include "CliRun.h"
#include "ExpectedTraffic.h"
#include "IndicatorSim.h"
#include "TestData.h"
#include "link/TrafficTrace.h"

class TestTrace : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;

    CliRun Identify(const QString& trace)
    {
        return CliRun({QStringLiteral("identify"), QStringLiteral("--port"), sim->Address(), QStringLiteral("--data"),
                       data->Base(), QStringLiteral("--trace"), trace});
    }

private Q_SLOTS:
    void init()
    {
        data = std::make_unique<TestData>();
        sim = std::make_unique<IndicatorSim>(615);
        QString error;
        QVERIFY(sim->StartPty(&error));
    }
    void cleanup()
    {
        sim.reset();
        data.reset();
    }

    void escaping_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("a command") << QByteArray("\nA\r") << QByteArray("\\nA\\r");
        QTest::newRow("control and high bytes") << QByteArray("\0\x06\x15\x1f\x7f\x80\xff", 7)
                                                << QByteArray("\\x00\\x06\\x15\\x1F\\x7F\\x80\\xFF");
        QTest::newRow("backslash and printable") << QByteArray("a\\b ~") << QByteArray("a\\\\b ~");
    }
    void escaping()
    {
        QFETCH(QByteArray, bytes);
        QTEST(TrafficTrace::Escape(bytes), "text");
    }

    void everyByteEachWay()
    {
        const QString trace = data->Path(QStringLiteral("trace.txt"));
        QCOMPARE(Identify(trace).code, 0);
        const QList<QByteArray> lines = TestData::ReadAll(trace).split('\n');
        QVERIFY(lines.first().startsWith("# Tarelink traffic trace, started "));

        const QRegularExpression record(QStringLiteral("^ *(\\d+) (TX|RX) (.*)\\r$"));
        QByteArray sent, received;
        qint64 last = 0;
        int records = 0;
        for (const QByteArray& line : lines) {
            if (line.isEmpty() || line.startsWith('#')) continue;
            const auto m = record.match(QString::fromLatin1(line));
            QVERIFY2(m.hasMatch(), line.constData());
            QVERIFY(m.captured(1).toLongLong() >= last);
            last = m.captured(1).toLongLong();
            (m.captured(2) == QLatin1String("TX") ? sent : received) += m.captured(3).toLatin1();
            if (records++ == 0) QCOMPARE(m.captured(2) + QLatin1Char(' ') + m.captured(3), QStringLiteral("TX \\nA\\r"));
        }
        QCOMPARE(sent, TrafficTrace::Escape(sim->FromHost()));
        QCOMPARE(received, TrafficTrace::Escape(sim->ToHost()));
        QVERIFY(received.contains("\\nMOD:615"));
    }

    void unwritableTraceIsAWarning()
    {
        const QString trace = data->Path(QStringLiteral("no-such-folder/trace.txt"));
        const CliRun r = Identify(trace);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.startsWith("Warning: Cannot write the traffic trace " + QFile::encodeName(trace) + ": "),
                 r.err.constData());
        QVERIFY(!QFile::exists(trace));
        QCOMPARE(sim->FromHost(), kIdentifyTraffic);
    }
};

QTEST_GUILESS_MAIN(TestTrace)
#include "tst_trace.moc"
