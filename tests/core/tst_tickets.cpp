// SPDX-License-Identifier: MIT
#include <QBuffer>
#include <QFile>
#include <QtTest>

#include "ScriptedPrompts.h"
#include "TestData.h"
#include "Workbench.h"
#include "platform/View.h"
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

// Export's cut over a configuration file with ticket sections: lines are collected; a
// "Slot:" line whose character 5 is the digit of c marks the block found; each "END:" before
// that empties the block; once found the second "END:" closes it.
QList<QByteArray> ExportCut(const QByteArray& file, int c)
{
    QList<QByteArray> block;
    bool found = false;
    int ends = 0;
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        block.append(line);
        if (line.startsWith("Slot:") && line.size() > 5 && line[5] == char('0' + c)) found = true;
        if (!line.startsWith("END:")) continue;
        ++ends;
        if (!found) {
            block.clear();
            ends = 0;
        } else if (ends == 2) {
            return block;
        }
    }
    return found ? block : QList<QByteArray>();
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

}  // namespace

class TestTickets : public QObject {
    Q_OBJECT

    TestData data_{false};
    QString Path(const char* name) const { return data_.Path(QString::fromLatin1(name)); }
    QString Write(const char* name, const QByteArray& bytes) const
    {
        return data_.Write(QString::fromLatin1(name), bytes);
    }

private Q_SLOTS:
    void formats_data()
    {
        QTest::addColumn<QByteArray>("ticket");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one line") << QByteArray("THANK YOU");
        QTest::newRow("fields") << QByteArray("{GR}\n{NF} {TM}\n{DT}");
        QTest::newRow("trailing line feed") << QByteArray("A\n");
        QTest::newRow("only line feeds") << QByteArray("\n\n\n");
        QTest::newRow("every byte") << AllBytes();
        QTest::newRow("carriage returns") << QByteArray("A\r\nB\r\r\n\rC\r");
        QTest::newRow("long line") << LongLine();
        QTest::newRow("long line of escapes") << QByteArray(600, '\x1b');
        QTest::newRow("trailing spaces") << QByteArray("A   \nB \n ");
        QTest::newRow("file syntax inside") << QByteArray("//x\nEND:\nSlot:2:\nTICKET:1:3:\nL:abc\n+:d");
        QTest::newRow("escape lookalikes") << QByteArray("\\x41\\\\\\");
        QTest::newRow("zero bytes") << QByteArray("\0\0A\0", 4);
        QTest::newRow("latin-1") << QByteArray("caf\xe9\xa0\xff");
        QTest::newRow("preferred delimiters") << QByteArray("~^|`#@$%&*+=");
    }

    void downloadFormRoundTrip_data() { formats_data(); }
    void downloadFormRoundTrip()
    {
        QFETCH(QByteArray, ticket);
        const QByteArray bytes = TicketFormats::EncodeDownloadForm(ticket);
        QCOMPARE(bytes.size(), ticket.size() + ticket.count('\n'));
        for (int i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') QVERIFY2(i > 0 && bytes[i - 1] == '\r', "every line end goes out as CR LF");
        }
        QCOMPARE(TicketFormats::DecodeDownloadForm(bytes), ticket);
    }

    void downloadFormBytes()
    {
        QCOMPARE(TicketFormats::EncodeDownloadForm("A\nB\n"), QByteArray("A\r\nB\r\n"));
        QCOMPARE(TicketFormats::EncodeDownloadForm(QByteArray("\x1b@\0", 3)), QByteArray("\x1b@\0", 3));
        QCOMPARE(TicketFormats::DecodeDownloadForm("A\r\r\nB\r"), QByteArray("A\r\nB\r"));
    }

