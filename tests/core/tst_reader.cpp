// SPDX-License-Identifier: MIT
// The template and configuration reader over bytes: line reading, the sections and their
// early stops, the identity steps against an attached indicator and the value pull.
#include <QBuffer>
#include <QtTest>

#include "StatusLog.h"
#include "model/ConfigModel.h"
#include "model/ConfigReader.h"

namespace {

using Bytes = QList<QByteArray>;

// The reader's surroundings, recorded: log lines, the exchange (answered from a script), the
// mismatch box, the slot count and whatever the ticket editor was handed.
class RecordingHooks : public ReaderHooks {
public:
    void Log(const QByteArray& text, int kind) override { log.append(StatusLog::KindLabel(kind) + ": " + text); }
    bool Exchange(const QByteArray& command, QByteArray& reply) override
    {
        commands.append(command);
        if (replies.isEmpty()) return false;
        reply = replies.takeFirst();
        return true;
    }
    void ConfigurationMismatch() override { ++mismatches; }
    void SetTicketCount(int count) override { ticketCount = count; }
    void LoadTicketData(QIODevice& stream) override { ticketData = stream.readAll(); }

    QList<QByteArray> log;
    QList<QByteArray> commands;
    QList<QByteArray> replies;
    int mismatches = 0;
    int ticketCount = -1;
    QByteArray ticketData = "(not called)";
};

const QByteArray kDescription =
    "MFG:Tervolin Scale Mfg\r\n"
    "MOD:615\r\n"
    "REV:1.4\r\n"
    "SMA:2/1.0\r\n"
    "FIELDS:GR1,TF2,\r\n";

// Every section once, with sub-entries, a printing page and the special pages.
const QByteArray kComplete = kDescription
    + "// the entries\r\n"
      "HDR:General Setup:\r\n"
      "unt:20:60:0:0,1:lb,kg:Unit:combo:\r\n"
      "bdr:160:60:3:0,1,2,3:1200,2400,4800,9600:Baud rate:combo:\r\n"
      "->:par:160:120:0:0,1,2:None,Odd,Even:Parity:combo:\r\n"
      "->:dbt:300:120:8:7,8:7,8:Data bits:combo:\r\n"
      "HDR:Calibration:\r\n"
      "CAP:20:60:5000:1-999999:1-999999:Capacity:edit:\r\n"
      "DPP:160:60:1:0,1,2:1,0.1,0.01:Decimal point:: position:combo:\r\n"
      "HDR:Printing:\r\n"
      "HDR:Model Info:\r\n"
      "HDR:Extended:\r\n"
      "END:\r\n"
      "ASSIGN:CAPACITY:CAP:\r\n"
      "ASSIGN:DECIMALPOINT:DPP\r\n"
      "END:\r\n"
      "ENABLE:par,dbt:bdr:3:\r\n"
      "REJECT:bdr:0:par:1,2:\r\n"
      "END:\r\n"
      "FIRE:UNIT1_CHANGED:unt:\r\n"
      "FIRE:CAPACITY_CHANGED:CAP:\r\n"
      "END:\r\n"
      "Slot:1:\r\n"
      "Slot:2:\r\n"
      "Slot:3:\r\n"
      "END:\r\n"
      "TICKETS FOLLOW\r\n";

int Read(ConfigModel& model, const QByteArray& bytes, RecordingHooks& hooks, int fromFile = 1)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ConfigReader::ReadConfiguration(model, &buffer, fromFile, hooks);
}

QList<QByteArray> Codes(const EntryArray& entries)
{
    QList<QByteArray> out;
    for (const auto& e : entries) out.append(e->code);
    return out;
}

QList<QByteArray> TabNames(const ConfigModel& model)
{
    QList<QByteArray> out;
    for (const TabItem& t : model.tabs) out.append(t.name);
    return out;
}

