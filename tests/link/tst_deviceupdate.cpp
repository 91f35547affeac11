// SPDX-License-Identifier: MIT
// Update device and the ticket slot download against the simulator, byte for byte.
#include <QtTest>
#include <memory>

#include "CliRun.h"
#include "CommandTable.h"
#include "ExpectedTraffic.h"
#include "IndicatorSim.h"
#include "LinkBench.h"
#include "link/DeviceUpdate.h"
#include "tickets/SlotDownload.h"
#include "tickets/TicketStore.h"

namespace {

constexpr int kTestReplyTimeoutMs = 300;
constexpr char kEnd[] = "\nEND:0:^117\r";
constexpr char kQuery[] = "\nXS\r\nXC\r";

// GR and LK are locked codes, each with an open sub-entry; "tickets" ends what is sent.
const QByteArray kTemplate =
    "MFG:Tervolin Scale Mfg\r\nMOD:614\r\nREV:2.1\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\nHDR:Setup:\r\n"
    "GR:20:60:1:0,1:Off,On:Gross key:combo:\r\n->:gs:20:120:5:0-9:0-9:Gross step:edit:\r\n"
    "LK:160:60:7:0-9:0-9:Locked:edit:\r\n->:lk:160:120:2:0-9:0-9:Below locked:edit:\r\n"
    "tickets:300:60:0:0-9:0-9:Tickets:edit:\r\nzz:440:60:3:0-9:0-9:After tickets:edit:\r\n"
    "END:\r\nEND:\r\nEND:\r\nEND:\r\nSlot:1:\r\nSlot:2:\r\nEND:\r\n";

QByteArray S(const char* codeAndValue)
{
    return SimEngine::FrameLine(QByteArray(codeAndValue) + ':', true);
}

// Abort is "pressed" once the transfer has looked at the flag this many times.
class AbortingView : public HeadlessView {
public:
    bool AbortRequested() const override { return abortAfter >= 0 && ++checks > abortAfter; }
    void ShowProgress() override
    {
        ++progressShown;
        HeadlessView::ShowProgress();
    }
    int abortAfter = -1;
    mutable int checks = 0;
    int progressShown = 0;
};

enum Fault {
    kNone, kRejectTwice, kRejectThrice, kQToXi, kOtherModel, kOtherRevision, kSilent, kUnplug,
    kUnplugAtStart, kUnplugInTickets, kNoDevice
};

}  // namespace

class TestDeviceUpdate : public QObject {
    Q_OBJECT

    std::unique_ptr<TestData> data;
    std::unique_ptr<IndicatorSim> sim;
    std::unique_ptr<LinkBenchT<AbortingView>> b;

    void Start(const QByteArray& templateBytes, bool tcp = false)
    {
        const QString tpl = data->Write(QStringLiteral("Configurations/614.tpl"), templateBytes);
        sim = std::make_unique<IndicatorSim>(614);
        QString error;
        QVERIFY(sim->Profile().LoadTemplate(tpl, &error));
        QVERIFY(tcp ? sim->StartTcp(0, &error) : sim->StartPty(&error));
        CommSettings settings = CommSettings::Defaults();
        settings.port = tcp ? QByteArray(kTcpPortName) : QFile::encodeName(sim->Address());
        settings.remoteAddress = "127.0.0.1";
        settings.remotePort = QByteArray::number(sim->TcpPort());
        b = std::make_unique<LinkBenchT<AbortingView>>(*data, settings, kTestReplyTimeoutMs);
    }
    // The template opened as a file, the way Open does.
    void Open(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        b->bench.Model().attachedDevice.unlocked = 1;
        b->bench.ReadDevice(nullptr, &file);
    }

private Q_SLOTS:
    void init() { data = std::make_unique<TestData>(false); }
    void cleanup()
    {
        b.reset();
        sim.reset();
        data.reset();
    }

    void settingCommandFraming()
    {
        QCOMPARE(DeviceUpdate::SettingCommand("GR", "1"), QByteArray("\nGR:1:^46\r"));
    }

    void slotQueryReply()
    {
        const struct {
            const char* line;
            char locations;
            int maxSize;
        } rows[] = {{"6 2000", '6', 2000}, {"3", '3', 0}, {"9x  +12abc", '9', 12}, {"A?-5", 'A', -5}, {"", 0, 0}};
        for (const auto& r : rows) {
            const SlotDownload::SlotQueryReply q = SlotDownload::ParseSlotQueryReply(r.line);
            QCOMPARE(q.locations, r.locations);
            QCOMPARE(q.maxSize, r.maxSize);
        }
    }

