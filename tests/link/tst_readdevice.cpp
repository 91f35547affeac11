// SPDX-License-Identifier: MIT
// Read device from end to end: a headless workbench, the data set's templates, and the
// simulator on a pseudo-terminal.
#include <QtTest>
#include <memory>

#include "ExpectedTraffic.h"
#include "IndicatorSim.h"
#include "LinkBench.h"
#include "StatusLog.h"

namespace {

constexpr int kTestReplyTimeoutMs = 700;

QList<QByteArray> LinesOfKind(const StatusLog& log, int kind)
{
    QList<QByteArray> out;
    for (const StatusLine& l : log.Lines()) {
        if (l.kind == kind) out.append(l.text);
    }
    return out;
}

}  // namespace

class TestReadDevice : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;
    std::unique_ptr<LinkBench> b;

    void StartSim(int model, bool withTemplate = true)
    {
        sim = std::make_unique<IndicatorSim>(model);
        QString error;
        if (withTemplate) {
            QVERIFY2(sim->Profile().LoadTemplate(
                         data->Configurations() + QString::number(model) + QStringLiteral(".tpl"), &error),
                     qPrintable(error));
        }
        QVERIFY2(sim->StartPty(&error), qPrintable(error));
    }

    void MakeBench(const QByteArray& port)
    {
        CommSettings settings = CommSettings::Defaults();
        settings.port = port;
        b = std::make_unique<LinkBench>(*data, settings, kTestReplyTimeoutMs);
    }

    QByteArray SimPort() const { return QFile::encodeName(sim->Address()); }

    ConfigEntry* Entry(const QByteArray& code) const
    {
        return ConfigModel::FindEntryByCode(b->bench.Model().entries, code);
    }