    void printFormRoundTrip_data() { formats_data(); }
    void printFormRoundTrip()
    {
        QFETCH(QByteArray, ticket);
        const QByteArray header = "TKT:1:614:105:";
        QByteArray bytes;
        QVERIFY(TicketFormats::EncodePrintForm(ticket, header, bytes));
        const char d = bytes[0];
        const QByteArray body = TicketFormats::EncodeDownloadForm(ticket);
        QVERIFY(!header.contains(d));
        QVERIFY(!body.contains(QByteArray(2, d)));
        QVERIFY(bytes.endsWith(QByteArray(2, d)));
        if (ticket != AllBytes()) QVERIFY2(!body.contains(d), "a delimiter absent from the body is preferred");

        // The header ends at the second d; the body at the first dd.
        QCOMPARE(bytes.indexOf(d, 1), header.size() + 1);
        QByteArray back;
        QByteArray headerBack;
        QVERIFY(TicketFormats::DecodePrintForm(bytes, back, &headerBack));
        QCOMPARE(headerBack, header);
        QCOMPARE(back, ticket);
    }

    void printFormWithoutDelimiter()
    {
        // Every byte doubled: no d can end the body at the right place.
        QByteArray ticket;
        for (int b = 1; b < 256; ++b) {
            if (b != '\n' && b != '\r') ticket += QByteArray(2, char(b));
        }
        QByteArray bytes = "untouched";
        QVERIFY(!TicketFormats::EncodePrintForm(ticket, "H", bytes));
        QCOMPARE(bytes, QByteArray("untouched"));

        TicketStore store;
        Fill(store, {ticket});
        QCOMPARE(store.SaveTicketToFile(Path("nodelim.tkt"), 1), short(0));
        QVERIFY(!store.LastProblem().isEmpty());
        QVERIFY(!QFile::exists(Path("nodelim.tkt")));
    }

    void sectionRoundTrip_data() { formats_data(); }
    void sectionRoundTrip()
    {
        QFETCH(QByteArray, ticket);
        const QList<QByteArray> lines = TicketFormats::EncodeSection(7, ticket);
        QVERIFY(lines.first().startsWith("TICKET:7:"));
        QCOMPARE(lines.last(), QByteArray("END:"));
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray& l = lines[i];
            QVERIFY2(l.size() <= TicketFormats::kMaxDataLineLength, l.constData());
            QVERIFY(!l.contains("//") && !l.startsWith("Slot:") && !l.endsWith(' '));
            QVERIFY(!l.contains('\r') && !l.contains('\n'));
            if (i + 1 < lines.size()) QVERIFY(!l.startsWith("END:"));
            for (char c : l) QVERIFY2(uchar(c) >= 0x20 && uchar(c) < 0x7F, "data lines are printable ASCII");
        }
        for (const QByteArray& ends : {QByteArray("\r\n"), QByteArray("\n")}) {
            const TicketFormats::ParseResult parsed = TicketFormats::ParseSections(lines.join(ends) + ends);
            QCOMPARE(parsed.badSections, 0);
            QCOMPARE(int(parsed.tickets.size()), 1);
            QCOMPARE(parsed.tickets[0].slot, 7);
            QCOMPARE(parsed.tickets[0].layout, ticket);
        }
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
        const TicketFormats::ParseResult parsed = TicketFormats::ParseSections(section + good);
        QCOMPARE(parsed.badSections, 1);
        QVERIFY(!parsed.firstProblem.isEmpty());
        QCOMPARE(int(parsed.tickets.size()), 1);
        QCOMPARE(parsed.tickets[0].slot, 2);
        QCOMPARE(parsed.tickets[0].layout, QByteArray("OK\n{GR}"));

