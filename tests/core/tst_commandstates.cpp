// SPDX-License-Identifier: MIT
#include <QtTest>

#include "CommandTable.h"
#include "HeadlessBench.h"

namespace {

// Remembers the order in which the refresh touches the menu items.
class RecordingView : public HeadlessView {
public:
    void SetCommandEnabled(int id, bool enabled) override
    {
        order.push_back(id);
        HeadlessView::SetCommandEnabled(id, enabled);
    }
    std::vector<int> order;
};

const QList<int> kRuleA = {kCmdSave, kCmdSendTicket, kCmdPrintDirect, kCmdUpdateDevice, kCmdSendToHandheld,
                           kCmdExportHandheldFile, kCmdPrint};
const QList<int> kRuleB = {kCmdCommunicationsSetup, kCmdNew, kCmdOpen, kCmdReadDevice, kCmdExportTicket,
                           kCmdImportTicket, kCmdSendExternalFile, kCmdReadHandheld, kCmdImportHandheldFile,
                           kCmdUpdateHandheld, kCmdUpdateFlash};
const QList<int> kNeverGreyed = {kCmdExit, kCmdCenter, kCmdMinimize, kCmdAbout, kCmdHelpIndex, kCmdUploadTicket};

using Bench = HeadlessBenchT<RecordingView>;

QList<int> Greyed(const HeadlessView& view, const QList<int>& ids)
{
    QList<int> out;
    for (int id : ids) {
        if (!view.IsCommandEnabled(id)) out.append(id);
    }
    return out;
}

bool Touched(const HeadlessView& view, int id)
{
    for (const auto& s : view.commands) {
        if (s.id == id) return true;
    }
    return false;
}

}  // namespace

