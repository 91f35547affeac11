// SPDX-License-Identifier: MIT
// Send to handheld, Read from handheld and both ID storage directions against the simulator
// over a pty, byte for byte; and the same transfers from tarelink-cli.
#include <QDir>
#include <QtTest>
#include <memory>

#include "CliRun.h"
#include "IndicatorSim.h"
#include "LinkBench.h"
#include "SimHandheld.h"
#include "handheld/HandheldLink.h"
#include "idstorage/IdStorageReceive.h"
#include "idstorage/IdStorageSend.h"
#include "link/DeviceUpdate.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTestReplyTimeoutMs = 300;
const QByteArray kTemplate =
    "MFG:Tervolin Scale Mfg\r\nMOD:614\r\nREV:2.1\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\nHDR:Setup:\r\n"
    "CAP:20:60:5000:0-99999:0-99999:Capacity:edit:\r\nDPP:160:60:2:0-4:0-4:Decimal point:edit:\r\n"
    "END:\r\nEND:\r\nEND:\r\nEND:\r\nSlot:1:\r\nSlot:2:\r\nEND:\r\n";
const QByteArray kTicket1 = "TICKET ONE\r\n";
const QByteArray kTicket2 = "T2";

QByteArray Line(const char* text)
{
    return '\n' + QByteArray(text) + '\r';
}

}  // namespace

class TestFieldTransfers : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;
    std::unique_ptr<SimHandheld> handheld;
    std::unique_ptr<LinkBench> b;

    void Start(int model)
    {
        sim = std::make_unique<IndicatorSim>(model);
        if (model != 637) handheld = std::make_unique<SimHandheld>(*sim);
        QString error;
        QVERIFY(sim->StartPty(&error));
        CommSettings settings = CommSettings::Defaults();
        settings.port = settings.alternatePort = QFile::encodeName(sim->Address());
        b = std::make_unique<LinkBench>(*data, settings, kTestReplyTimeoutMs);
    }
    QByteArrayList HandheldFiles() const
    {
        QByteArrayList out;
        for (const QString& f : QDir(b->bench.Dirs().handheld).entryList(QDir::Files, QDir::Name)) {
            out.append(f.toLatin1());
        }
        return out;
    }

    CliRun Cli(const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, data->Path(u"home"_s));
        return CliRun(args + QStringList{u"--data"_s, data->Base()}, QString(), env);
    }

