// SPDX-License-Identifier: MIT
// The ticket commands against the simulated indicator and printer, byte for byte.
#include <QtTest>
#include <memory>

#include "IndicatorSim.h"
#include "LinkBench.h"
#include "SimPrinter.h"
#include "tickets/TicketCommands.h"
#include "tickets/TicketStore.h"

using Outcome = TicketCommands::Outcome;
using Lines = QList<QByteArray>;
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Prompts::Answer)

namespace {
constexpr int kTestReplyTimeoutMs = 300;
}  // namespace

class TestTicketCommands : public QObject {
    Q_OBJECT

    struct Rig {
        TestData data{false};
        IndicatorSim sim{614};
        SimPrinter printer;
    };
    std::unique_ptr<Rig> r;
    std::unique_ptr<LinkBench> b;

    // The indicator at 19200 baud (its own line settings, so a restored port can be told from
    // the printer's), the printer on "Alternate Port", slots 1 to n holding these tickets.
    void Start(const Lines& tickets)
    {
        r = std::make_unique<Rig>();
        QString error;
        QVERIFY(r->sim.StartPty(&error) && r->printer.Start(&error));
        CommSettings settings = CommSettings::Defaults();
        settings.port = QFile::encodeName(r->sim.Address());
        settings.baudRate = "19200";
        settings.alternatePort = QFile::encodeName(r->printer.Address());
        b = std::make_unique<LinkBench>(r->data, settings, kTestReplyTimeoutMs);
        b->bench.Tickets().SetTicketCount(short(tickets.size()));
        for (int slot = 1; slot <= tickets.size(); ++slot) b->bench.Tickets().SetTicket(slot, tickets[slot - 1]);
    }

private Q_SLOTS:
    void cleanup()
    {
        b.reset();
        r.reset();
    }

    void sendTicket_data()
    {
        QTest::addColumn<char>("locations");
        QTest::addColumn<QByteArray>("traffic");
        QTest::addColumn<Lines>("log");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("three slots in order")
            << '6' << QByteArray("\nXS\r\nXC\r1002AB000\nXS\r\nXC\r2004C\r\nD000\nXS\r\nXC\r3000")
            << Lines{"Information: Ticket stored in slot 1", "Information: Ticket stored in slot 2",
                     "Information: Ticket stored in slot 3"}
            << Outcome::Done;
        QTest::newRow("one outcome per slot")
            << '2' << QByteArray("\nXS\r\nXC\r1002AB000\nXS\r\nXC\r2004C\r\nD000\nXS\r")
            << Lines{"Information: Ticket stored in slot 1", "Information: Ticket stored in slot 2",
                     "Error: Requested location(3), Available locations(2)"}
            << Outcome::Failed;
    }
    void sendTicket()
    {
        QFETCH(char, locations);
        Start({"AB", "C\nD", ""});
        r->sim.Profile().ticketLocations = locations;
        b->bench.Tickets().SetCurrentTicket(2);
        QTEST(b->bench.TicketCommand().SendTicket(), "outcome");
        QTEST(r->sim.FromHost(), "traffic");
        QTEST(b->Log(), "log");
        QCOMPARE(b->bench.Tickets().CurrentTicket(), short(2));
    }

    void save958_data()
    {
        QTest::addColumn<Prompts::Answer>("tryAgain");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("yes asks again") << Prompts::Answer::Yes << Outcome::Done;
        QTest::newRow("no ends") << Prompts::Answer::No << Outcome::Cancelled;
    }
    void save958()
    {
        QFETCH(Prompts::Answer, tryAgain);
        Start({"T1"});
        b->bench.Model().fileDevice.modelLine = "MOD:958";
        const QString spaced = r->data.Path(QStringLiteral("Tickets/my ticket.tkt"));
        const QString plain = r->data.Path(QStringLiteral("Tickets/t.tkt"));
        b->prompts.files = {spaced, plain};
        b->prompts.answers = {tryAgain};
        QTEST(b->bench.TicketCommand().SendTicket(), "outcome");
        QCOMPARE(b->prompts.BoxTexts(), Lines{"Please do not use spaces in the filename.\n\n\tTry again?"});
        QVERIFY(!QFile::exists(spaced));
        const QByteArray saved = TestData::ReadAll(plain);
        QCOMPARE(saved.isEmpty(), tryAgain == Prompts::Answer::No);
        if (!saved.isEmpty()) QCOMPARE(saved.mid(saved.indexOf(saved.at(0), 1)), QByteArray("~T1~~"));
        QVERIFY(r->sim.FromHost().isEmpty());
    }