class TestCommandStates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void afterStartUp()
    {
        Bench b;
        QCOMPARE(b.bench.CommandsEnabled(), 1);
        QCOMPARE(Greyed(b.view, kRuleA), kRuleA);
        // Rule B items are enabled, except the handheld items start-up greys.
        QCOMPARE(Greyed(b.view, kRuleB), (QList<int>{kCmdImportHandheldFile}));
        QVERIFY(!b.view.IsCommandEnabled(kCmdExportHandheldFile));
        for (int id : kNeverGreyed) QVERIFY2(!Touched(b.view, id), qPrintable(QString::number(id)));
    }

    void refreshOrder()
    {
        Bench b;
        b.view.order.clear();
        b.bench.SetCommandsEnabled(1);
        const std::vector<int> expected = {
            kCmdCommunicationsSetup, kCmdNew, kCmdOpen, kCmdSave, kCmdReadDevice, kCmdSendTicket, kCmdPrintDirect,
            kCmdExportTicket, kCmdImportTicket, kCmdUpdateDevice, kCmdSendToHandheld, kCmdSendExternalFile,
            kCmdReadHandheld, kCmdExportHandheldFile, kCmdImportHandheldFile, kCmdUpdateHandheld, kCmdPrint,
            kCmdUpdateFlash};
        QCOMPARE(b.view.order, expected);
    }

    void rulesFollowFlagAndDocument_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("greyed");  // every item of rules A and B
        QTest::newRow("flag off, no document") << QByteArray() << 0 << true;
        QTest::newRow("flag off, document loaded") << QByteArray("/x/614.tpl") << 0 << true;
        QTest::newRow("flag on, document loaded") << QByteArray("/x/614.tpl") << 1 << false;
    }
    void rulesFollowFlagAndDocument()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, flag);
        QFETCH(bool, greyed);
        Bench b;
        b.bench.Model().documentPath = path;
        b.bench.SetCommandsEnabled(flag);
        QCOMPARE(b.bench.CommandsEnabled(), flag);
        QCOMPARE(Greyed(b.view, kRuleA), greyed ? kRuleA : QList<int>());
        QCOMPARE(Greyed(b.view, kRuleB), greyed ? kRuleB : QList<int>());
        for (int id : kNeverGreyed) QVERIFY(b.view.IsCommandEnabled(id));
    }

    void perModel_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("sendTicket");
        QTest::addColumn<QByteArray>("importText");
        QTest::addColumn<QByteArray>("exportText");
        QTest::addColumn<QList<int>>("greyed");
        const QList<int> on958 = {kCmdImportHandheldFile, kCmdExportHandheldFile, kCmdReadDevice, kCmdUpdateDevice,
                                  kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld, kCmdPrint,
                                  kCmdCommunicationsSetup, kCmdRemoteSetup, kCmdHostSession};
        const QList<int> on637 = {kCmdUpdateDevice, kCmdReadDevice, kCmdReadHandheld, kCmdSendToHandheld,
                                  kCmdUpdateHandheld, kCmdPrint, kCmdRemoteSetup, kCmdHostSession};
        auto row = [](const char* name, QByteArray model, QByteArray send, QByteArray import, QByteArray exportText,
                      QList<int> greyed) { QTest::newRow(name) << model << send << import << exportText << greyed; };
        row("958", "MOD:958", "Save 958 Ticket\tCtrl-T", "Import Handheld", "Export Handheld", on958);
        row("637", "MOD:637", "Send Ticket\tCtrl-T", "Receive 637 ID Storage File", "Send 637 ID Storage File", on637);
        row("958 wins over 637", "MOD:958 MOD:637", "Save 958 Ticket\tCtrl-T", "Import Handheld", "Export Handheld",
            on958);
        row("other", "MOD:614", "Send Ticket\tCtrl-T", "Import Handheld", "Export Handheld",
            {kCmdImportHandheldFile, kCmdExportHandheldFile});
    }
    void perModel()
    {
        QFETCH(QByteArray, model);
        QFETCH(QList<int>, greyed);
        Bench b;
        b.bench.Model().documentPath = "/x/file.csc";
        b.bench.Model().fileDevice.modelLine = model;
        b.bench.SetCommandsEnabled(1);
        b.bench.AdjustMenuForModel();
        QTEST(b.view.CommandText(kCmdSendTicket), "sendTicket");
        QTEST(b.view.CommandText(kCmdImportHandheldFile), "importText");
        QTEST(b.view.CommandText(kCmdExportHandheldFile), "exportText");
        const QList<int> all = kRuleA + kRuleB + QList<int>{kCmdRemoteSetup, kCmdHostSession};
        QList<int> got = Greyed(b.view, all);
        std::sort(got.begin(), got.end());
        std::sort(greyed.begin(), greyed.end());
        QCOMPARE(got, greyed);
    }

    void nextRefreshReappliesRules()
    {
        Bench b;
        b.bench.Model().fileDevice.modelLine = "MOD:614";
        b.bench.SetCommandsEnabled(0);
        // The adjustment of an ordinary model enables its items explicitly, even while busy.
        b.bench.AdjustMenuForModel();
        for (int id : {kCmdReadDevice, kCmdUpdateDevice, kCmdReadHandheld, kCmdSendToHandheld, kCmdUpdateHandheld,
                       kCmdCommunicationsSetup, kCmdPrint}) {
            QVERIFY(b.view.IsCommandEnabled(id));
        }
        QVERIFY(!b.view.IsCommandEnabled(kCmdNew));
        // The next refresh puts the rules back on top: rule A needs a document.
        b.bench.SetCommandsEnabled(1);
        QVERIFY(!b.view.IsCommandEnabled(kCmdUpdateDevice));
        QVERIFY(b.view.IsCommandEnabled(kCmdReadDevice));

        b.bench.Model().fileDevice.modelLine = "MOD:958";
        b.bench.AdjustMenuForModel();
        QVERIFY(!b.view.IsCommandEnabled(kCmdReadDevice));
        b.bench.SetCommandsEnabled(1);
        QVERIFY(b.view.IsCommandEnabled(kCmdReadDevice));
        QVERIFY(b.view.IsCommandEnabled(kCmdImportHandheldFile));
        // Items outside the rules keep what the adjustment did, and so does the label.
        QVERIFY(!b.view.IsCommandEnabled(kCmdRemoteSetup));
        QCOMPARE(b.view.CommandText(kCmdSendTicket), QByteArray("Save 958 Ticket\tCtrl-T"));
    }

    void statusLog_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<bool>("beeps");
        QTest::newRow("error") << 0 << QByteArray("Error") << true;
        QTest::newRow("warning") << 1 << QByteArray("Warning") << true;
        QTest::newRow("comm error") << 2 << QByteArray("Comm Error") << false;
        QTest::newRow("information") << 3 << QByteArray("Information") << false;
        QTest::newRow("outside the kinds") << 7 << QByteArray() << false;
    }
    void statusLog()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, label);
        QFETCH(bool, beeps);
        Bench b;
        b.bench.AddStatusLine("first", 3);
        b.bench.AddStatusLine("text", kind);
        QCOMPARE(b.bench.Log().RowCount(), 2);
        QCOMPARE(b.bench.Log().Lines()[1].text, QByteArray("text"));
        QCOMPARE(b.bench.Log().Lines()[1].kind, kind);
        QCOMPARE(StatusLog::KindLabel(kind), label);
        QCOMPARE(b.view.beeps.size(), size_t(beeps ? 1 : 0));
        if (beeps) QCOMPARE(b.view.beeps[0], kind);
    }

    void resetClearsLogAndGreys()
    {
        Bench b;
        b.bench.Model().documentPath = "/x/614.tpl";
        b.bench.AddStatusLine("old", 3);
        b.bench.ResetDocument();
        QCOMPARE(b.bench.Log().RowCount(), 0);
        QCOMPARE(b.bench.CommandsEnabled(), 0);
        QCOMPARE(Greyed(b.view, kRuleB), kRuleB);
        b.bench.AddStatusLine("new", 3);
        QCOMPARE(b.bench.Log().RowCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandStates)
#include "tst_commandstates.moc"