private Q_SLOTS:
    void init() { data = std::make_unique<TestData>(false); }
    void cleanup()
    {
        b.reset();
        handheld.reset();
        sim.reset();
        data.reset();
    }

    // Three probes at most; then the configuration, the end, the tickets from the files beside
    // the handheld file the document names, and the last-ticket line.
    void sendToHandheld_data()
    {
        QTest::addColumn<int>("answerFrom");
        QTest::addColumn<QByteArray>("probes");
        QTest::newRow("found at once") << 1 << QByteArray("\r");
        QTest::newRow("found at the second probe") << 2 << QByteArray("\r\r");
        QTest::newRow("never found") << 0 << QByteArray("\r\r\r");
    }
    void sendToHandheld()
    {
        QFETCH(int, answerFrom);
        QFETCH(QByteArray, probes);
        Start(614);
        handheld->HandheldFaults().answerProbeFrom = answerFrom;
        QFile file(data->Write(u"Configurations/614.tpl"_s, kTemplate));
        QVERIFY(file.open(QIODevice::ReadOnly));
        b->bench.ReadDevice(nullptr, &file);
        data->Write(u"HandHeld/Truck-s1.dvc"_s, kTicket1);
        data->Write(u"HandHeld/Truck-s2.dvc"_s, kTicket2);
        b->bench.Model().documentPath = QFile::encodeName(data->Path(u"HandHeld/Truck.plm"_s));
        b->prompts.descriptions = {"Truck"};
        const int logStart = b->bench.Log().RowCount();

        const HandheldLink::SendOutcome outcome = HandheldLink(b->bench).SendToHandheld();
        QTRY_VERIFY(sim->FromHost().size() >= probes.size());
        const QList<QByteArray> log = b->Log(logStart);
        if (answerFrom == 0) {
            QCOMPARE(sim->FromHost(), probes);
            QCOMPARE(log, (QList<QByteArray>{"Information: Looking for hand-held PC...",
                                             "Information: No hand-held PC found"}));
            QVERIFY(!outcome.found);
            return;
        }
        const QByteArray expected =
            probes + Line("XI") + Line("Truck") + Line("MOD:614:") + DeviceUpdate::SettingCommand("CAP", "5000") +
            DeviceUpdate::SettingCommand("DPP", "2") + Line("END:") + Line("XS") + Line("XC") + Line("<#><1>") +
            "010TICKET ONE002\r\n000" + Line("XS") + Line("XC") + Line("<#><2>") + "002T2000" + Line("LAST_TICKET:");
        QTRY_COMPARE(sim->FromHost(), expected);
        QVERIFY(outcome.Succeeded());
        QCOMPARE(log.first(), QByteArray("Information: Looking for hand-held PC..."));
        QCOMPARE(log.last(), QByteArray("Information: Configuration transfer is complete"));
        QTRY_COMPARE(handheld->Places()[0].name, QByteArray("Truck"));
        QCOMPARE(handheld->Places()[0].tickets[1], kTicket1);
        QVERIFY(!b->bench.Link().IsSerialOpen());
    }

    void readFromHandheld_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<int>("shortChunkAt");
        QTest::addColumn<char>("slot");
        QTest::addColumn<QByteArray>("afterIndex");   // what the program sends after the index
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QByteArray>("lastLine");
        const QByteArray whole = Line("001") + "DDDD" + Line("621500") + "DDDDD";
        QTest::newRow("whole") << QByteArray("Truck") << QByteArray("XJ") << -1 << char(0) << whole
                               << QByteArrayList{"Truck-s2.dvc", "Truck.plm"}
                               << QByteArray("Information: Configuration received from the hand-held PC and written to ");
        QTest::newRow("first line not XJ") << QByteArray("Truck") << QByteArray("HELLO") << -1 << char(0)
                                           << whole.mid(5) << QByteArrayList{"Truck-s2.dvc", "Truck.plm"}
                                           << QByteArray("Information: Configuration received");
        QTest::newRow("chunk cut short") << QByteArray("Truck") << QByteArray("XJ") << 1 << char(0)
                                         << Line("001") + "DDDD" + Line("621500") + "DDDE"
                                         << QByteArrayList{"Truck-s2.dvc", "Truck.plm"}
                                         << QByteArray("Warning: Ticket for slot 2 arrived incomplete; the 10 bytes "
                                                       "received were kept in ");
        QTest::newRow("slot Z") << QByteArray("Truck") << QByteArray("XJ") << -1 << 'Z'
                                << Line("001") + "DDDD" + Line("621500") + "DE" << QByteArrayList{"Truck.plm"}
                                << QByteArray("Warning: Ticket refused: slot character \"Z\" is not 1 to 9");
        QTest::newRow("name leaving the folder") << QByteArray("../../x") << QByteArray("XJ") << -1 << char(0)
                                                 << whole << QByteArrayList{"_._.._x-s2.dvc", "_._.._x.plm"}
                                                 << QByteArray("Information: Configuration received");
    }
    void readFromHandheld()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, firstLine);
        QFETCH(int, shortChunkAt);
        QFETCH(char, slot);
        QFETCH(QByteArray, afterIndex);
        QFETCH(QByteArrayList, files);
        QFETCH(QByteArray, lastLine);
        Start(614);
        const QByteArray settingLine = DeviceUpdate::SettingCommand("CAP", "5000").mid(1).chopped(1);
        handheld->Places()[0] = {name, {"MOD:614:", settingLine, "END:"}, {{2, "0123456789ABCDEF"}}};
        handheld->HandheldFaults().firstLine = firstLine;
        handheld->HandheldFaults().shortChunkAt = shortChunkAt;
        handheld->HandheldFaults().slotCharacter = slot;
        b->prompts.handheldRows = {0};

        const HandheldLink::ReceiveOutcome outcome = HandheldLink(b->bench).ReadFromHandheld();
        QCOMPARE(b->prompts.shown.back().text, name + ",2:" + QByteArray("----Empty----:").repeated(9));
        QTRY_COMPARE(sim->FromHost(), Line("files") + QByteArray(10, 'D') + Line("send") + "0" + afterIndex);
        QCOMPARE(HandheldFiles(), files);
        const QString handheldDir = b->bench.Dirs().handheld;
        QCOMPARE(TestData::ReadAll(handheldDir + QString::fromLatin1(files.last())),
                 QByteArray("MOD:614:\r\nCAP:5000:\r\nEND:\r\n"));
        QVERIFY2(b->Log().last().startsWith(lastLine), b->Log().last().constData());
        QCOMPARE(outcome.Succeeded(), shortChunkAt < 0 && slot == 0);
        if (shortChunkAt >= 0) {
            QCOMPARE(TestData::ReadAll(handheldDir + QString::fromLatin1(files.first())), QByteArray("0123456789"));
        }
        if (name.contains('/')) {
            QVERIFY(b->Log().contains("Warning: Hand-held name \"../../x\" is not a safe file name; its files were "
                                   "written as " + QFile::encodeName(b->bench.Dirs().handheld) + "_._.._x.plm"));
            QVERIFY(!QFileInfo::exists(data->Path(u"x.plm"_s)));
        }
        QVERIFY(!b->bench.Link().IsSerialOpen());
        QCOMPARE(b->bench.Link().lineMode, 1);
    }

    // Fifty entries make ten rows; a cancelled choice says "exit"; a silent list writes nothing.
    void readFromHandheldCancelled()
    {
        Start(614);
        for (int i = 0; i < 50; ++i) handheld->HandheldFaults().fileList.append("E" + QByteArray::number(i) + ":");
        HandheldLink(b->bench).ReadFromHandheld();
        QTRY_COMPARE(sim->FromHost(), Line("files") + QByteArray(50, 'D') + Line("exit"));
        QVERIFY(HandheldFiles().isEmpty());
    }

    void receiveIdStorage_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("fromHost");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("lastLine");
        QTest::newRow("resend") << "bad" << QByteArray("\nXI\rANAA") << 3 << QByteArray("3 record(s) received");
        QTest::newRow("wrong length") << "short" << QByteArray("\nXI\rANNNNNNNNNN") << 1 << QByteArray("1 record(s)");
        QTest::newRow("garbage") << "garbage" << QByteArray("\nXI\r").repeated(10) << 0
                                 << QByteArray("Could not write ID file.  No records.");
        QTest::newRow("nothing") << "silent" << QByteArray("\nXI\r").repeated(10) << 0
                                 << QByteArray("Could not write ID file.  No records.");
    }
    void receiveIdStorage()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, fromHost);
        QFETCH(int, records);
        QFETCH(QByteArray, lastLine);
        Start(637);
        SimIdStorage::Faults& f = sim->IdStorage().IdFaults();
        f.badRecordAt = fault == QLatin1String("bad") ? 1 : -1;
        f.shortRecordAt = fault == QLatin1String("short") ? 1 : -1;
        f.garbage = fault == QLatin1String("garbage");
        f.silent = fault == QLatin1String("silent");
        const QString path = data->Path(u"ids"_s);
        b->prompts.files = {path};

        const IdStorageReceive::Outcome outcome = IdStorageReceive(b->bench).Run();
        QTRY_COMPARE(sim->FromHost(), fromHost);
        QCOMPARE(outcome.records, records);
        QVERIFY(b->Log().last().contains(lastLine));
        QCOMPARE(outcome.Succeeded(), fault == QLatin1String("bad"));
        QCOMPARE(QFileInfo::exists(path + u".txt"_s), records > 0);
        const QList<QByteArray> lines = b->Log();
        if (fault == QLatin1String("bad")) {
            QCOMPARE(lines.mid(0, 2), (QList<QByteArray>{"Information: Receiving ID Storage from 637 Indicator...",
                                                         "Information: Send: \nXI\r"}));
            QVERIFY(lines.contains("Error: Send: N (Received Bad Record, Resend Record, Please Wait) Retry #1 "));
            QByteArray file;
            for (const QByteArray& r : SimIdStorage::Sample(3)) file += r + "\r\n";
            QCOMPARE(TestData::ReadAll(path + u".txt"_s), file);
        }
        if (fault == QLatin1String("silent")) {
            QCOMPARE(lines.at(11), QByteArray("Error: Receive:  (Error: Nothing Received) Retry #10"));
        }
        QCOMPARE(b->bench.Link().lineMode, 1);
    }

    void sendIdStorage_data()
    {
        QTest::addColumn<int>("refuse");
        QTest::addColumn<char>("startReply");
        QTest::addColumn<QByteArray>("verdict");
        QTest::newRow("last record refused") << 2 << 'F' << QByteArray("Information: Sending ID Storage SUCCEEDED!  3 record(s) added.");
        QTest::newRow("start refused") << -1 << 'E' << QByteArray("Error: Sending ID Storage FAILED!  Maximum retries exceeded.");
    }
    void sendIdStorage()
    {
        QFETCH(int, refuse);
        QFETCH(char, startReply);
        QFETCH(QByteArray, verdict);
        Start(637);
        sim->IdStorage().IdFaults().refuseRecordAt = refuse;
        sim->IdStorage().IdFaults().startReply = startReply;
        QByteArray file;
        for (const QByteArray& r : SimIdStorage::Sample(3)) file += r + "\r\n";
        // A line with one CR too many is sent as its first 45 characters; a short one is skipped.
        file.insert(45, '\r');
        file += "too short\r\n";
        b->prompts.files = {data->Write(u"ids.txt"_s, file)};

        const IdStorageSend::Outcome outcome = IdStorageSend(b->bench).Run();
        QCOMPARE(b->Log().last(), verdict);
        QCOMPARE(outcome.recordsRead, 3);
        QByteArray records;
        for (const QByteArray& r : SimIdStorage::Sample(3)) records += r + '\r';
        if (startReply == 'E') {
            QCOMPARE(sim->FromHost(), Line("XF").repeated(10));
            QCOMPARE(b->Log().at(b->Log().size() - 2), QByteArray("Error: Receive: E (Error)  Retry #10"));
            return;
        }
        // A refused last record starts the command again; there is nothing left to send then.
        QTRY_COMPARE(sim->FromHost(), Line("XF") + "00345" + records + Line("XF"));
        QVERIFY(b->Log().contains("Error: Receive: N (Error)  Retry #1"));
        QVERIFY(!outcome.Succeeded());
        QCOMPARE(sim->IdStorage().Records().size(), 2);
    }

    // A technician's day from the command line: a configuration to the handheld and back, back
    // into a configuration file; a 637's ID storage out and in again.
    void commandLine()
    {
        Start(614);
        const QString config = data->Write(u"Configurations/614.tpl"_s, kTemplate);
        const QString port = sim->Address();
        CliRun r = Cli({u"handheld"_s, u"send"_s, config, u"--port"_s, port, u"--description"_s, u"Dock"_s});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY(r.err.endsWith("Information: Configuration transfer is complete\n"));
        r = Cli({u"handheld"_s, u"read"_s, u"--row"_s, u"0"_s, u"--port"_s, port});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY(r.out.startsWith("0\t[Name] Dock                           [Tickets] 1,2\n1\t[Name] ----Empty----"));
        const QString plm = data->Path(u"HandHeld/Dock.plm"_s);
        QVERIFY(QFileInfo::exists(data->Path(u"HandHeld/Dock-s2.dvc"_s)));
        r = Cli({u"handheld"_s, u"import"_s, plm, u"-o"_s, data->Path(u"back.csc"_s)});
        QVERIFY2(r.code == 0, r.err.constData());
        r = Cli({u"diff"_s, config, data->Path(u"back.csc"_s)});
        QCOMPARE(r.out, QByteArray());
        r = Cli({u"handheld"_s, u"read"_s, u"--row"_s, u"1"_s, u"--port"_s, u"tcp:127.0.0.1:1"_s});
        QCOMPARE(r.code, 2);

        handheld.reset();
        sim = std::make_unique<IndicatorSim>(637);
        QString error;
        QVERIFY(sim->StartPty(&error));
        const QString ids = data->Path(u"ids.txt"_s);
        r = Cli({u"idstorage"_s, u"receive"_s, u"-o"_s, ids, u"--port"_s, sim->Address()});
        QVERIFY2(r.code == 0, r.err.constData());
        sim->IdStorage().Records().clear();
        r = Cli({u"idstorage"_s, u"send"_s, ids, u"--port"_s, sim->Address()});
        QVERIFY2(r.code == 0, r.err.constData());
        QCOMPARE(sim->IdStorage().Records(), SimIdStorage::Sample(3));
        r = Cli({u"idstorage"_s, u"send"_s, data->Path(u"missing.txt"_s), u"--port"_s, sim->Address()});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("Error: Sending ID Storage FAILED!"));
    }
};

QTEST_GUILESS_MAIN(TestFieldTransfers)
#include "tst_fieldtransfers.moc"