// The attached indicator that the description above describes.
void Attach615(ConfigModel& model)
{
    model.attachedDevice.identified = 1;
    model.attachedDevice.unlocked = 0;
    model.attachedDevice.mfgLine = "MFG:Tervolin Scale Mfg";
    model.attachedDevice.modelLine = "MOD:615";
    model.attachedDevice.revisionLine = "REV:1.4";
    model.attachedDevice.protocolLine = "SMA:2/1.0";
    model.attachedDevice.fieldsLine = "FIELDS:GR1,";
}

}  // namespace

class TestReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each item: the line ReadLine returns, "<empty>" for false with an empty line, "<end>" for false
    // at the end of the stream.
    void lineReading_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<Bytes>("reads");
        const QByteArray x255(255, 'x');
        const QByteArray y256(256, 'y');
        QTest::newRow("CR LF and LF") << QByteArray("a\r\nb\nc") << Bytes{"a", "b", "c", "<end>"};
        QTest::newRow("comments skipped") << QByteArray("// one\r\nx//y\r\nabc\r\n") << Bytes{"abc", "<end>"};
        QTest::newRow("comment last") << QByteArray("abc\r\n// last") << Bytes{"abc", "<empty>", "<end>"};
        QTest::newRow("empty line") << QByteArray("a\r\n\r\nb\r\n") << Bytes{"a", "<empty>", "b", "<end>"};
        QTest::newRow("NUL cuts the line") << QByteArray("ab\0cd\r\nx\r\n", 9) << Bytes{"ab", "x", "<end>"};
        QTest::newRow("lone CR kept") << QByteArray("a\rb\r\n") << Bytes{"a\rb", "<end>"};
        QTest::newRow("255 characters fit") << x255 + "\r\nnext\r\n" << Bytes{x255, "next", "<end>"};
        QTest::newRow("255 characters, LF") << x255 + "\nnext" << Bytes{x255, "next", "<end>"};
        QTest::newRow("over-long line ends the file") << y256 + "\r\nnext\r\n" << Bytes{QByteArray(255, 'y'), "<end>"};
        QTest::newRow("255 and a lone CR is over-long") << x255 + "\rz\r\nnext\r\n" << Bytes{x255, "<end>"};
        QTest::newRow("empty stream") << QByteArray() << Bytes{"<end>"};
    }
    void lineReading()
    {
        QFETCH(QByteArray, input);
        QFETCH(Bytes, reads);
        QBuffer buffer(&input);
        buffer.open(QIODevice::ReadOnly);
        for (const QByteArray& expected : reads) {
            QByteArray line = "untouched";
            const bool got = ConfigReader::ReadLine(buffer, line);
            if (expected == "<end>") {
                QVERIFY(!got);
                QCOMPARE(line, QByteArray("untouched"));
            } else if (expected == "<empty>") {
                QVERIFY(!got);
                QCOMPARE(line, QByteArray());
            } else {
                QVERIFY2(got, expected.constData());
                QCOMPARE(line, expected);
            }
        }
    }

    void completeFile()
    {
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, kComplete, hooks), 1);

        QCOMPARE(model.fileDevice.modelLine, QByteArray("MOD:615"));
        QCOMPARE(model.fileDevice.fieldsLine, QByteArray("FIELDS:GR1,TF2,"));
        QCOMPARE(model.fileDevice.identified, 1);
        QCOMPARE(model.attachedDevice.unlocked, 1);
        QCOMPARE(model.attachedDevice.fieldsLine,
                 QByteArray("GR1,TF2,NF3,TM4,DT5,ID6,CN7,UF8,DW9,PWA,PCB,I1C,I2D,I3E,GAF,"
                            "NAG,P1H,P2I,P3J,R1K,R2L,R3M,G1N,G2O,G3P,U1Q,U2R,U3S,XNZ,"));

        // The Extended page goes when nothing landed on it; the model information follows.
        QCOMPARE(TabNames(model), (Bytes{"General Setup", "Calibration", "Printing", "Model Info"}));
        QCOMPARE(model.printTab, 2);
        QCOMPARE(model.modelInfoTab, 3);
        QCOMPARE(model.extendedTab, -1);
        QCOMPARE(model.ticketCapable, 0);

        QCOMPARE(Codes(model.entries), (Bytes{"unt", "bdr", "CAP", "DPP"}));
        ConfigEntry* bdr = model.entries[1].get();
        QCOMPARE(Codes(bdr->subEntries), (Bytes{"par", "dbt"}));
        QCOMPARE(bdr->subEntries[1]->parent, bdr);
        QCOMPARE(bdr->subEntries[1]->sectionName, QByteArray("General Setup"));
        QCOMPARE(model.entries[3]->label, QByteArray("Decimal point: position"));
        QCOMPARE(model.entries[3]->tabIndex, 1);
        for (const auto& e : model.entries) {
            QCOMPARE(e->modified, 0);
            QCOMPARE(e->hasValue, 1);
            QCOMPARE(e->disabled, 0);  // unlocked: the file came without an indicator
        }

        QCOMPARE(model.capacityEntry, model.entries[2].get());
        QCOMPARE(model.decimalPointEntry, model.entries[3].get());
        QVERIFY(!model.intervalEntry);
        QVERIFY(!model.tareEntry);

        QCOMPARE(model.interlocks.size(), size_t(2));
        QCOMPARE(model.interlocks[0].type, int(kEnable));
        QCOMPARE(model.interlocks[0].targets.size(), size_t(2));
        QCOMPARE(model.interlocks[1].type, int(kReject));
        QCOMPARE(model.interlocks[1].sourceLine, QByteArray("REJECT:bdr:0:par:1,2:"));
        QCOMPARE(model.events.size(), size_t(2));
        QCOMPARE(model.events[1].entry, model.entries[2].get());

        QCOMPARE(hooks.ticketCount, 3);
        QCOMPARE(hooks.ticketData, QByteArray("TICKETS FOLLOW\r\n"));
        QVERIFY(hooks.commands.isEmpty());
        QCOMPARE(model.documentPath, QByteArray("615.tpl"));
        QCOMPARE(hooks.log, (Bytes{"Information: Current configuration file - Model 615  Tarelink Version 1.4"}));

        QList<QByteArray> info;
        for (const auto& e : model.extraEntries) {
            info.append(e->code + '=' + e->value + '@' + e->y);
            QCOMPARE(e->tabIndex, 3);
            QCOMPARE(e->controlType, QByteArray("large_edit"));
        }
        QCOMPARE(info, (Bytes{"SOURCE=File@60", "STATUS=Disconnected@120", "MFG=Tervolin Scale Mfg@180",
                                          "MOD=615@240", "REV=1.4@300", "SMA=2/1.0@360"}));
    }

    void earlyStops_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<bool>("reportsError");
        auto row = [](const char* name, QByteArray body, int result, QByteArray codes, int tabs, bool error) {
            QTest::newRow(name) << body << result << codes << tabs << error;
        };
        row("nothing after the description", "", 0, "", 0, false);
        row("line without a colon", "HDR:A:\r\nab:1:2:\r\nno colon here\r\ncd:1:2:\r\nEND:\r\n", 0, "ab", 1, true);
        row("sub-entry before any entry", "HDR:A:\r\n->:ab:1:2:\r\nEND:\r\n", 0, "", 1, false);
        row("end of file inside the entries", "HDR:A:\r\nab:1:2:\r\nHDR:B:\r\ncd:1:2:", 0, "ab|cd", 2, false);
        row("empty line inside the entries", "HDR:A:\r\nab:1:2:\r\n\r\ncd:1:2:\r\nEND:\r\n", 0, "ab", 1, false);
        row("over-long entry line", "HDR:A:\r\nab:1:2:" + QByteArray(300, 'v') + "\r\nEND:\r\n", 0, "ab", 1, false);
        row("entries then the end of the file", "HDR:A:\r\nab:1:2:\r\nEND:", 1, "ab", 1, false);
    }
    void earlyStops()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, result);
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, kDescription + body, hooks), result);
        QTEST(Codes(model.entries).join('|'), "codes");
        QTEST(int(model.tabs.size()), "tabs");
        QTEST(hooks.log.contains("Error: Error reading configuration file!"), "reportsError");
        // The description and identity steps ran either way.
        QCOMPARE(model.fileDevice.modelLine, QByteArray("MOD:615"));
        QVERIFY(hooks.log.first().startsWith("Information: Current configuration file - Model 615"));
        if (result == 0) {
            // A stopped read processes nothing after the entries.
            QCOMPARE(hooks.ticketCount, -1);
            QVERIFY(model.extraEntries.empty());
            QVERIFY(!model.capacityEntry);
        } else {
            QCOMPARE(hooks.ticketCount, 0);
            QCOMPARE(hooks.ticketData, QByteArray());
        }
    }

    void substringQuirks_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("codes");      // each with its tab index
        QTest::addColumn<QByteArray>("tabNames");
        QTest::addColumn<QByteArray>("capacity");
        auto row = [](const char* name, QByteArray body, QByteArray codes, QByteArray tabs, QByteArray capacity) {
            QTest::newRow(name) << body << codes << tabs << capacity;
        };
        row("label containing END: ends the entries",
            "HDR:A:\r\nab:1:2:0:0,1:No,Yes:SEND::combo:\r\ncd:1:2:\r\nASSIGN:CAPACITY:cd:\r\n", "", "A", "");
        row("CAPACITY2 binds the capacity", "HDR:A:\r\nab:1:2:\r\nCAP:1:2:\r\nEND:\r\nASSIGN:CAPACITY2:ab:\r\nEND:\r\n",
            "ab@0|CAP@0", "A", "ab");
        row("unknown code falls back to CAP",
            "HDR:A:\r\nCAP:1:2:\r\nEND:\r\nASSIGN:CAPACITY:zz:\r\nASSIGN:WEIGHT:CAP:\r\nEND:\r\n", "CAP@0", "A", "CAP");
        row("entries before the first header", "ab:1:2:\r\nHDR:A:\r\ncd:1:2:\r\nEND:\r\n", "ab@0|cd@0", "A", "");
        row("repeated section names", "HDR:A:\r\nab:1:2:\r\nHDR:B:\r\ncd:1:2:\r\nHDR:A:\r\nef:1:2:\r\nEND:\r\n",
            "ab@0|cd@1|ef@2", "A|B|A", "");
        row("sub-entry marker inside a line", "HDR:A:\r\nab:1:2:\r\nxy->:cd:1:2:\r\nEND:\r\n", "ab@0", "A", "");
    }
    void substringQuirks()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, tabNames);
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, kDescription + body, hooks), 1);
        QList<QByteArray> codes;
        for (const auto& e : model.entries) codes.append(e->code + '@' + QByteArray::number(e->tabIndex));
        QTEST(codes.join('|'), "codes");
        QCOMPARE(TabNames(model).mid(0, tabNames.count('|') + 1).join('|'), tabNames);
        QTEST(model.capacityEntry ? model.capacityEntry->code : QByteArray(), "capacity");
    }

    void sectionsEndedByEmptyLines()
    {
        // Each empty line is the discarded terminator of its section, exactly like "END:".
        const QByteArray body = "HDR:A:\r\nab:1:2:0:0,1:No,Yes:AB:combo:\r\ncd:1:2:\r\nEND:\r\n"
                                "ASSIGN:TAREWEIGHT:cd:\r\n\r\n"
                                "ENABLE:cd:ab:1:\r\n\r\n"
                                "FIRE:UNIT1_CHANGED:ab:\r\n\r\n"
                                "Slot:1:\r\nSlot:2:\r\n\r\n"
                                "rest\r\n";
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, kDescription + body, hooks), 1);
        QCOMPARE(model.tareEntry, model.entries[1].get());
        QCOMPARE(model.interlocks.size(), size_t(1));
        QCOMPARE(model.events.size(), size_t(1));
        QCOMPARE(hooks.ticketCount, 2);
        QCOMPARE(hooks.ticketData, QByteArray("rest\r\n"));
    }

    void shortDescription()
    {
        // The working string keeps the last line read for the description lines the file lacks.
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, "MFG:Tervolin Scale Mfg\r\nMOD:614", hooks), 0);
        QCOMPARE(model.fileDevice.modelLine, QByteArray("MOD:614"));
        QCOMPARE(model.fileDevice.revisionLine, QByteArray("MOD:614"));
        QCOMPARE(model.fileDevice.fieldsLine, QByteArray("MOD:614"));
        QCOMPARE(model.fileDevice.identified, 0);
        QCOMPARE(model.fileDevice.unlocked, 1);
    }

    void catalogueNameAndLoadMessages_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<QByteArray>("expectedPath");
        QTest::addColumn<QByteArray>("log");
        auto row = [](const char* name, QByteArray path, bool attached, QByteArray expected, QByteArray log) {
            QTest::newRow(name) << path << attached << expected << log;
        };
        row("no indicator: catalogue name, no message", "/data/Configurations/x.csc", false, "615x.tpl",
            "Information: Current configuration file - Model 615  Tarelink Version 1.4");
        row("template for an indicator", "/data/Configurations/615x.tpl", true, "/data/Configurations/615x.tpl",
            "Information: Successfully loaded template file for Model 615");
        row("configuration for an indicator", "/home/t/site 4.csc", true, "/home/t/site 4.csc",
            "Information: Successfully loaded configuration file - site 4.csc");
        row("no folder, no message", "615.tpl", true, "615.tpl", "");
    }
    void catalogueNameAndLoadMessages()
    {
        QFETCH(QByteArray, path);
        QFETCH(bool, attached);
        ConfigModel model;
        model.revisionCatalogue.push_back(CRevItem{615.0f, 1.4f, "615x.tpl"});
        if (attached) Attach615(model);
        model.documentPath = path;
        RecordingHooks hooks;
        hooks.replies = {"END:"};
        QCOMPARE(Read(model, kComplete, hooks, attached ? 0 : 1), 1);
        QTEST(model.documentPath, "expectedPath");
        QTEST(hooks.log.join('\n'), "log");
    }

    void valuePull()
    {
        ConfigModel model;
        Attach615(model);
        model.documentPath = "/cfg/615.tpl";
        RecordingHooks hooks;
        hooks.replies = {"unt:1", "cap:7500", "par:2", "XYZ:4:Extra setting", "DPP:", "END:", "unt:0"};
        QCOMPARE(Read(model, kComplete, hooks, 0), 1);

        QCOMPARE(hooks.commands, (Bytes{"\nXO\r", "\nXo\r", "\nXo\r", "\nXo\r", "\nXo\r", "\nXo\r"}));
        QCOMPARE(hooks.replies, Bytes{"unt:0"});
        QCOMPARE(model.entries[0]->value, QByteArray("1"));
        QCOMPARE(model.entries[2]->value, QByteArray("7500"));
        QCOMPARE(model.entries[1]->subEntries[0]->value, QByteArray("2"));
        // Locked codes stay locked: the indicator is not unlocked. A template read keeps no marks.
        QCOMPARE(model.entries[2]->disabled, 1);
        QVERIFY(!ConfigModel::IsDocumentModified(model.entries));
        // The attached record takes the file's field list when both describe the same indicator.
        QCOMPARE(model.attachedDevice.fieldsLine, QByteArray("FIELDS:GR1,TF2,"));

        // Unmatched lines land on the Extended page, which therefore stays.
        QCOMPARE(model.extendedTab, 4);
        QCOMPARE(TabNames(model).last(), QByteArray("Extended"));
        QList<QByteArray> extra;
        for (const auto& e : model.extraEntries) extra.append(e->code + '@' + QByteArray::number(e->tabIndex));
        QCOMPARE(extra.mid(0, 2), (Bytes{"XYZ@4", "DPP@4"}));
        QCOMPARE(model.extraEntries[0]->label, QByteArray("Extra setting"));
        QCOMPARE(model.extraEntries[0]->disabled, 1);
        QCOMPARE(model.extraEntries[2]->code, QByteArray("SOURCE"));
        QCOMPARE(model.extraEntries[2]->value, QByteArray("Device"));
        QCOMPARE(model.extraEntries[3]->value, QByteArray("Connected"));
        // The attached record's field list holds "FIELDS" and is dropped.
        QCOMPARE(model.extraEntries.size(), size_t(2 + 6));
    }

    void valuePullStopsOnFailure()
    {
        ConfigModel model;
        Attach615(model);
        RecordingHooks hooks;
        hooks.replies = {"unt:1"};  // then the indicator goes quiet
        QCOMPARE(Read(model, kComplete, hooks, 0), 1);
        QCOMPARE(hooks.commands.size(), 2);
        QCOMPARE(model.entries[0]->value, QByteArray("1"));
        QCOMPARE(model.entries[2]->value, QByteArray("5000"));
    }

    void attachedMismatchAndMatch()
    {
        ConfigModel model;
        Attach615(model);
        model.attachedDevice.revisionLine = "REV:1.5";
        model.attachedDevice.unlocked = 0;
        model.revisionCatalogue.push_back(CRevItem{615.0f, 1.4f, "615old.tpl"});
        RecordingHooks hooks;
        hooks.replies = {"END:"};
        QCOMPARE(Read(model, kComplete, hooks, 0), 1);
        QCOMPARE(hooks.mismatches, 1);
        // The file's description decides the template name; the attached record keeps its lock.
        QCOMPARE(model.documentPath, QByteArray("615old.tpl"));
        QCOMPARE(model.attachedDevice.unlocked, 0);
        QCOMPARE(model.attachedDevice.fieldsLine, QByteArray("FIELDS:GR1,"));
        QCOMPARE(hooks.log.first(),
                 QByteArray("Information: Current configuration file - Model 615  Tarelink Version 1.4"));
        QCOMPARE(hooks.commands.size(), 1);
    }

    void attachedConfigurationFile()
    {
        // A file opened while an unlocked indicator is attached: values come from the file only.
        ConfigModel model;
        Attach615(model);
        model.attachedDevice.unlocked = 1;
        model.documentPath = "/cfg/site.csc";
        RecordingHooks hooks;
        QCOMPARE(Read(model, kComplete, hooks, 1), 1);
        QVERIFY(hooks.commands.isEmpty());
        QCOMPARE(model.entries[2]->disabled, 0);
        QCOMPARE(model.entries[2]->hasValue, 1);
        QCOMPARE(hooks.log, Bytes{"Information: Successfully loaded configuration file - site.csc"});
    }

    void garbageNeverHangs()
    {
        // Binary noise, NUL bytes and endless lines in every section: the reader returns.
        QByteArray noise;
        quint32 seed = 12345;
        for (int i = 0; i < 20000; ++i) {
            seed = seed * 1103515245u + 12345u;
            noise.append(char(seed >> 16));
        }
        const QByteArray inputs[] = {
            noise,
            kDescription + noise,
            kDescription + "HDR:A:\r\nab:1:2:\r\nEND:\r\n" + noise,
            kDescription + "HDR:A:\r\n" + QByteArray(100000, ':'),
            kDescription + QByteArray(5000, '\n'),
            QByteArray(1000, '\0'),
        };
        for (const QByteArray& input : inputs) {
            ConfigModel model;
            RecordingHooks hooks;
            const int result = Read(model, input, hooks);
            QVERIFY(result == 0 || result == 1);
            for (const auto& e : model.entries) QVERIFY(e->line.size() <= ConfigReader::kMaxLineLength);
        }
    }
};

QTEST_GUILESS_MAIN(TestReader)
#include "tst_reader.moc"