    void update_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QByteArray>("lockReply");
        QTest::addColumn<int>("abortAfter");
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<QByteArray>("traffic");
        QTest::addColumn<QList<QByteArray>>("lines");
        const QByteArray ok = S("GR:1") + S("gs:5") + S("LK:7") + S("lk:2");
        const QByteArray finished = "Information: Finished sending configuration settings";
        const QByteArray errorSending = "Error: Error sending configuration settings";
        const QByteArray timeout = "Comm Error: Timeout waiting for response, check the connection";
        const QByteArray rejectedGr = "Error: Cal setting [GR:1] rejected by device";
        const QByteArray rejectedLk = "Error: Cal setting [LK:7] rejected by device";
        const QByteArray afterXi = kIdentifyTraffic + "\nXI\r";

        QTest::newRow("unlocked") << int(kNone) << QByteArray("1") << -1 << false << afterXi + ok + kEnd
                                  << QList<QByteArray>{finished};
        QTest::newRow("locked entries skipped, sub-entries sent")
            << int(kNone) << QByteArray("0") << -1 << false << afterXi + S("gs:5") + S("lk:2") + kEnd
            << QList<QByteArray>{finished};
        QTest::newRow("E twice then D") << int(kRejectTwice) << QByteArray("1") << -1 << false
                                        << afterXi + S("GR:1") + S("GR:1") + ok + kEnd
                                        << QList<QByteArray>{rejectedGr, rejectedGr, finished};
        QTest::newRow("E three times, escape, next entry")
            << int(kRejectThrice) << QByteArray("1") << -1 << false
            << afterXi + S("GR:1") + S("GR:1") + S("GR:1") + "\x1b" + S("LK:7") + S("lk:2") + kEnd
            << QList<QByteArray>{rejectedGr, rejectedGr, rejectedGr, finished};
        QTest::newRow("Q to XI") << int(kQToXi) << QByteArray("1") << -1 << false << afterXi
                                 << QList<QByteArray>{"Error: Invalid response from attached device",
                                                      "Error: Error configuration setting not saved to device"};
        QTest::newRow("other model") << int(kOtherModel) << QByteArray("1") << -1 << false << kIdentifyTraffic
                                     << QList<QByteArray>{};
        QTest::newRow("other revision") << int(kOtherRevision) << QByteArray("1") << -1 << false
                                        << afterXi + ok + kEnd << QList<QByteArray>{finished};
        QTest::newRow("abort between settings")
            << int(kNone) << QByteArray("1") << 1 << false << afterXi + S("GR:1") + S("gs:5") + kEnd
            << QList<QByteArray>{finished, "Error: Update canceled by user"};
        QTest::newRow("silent after one setting")
            << int(kSilent) << QByteArray("1") << -1 << false
            << afterXi + S("GR:1") + S("gs:5") + S("LK:7") + S("LK:7") + S("LK:7") + "\x1b" + kEnd
            << QList<QByteArray>{timeout,    "Error: Cal setting [gs:5] rejected by device",
                                 timeout,    rejectedLk,
                                 timeout,    rejectedLk,
                                 timeout,    rejectedLk,
                                 "Error: Device stopped responding - remaining settings not sent",
                                 timeout,    errorSending};
        QTest::newRow("cable pulled") << int(kUnplug) << QByteArray("1") << -1 << false
                                      << afterXi + S("GR:1") + S("gs:5")
                                      << QList<QByteArray>{timeout, "Error: Cal setting [gs:5] rejected by device",
                                                           "Comm Error: The serial device stopped answering "
                                                           "(unplugged or hung up) (PORT)",
                                                           errorSending};
        const QByteArray pulled = "Comm Error: The serial device stopped answering (unplugged or hung up) (PORT)";
        QTest::newRow("cable pulled at XI") << int(kUnplugAtStart) << QByteArray("1") << -1 << false << afterXi
                                            << QList<QByteArray>{timeout, pulled, errorSending};
        QTest::newRow("cable pulled during tickets")
            << int(kUnplugInTickets) << QByteArray("1") << -1 << false << kIdentifyTraffic + kQuery
            << QList<QByteArray>{timeout, "Error: Device does not acknowledge download command", pulled, errorSending};
        QTest::newRow("TCP peer closes") << int(kUnplug) << QByteArray("1") << -1 << true
                                         << afterXi + S("GR:1") + S("gs:5")
                                         << QList<QByteArray>{timeout, "Error: Cal setting [gs:5] rejected by device",
                                                              errorSending};
        QTest::newRow("no device") << int(kNoDevice) << QByteArray("1") << -1 << false << QByteArray("\nA\r")
                                   << QList<QByteArray>{"Error: Update failed - Invalid or no device connected"};
    }
    void update()
    {
        QFETCH(int, fault);
        QFETCH(QByteArray, lockReply);
        QFETCH(bool, tcp);
        QFETCH(QList<QByteArray>, lines);
        Start(kTemplate, tcp);
        Open(data->Configurations() + QStringLiteral("614.tpl"));
        QFETCH(int, abortAfter);
        b->view.abortAfter = abortAfter;
        SimProfile& p = sim->Profile();
        SimFaults& f = sim->Faults();
        p.lockReply = lockReply;
        f.rejectCode = "GR";
        f.rejectCodeTimes = fault == kRejectTwice ? 2 : fault == kRejectThrice ? 3 : 0;
        if (fault == kQToXi) f.updateStartReply = 'Q';
        if (fault == kOtherModel) p.describeLines[1] = "MOD:615";
        if (fault == kOtherRevision) p.describeLines[2] = "REV:2.2";
        if (fault == kSilent) f.silentAfterSettings = 1;
        if (fault == kUnplug) f.disconnectAfterSettings = 1;
        if (fault == kUnplugAtStart) f.disconnectAfter = 5;    // the identification's commands
        if (fault == kUnplugInTickets) f.disconnectAfter = 6;  // and the slot query
        if (fault == kNoDevice) f.silent = true;
        for (QByteArray& l : lines) l.replace("(PORT)", "(" + b->bench.Settings().port + ")");

        const int first = b->bench.Log().RowCount();
        b->prompts.updateOptions = {fault == kUnplugInTickets ? 1 : 0};
        QVERIFY(b->bench.OnCommand(kCmdUpdateDevice));
        QTEST(sim->FromHost(), "traffic");
        QCOMPARE(b->Log(first), lines);
        QCOMPARE(b->view.progressShown, fault == kNoDevice ? 0 : 1);
        QVERIFY(!b->view.ProgressExists() && !b->view.BusyExists());

        QList<QByteArray> boxes = b->prompts.BoxTexts();
        if (tcp && fault == kUnplug) QVERIFY(QTest::qWaitFor([&]() { return !b->prompts.BoxTexts().isEmpty(); }, 1000));
        boxes = b->prompts.BoxTexts();
        QCOMPARE(boxes.size(), fault == kOtherModel || fault == kOtherRevision || tcp ? 1 : 0);
        if (fault == kOtherModel) QVERIFY(boxes[0].startsWith("The model number of the attached device"));
        if (fault == kOtherRevision) QVERIFY(boxes[0].endsWith(kMakerDownloadsAddress));
        if (tcp) QCOMPARE(boxes[0], QByteArray("The connection has been closed"));
    }

    void slotDownload_data()
    {
        QTest::addColumn<QByteArray>("ticket");
        QTest::addColumn<int>("slot");
        QTest::addColumn<char>("locations");
        QTest::addColumn<bool>("framing");
        QTest::addColumn<int>("refuseChunk");
        QTest::addColumn<int>("abortAfter");
        QTest::addColumn<QByteArray>("traffic");  // empty: not compared
        QTest::addColumn<QByteArray>("line");     // the outcome line, empty for none
        const QByteArray t25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
        const QByteArray stored1 = "Information: Ticket stored in slot 1";
        const QByteArray q = kQuery;
        QTest::newRow("25 bytes") << t25 << 1 << '6' << false << -1 << -1
                                  << q + "1010ABCDEFGHIJ010KLMNOPQRST005UVWXY000" << stored1;
        QTest::newRow("10 bytes") << QByteArray("0123456789") << 1 << '6' << false << -1 << -1
                                  << q + "10100123456789000" << stored1;
        QTest::newRow("empty") << QByteArray() << 1 << '6' << false << -1 << -1 << q + "1000" << stored1;
        QTest::newRow("zero byte and line ends") << QByteArray("a\0b\r\nc", 6) << 1 << '6' << false << -1 << -1
                                                 << q + QByteArray("1006a\0b\r\nc000", 13) << stored1;
        QTest::newRow("slot 4 of 3") << t25 << 4 << '3' << false << -1 << -1 << QByteArray("\nXS\r")
                                     << QByteArray("Error: Requested location(4), Available locations(3)");
        QTest::newRow("slot 3 of 3") << QByteArray("x") << 3 << '3' << false << -1 << -1 << q + "3001x000"
                                     << QByteArray("Information: Ticket stored in slot 3");
        QTest::newRow("locations not a digit") << QByteArray("x") << 1 << '/' << false << -1 << -1
                                               << QByteArray("\nXS\r")
                                               << QByteArray("Error: Requested location(1), Available locations(-1)");
        QTest::newRow("2000 of 2000") << QByteArray(2000, 'w') << 1 << '6' << false << -1 << -1 << QByteArray()
                                      << stored1;
        QTest::newRow("2001 of 2000") << QByteArray(2001, 'w') << 1 << '6' << false << -1 << -1
                                      << QByteArray("\nXS\r")
                                      << QByteArray("Error: Ticket is too large (2001 bytes), Max size (2000)");
        QTest::newRow("handheld framing") << QByteArray("abc") << 2 << '6' << true << -1 << -1
                                          << q + "\n<#><2>\r003abc000"
                                          << QByteArray("Information: Ticket stored in slot 2");
        QTest::newRow("chunk refused") << t25 << 1 << '6' << false << 1 << -1
                                       << q + "1010ABCDEFGHIJ010KLMNOPQRST000"
                                       << QByteArray("Error: Ticket information for slot 1 was not saved correctly");
        QTest::newRow("abort after one chunk")
            << t25 << 1 << '6' << false << -1 << 1 << q + "1010ABCDEFGHIJ000" << QByteArray();
        QTest::newRow("stream") << t25 << 2 << '6' << false << -1 << -1
                                << q + "2010ABCDEFGHIJ010KLMNOPQRST005UVWXY000"
                                << QByteArray("Information: Ticket stored in slot 2");
    }
    void slotDownload()
    {
        QFETCH(QByteArray, ticket);
        QFETCH(int, slot);
        QFETCH(QByteArray, line);
        Start(kTemplate);
        QFETCH(char, locations);
        sim->Profile().ticketLocations = locations;
        QFETCH(int, refuseChunk);
        sim->Faults().refuseChunkAt = refuseChunk;
        QFETCH(int, abortAfter);
        b->view.abortAfter = abortAfter;
        QVERIFY(b->bench.Link().OpenSerialPort(nullptr));
        b->bench.Tickets().SetTicketCount(9);
        b->bench.Tickets().SetCurrentTicket(short(slot));
        const QString path = data->Write(QStringLiteral("Tickets/t.dvc"), ticket);
        b->view.ShowProgress();

        SlotDownload::Result result;
        if (QByteArray(QTest::currentDataTag()) == "stream") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            result = b->bench.TicketDownload().DownloadTicketStream(slot, file, &b->view);
            QVERIFY(!file.isOpen() && !b->view.ProgressExists());
        } else {
            QFETCH(bool, framing);
            result = b->bench.TicketDownload().DownloadTicket(&b->view, framing, path);
            QCOMPARE(b->view.lowerHigh, int(ticket.size() / 10));
        }
        QFETCH(QByteArray, traffic);
        if (!traffic.isEmpty()) QTRY_COMPARE_WITH_TIMEOUT(sim->FromHost(), traffic, 1000);
        QCOMPARE(b->Log(), line.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{line});
        QCOMPARE(result == SlotDownload::Result::Stored, line.startsWith("Information"));
        const auto& kept = sim->Profile().tickets;
        // An aborted ticket's end marker is not awaited: what the indicator keeps is its own affair.
        if (abortAfter < 0) QCOMPARE(kept.count(slot) ? kept.at(slot) : QByteArray("none"), result == SlotDownload::Result::Stored ? ticket : "none");
    }

    void downloadWithoutTransfer()
    {
        Start(kTemplate);
        TicketStore& tickets = b->bench.Tickets();
        tickets.SetTicketCount(2);
        tickets.SetCurrentTicket(2);
        tickets.SetTicket(2, "line\nnext");
        // No link: the editor still writes the scratch file first.
        QCOMPARE(b->bench.TicketDownload().DownloadTicket(nullptr, false), SlotDownload::Result::NoLink);
        QCOMPARE(TestData::ReadAll(data->Path(QStringLiteral("Temporary/temp.dvc"))), QByteArray("line\r\nnext"));
        QVERIFY(b->bench.Link().OpenSerialPort(nullptr));
        const QString missing = data->Path(QStringLiteral("no-such.dvc"));
        QCOMPARE(b->bench.TicketDownload().DownloadTicket(nullptr, false, missing), SlotDownload::Result::NoTicket);
        QCOMPARE(b->prompts.BoxTexts(), QList<QByteArray>{"Cannot open ticket information file"});
        QCOMPARE(b->prompts.shown.back().caption, QByteArray("File error"));
        QVERIFY(sim->FromHost().isEmpty());
    }

    // Read, edit, Update device (with and without tickets), read again: the edits come back,
    // and every update leaves its record.
    void readAfterUpdate_data()
    {
        QTest::addColumn<int>("option");
        QTest::newRow("Send Setup Only") << 0;
        QTest::newRow("Send Setup and Tickets") << 1;
    }
    void readAfterUpdate()
    {
        QFETCH(int, option);
        data = std::make_unique<TestData>(true);
        Start(TestData::ReadAll(data->Configurations() + QStringLiteral("614.tpl")));
        b->bench.ReadDevice(nullptr, nullptr);
        ConfigEntry* filter = ConfigModel::FindEntryByCode(b->bench.Model().entries, "flt");
        QVERIFY(filter && filter->value == "3");
        for (auto& c : filter->controls) {
            if (c->Kind() == ControlKind::Combo) c->SetCurrentIndex(1);
        }
        b->bench.Tickets().SetCurrentTicket(1);
        b->bench.Tickets().SetTicket(1, "{GR}\n{NF}");
        b->prompts.updateOptions = {option};
        const DeviceUpdate::Outcome outcome = b->bench.Updater().UpdateDevice();
        QVERIFY(outcome.Succeeded());
        QCOMPARE(sim->Profile().Value("flt"), QByteArray("1"));
        QCOMPARE(sim->Profile().tickets.count(1), size_t(option));
        if (option) QCOMPARE(sim->Profile().tickets.at(1), QByteArray("{GR}\r\n{NF}"));

        b->bench.ReadDevice(nullptr, nullptr);
        QCOMPARE(ConfigModel::FindEntryByCode(b->bench.Model().entries, "flt")->value, QByteArray("1"));
        const QByteArray record = TestData::ReadAll(data->Path(QStringLiteral("Logs/updates.log")));
        QVERIFY(record.contains("\r\nDevice: MOD:614\r\n") && record.contains("\r\nSetting flt:1: accepted\r\n"));
        QVERIFY(record.endsWith("\r\nOutcome: Finished sending configuration settings\r\n\r\n"));

        // A record that cannot be written is a warning; the update itself is not touched.
        QFile::remove(data->Path(QStringLiteral("Logs/updates.log")));
        QDir().rmdir(data->Path(QStringLiteral("Logs")));
        data->Write(QStringLiteral("Logs"), "a file where the folder belongs");
        QVERIFY(b->bench.Updater().UpdateDevice().Succeeded());
        QVERIFY(b->bench.Log().Lines().back().text.startsWith("Update record not written to "));
    }

    void cliUpdateAndDiff()
    {
        data = std::make_unique<TestData>(true);
        Start(TestData::ReadAll(data->Configurations() + QStringLiteral("614.tpl")));
        const QString tpl = data->Configurations() + QStringLiteral("614.tpl");
        QByteArray edited = TestData::ReadAll(tpl);
        edited.replace("\nflt:440:60:3:", "\nflt:440:60:1:");
        const QString file = data->Write(QStringLiteral("edited.csc"), edited);
        auto cli = [this](const QStringList& args, QByteArray* out = nullptr) {
            const CliRun r(args + QStringList{QStringLiteral("--data"), data->Base()});
            if (out) *out = r.out;
            return r.code;
        };
        const QStringList update = {QStringLiteral("update"), file, QStringLiteral("--port"), sim->Address()};
        QCOMPARE(cli(update), 0);
        QCOMPARE(sim->Profile().Value("flt"), QByteArray("1"));
        sim->Faults().rejectCode = "flt";
        sim->Faults().rejectCodeTimes = 3;
        QCOMPARE(cli(update), 1);

        QByteArray out;
        QCOMPARE(cli({QStringLiteral("diff"), tpl, file}, &out), 1);
        QCOMPARE(out, QByteArray("flt\tDigital filter\tHigh\tLow\n"));
        QCOMPARE(cli({QStringLiteral("diff"), file, file}, &out), 0);
        QVERIFY(out.isEmpty());
        QCOMPARE(cli({QStringLiteral("diff"), file, data->Path(QStringLiteral("none.csc"))}), 2);
    }
};

QTEST_MAIN(TestDeviceUpdate)
#include "tst_deviceupdate.moc"
