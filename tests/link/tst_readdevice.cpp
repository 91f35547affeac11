// SPDX-License-Identifier: MIT
// Read device from end to end: a headless workbench, the data set's templates, and the
// simulator on a pseudo-terminal or loopback TCP.
#include <QTcpServer>
#include <QtTest>
#include <memory>

#include "IndicatorSim.h"
#include "ScriptedPrompts.h"
#include "StatusLog.h"
#include "TestData.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "platform/View.h"

namespace {

constexpr int kTestReplyTimeoutMs = 700;
constexpr int kTestConnectTimeoutMs = 300;

QList<QByteArray> LinesOfKind(const StatusLog& log, int kind)
{
    QList<QByteArray> out;
    for (const StatusLine& l : log.Lines()) {
        if (l.kind == kind) out.append(l.text);
    }
    return out;
}

QList<QByteArray> AllLines(const StatusLog& log)
{
    QList<QByteArray> out;
    for (const StatusLine& l : log.Lines()) out.append(StatusLog::KindLabel(l.kind) + ": " + l.text);
    return out;
}

// Combo entries of a template that no rule or event names, with their device values: a value
// changed among these survives the rules the read applies, so it can only come from the link.
QMap<QByteArray, QList<QByteArray>> FreeCombos(const QString& templatePath)
{
    QFile f(templatePath);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    QSet<QByteArray> ruled;
    for (QByteArray& l : lines) {
        l = l.trimmed();
        for (const char* keyword : {"ENABLE:", "DISABLE:", "HIDE:", "SHOW:", "VERIFY:", "REJECT:", "FIRE:"}) {
            if (!l.startsWith(keyword)) continue;
            for (const QByteArray& field : l.split(':')) {
                for (const QByteArray& code : field.split(',')) ruled.insert(code.toUpper());
            }
        }
    }
    QMap<QByteArray, QList<QByteArray>> out;
    for (QByteArray l : lines) {
        if (l.startsWith("->:")) l = l.mid(3);
        const QList<QByteArray> f = l.split(':');
        if (f.size() < 8 || f[7] != "combo" || ruled.contains(f[0].toUpper())) continue;
        const QList<QByteArray> values = f[4].split(',');
        if (values.size() >= 2) out.insert(f[0], values);
    }
    return out;
}

}  // namespace

class TestReadDevice : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<HeadlessView> view;
    std::unique_ptr<Workbench> bench;

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
        prompts = std::make_unique<ScriptedPrompts>();
        view = std::make_unique<HeadlessView>();
        bench = std::make_unique<Workbench>(*prompts, *view);
        CommSettings settings = CommSettings::Defaults();
        settings.port = port;
        settings.remoteAddress = "127.0.0.1";
        if (sim && sim->TcpPort()) settings.remotePort = QByteArray::number(sim->TcpPort());
        bench->Initialize(settings, Folders::FromBase(data->Base()));
        bench->SetSettlePause(0);
        bench->Link().SetReplyTimeout(kTestReplyTimeoutMs);
        bench->Link().SetSocketConnectTimeout(kTestConnectTimeoutMs);
    }

    QByteArray SimPort() const { return QFile::encodeName(sim->Address()); }

    ConfigEntry* Entry(const QByteArray& code) const
    {
        return ConfigModel::FindEntryByCode(bench->Model().entries, code);
    }

    static QByteArray Pull(int replies)
    {
        QByteArray out = "\nXO\r";
        for (int i = 1; i < replies; ++i) out += "\nXo\r";
        return out;
    }