        // The same damage after a good section, up to the end of the text.
        const TicketFormats::ParseResult after = TicketFormats::ParseSections(good + section);
        QCOMPARE(after.badSections, 1);
        QCOMPARE(int(after.tickets.size()), 1);
        QCOMPARE(after.tickets[0].slot, 2);
    }

    void editorTextRoundTrip_data() { formats_data(); }
    void editorTextRoundTrip()
    {
        QFETCH(QByteArray, ticket);
        const QString shown = TicketFormats::ToEditorText(ticket);
        QCOMPARE(shown.count(QLatin1Char('\n')), ticket.count('\n'));
        QVERIFY(!shown.contains(QLatin1Char('\r')));
        QCOMPARE(TicketFormats::FromEditorText(shown), ticket);
    }

    void editorTextFromTyping()
    {
        // What a text widget may hand back: paragraph separators, CR LF from a paste, non-Latin-1.
        QCOMPARE(TicketFormats::FromEditorText(QStringLiteral("A\u2029B\r\nC\rD")), QByteArray("A\nB\nC\nD"));
        QCOMPARE(TicketFormats::FromEditorText(QStringLiteral("\u20ac\u241b\u2421")), QByteArray("?\x1b\x7f"));
    }

    void tags_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("escape, hex, cr") << QByteArray("<ESC><0x41><CR>") << QByteArray("\x1b" "A\r");
        QTest::newRow("lower-case hex digit counts its code") << QByteArray("<0x1b>") << QByteArray(1, char(114));
        QTest::newRow("lower-case both") << QByteArray("<0xff>") << QByteArray(1, char(0xC6));
        QTest::newRow("upper-case hex") << QByteArray("x<0xFF>y") << QByteArray("x\xffy");
        QTest::newRow("zero byte kept") << QByteArray("A<0x00>B") << QByteArray("A\0B", 3);
        QTest::newRow("every named tag") << QByteArray("<CR><LF><ESC><STX><ETX><FF>") << QByteArray("\r\n\x1b\x02\x03\x0c");
        QTest::newRow("repeated") << QByteArray("<LF>a<LF>") << QByteArray("\na\n");
        QTest::newRow("backslash quote") << QByteArray("say \\\"hi\\\"") << QByteArray("say \"hi\"");
        QTest::newRow("backslash cr and lf") << QByteArray("a\\\rb\\\n") << QByteArray("a\rb\n");
        QTest::newRow("nested brackets") << QByteArray("<<CR>CR>") << QByteArray("<\rCR>");
        QTest::newRow("hex without closing") << QByteArray("<0x41") << QByteArray("A");
        QTest::newRow("hex too short") << QByteArray("ab<0x4") << QByteArray("ab<0x4");
        QTest::newRow("table order: named before hex") << QByteArray("<0x3C>CR>") << QByteArray("<CR>");
        QTest::newRow("a code completes a tag before it") << QByteArray("<0x3C>0x41>") << QByteArray("A");
        QTest::newRow("search again from the start") << QByteArray("\\\\\"") << QByteArray("\"");
        QTest::newRow("plain") << QByteArray("AB") << QByteArray("AB");
        QTest::newRow("case-sensitive tags") << QByteArray("<cr>") << QByteArray("<cr>");
    }
    void tags()
    {
        QFETCH(QByteArray, line);
        Substr::ReplaceTags(line);
        QTEST(line, "expected");
    }

    void preview_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<QByteArray>("time");
        QTest::addColumn<QByteArray>("decimals");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, QByteArray line, QByteArray unit, QByteArray time, QByteArray decimals,
                      const QString& expected) { QTest::newRow(name) << line << unit << time << decimals << expected; };
        row("defaults", "G {GR}", "", "", "", QStringLiteral("G 1234.5 lb"));
        row("two decimals in kg", "{GR}|{NF}", "kg", "", "-0.01", QStringLiteral("1234.50 kg|1034.50 kg"));
        row("no decimals", "{GR}", "lb", "", "-1", QStringLiteral("1235 lb"));
        row("12 hour", "{TM}", "", "12 hour", "", QStringLiteral("1:45 PM"));
        row("24 hour", "{TM} {DT}", "", "24 hour", "", QStringLiteral("13:45 2024-01-31"));
        row("unknown token and controls", "{XY}\x1b" "E\r\x07\x7f\xe9", "", "", "",
            QStringLiteral("{XY}<ESC>E<CR><0x07><0x7F>\u00e9"));
    }
    void preview()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, unit);
        QFETCH(QByteArray, time);
        QFETCH(QByteArray, decimals);
        TicketFormats::PreviewProperties p;
        p.unitText = unit;
        p.timeFormat = time;
        for (QByteArray& f : p.decimalFormat) f = decimals;
        QTEST(TicketFormats::RenderPreview(line, p), "expected");
    }

    void countKeepsRemainingTickets()
    {
        TicketStore store;
        QCOMPARE(store.TicketCount(), short(0));
        Fill(store, {"one", "two", "three", "four"});
        store.SetCurrentTicket(4);
        store.SetTicketCount(2);
        QCOMPARE(store.TicketCount(), short(2));
        QCOMPARE(store.Ticket(1), QByteArray("one"));
        QCOMPARE(store.Ticket(2), QByteArray("two"));
        QCOMPARE(store.Ticket(3), QByteArray());
        QCOMPARE(store.CurrentTicket(), short(2));
        store.SetTicketCount(3);
        QCOMPARE(store.Ticket(2), QByteArray("two"));
        QCOMPARE(store.Ticket(3), QByteArray());
        store.SetTicketCount(-1);
        QCOMPARE(store.TicketCount(), short(0));
        QCOMPARE(store.CurrentTicket(), short(1));
        store.SetTicket(1, "lost");
        QCOMPARE(store.Ticket(1), QByteArray());
    }

    void modifiedFlag()
    {
        TicketStore store;
        store.SetTicketCount(2);
        QCOMPARE(store.IsTicketModified(), short(0));
        store.SetTicket(2, QByteArray());
        QCOMPARE(store.IsTicketModified(), short(0));
        store.SetTicket(3, "out of range");
        QCOMPARE(store.IsTicketModified(), short(0));
        store.SetTicket(2, "x");
        QCOMPARE(store.IsTicketModified(), short(1));
        store.ClearModified();
        QCOMPARE(store.IsTicketModified(), short(0));
        // Selecting slots and setting properties is not an edit.
        store.SetCurrentTicket(2);
        store.SetUnitText("kg");
        store.SetFieldButton(0, 2);
        QCOMPARE(store.IsTicketModified(), short(0));
    }

    void fieldButtonsAndMode()
    {
        TicketStore store;
        for (short b = 0; b < 12; ++b) QCOMPARE(store.FieldButton(b), short(0));
        store.SetFieldButton(12, 2);
        store.SetFieldButton(-1, 2);
        QCOMPARE(store.FieldButton(12), short(0));
        // Before the buttons are set up the mode leaves button 7 alone.
        store.SetEditorMode(1);
        QCOMPARE(store.FieldButton(7), short(0));
        store.SetFieldButton(7, 2);
        store.SetEditorMode(0);
        QCOMPARE(store.EditorMode(), short(0));
        QCOMPARE(store.FieldButton(7), short(1));
        store.SetEditorMode(1);
        QCOMPARE(store.FieldButton(7), short(2));
    }

    void propertiesNotify()
    {
        TicketStore store;
        QSignalSpy changed(&store, &TicketStore::Changed);
        store.SetUnitText("kg");
        store.SetUnitText("kg");
        store.SetTimeFormat("24 hour");
        store.SetDecimalFormat(6, "-0.1");
        store.SetDecimalFormat(7, "-0.1");
        store.SetDeviceModel("614");
        store.SetDeviceVersion("105");
        store.SetDeviceFields("GR1,");
        store.EnableEditor(1);
        QCOMPARE(changed.count(), 7);
        QCOMPARE(store.DecimalFormat(6), QByteArray("-0.1"));
        QCOMPARE(store.DecimalFormat(7), QByteArray());
    }

    void saveTicketToFile_data()
    {
        QTest::addColumn<short>("format");
        QTest::addColumn<QByteArray>("ticket");
        QTest::newRow("download form") << short(0) << QByteArray("HDR\n{GR}\x1b\x00!", 12);
        QTest::newRow("download form, every byte") << short(0) << AllBytes();
        QTest::newRow("print form") << short(1) << QByteArray("~HDR~\n{GR}");
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
        QByteArray back;
        if (format == 0) {
            QCOMPARE(bytes, TicketFormats::EncodeDownloadForm(ticket));
            back = TicketFormats::DecodeDownloadForm(bytes);
        } else {
            QByteArray header;
            QVERIFY(TicketFormats::DecodePrintForm(bytes, back, &header));
            QCOMPARE(header, QByteArray("TKT:2:958:101:"));
            // What a reader that checks the header sees: the first byte occurs again.
            QVERIFY(bytes.indexOf(bytes[0], 1) > 0);
        }
        QCOMPARE(back, ticket);
        QCOMPARE(store.IsTicketModified(), short(1));
    }

    void saveTicketToFileFailures()
    {
        TicketStore store;
        QCOMPARE(store.SaveTicketToFile(Path("none.dvc"), 0), short(0));  // no slots at all
        Fill(store, {"a"});
        QCOMPARE(store.SaveTicketToFile(Path("fmt.dvc"), 2), short(0));
        QVERIFY(!QFile::exists(Path("fmt.dvc")));
        QCOMPARE(store.SaveTicketToFile(Path("missing/folder/x.dvc"), 0), short(0));
        QVERIFY(!store.LastProblem().isEmpty());
        store.SetCurrentTicket(5);
        QCOMPARE(store.SaveTicketToFile(Path("beyond.dvc"), 0), short(0));
        store.SetCurrentTicket(1);
        QCOMPARE(store.SaveTicketToFile(Path("ok.dvc"), 0), short(1));
        QVERIFY(store.LastProblem().isEmpty());
    }

    void exportAndImport_data()
    {
        QTest::addColumn<int>("current");
        for (int slot = 1; slot <= 3; ++slot) QTest::addRow("slot %d", slot) << slot;
    }
    void exportAndImport()
    {
        QFETCH(int, current);
        const QList<QByteArray> tickets = {"ONE\n{GR}", AllBytes(), LongLine() + "\nEND:\nSlot:1:"};
        TicketStore store;
        Fill(store, tickets);
        store.SetCurrentTicket(short(current));

        const QString temp = Write("temp.csc", ConfigurationTail(3));
        QCOMPARE(store.WriteTicketsToFile(temp), short(1));
        QByteArray written = TestData::ReadAll(temp);
        QVERIFY(written.startsWith(ConfigurationTail(3)));

        const QList<QByteArray> block = ExportCut(written, current);
        QVERIFY(!block.isEmpty());
        QCOMPARE(block.last(), QByteArray("END:"));
        const QString vtk = Write("export.vtk", TicketFormats::JoinLines(block));

        TicketStore target;
        Fill(target, {"keep 1", "keep 2", "keep 3"});
        target.ClearModified();
        const int into = current % 3 + 1;  // a different slot than the one exported
        target.SetCurrentTicket(short(into));
        QCOMPARE(target.ImportTicket(vtk, 0), short(1));
        QCOMPARE(target.Ticket(into), tickets[current - 1]);
        for (int s = 1; s <= 3; ++s) {
            if (s != into) QCOMPARE(target.Ticket(s), QByteArray("keep ") + QByteArray::number(s));
        }
        QCOMPARE(target.IsTicketModified(), short(1));

        // The scratch configuration carries every slot and loads like saved ticket data.
        TicketStore all;
        all.SetTicketCount(3);
        QBuffer buffer(&written);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(all.LoadTicketData(buffer, 1), short(1));
        for (int s = 1; s <= 3; ++s) QCOMPARE(all.Ticket(s), tickets[s - 1]);
    }

    void importRejectsForeignFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("slots only") << QByteArray("Slot:1:\r\nEND:\r\n");
        QTest::newRow("binary") << AllBytes();
        QTest::newRow("broken section") << QByteArray("TICKET:1:9:\r\nL:short\r\nEND:\r\n");
    }
    void importRejectsForeignFiles()
    {
        QFETCH(QByteArray, content);
        TicketStore store;
        Fill(store, {"mine"});
        store.ClearModified();
        QCOMPARE(store.ImportTicket(Write("foreign.vtk", content), 0), short(0));
        QVERIFY(!store.LastProblem().isEmpty());
        QCOMPARE(store.Ticket(1), QByteArray("mine"));
        QCOMPARE(store.IsTicketModified(), short(0));
        QCOMPARE(store.ImportTicket(Path("does-not-exist.vtk"), 0), short(0));
    }

    void appendTicketDataGuard_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("slots");
        QTest::addColumn<short>("result");
        const QByteArray tail = ConfigurationTail(2);
        const QByteArray data = TicketFormats::JoinLines(TicketFormats::EncodeTicketData({}));
        QTest::newRow("fresh configuration") << "a.csc" << tail << 2 << short(1);
        QTest::newRow("upper-case extension") << "b.CSC" << tail << 2 << short(1);
        QTest::newRow("trailing blank lines") << "c.csc" << tail + "\r\n\r\n" << 2 << short(1);
        QTest::newRow("no line end at the end") << "d.csc" << tail.left(tail.size() - 2) << 2 << short(1);
        QTest::newRow("template") << "614.tpl" << tail << 2 << short(0);
        QTest::newRow("no slots in the store") << "e.csc" << tail << 0 << short(0);
        QTest::newRow("ends after the events") << "f.csc" << QByteArray("FIRE:X:ab:\r\nEND:\r\n") << 2 << short(0);
        QTest::newRow("already has ticket data") << "g.csc" << tail + data << 2 << short(0);
        QTest::newRow("empty file") << "h.csc" << QByteArray() << 2 << short(0);
    }
    void appendTicketDataGuard()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, slots);
        QFETCH(short, result);
        TicketStore store;
        store.SetTicketCount(short(slots));
        if (slots) store.SetTicket(1, "T");
        const QString path = data_.Write(name, content);
        QCOMPARE(store.AppendTicketData(path), result);
        const QByteArray after = TestData::ReadAll(path);
        if (result == 0) {
            QCOMPARE(after, content);
            QCOMPARE(store.IsTicketModified(), short(slots ? 1 : 0));
            return;
        }
        QVERIFY(after.startsWith(content));
        QCOMPARE(store.IsTicketModified(), short(0));
        // A second Save that was cancelled calls again with the same path: nothing is added.
        QCOMPARE(store.AppendTicketData(path), short(0));
        QCOMPARE(TestData::ReadAll(path), after);
    }

    void appendThenLoad_data()
    {
        QTest::addColumn<bool>("lfOnly");
        QTest::newRow("CR LF") << false;
        QTest::newRow("LF") << true;
    }
    void appendThenLoad()
    {
        QFETCH(bool, lfOnly);
        const QList<QByteArray> tickets = {AllBytes(), QByteArray(), LongLine(), "A \nB\r\n//C\nEND:"};
        TicketStore store;
        Fill(store, tickets);
        const QString path = Write("save.csc", ConfigurationTail(4));
        QCOMPARE(store.AppendTicketData(path), short(1));
        QByteArray bytes = TestData::ReadAll(path);
        for (const QByteArray& line : bytes.split('\n')) QVERIFY(line.size() <= 255);
        if (lfOnly) bytes.replace("\r\n", "\n");

        // The reader hands over the stream right after the slots section's "END:".
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        bool inSlots = false;
        while (!buffer.atEnd()) {
            const QByteArray line = buffer.readLine().trimmed();
            if (line.startsWith("Slot:")) inSlots = true;
            if (inSlots && line == "END:") break;
        }
        TicketStore loaded;
        loaded.SetTicketCount(4);
        loaded.SetTicket(2, "stale");
        QCOMPARE(loaded.LoadTicketData(buffer, 1), short(1));
        QVERIFY(buffer.atEnd());
        for (int s = 1; s <= 4; ++s) QCOMPARE(loaded.Ticket(s), tickets[s - 1]);
        QCOMPARE(loaded.IsTicketModified(), short(0));
    }

    void loadDamagedTicketData()
    {
        QByteArray data = TicketFormats::JoinLines(TicketFormats::EncodeTicketData({{1, "good"}, {3, "beyond"}}));
        data += "TICKET:2:4:\r\nL:ba\\d\r\nEND:\r\n";
        TicketStore store;
        store.SetTicketCount(2);
        store.SetTicket(2, "old");
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(store.LoadTicketData(buffer, 1), short(0));
        QVERIFY(store.LastProblem().contains("slot 2"));
        QCOMPARE(store.Ticket(1), QByteArray("good"));
        QCOMPARE(store.Ticket(2), QByteArray());
        QCOMPARE(store.TicketCount(), short(2));
        QCOMPARE(store.IsTicketModified(), short(0));
    }

    // Save as the program does it (the writer, then the ticket data), then Open reads it back.
    void saveAndOpenThroughWorkbench()
    {
        TestData data(true);
        ScriptedPrompts prompts;
        HeadlessView view;
        Workbench bench(prompts, view);
        bench.SetSettlePause(0);
        bench.Initialize(CommSettings::Defaults(), Folders::FromBase(data.Base()));
        prompts.models.push_back("Model 614");
        bench.OnNew();
        TicketStore& tickets = bench.Tickets();
        QVERIFY(tickets.TicketCount() >= 2);
        QCOMPARE(tickets.IsTicketModified(), short(0));

        tickets.SetTicket(2, AllBytes());
        const QString path = data.Configurations() + QStringLiteral("mine.csc");
        prompts.files.push_back(path);
        bench.OnSave();
        QCOMPARE(tickets.IsTicketModified(), short(0));
        const QByteArray saved = TestData::ReadAll(path);
        QVERIFY(saved.contains("TICKETDATA:1:"));

        // A second Save whose dialog is cancelled leaves the file as it was.
        tickets.SetTicket(1, "changed later");
        bench.OnSave();
        QCOMPARE(TestData::ReadAll(path), saved);
        QCOMPARE(tickets.IsTicketModified(), short(1));

        ScriptedPrompts prompts2;
        HeadlessView view2;
        Workbench reopened(prompts2, view2);
        reopened.SetSettlePause(0);
        reopened.Initialize(CommSettings::Defaults(), Folders::FromBase(data.Base()));
        prompts2.files.push_back(path);
        reopened.OnOpen();
        QCOMPARE(reopened.Tickets().TicketCount(), tickets.TicketCount());
        QCOMPARE(reopened.Tickets().Ticket(2), AllBytes());
        QCOMPARE(reopened.Tickets().Ticket(1), QByteArray());
        QCOMPARE(reopened.Tickets().IsTicketModified(), short(0));

        // Damaged ticket data: the damaged ticket is dropped and the log says so.
        QByteArray damaged = saved;
        damaged.replace("TICKET:2:256:\r\nL:\\x00", "TICKET:2:256:\r\nL:\\q00");
        QVERIFY(damaged != saved);
        prompts2.files.push_back(data.Write(QStringLiteral("Configurations/damaged.csc"), damaged));
        reopened.OnOpen();
        QVERIFY(!reopened.Model().entries.empty());
        QCOMPARE(reopened.Tickets().Ticket(2), QByteArray());
        const auto& lines = reopened.Log().Lines();
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const StatusLine& line) {
            return line.kind == kWarning && line.text.startsWith("Ticket data not fully loaded: ") &&
                   line.text.contains("slot 2");
        }));
    }
};

QTEST_GUILESS_MAIN(TestTickets)
#include "tst_tickets.moc"