    void printDirect_data()
    {
        QTest::addColumn<QByteArray>("ticket");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("dd in the first piece, port reopened") << QByteArray("A\0B", 3) << true << QByteArray("A\0B", 3);
        QTest::newRow("dd across two pieces, port left closed") << QByteArray("123456789") << false
                                                                << QByteArray("123456789");
    }
    void printDirect()
    {
        QFETCH(QByteArray, ticket);
        QFETCH(bool, portOpen);
        QFETCH(QByteArray, printed);
        Start({ticket});
        DeviceLink& link = b->bench.Link();
        if (portOpen) QVERIFY(link.OpenSerialPort(nullptr));
        QCOMPARE(b->bench.TicketCommand().PrintDirect(), Outcome::Done);
        QTRY_COMPARE(r->printer.Received(), printed);
        QCOMPARE(link.IsSerialOpen(), portOpen);
        if (portOpen) {
            QCOMPARE(link.SerialDevicePath(), QFileInfo(r->sim.Address()).canonicalFilePath());
            QCOMPARE(link.SerialSettings(), QByteArray("19200,N,8,1"));
        }
        QVERIFY(r->sim.FromHost().isEmpty());
    }

    void printerPortMissing()
    {
        Start({"AB"});
        b->bench.Settings().alternatePort = "/nonexistent/ttyPrinter";
        QVERIFY(b->bench.Link().OpenSerialPort(nullptr));
        QCOMPARE(b->bench.TicketCommand().PrintDirect(), Outcome::Failed);
        QCOMPARE(b->Log(), Lines{"Comm Error: No such file or directory (/nonexistent/ttyPrinter)"});
        QVERIFY(b->bench.Link().IsSerialOpen());
    }

    void sendExternalFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QByteArray>("traffic");
        QTest::newRow("converted .txt") << "ext.txt" << 4 << QByteArray("\nXS\r\nXC\r4005A\x1b\rBA000");
        QTest::newRow(".TXT sent as it is") << "ext.TXT" << 4
                                             << QByteArray("\nXS\r\nXC\r4010A<ESC>\r\nB<0060x41>\n000");
        QTest::newRow("picker cancelled") << "ext.txt" << 0 << QByteArray();
    }
    void sendExternalFile()
    {
        QFETCH(QString, name);
        QFETCH(int, slot);
        Start({});
        b->prompts.files = {r->data.Write(name, "A<ESC>\r\nB<0x41>\n")};
        b->prompts.slots = {slot};
        QCOMPARE(b->bench.TicketCommand().SendExternalFile(), slot ? Outcome::Done : Outcome::Cancelled);
        QTEST(r->sim.FromHost(), "traffic");
        QCOMPARE(b->bench.Dirs().lastTransfer, r->data.Path(name));
    }

    void upload_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("unknown");
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("ticket came back") << QByteArray("X\r\nY") << false
                                          << QByteArray("Information: Ticket uploaded to %1 (4 bytes)");
        QTest::newRow("nothing") << QByteArray() << false
                                 << QByteArray("Error: No ticket received from the device; %1 was not written");
        QTest::newRow("not known") << QByteArray() << true
                                   << QByteArray("Warning: The current device does not recognize last command");
    }
    void upload()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, unknown);
        QFETCH(QByteArray, log);
        Start({});
        if (!stored.isEmpty()) r->sim.Profile().tickets[1] = stored;
        if (unknown) r->sim.Faults().unknownCommands = {"XU"};
        b->prompts.slots = {3};
        const QString path = r->data.Path(QStringLiteral("Temporary/upload.vtk"));
        QCOMPARE(b->bench.TicketCommand().UploadTicket(), stored.isEmpty() ? Outcome::Failed : Outcome::Done);
        QCOMPARE(r->sim.FromHost(), QByteArray("\nXU\r"));
        QCOMPARE(TestData::ReadAll(path), stored);
        QCOMPARE(b->Log(), Lines{log.replace("%1", QFile::encodeName(path))});
    }
};

QTEST_GUILESS_MAIN(TestTicketCommands)
#include "tst_ticketcommands.moc"
