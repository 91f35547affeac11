// SPDX-License-Identifier: MIT
// Handheld file lists, handheld files and ID storage files: the parsers as tables, and Export
// then Import handheld file through the workbench's commands.
#include <QtTest>

#include "CommandTable.h"
#include "HeadlessBench.h"
#include "handheld/HandheldFile.h"
#include "handheld/HandheldFileList.h"
#include "handheld/HandheldFileName.h"
#include "idstorage/IdRecords.h"
#include "tickets/TicketStore.h"

namespace {

const QByteArray kTemplate =
    "MFG:Tervolin Scale Mfg\r\nMOD:614\r\nREV:2.1\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\nHDR:Setup:\r\n"
    "CAP:20:60:4000:0-99999:0-99999:Capacity:edit:\r\nHDR:Display:\r\nDPP:160:60:1:0-4:0-4:Decimal point:edit:\r\n"
    "END:\r\nEND:\r\nEND:\r\nEND:\r\nSlot:1:\r\nSlot:2:\r\nSlot:3:\r\nEND:\r\n";
const QByteArray kRecord(44, 'r');

}  // namespace

class TestHandheldFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileList_data()
    {
        QTest::addColumn<QByteArray>("joined");
        QTest::addColumn<QByteArrayList>("rows");
        QTest::newRow("Truck, an unused place, Dock")
            << QByteArray("Truck,1,2:----Empty----:Dock:")
            << QByteArrayList{"[Name] Truck                          [Tickets] 1,2",
                              "[Name] ----Empty----                  [Tickets] ",
                              "[Name] Dock                           [Tickets] "};
        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("name without an end") << QByteArray("Truck") << QByteArrayList{};
        QTest::newRow("tickets running to the end")
            << QByteArray("a,b,c") << QByteArrayList{"[Name] a                              [Tickets] b,c"};
        QTest::newRow("empty names and tickets")
            << QByteArray(":,x,,y:") << QByteArrayList{"[Name]                                [Tickets] ",
                                                       "[Name]                                [Tickets] x,,y"};
        QTest::newRow("long name")
            << QByteArray("0123456789012345678901234567890123:")
            << QByteArrayList{"[Name] 0123456789012345678901234567890123 [Tickets] "};
    }
    void fileList()
    {
        QFETCH(QByteArray, joined);
        QTEST(HandheldFileList::Rows(joined), "rows");
    }

    void fileListKeepsTenRows()
    {
        QByteArray fifty;
        for (int i = 0; i < 50; ++i) fifty += "E" + QByteArray::number(i) + ",1:";
        const QByteArrayList rows = HandheldFileList::Rows(fifty);
        QCOMPARE(rows.size(), 10);
        QVERIFY(rows.last().startsWith("[Name] E9 "));
    }

    void nameOfRow()
    {
        const QByteArrayList rows = HandheldFileList::Rows("Truck,1,2:----Empty----:Dock:");
        QCOMPARE(HandheldFileList::NameOfRow(rows.at(0)), QByteArray("Truck").leftJustified(30));
        QCOMPARE(HandheldFileList::NameOfRow(rows.at(1)), QByteArray());
        QCOMPARE(HandheldFileList::NameOfRow(QByteArray()), QByteArray());
        QCOMPARE(HandheldFileList::NameOfRow(HandheldFileList::Rows(QByteArray(40, 'n') + ':').at(0)), QByteArray(30, 'n'));
    }

    void safeNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("safe");
        QTest::addColumn<bool>("changed");
        QTest::newRow("plain, padded") << QByteArray("Truck   ") << QByteArray("Truck") << false;
        QTest::newRow("up and out") << QByteArray("../../x") << QByteArray("_._.._x") << true;
        QTest::newRow("absolute") << QByteArray("/etc/passwd") << QByteArray("_etc_passwd") << true;
        QTest::newRow("backslash") << QByteArray("a\\b") << QByteArray("a_b") << true;
        QTest::newRow("hidden") << QByteArray(".plm") << QByteArray("_plm") << true;
        QTest::newRow("control characters") << QByteArray("a\x01\x7f" "b") << QByteArray("a__b") << true;
        QTest::newRow("nothing") << QByteArray("      ") << QByteArray("unnamed") << true;
        QTest::newRow("Latin-1 stays") << QByteArray("P\xe9sage") << QByteArray("P\xe9sage") << false;
    }
    void safeNames()
    {
        QFETCH(QByteArray, name);
        bool changed = false;
        QTEST(HandheldFileName::Safe(name, &changed), "safe");
        QTEST(changed, "changed");
    }

    void handheldFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("values");
        QTest::newRow("exported") << QByteArray("MOD:614:\r\nCAP:5000:\r\nDPP:2:\r\n") << QByteArray("614")
                                  << QByteArray("CAP:5000:\r\nDPP:2:\r\n");
        QTest::newRow("from the handheld, LF") << QByteArray("MOD:615:\nCAP:1:\n\nEND:\nDPP:9:\n") << QByteArray("615")
                                               << QByteArray("CAP:1:\r\n");
        QTest::newRow("short first line") << QByteArray("MOD:61") << QByteArray("61") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    }
    void handheldFile()
    {
        QFETCH(QByteArray, bytes);
        const HandheldFile::Parsed parsed = HandheldFile::Parse(bytes);
        QTEST(parsed.modelNumber, "model");
        QTEST(parsed.values, "values");
    }

    void ticketFilePath()
    {
        QCOMPARE(HandheldFile::TicketFilePath("/hh/Truck.plm", 2), QByteArray("/hh/Truck-s2.dvc"));
        QCOMPARE(HandheldFile::TicketFilePath("/hh/a.b.plm", 10), QByteArray("/hh/a.b-s10.dvc"));
    }

    void idRecordFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        const QByteArray record = kRecord + '\r';
        QTest::newRow("three, CR LF") << (record + '\n').repeated(3) << 3;
        QTest::newRow("an extra CR is dropped") << record + "\r\n" << 1;
        QTest::newRow("other lengths skipped") << "short\r\n" + record.left(44) + "xx\r\n" + record << 1;
        QTest::newRow("no line feeds") << QByteArray(500, 'x') << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void idRecordFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        const QByteArrayList read = IdRecords::FromFile(bytes);
        QCOMPARE(read.size(), records);
        for (const QByteArray& r : read) QCOMPARE(r, kRecord + '\r');
    }

    void idRecordChecks()
    {
        const QByteArray first = "\x01G\x02" + kRecord + '\r';
        QVERIFY(IdRecords::IsFirstRecord(first) && IdRecords::EndsAtCarriageReturn(first));
        QCOMPARE(IdRecords::Stored(first), kRecord + '\r');
        QVERIFY(!IdRecords::IsFirstRecord("G " + kRecord) && !IdRecords::EndsAtCarriageReturn("\r" + kRecord + '\r'));
        QCOMPARE(IdRecords::RecordInformation(10, 45), QByteArray("01045"));
        QCOMPARE(IdRecords::RecordInformation(3, 45), QByteArray("00345"));
        QByteArray many;
        for (int i = 0; i < 1200; ++i) many += kRecord + "\r\n";
        bool more = false;
        QCOMPARE(IdRecords::FromFile(many, &more).size(), IdRecords::kMaxRecords);
        QVERIFY(more);
    }

    // Export writes the lines and the ticket files and copies into the sync folder (saving a
    // configuration shown from its template first); Import shows the same pages and tickets.
    void exportThenImport()
    {
        HeadlessBench b;
        Folders folders = Folders::FromBase(b.data.Base());
        folders.handheldSync = b.data.Path(QStringLiteral("Sync/"));
        b.bench.Initialize(CommSettings::Defaults(), folders);
        b.data.Write(QStringLiteral("Configurations/614.tpl"), kTemplate);
        b.Load(kTemplate);
        // Typed into the boxes: the commands read the controls back first.
        b.Entry("CAP")->controls[1]->SetText("5000");
        b.Entry("DPP")->controls[1]->SetText("2");
        b.bench.Tickets().SetTicket(2, "SLOT TWO\n{GR}");
        const QString csc = b.data.Path(QStringLiteral("Truck.csc"));
        const QString plm = b.data.Path(QStringLiteral("HandHeld/Truck.plm"));
        b.prompts.files = {csc, plm};
        QVERIFY(b.bench.OnCommand(kCmdExportHandheldFile));

        QCOMPARE(b.prompts.shown.back().file.filter, QByteArray("Handheld config files (*.plm)|*.plm||"));
        QCOMPARE(TestData::ReadAll(plm), QByteArray("MOD:614:\r\nCAP:5000:\r\nDPP:2:\r\n"));
        QCOMPARE(QDir(folders.handheldSync).entryList(QDir::Files),
                 (QStringList{QStringLiteral("Truck-s1.dvc"), QStringLiteral("Truck-s2.dvc"),
                              QStringLiteral("Truck-s3.dvc"), QStringLiteral("Truck.csc")}));
        QCOMPARE(TestData::ReadAll(b.data.Path(QStringLiteral("HandHeld/Truck-s2.dvc"))), QByteArray("SLOT TWO\r\n{GR}"));

        HeadlessBench fresh;
        fresh.bench.Initialize(CommSettings::Defaults(), folders);
        fresh.prompts.files = {plm};
        QVERIFY(fresh.bench.OnCommand(kCmdImportHandheldFile));
        HeadlessBench::Settle();
        QCOMPARE(fresh.Entry("CAP")->value, QByteArray("5000"));
        QCOMPARE(fresh.Entry("DPP")->value, QByteArray("2"));
        QCOMPARE(fresh.view.tabs.size(), b.view.tabs.size());
        QVERIFY(fresh.bench.Model().extraEntries.size() == b.bench.Model().extraEntries.size());
        QCOMPARE(fresh.bench.Tickets().Ticket(2), QByteArray("SLOT TWO\n{GR}"));
        QCOMPARE(fresh.prompts.shown.back().file.filter, QByteArray("Configuration Files (*.plm)|*.plm||"));

        // Opened from the desktop, the handheld file loads the same way, without a file dialog.
        HeadlessBench opened;
        opened.bench.Initialize(CommSettings::Defaults(), folders);
        opened.bench.OpenFile(plm);
        HeadlessBench::Settle();
        QCOMPARE(opened.Entry("CAP")->value, QByteArray("5000"));
        QCOMPARE(opened.bench.Tickets().Ticket(2), QByteArray("SLOT TWO\n{GR}"));
        QVERIFY(opened.prompts.shown.empty());
    }

    // On a 637 the two items move ID storage instead.
    void idStorageModel()
    {
        HeadlessBench b;
        QByteArray tpl = kTemplate;
        b.Load(tpl.replace("MOD:614", "MOD:637"));
        for (int id : {kCmdImportHandheldFile, kCmdExportHandheldFile}) {
            b.bench.OnCommand(id);
            QCOMPARE(b.prompts.shown.back().file.filter, QByteArray("ID Storage (*.txt)|*.txt|All Files (*.*)|*.*||"));
            QCOMPARE(b.prompts.shown.back().file.save, id == kCmdImportHandheldFile);
        }
        QCOMPARE(b.view.CommandText(kCmdImportHandheldFile), QByteArray("Receive 637 ID Storage File"));
    }
};

QTEST_GUILESS_MAIN(TestHandheldFiles)
#include "tst_handheldfiles.moc"