private Q_SLOTS:
    void init() { data = std::make_unique<TestData>(); }
    void cleanup()
    {
        bench.reset();
        view.reset();
        prompts.reset();
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
        // Values other than the template's, so they can only come from the indicator.
        std::vector<SimProfile::Setting>& settings = sim->Profile().settings;
        const auto combos = FreeCombos(data->Configurations() + QString::number(model) + QStringLiteral(".tpl"));
        QList<QByteArray> changedCodes;
        for (SimProfile::Setting& setting : settings) {
            const QList<QByteArray> values = combos.value(setting.code);
            if (values.isEmpty()) continue;
            setting.value = values.last() == setting.value ? values.first() : values.last();
            changedCodes.append(setting.code);
        }
        QVERIFY(changedCodes.size() >= 3);
        sim->Faults().extraValueLines = extraLines;
        MakeBench(SimPort());

        int finished = -1;
        connect(bench.get(), &Workbench::ReadFinished, this, [&finished](int r) { finished = r; });
        QCOMPARE(bench->ReadDevice(nullptr, nullptr), 1);
        QCOMPARE(finished, 1);

        // The traffic, byte for byte: identification, then one pull request per value line.
        const int replies = int(settings.size()) + extraLines + 1;
        QCOMPARE(sim->FromHost(), QByteArray("\nA\r\nB\r\nB\r\nB\r\nXJ\r") + Pull(replies));

        const ConfigModel& m = bench->Model();
        QCOMPARE(m.attachedDevice.identified, 1);
        QCOMPARE(m.attachedDevice.unlocked, 1);
        for (const QByteArray& code : changedCodes) {
            ConfigEntry* e = Entry(code);
            QVERIFY2(e, code.constData());
            QCOMPARE(e->value, sim->Profile().Value(code));
            QVERIFY(e->hasValue);
        }
        QVERIFY(!ConfigModel::IsDocumentModified(m.entries));

        // Unmatched lines make the Extended tab; without them it is removed.
        int extras = 0;
        for (const auto& e : m.extraEntries) {
            if (e->code.startsWith("EXT")) ++extras;
        }
        QCOMPARE(extras, extraLines);
        QCOMPARE(m.extendedTab != -1, extraLines > 0);
        bool extendedShown = false;
        for (const TabItem& t : view->tabs) extendedShown |= t.name == "Extended";
        QCOMPARE(extendedShown, extraLines > 0);

        QVERIFY(view->tabControlVisible);
        QVERIFY(!view->busyVisible);
        QCOMPARE(bench->CommandsEnabled(), 1);
        QCOMPARE(LinesOfKind(bench->Log(), kError), QList<QByteArray>());
        QCOMPARE(LinesOfKind(bench->Log(), kCommError), QList<QByteArray>());
        const QByteArray modelText = QByteArray::number(model);
        QVERIFY(LinesOfKind(bench->Log(), kInformation)
                    .contains("Current device - Model " + modelText + "  Tarelink Version " +
                              m.attachedDevice.VersionText()));
        QVERIFY(prompts->shown.empty());
        QCOMPARE(view->busyMessages.front(), QByteArray("Initializing communication..."));
    }

    void lockedEntriesFollowTheLockReply_data()
    {
        QTest::addColumn<QByteArray>("lockReply");
        QTest::addColumn<int>("disabled");
        QTest::newRow("unlocked") << QByteArray("3") << 0;
        QTest::newRow("locked") << QByteArray("2") << 1;
    }
    // The lock reply decides, through the identified record, which entries the read leaves locked.
    void lockedEntriesFollowTheLockReply()
    {
        QFETCH(QByteArray, lockReply);
        StartSim(614);
        sim->Profile().lockReply = lockReply;
        MakeBench(SimPort());
        bench->ReadDevice(nullptr, nullptr);
        QVERIFY(Entry("CAP"));
        QTEST(Entry("CAP")->disabled, "disabled");
        QCOMPARE(Entry("unt")->disabled, 0);
    }

    void identification_data()
    {
        QTest::addColumn<QByteArray>("mfg");
        QTest::addColumn<QByteArray>("mod");
        QTest::addColumn<QByteArray>("rev");
        QTest::addColumn<QByteArray>("lockReply");
        QTest::addColumn<int>("unlockedBefore");
        QTest::addColumn<int>("identified");
        QTest::addColumn<int>("unlocked");
        QTest::addColumn<QByteArray>("version");
        auto row = [](const char* name, QByteArray mfg, QByteArray mod, QByteArray rev, QByteArray lockReply,
                      int unlockedBefore, int identified, int unlocked, QByteArray version) {
            QTest::newRow(name) << mfg << mod << rev << lockReply << unlockedBefore << identified << unlocked << version;
        };
        const char* maker = "MFG:Tervolin Scale Mfg";
        row("637 REV:1.2", maker, "MOD:637", "REV:1.2", "1", 0, 1, 1, "1.2");
        // Whether the record counts as identified is the record's own check, run on what came back.
        row("other maker", "MFG:Other Scales", "MOD:637", "REV:1.2", "1", 0, 0, 1, "1.2");
        row("XJ 3", maker, "MOD:614", "REV:2.1", "3", 0, 1, 1, "2.1");
        row("XJ 2", maker, "MOD:614", "REV:2.1", "2", 1, 1, 0, "2.1");
        row("XJ silent keeps 1", maker, "MOD:614", "REV:2.1", "", 1, 1, 1, "2.1");
        row("XJ silent keeps 0", maker, "MOD:614", "REV:2.1", "", 0, 1, 0, "2.1");
    }
    void identification()
    {
        QFETCH(QByteArray, mfg);
        QFETCH(QByteArray, mod);
        QFETCH(QByteArray, rev);
        QFETCH(QByteArray, lockReply);
        QFETCH(int, unlockedBefore);
        StartSim(614, false);
        sim->Profile().describeLines = {mfg, mod, rev};
        sim->Profile().lockReply = lockReply;
        MakeBench(SimPort());
        QString error;
        QVERIFY(bench->Link().OpenSerialPort(&error));
        CDevice record;
        record.unlocked = unlockedBefore;
        bench->IdentifyDevice(record);
        QTEST(record.identified, "identified");
        QTEST(record.unlocked, "unlocked");
        QTEST(record.VersionText(), "version");
        QCOMPARE(record.protocolLine, QByteArray("SMA:2/1.0"));
        QCOMPARE(record.modelLine, mod);
        QCOMPARE(sim->FromHost(), QByteArray("\nA\r\nB\r\nB\r\nB\r\nXJ\r"));
    }

    void silentIndicatorIsNotAttached()
    {
        StartSim(614);
        sim->Faults().silent = true;
        MakeBench(SimPort());
        bench->ReadDevice(nullptr, nullptr);
        QCOMPARE(AllLines(bench->Log()), QList<QByteArray>{"Information: No device attached"});
        // Identification stops at the first unanswered request.
        QCOMPARE(sim->FromHost(), QByteArray("\nA\r"));
        QVERIFY(bench->Model().entries.empty());
        QCOMPARE(bench->CommandsEnabled(), 1);
    }

    void unknownModelFallsBackToDefaultTemplate()
    {
        StartSim(614, false);
        sim->Profile().describeLines = {"MFG:Tervolin Scale Mfg", "MOD:999", "REV:1.0"};
        MakeBench(SimPort());
        bench->ReadDevice(nullptr, nullptr);
        QVERIFY(!bench->Model().entries.empty());
        // default.tpl describes another model than the one attached: the box, and the file's
        // own model names the document.
        QVERIFY(prompts->BoxTexts().contains("Configuration does not match the attached device"));
        QCOMPARE(bench->Model().documentPath, QByteArray("0.tpl"));
        const QList<QByteArray> info = LinesOfKind(bench->Log(), kInformation);
        QCOMPARE(info.value(0), QByteArray("Current device - Model 999  Tarelink Version 1.0"));
        QCOMPARE(info.value(1), QByteArray("Current configuration file - Model 000  Tarelink Version 0.0"));
        QVERIFY(view->tabControlVisible);
    }

    void noTemplateAtAll()
    {
        QVERIFY(QFile::remove(data->Configurations() + QStringLiteral("default.tpl")));
        StartSim(614, false);
        sim->Profile().describeLines = {"MFG:Tervolin Scale Mfg", "MOD:999", "REV:1.0"};
        MakeBench(SimPort());
        bench->ReadDevice(nullptr, nullptr);
        const QByteArray expected = "No template found - " + QFile::encodeName(data->Configurations()) +
                                    "default.tpl (Model 999   Tarelink Version 1.0)";
        QCOMPARE(LinesOfKind(bench->Log(), kError), QList<QByteArray>{expected});
        QVERIFY(bench->Model().entries.empty());
        QVERIFY(view->tabs.empty());
        // Only identification went out: no template, no pull.
        QCOMPARE(sim->FromHost(), QByteArray("\nA\r\nB\r\nB\r\nB\r\nXJ\r"));
    }

    void tcpNobodyThere_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("refused") << QByteArray("127.0.0.1");
        QTest::newRow("unreachable") << QByteArray("192.0.2.1");
    }
    void tcpNobodyThere()
    {
        QFETCH(QByteArray, address);
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 freePort = probe.serverPort();
        probe.close();
        MakeBench("TCP/IP");
        bench->Settings().remoteAddress = address;
        bench->Settings().remotePort = QByteArray::number(freePort);
        bench->ReadDevice(nullptr, nullptr);
        QCOMPARE(AllLines(bench->Log()),
                 (QList<QByteArray>{"Comm Error: No connection found", "Information: No device attached"}));
        QVERIFY(!bench->Link().HasDeviceSocket());
        QVERIFY(!view->tabControlVisible);
        QVERIFY(prompts->shown.empty());
    }

    void tcpReadWorksLikeSerial()
    {
        sim = std::make_unique<IndicatorSim>(637);
        QString error;
        QVERIFY(sim->Profile().LoadTemplate(data->Configurations() + QStringLiteral("637.tpl"), &error));
        QVERIFY(sim->StartTcp(0, &error));
        sim->Profile().settings.front().value = "42";
        MakeBench("TCP/IP");
        bench->ReadDevice(nullptr, nullptr);
        QCOMPARE(Entry(sim->Profile().settings.front().code)->value, QByteArray("42"));
        QCOMPARE(LinesOfKind(bench->Log(), kCommError), QList<QByteArray>());
        QVERIFY(bench->Link().HasDeviceSocket());
    }

    void missingSerialDevice()
    {
        MakeBench("/dev/tarelink-no-such-port");
        bench->ReadDevice(nullptr, nullptr);
        QCOMPARE(AllLines(bench->Log()),
                 QList<QByteArray>{"Comm Error: No such file or directory (/dev/tarelink-no-such-port)"});
        QCOMPARE(bench->CommandsEnabled(), 1);
        QVERIFY(!view->busyVisible);
    }

    void unplugMidRead()
    {
        StartSim(614);
        auto& settings = sim->Profile().settings;
        settings[0].value = "4";
        settings[1].value = "12";
        // Identification is five commands; the cable goes after the fourth value line.
        sim->Faults().disconnectAfter = 5 + 4;
        MakeBench(SimPort());
        bench->Link().SetReplyTimeout(30000);
        bench->ReadDevice(nullptr, nullptr);
        const QList<QByteArray> comm = LinesOfKind(bench->Log(), kCommError);
        QCOMPARE(comm.size(), 1);
        QVERIFY(comm.first().endsWith(" (" + SimPort() + ")"));
        QVERIFY(!bench->Link().IsSerialOpen());
        QCOMPARE(bench->CommandsEnabled(), 1);
        QVERIFY(!view->busyVisible);
        // What arrived before the cable went stays in the model.
        QCOMPARE(Entry(settings[0].code)->value, QByteArray("4"));
        QCOMPARE(Entry(settings[1].code)->value, QByteArray("12"));
        QTest::qWait(100);
        QCOMPARE(LinesOfKind(bench->Log(), kCommError).size(), 1);
    }

    void readTwiceReopensThePort()
    {
        StartSim(614);
        MakeBench(SimPort());
        bench->ReadDevice(nullptr, nullptr);
        sim->ClearTraffic();
        sim->Profile().settings.front().value = "3";
        bench->ReadDevice(nullptr, nullptr);
        QCOMPARE(Entry(sim->Profile().settings.front().code)->value, QByteArray("3"));
        QVERIFY(sim->FromHost().startsWith("\nA\r\nB\r"));
    }
};

QTEST_GUILESS_MAIN(TestReadDevice)
#include "tst_readdevice.moc"
