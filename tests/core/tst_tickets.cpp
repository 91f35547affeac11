// SPDX-License-Identifier: MIT
// Ticket layouts: the file forms and their round trips, the tag table and preview, the
// ticket store's slots and files, and a save and open through the workbench.
#include <QBuffer>
#include <QtTest>

#include "HeadlessBench.h"
#include "tickets/Substr.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

namespace {

QByteArray AllBytes()
{
    QByteArray b;
    for (int i = 0; i < 256; ++i) b += char(i);
    return b;
}

QByteArray LongLine()
{
    QByteArray b;
    for (int i = 0; i < 1000; ++i) b += "ab/\\ \x1b"[i % 6];
    return b;
}

// The tail of a configuration file as the writer leaves it: the events section, then the slots.
QByteArray ConfigurationTail(int slots)
{
    QByteArray out = "MFG:Tervolin Scale Mfg\r\nHDR:Setup:\r\nab:1:2:3::::edit:\r\nEND:\r\nEND:\r\nEND:\r\n"
                     "//\r\n//********** Event Triggers **********\r\n//\r\nEND:\r\n"
                     "//\r\n//********** Set Number of Slots **********\r\n//\r\n";
    for (int s = 1; s <= slots; ++s) out += "Slot:" + QByteArray::number(s) + ":\r\n";
    return out + "END:\r\n";
}

void Fill(TicketStore& store, const QList<QByteArray>& tickets)
{
    store.SetTicketCount(short(tickets.size()));
    for (int s = 1; s <= int(tickets.size()); ++s) store.SetTicket(s, tickets[s - 1]);
}

short Load(TicketStore& store, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return store.LoadTicketData(buffer, 1);
}

}  // namespace

class TestTickets : public QObject {
    Q_OBJECT

    TestData data_{false};
    QString Write(const char* name, const QByteArray& bytes) const { return data_.Write(QLatin1String(name), bytes); }

private Q_SLOTS:
    void roundTrips_data()
    {
        QTest::addColumn<QByteArray>("ticket");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("fields") << QByteArray("{GR}\n{NF} {TM}\n{DT}");
        QTest::newRow("every byte") << AllBytes();
        QTest::newRow("carriage returns") << QByteArray("A\r\nB\r\r\n\rC\r");
        QTest::newRow("long line") << LongLine();
        QTest::newRow("long line of escapes") << QByteArray(600, '\x1b');
        QTest::newRow("trailing spaces") << QByteArray("A   \nB \n ");
        QTest::newRow("file syntax inside") << QByteArray("//x\nEND:\nSlot:2:\nTICKET:1:3:\nL:abc\n+:d");
        QTest::newRow("escape lookalikes") << QByteArray("\\x41\\\\\\");
        QTest::newRow("zero bytes") << QByteArray("\0\0A\0", 4);
        QTest::newRow("preferred delimiters") << QByteArray("~^|`#@$%&*+=");
    }
    void roundTrips()
    {
        QFETCH(QByteArray, ticket);
        // The download form: every line end goes out as CR LF.
        const QByteArray download = TicketFormats::EncodeDownloadForm(ticket);
        QCOMPARE(download.size(), ticket.size() + ticket.count('\n'));
        QCOMPARE(download.count('\n'), download.count("\r\n"));
        QCOMPARE(TicketFormats::DecodeDownloadForm(download), ticket);

        // The print form: a delimiter d, the header up to the second d, the body up to dd.
        const QByteArray header = "TKT:1:614:105:";
        QByteArray printed;
        QVERIFY(TicketFormats::EncodePrintForm(ticket, header, printed));
        const char d = printed[0];
        QVERIFY(!header.contains(d) && printed.endsWith(QByteArray(2, d)));
        if (ticket != AllBytes()) QVERIFY2(!download.contains(d), "a delimiter absent from the body is preferred");
        QCOMPARE(printed.indexOf(d, 1), header.size() + 1);
        QByteArray back, headerBack;
        QVERIFY(TicketFormats::DecodePrintForm(printed, back, &headerBack));
        QCOMPARE(headerBack + back, header + ticket);

        // A section of the configuration file: printable lines a reader never takes for its own.
        const QList<QByteArray> lines = TicketFormats::EncodeSection(7, ticket);
        QVERIFY(lines.first().startsWith("TICKET:7:") && lines.last() == "END:");
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray& l = lines[i];
            QVERIFY2(l.size() <= TicketFormats::kMaxDataLineLength, l.constData());
            QVERIFY(!l.contains("//") && !l.startsWith("Slot:") && !l.endsWith(' '));
            QVERIFY(i + 1 == lines.size() || !l.startsWith("END:"));
            for (char c : l) QVERIFY2(uchar(c) >= 0x20 && uchar(c) < 0x7F, "data lines are printable ASCII");
        }
        for (const QByteArray& ends : {QByteArray("\r\n"), QByteArray("\n")}) {
            const TicketFormats::ParseResult parsed = TicketFormats::ParseSections(lines.join(ends) + ends);
            QCOMPARE(int(parsed.tickets.size()) - parsed.badSections, 1);
            QCOMPARE(parsed.tickets[0].slot, 7);
            QCOMPARE(parsed.tickets[0].layout, ticket);
        }