private Q_SLOTS:
    void init() { data = std::make_unique<TestData>(); }
    void cleanup()
    {
        b.reset();
        sim.reset();
        data.reset();
    }

    void fullReadFillsThePages_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("extraLines");
        QTest::newRow("614") << 614 << 0;
        QTest::newRow("615 with extras") << 615 << 3;
        QTest::newRow("637") << 637 << 1;
        QTest::newRow("958") << 958 << 0;
    }
    void fullReadFillsThePages()
    {
        QFETCH(int, model);
        QFETCH(int, extraLines);
        StartSim(model);
        // A value other than the template's, so it can only come from the indicator.
        sim->Profile().SetValue("unt", "3");
        sim->Faults().extraValueLines = extraLines;
        MakeBench(SimPort());

        int finished = -1;
        connect(&b->bench, &Workbench::ReadFinished, this, [&finished](int r) { finished = r; });
        QCOMPARE(b->bench.ReadDevice(nullptr, nullptr), 1);
        QCOMPARE(finished, 1);

        // The traffic, byte for byte: identification, then one pull request per value line.
        const int replies = int(sim->Profile().settings.size()) + extraLines + 1;
        QCOMPARE(sim->FromHost(), kIdentifyTraffic + PullTraffic(replies));

        const ConfigModel& m = b->bench.Model();
        QCOMPARE(Entry("unt")->value, QByteArray("3"));
        QVERIFY(!ConfigModel::IsDocumentModified(m.entries));

        // Unmatched lines make the Extended tab; without them it is removed.
        const auto extras = std::count_if(m.extraEntries.begin(), m.extraEntries.end(),
                                          [](const auto& e) { return e->code.startsWith("EXT"); });
        QCOMPARE(int(extras), extraLines);
        QCOMPARE(m.extendedTab != -1, extraLines > 0);

        QVERIFY(b->view.tabControlVisible);
        QCOMPARE(b->bench.CommandsEnabled(), 1);
        QCOMPARE(LinesOfKind(b->bench.Log(), kError) + LinesOfKind(b->bench.Log(), kCommError), QList<QByteArray>());
    }

    // Identification decides whether the read goes on; the lock reply decides, through the
    // identified record, which entries the read leaves locked.
    void identification_data()
    {
        QTest::addColumn<QByteArray>("mfg");
        QTest::addColumn<QByteArray>("lockReply");
        QTest::addColumn<int>("unlockedBefore");
        QTest::addColumn<int>("identified");
        QTest::addColumn<int>("unlocked");
        QTest::addColumn<int>("capDisabled");
        const QByteArray maker = "MFG:Tervolin Scale Mfg";
        QTest::newRow("other maker") << QByteArray("MFG:Other Scales") << QByteArray("1") << 0 << 0 << 1 << -1;
        QTest::newRow("XJ 3") << maker << QByteArray("3") << 0 << 1 << 1 << 0;
        QTest::newRow("XJ 2") << maker << QByteArray("2") << 1 << 1 << 0 << 1;
        QTest::newRow("no XJ keeps 1") << maker << QByteArray() << 1 << 1 << 1 << 0;
        QTest::newRow("no XJ keeps 0") << maker << QByteArray() << 0 << 1 << 0 << 1;
    }
    void identification()
    {
        QFETCH(QByteArray, mfg);
        QFETCH(int, unlockedBefore);
        StartSim(614);
        sim->Profile().describeLines = {mfg, "MOD:614", "REV:2.1"};
        QFETCH(QByteArray, lockReply);
        sim->Profile().lockReply = lockReply;
        MakeBench(SimPort());
        b->bench.Model().attachedDevice.unlocked = unlockedBefore;
        b->bench.ReadDevice(nullptr, nullptr);
        const CDevice& record = b->bench.Model().attachedDevice;
        QTEST(record.identified, "identified");
        QTEST(record.unlocked, "unlocked");
        QVERIFY(sim->FromHost().startsWith(kIdentifyTraffic));
        QTEST(Entry("CAP") ? Entry("CAP")->disabled : -1, "capDisabled");
        if (Entry("unt")) QCOMPARE(Entry("unt")->disabled, 0);
    }

    // An unknown model falls back to "default.tpl"; without it there is nothing to read into.
    void unknownModel_data()
    {
        QTest::addColumn<bool>("withDefault");
        QTest::newRow("default.tpl") << true;
        QTest::newRow("no default.tpl") << false;
    }
    void unknownModel()
    {
        QFETCH(bool, withDefault);
        if (!withDefault) QVERIFY(QFile::remove(data->Configurations() + QStringLiteral("default.tpl")));
        StartSim(614, false);
        sim->Profile().describeLines = {"MFG:Tervolin Scale Mfg", "MOD:999", "REV:1.0"};
        MakeBench(SimPort());
        b->bench.ReadDevice(nullptr, nullptr);
        const QList<QByteArray> info = LinesOfKind(b->bench.Log(), kInformation);
        QCOMPARE(info.value(0), QByteArray("Current device - Model 999  Tarelink Version 1.0"));
        QCOMPARE(b->bench.Model().entries.empty(), !withDefault);
        if (!withDefault) {
            const QByteArray expected = "No template found - " + QFile::encodeName(data->Configurations()) +
                                        "default.tpl (Model 999   Tarelink Version 1.0)";
            QCOMPARE(LinesOfKind(b->bench.Log(), kError), QList<QByteArray>{expected});
            QVERIFY(b->view.tabs.empty());
            // Only identification went out: no template, no pull.
            QCOMPARE(sim->FromHost(), kIdentifyTraffic);
            return;
        }
        // default.tpl describes another model than the one attached: the box, and the file's
        // own model names the document.
        QVERIFY(b->prompts.BoxTexts().contains("Configuration does not match the attached device"));
        QCOMPARE(b->bench.Model().documentPath, QByteArray("0.tpl"));
        QCOMPARE(info.value(1), QByteArray("Current configuration file - Model 000  Tarelink Version 0.0"));
    }

    // What the window is left with when the cable goes in the pull; the lines and the exit
    // code the command line gives are the fault table's.
    void unplugMidRead()
    {
        StartSim(614);
        auto& settings = sim->Profile().settings;
        settings[0].value = "4";
        // Identification is five commands; the cable goes after the second value line.
        sim->Faults().disconnectAfter = 5 + 2;
        MakeBench(SimPort());
        int finished = -1;
        connect(&b->bench, &Workbench::ReadFinished, this, [&finished](int r) { finished = r; });
        b->bench.ReadDevice(nullptr, nullptr);
        QCOMPARE(finished, 0);
        QCOMPARE(b->bench.Reader().Outcome().valuesReceived, 2);
        QCOMPARE(Entry(settings[0].code)->value, QByteArray("4"));
        QCOMPARE(b->bench.CommandsEnabled(), 1);
        QVERIFY(!b->view.busyVisible);
        QVERIFY(!b->bench.Link().IsSerialOpen());
    }
};

QTEST_GUILESS_MAIN(TestReadDevice)
#include "tst_readdevice.moc"