        // The editor's text: control bytes as pictures, the same lines.
        const QString shown = TicketFormats::ToEditorText(ticket);
        QCOMPARE(shown.count(QLatin1Char('\n')), ticket.count('\n'));
        QVERIFY(!shown.contains(QLatin1Char('\r')));
        QCOMPARE(TicketFormats::FromEditorText(shown), ticket);
    }

    void formBytes()
    {
        QCOMPARE(TicketFormats::EncodeDownloadForm(QByteArray("A\nB\x1b@\0", 6)), QByteArray("A\r\nB\x1b@\0", 7));
        QCOMPARE(TicketFormats::DecodeDownloadForm("A\r\r\nB\r"), QByteArray("A\r\nB\r"));
        // What a text widget may hand back: paragraph separators, CR LF from a paste, non-Latin-1.
        QCOMPARE(TicketFormats::FromEditorText(QStringLiteral("A\u2029B\r\nC\rD")), QByteArray("A\nB\nC\nD"));
        QCOMPARE(TicketFormats::FromEditorText(QStringLiteral("\u20ac\u241b\u2421")), QByteArray("?\x1b\x7f"));

        // Every byte doubled: no d can end the body at the right place, and no file is written.
        QByteArray ticket;
        for (int b = 1; b < 256; ++b) {
            if (b != '\n' && b != '\r') ticket += QByteArray(2, char(b));
        }
        QByteArray bytes = "untouched";
        QVERIFY(!TicketFormats::EncodePrintForm(ticket, "H", bytes));
        QCOMPARE(bytes, QByteArray("untouched"));
        TicketStore store;
        Fill(store, {ticket});
        QCOMPARE(store.SaveTicketToFile(data_.Path(QStringLiteral("nodelim.tkt")), 1), short(0));
        QVERIFY(!store.LastProblem().isEmpty() && !QFile::exists(data_.Path(QStringLiteral("nodelim.tkt"))));
    }

    void brokenSections_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::newRow("bad escape") << QByteArray("TICKET:1:2:\nL:A\\q\nEND:\n");
        QTest::newRow("escape cut short") << QByteArray("TICKET:1:2:\nL:A\\x4\nEND:\n");
        QTest::newRow("wrong length") << QByteArray("TICKET:1:5:\nL:AB\nEND:\n");
        QTest::newRow("not closed") << QByteArray("TICKET:1:2:\nL:AB\n");
        QTest::newRow("foreign line") << QByteArray("TICKET:1:2:\nL:AB\nX:junk\nEND:\n");
        QTest::newRow("continuation first") << QByteArray("TICKET:1:2:\n+:AB\nEND:\n");
        QTest::newRow("slot zero") << QByteArray("TICKET:0:2:\nL:AB\nEND:\n");
        QTest::newRow("signed length") << QByteArray("TICKET:1:+2:\nL:AB\nEND:\n");
        QTest::newRow("huge length") << QByteArray("TICKET:1:99999999:\nL:AB\nEND:\n");
    }
    void brokenSections()
    {
        QFETCH(QByteArray, section);
        const QByteArray good = TicketFormats::JoinLines(TicketFormats::EncodeSection(2, "OK\n{GR}"));
        // The damage before a good section and, up to the end of the text, after one.
        for (const QByteArray& text : {section + good, good + section}) {
            const TicketFormats::ParseResult parsed = TicketFormats::ParseSections(text);
            QCOMPARE(parsed.badSections, 1);
            QVERIFY(!parsed.firstProblem.isEmpty());
            QCOMPARE(int(parsed.tickets.size()), 1);
            QCOMPARE(QByteArray::number(parsed.tickets[0].slot) + parsed.tickets[0].layout, QByteArray("2OK\n{GR}"));
        }
    }

    void tags_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("escape, hex, cr") << QByteArray("<ESC><0x41><CR>") << QByteArray("\x1b" "A\r");
        QTest::newRow("lower-case hex digit counts its code") << QByteArray("<0x1b>") << QByteArray(1, char(114));
        QTest::newRow("lower-case both") << QByteArray("<0xff>") << QByteArray(1, char(0xC6));
        QTest::newRow("zero byte kept, upper-case hex") << QByteArray("A<0x00>B<0xFF>") << QByteArray("A\0B\xff", 4);
        QTest::newRow("named tags") << QByteArray("<CR><LF><ESC><STX><ETX><FF>") << QByteArray("\r\n\x1b\x02\x03\x0c");
        QTest::newRow("backslash quote") << QByteArray("say \\\"hi\\\"") << QByteArray("say \"hi\"");
        QTest::newRow("backslash cr and lf") << QByteArray("a\\\rb\\\n") << QByteArray("a\rb\n");
        QTest::newRow("nested brackets") << QByteArray("<<CR>CR>") << QByteArray("<\rCR>");
        QTest::newRow("hex without closing") << QByteArray("<0x41") << QByteArray("A");
        QTest::newRow("hex too short") << QByteArray("ab<0x4") << QByteArray("ab<0x4");
        QTest::newRow("table order: named before hex") << QByteArray("<0x3C>CR>") << QByteArray("<CR>");
        QTest::newRow("a code completes a tag before it") << QByteArray("<0x3C>0x41>") << QByteArray("A");
        QTest::newRow("search again from the start") << QByteArray("\\\\\"") << QByteArray("\"");
        QTest::newRow("case-sensitive tags") << QByteArray("<cr>") << QByteArray("<cr>");
    }
    void tags()
    {
        QFETCH(QByteArray, line);
        Substr::ReplaceTags(line);
        QTEST(line, "expected");
    }

    void preview()
    {
        // Line, unit, time format, decimal format, what the preview shows.
        const QList<QList<QByteArray>> cases = {
            {"G {GR}", "", "", "", "G 1234.5 lb"},
            {"{GR}|{NF}", "kg", "", "-0.01", "1234.50 kg|1034.50 kg"},
            {"{GR}", "lb", "", "-1", "1235 lb"},
            {"{TM}", "", "12 hour", "", "1:45 PM"},
            {"{TM} {DT}", "", "24 hour", "", "13:45 2024-01-31"},
            {"{XY}\x1b" "E\r\x07\x7f\xe9", "", "", "", "{XY}<ESC>E<CR><0x07><0x7F>\xe9"}};
        for (const QList<QByteArray>& c : cases) {
            TicketFormats::PreviewProperties p;
            p.unitText = c[1];
            p.timeFormat = c[2];
            for (QByteArray& f : p.decimalFormat) f = c[3];
            QCOMPARE(TicketFormats::RenderPreview(c[0], p), QString::fromLatin1(c[4]));
        }
    }

    void store()
    {
        TicketStore store;
        Fill(store, {"one", "two", "three", "four"});
        store.ClearModified();
        store.SetCurrentTicket(4);
        // A smaller count keeps the tickets of the slots that remain; the current slot follows.
        store.SetTicketCount(2);
        QCOMPARE(store.Ticket(1) + store.Ticket(2) + store.Ticket(3), QByteArray("onetwo"));
        QCOMPARE(store.CurrentTicket(), short(2));
        store.SetTicketCount(3);
        QCOMPARE(store.Ticket(2) + '|' + store.Ticket(3), QByteArray("two|"));
        // Only a changed layout of a slot that exists is an edit; selections and properties are not.
        store.SetTicket(2, "two");
        store.SetTicket(4, "out of range");
        store.SetFieldButton(0, 2);
        store.SetDecimalFormat(7, "-0.1");
        QCOMPARE(store.IsTicketModified() + store.DecimalFormat(7).size(), 0);
        store.SetTicket(3, "x");
        QCOMPARE(store.IsTicketModified(), short(1));
        // Button 7 follows the editor mode once the buttons are set up.
        store.SetEditorMode(1);
        QCOMPARE(store.FieldButton(7), short(0));
        store.SetFieldButton(7, 2);
        store.SetEditorMode(0);
        QCOMPARE(store.FieldButton(7), short(1));
        store.SetEditorMode(1);
        QCOMPARE(store.FieldButton(7), short(2));
        store.SetTicketCount(-1);
        QCOMPARE(store.TicketCount() + store.CurrentTicket(), 1);
    }

    void saveTicketToFile_data()
    {
        QTest::addColumn<short>("format");
        QTest::addColumn<QByteArray>("ticket");
        QTest::newRow("download form") << short(0) << QByteArray("HDR\n{GR}\x1b\x00!", 12);
        QTest::newRow("print form, every byte") << short(1) << AllBytes();
    }
    void saveTicketToFile()
    {
        QFETCH(short, format);
        QFETCH(QByteArray, ticket);
        TicketStore store;
        store.SetDeviceModel("958");
        store.SetDeviceVersion("101");
        Fill(store, {"first", ticket, "third"});
        store.SetCurrentTicket(2);
        const QString path = Write("saved.bin", QByteArray(5000, 'Z'));  // a longer old file leaves nothing behind
        QCOMPARE(store.SaveTicketToFile(path, format), short(1));
        const QByteArray bytes = TestData::ReadAll(path);
        QByteArray back, header;
        QVERIFY(format ? TicketFormats::DecodePrintForm(bytes, back, &header)
                       : bytes == TicketFormats::EncodeDownloadForm(ticket));
        if (format) QCOMPARE(header + back, "TKT:2:958:101:" + ticket);
        for (const char* bad : {"fmt.dvc", "missing/folder/x.dvc"}) {
            QCOMPARE(store.SaveTicketToFile(data_.Path(QLatin1String(bad)), bad[0] == 'f' ? 2 : 0), short(0));
            QVERIFY(!QFile::exists(data_.Path(QLatin1String(bad))) && !store.LastProblem().isEmpty());
        }
        store.SetCurrentTicket(5);
        QCOMPARE(store.SaveTicketToFile(data_.Path(QStringLiteral("beyond.dvc")), 0), short(0));
    }

    void exportAndImport()
    {
        const QList<QByteArray> tickets = {"ONE\n{GR}", AllBytes(), LongLine() + "\nEND:\nSlot:1:"};
        TicketStore store;
        Fill(store, tickets);
        store.SetCurrentTicket(2);
        const QString temp = Write("temp.csc", ConfigurationTail(3));
        QCOMPARE(store.WriteTicketsToFile(temp), short(1));
        const QByteArray written = TestData::ReadAll(temp);
        QVERIFY(written.startsWith(ConfigurationTail(3)));

        // An import takes the file's first ticket, the slot current at export, into the current slot.
        TicketStore target;
        Fill(target, {"keep 1", "keep 2", "keep 3"});
        target.ClearModified();
        target.SetCurrentTicket(3);
        QCOMPARE(target.ImportTicket(temp, 0), short(1));
        QCOMPARE(QList<QByteArray>({target.Ticket(1), target.Ticket(2), target.Ticket(3)}),
                 QList<QByteArray>({"keep 1", "keep 2", AllBytes()}));
        QCOMPARE(target.IsTicketModified(), short(1));
        // The scratch configuration carries every slot.
        QCOMPARE(TicketFormats::ParseSections(written.mid(ConfigurationTail(3).size())).tickets.size(), size_t(3));
        for (const QByteArray& foreign : {QByteArray(), QByteArray("Slot:1:\r\nEND:\r\n"), AllBytes(),
                                          QByteArray("TICKET:1:9:\r\nL:short\r\nEND:\r\n")}) {
            QCOMPARE(target.ImportTicket(Write("foreign.vtk", foreign), 0), short(0));
            QVERIFY(!target.LastProblem().isEmpty());
        }
        QCOMPARE(target.ImportTicket(data_.Path(QStringLiteral("none.vtk")), 0), short(0));
        QCOMPARE(target.Ticket(3), AllBytes());
    }

    void loadDamagedTicketData()
    {
        // Damage loses only the damaged ticket; a slot beyond the count is dropped.
        TicketStore store;
        store.SetTicketCount(2);
        store.SetTicket(2, "old");
        QByteArray broken = TicketFormats::JoinLines(TicketFormats::EncodeTicketData({{1, "good"}, {3, "beyond"}}));
        QCOMPARE(Load(store, broken + "TICKET:2:4:\r\nL:ba\\d\r\nEND:\r\n"), short(0));
        QVERIFY(store.LastProblem().contains("slot 2"));
        QCOMPARE(store.Ticket(1) + '|' + store.Ticket(2), QByteArray("good|"));
        QCOMPARE(store.TicketCount() + store.IsTicketModified(), 2);
    }

    // Save as the program does it, then Open reads it back.
    void saveAndOpenThroughWorkbench()
    {
        HeadlessBench first(true);
        first.prompts.models.push_back("Model 614");
        first.bench.OnNew();
        TicketStore& tickets = first.bench.Tickets();
        const QList<QByteArray> layouts = {LongLine(), AllBytes(), "A \nB\r\n//C\nEND:"};
        QVERIFY(tickets.TicketCount() >= 3);
        for (int s = 1; s <= 3; ++s) tickets.SetTicket(s, layouts[s - 1]);
        const QString path = first.data.Configurations() + QStringLiteral("mine.csc");
        first.prompts.files.push_back(path);
        first.bench.OnSave();
        QCOMPARE(tickets.IsTicketModified(), short(0));
        const QByteArray saved = TestData::ReadAll(path);
        for (const QByteArray& line : saved.split('\n')) QVERIFY(line.size() <= 255);
        // A second Save whose dialog is cancelled leaves the file as it was.
        tickets.SetTicket(1, "changed later");
        first.bench.OnSave();
        QCOMPARE(TestData::ReadAll(path), saved);
        QCOMPARE(tickets.IsTicketModified(), short(1));

        // Open reads it back, with LF line ends too.
        HeadlessBench second;
        TicketStore& reopened = second.bench.Tickets();
        for (const QByteArray& form : {saved, QByteArray(saved).replace("\r\n", "\n")}) {
            second.prompts.files.push_back(first.data.Write(QStringLiteral("Configurations/lf.csc"), form));
            second.bench.OnOpen();
            QCOMPARE(reopened.TicketCount(), tickets.TicketCount());
            for (int s = 1; s <= 3; ++s) QCOMPARE(reopened.Ticket(s), layouts[s - 1]);
            QCOMPARE(reopened.IsTicketModified(), short(0));
        }

        // Damaged ticket data: the damaged ticket is dropped and the log says so.
        QByteArray damaged = saved;
        damaged.replace("TICKET:2:256:\r\nL:\\x00", "TICKET:2:256:\r\nL:\\q00");
        QVERIFY(damaged != saved);
        second.prompts.files.push_back(first.data.Write(QStringLiteral("Configurations/damaged.csc"), damaged));
        second.bench.OnOpen();
        QVERIFY(!second.bench.Model().entries.empty());
        QCOMPARE(reopened.Ticket(2), QByteArray());
        const StatusLine& warning = second.bench.Log().Lines().back();
        QCOMPARE(warning.kind, int(kWarning));
        QVERIFY(warning.text.startsWith("Ticket data not fully loaded: ") && warning.text.contains("slot 2"));
    }
};

QTEST_GUILESS_MAIN(TestTickets)
#include "tst_tickets.moc"
