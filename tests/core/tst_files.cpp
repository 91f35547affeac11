// SPDX-License-Identifier: MIT
// Template and configuration files: the reader over bytes (lines, sections and their early
// stops, identity against an attached indicator, the value pull) and the writer (the exact
// layout, the save dialog, temporary mode, and reading the result back).
#include <QBuffer>
#include <QDir>
#include <QtTest>

#include "ScriptedPrompts.h"
#include "StatusLog.h"
#include "TestData.h"
#include "model/ConfigModel.h"
#include "model/ConfigReader.h"
#include "model/ConfigWriter.h"

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

    Bytes log, commands, replies;
    int mismatches = 0;
    int ticketCount = -1;
    QByteArray ticketData = "(not called)";
};

QByteArray Golden(const char* name)
{
    return TestData::ReadAll(TestData::SourceDir() + QStringLiteral("/tests/core/data/") + QLatin1String(name));
}

const QByteArray kDescription = "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:GR1,TF2,\r\n";
const QByteArray kLoaded = "Information: Current configuration file - Model 615  Tarelink Version 1.4";

int Read(ConfigModel& model, const QByteArray& bytes, RecordingHooks& hooks, int fromFile = 1)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ConfigReader::ReadConfiguration(model, &buffer, fromFile, hooks);
}

Bytes Codes(const EntryArray& entries, bool withTab = false)
{
    Bytes out;
    for (const auto& e : entries) out.append(withTab ? e->code + '@' + QByteArray::number(e->tabIndex) : e->code);
    return out;
}

Bytes TabNames(const ConfigModel& model)
{
    Bytes out;
    for (const TabItem& t : model.tabs) out.append(t.name);
    return out;
}

// The attached indicator the description above describes (locked).
void Attach615(ConfigModel& model)
{
    CDevice& d = model.attachedDevice;
    d.identified = 1;
    d.unlocked = 0;
    d.mfgLine = "MFG:Tervolin Scale Mfg";
    d.modelLine = "MOD:615";
    d.revisionLine = "REV:1.4";
    d.protocolLine = "SMA:2/1.0";
    d.fieldsLine = "FIELDS:GR1,";
}

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each item: the line ReadLine returns, "<empty>" for false with an empty line, "<end>" for
    // false at the end of the stream.
    void lineReading_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<Bytes>("reads");
        const QByteArray x255(255, 'x');
        QTest::newRow("CR LF and LF") << QByteArray("a\r\nb\nc") << Bytes{"a", "b", "c", "<end>"};
        QTest::newRow("comments skipped") << QByteArray("// one\r\nx//y\r\nabc\r\n") << Bytes{"abc", "<end>"};
        QTest::newRow("comment last") << QByteArray("abc\r\n// last") << Bytes{"abc", "<empty>", "<end>"};
        QTest::newRow("empty line") << QByteArray("a\r\n\r\nb\r\n") << Bytes{"a", "<empty>", "b", "<end>"};
        QTest::newRow("NUL cuts the line") << QByteArray("ab\0cd\r\nx\r\n", 9) << Bytes{"ab", "x", "<end>"};
        QTest::newRow("lone CR kept") << QByteArray("a\rb\r\n") << Bytes{"a\rb", "<end>"};
        QTest::newRow("255 characters fit") << x255 + "\nnext" << Bytes{x255, "next", "<end>"};
        QTest::newRow("over-long line ends the file") << x255 + "y\r\nnext\r\n" << Bytes{x255, "<end>"};
        QTest::newRow("255 and a lone CR is over-long") << x255 + "\rz\r\nnext\r\n" << Bytes{x255, "<end>"};
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
            QCOMPARE(got, !expected.startsWith('<'));
            QCOMPARE(line, expected == "<end>" ? "untouched" : expected == "<empty>" ? QByteArray() : expected);
        }
    }

    void completeFile()
    {
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, Golden("reader-complete.tpl"), hooks), 1);
        QCOMPARE(model.fileDevice.fieldsLine + '|' + QByteArray::number(model.fileDevice.identified),
                 QByteArray("FIELDS:GR1,TF2,|1"));
        QCOMPARE(model.attachedDevice.fieldsLine, QByteArray(kDefaultFieldsLine).mid(7));
        // The Extended page goes when nothing landed on it; the model information follows.
        QCOMPARE(TabNames(model), (Bytes{"General Setup", "Calibration", "Printing", "Model Info"}));
        QCOMPARE(QList<int>({model.printTab, model.modelInfoTab, model.extendedTab, model.ticketCapable}),
                 QList<int>({2, 3, -1, 0}));
        QCOMPARE(Codes(model.entries, true), (Bytes{"unt@0", "bdr@0", "CAP@1", "DPP@1"}));
        QCOMPARE(Codes(model.entries[1]->subEntries), (Bytes{"par", "dbt"}));
        QCOMPARE(model.entries[3]->label, QByteArray("Decimal point: position"));
        for (const auto& e : model.entries) QCOMPARE(e->modified * 10 + e->hasValue + e->disabled * 100, 1);
        QVERIFY(model.capacityEntry == model.entries[2].get() && model.decimalPointEntry == model.entries[3].get());
        QVERIFY(!model.intervalEntry && !model.tareEntry);
        QCOMPARE(model.interlocks[1].sourceLine + model.events[1].sourceLine,
                 QByteArray("REJECT:bdr:0:par:1,2:FIRE:CAPACITY_CHANGED:CAP:"));
        QCOMPARE(QByteArray::number(hooks.ticketCount) + hooks.ticketData, QByteArray("3TICKETS FOLLOW\r\n"));
        QVERIFY(hooks.commands.isEmpty());
        QCOMPARE(model.documentPath, QByteArray("615.tpl"));
        QCOMPARE(hooks.log, Bytes{kLoaded});
        Bytes info;
        for (const auto& e : model.extraEntries) info.append(e->code + '=' + e->value + '@' + e->y);
        QCOMPARE(info, (Bytes{"SOURCE=File@60", "STATUS=Disconnected@120", "MFG=Tervolin Scale Mfg@180", "MOD=615@240",
                              "REV=1.4@300", "SMA=2/1.0@360"}));
    }

    void sections_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("codes");  // each with its tab
        QTest::addColumn<QByteArray>("tabs");
        QTest::addColumn<QByteArray>("bound");  // capacity, tare; slots; ticket data
        auto row = [](const char* name, QByteArray body, int result, QByteArray codes, QByteArray tabs,
                      QByteArray bound) { QTest::newRow(name) << body << result << codes << tabs << bound; };
        const QByteArray stopped = "|;-1;(not called)";
        // Early stops: nothing after the entries is processed.
        row("nothing after the description", "", 0, "", "", stopped);
        row("line without a colon", "HDR:A:\r\nab:1:2:\r\nno colon\r\ncd:1:2:\r\nEND:\r\n", 0, "ab@0", "A", stopped);
        row("sub-entry before any entry", "HDR:A:\r\n->:ab:1:2:\r\nEND:\r\n", 0, "", "A", stopped);
        row("end of file inside the entries", "HDR:A:\r\nab:1:2:\r\nHDR:B:\r\ncd:1:2:", 0, "ab@0|cd@1", "A|B", stopped);
        row("empty line inside the entries", "HDR:A:\r\nab:1:2:\r\n\r\ncd:1:2:\r\nEND:\r\n", 0, "ab@0", "A", stopped);
        row("over-long entry line", "HDR:A:\r\nab:1:2:" + QByteArray(300, 'v') + "\r\nEND:", 0, "ab@0", "A", stopped);
        row("entries then the end of the file", "HDR:A:\r\nab:1:2:\r\nEND:", 1, "ab@0", "A", "|;0;");
        // Substrings decide more than they seem to.
        row("label containing END: ends the entries",
            "HDR:A:\r\nab:1:2:0:0,1:No,Yes:SEND::combo:\r\ncd:1:2:\r\nASSIGN:CAPACITY:cd:\r\n", 1, "", "A", "|;0;");
        row("CAPACITY2 binds the capacity", "HDR:A:\r\nab:1:2:\r\nCAP:1:2:\r\nEND:\r\nASSIGN:CAPACITY2:ab:\r\nEND:", 1,
            "ab@0|CAP@0", "A", "ab|;0;");
        row("unknown code falls back to CAP",
            "HDR:A:\r\nCAP:1:2:\r\nEND:\r\nASSIGN:CAPACITY:zz:\r\nASSIGN:WEIGHT:CAP:\r\nEND:", 1, "CAP@0", "A",
            "CAP|;0;");
        row("entries before the first header", "ab:1:2:\r\nHDR:A:\r\ncd:1:2:\r\nEND:\r\n", 1, "ab@0|cd@0", "A", "|;0;");
        row("repeated section names", "HDR:A:\r\nab:1:2:\r\nHDR:B:\r\ncd:1:2:\r\nHDR:A:\r\nef:1:2:\r\nEND:\r\n", 1,
            "ab@0|cd@1|ef@2", "A|B|A", "|;0;");
        row("sub-entry marker inside a line", "HDR:A:\r\nab:1:2:\r\nxy->:cd:1:2:\r\nEND:\r\n", 1, "ab@0", "A", "|;0;");
        // Each empty line is the discarded terminator of its section, exactly like "END:".
        row("sections ended by empty lines",
            "HDR:A:\r\nab:1:2:0:0,1:No,Yes:AB:combo:\r\ncd:1:2:\r\nEND:\r\nASSIGN:TAREWEIGHT:cd:\r\n\r\n"
            "ENABLE:cd:ab:1:\r\n\r\nFIRE:UNIT1_CHANGED:ab:\r\n\r\nSlot:1:\r\nSlot:2:\r\n\r\nrest\r\n",
            1, "ab@0|cd@0", "A", "|cd;2;rest\r\n");
    }
    void sections()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, tabs);
        ConfigModel model;
        RecordingHooks hooks;
        QTEST(Read(model, kDescription + body, hooks), "result");
        QTEST(Codes(model.entries, true).join('|'), "codes");
        // The special pages a complete read adds come after the file's own.
        QCOMPARE(TabNames(model).mid(0, tabs.isEmpty() ? 0 : tabs.count('|') + 1).join('|'), tabs);
        auto code = [](const ConfigEntry* e) { return e ? e->code : QByteArray(); };
        QTEST(code(model.capacityEntry) + '|' + code(model.tareEntry) + ';' + QByteArray::number(hooks.ticketCount)
                  + ';' + hooks.ticketData,
              "bound");
        QCOMPARE(hooks.log.first(), kLoaded);
        QCOMPARE(hooks.log.contains("Error: Error reading configuration file!"), body.contains("no colon"));
    }

    void documentNameAndLoadMessage_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("attached");  // 0 none, 1 pulling values, 2 reading its file, 3 another revision
        QTest::addColumn<QByteArray>("expectedPath");
        QTest::addColumn<QByteArray>("log");
        auto row = [](const char* name, QByteArray path, int attached, QByteArray expected, QByteArray log) {
            QTest::newRow(name) << path << attached << expected << log;
        };
        row("no indicator: catalogue name", "/data/Configurations/x.csc", 0, "615x.tpl", kLoaded);
        row("template for an indicator", "/data/Configurations/615x.tpl", 1, "/data/Configurations/615x.tpl",
            "Information: Successfully loaded template file for Model 615");
        row("configuration for an indicator", "/home/t/site 4.csc", 1, "/home/t/site 4.csc",
            "Information: Successfully loaded configuration file - site 4.csc");
        row("configuration with an indicator attached", "/cfg/site.csc", 2, "/cfg/site.csc",
            "Information: Successfully loaded configuration file - site.csc");
        // The file's description then decides the template name; the attached record keeps its lock.
        row("indicator of another revision", "/cfg/site.csc", 3, "615x.tpl", kLoaded);
    }
    void documentNameAndLoadMessage()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, attached);
        ConfigModel model;
        model.revisionCatalogue.push_back(CRevItem{615.0f, 1.4f, "615x.tpl"});
        if (attached) Attach615(model);
        if (attached == 3) model.attachedDevice.revisionLine = "REV:1.5";
        model.attachedDevice.unlocked = attached == 2 ? 1 : 0;
        model.documentPath = path;
        RecordingHooks hooks;
        hooks.replies = {"END:"};
        QCOMPARE(Read(model, Golden("reader-complete.tpl"), hooks, attached % 2 ? 0 : 1), 1);
        QTEST(model.documentPath, "expectedPath");
        QTEST(hooks.log.join('\n'), "log");
        QCOMPARE(hooks.commands.size() * 10 + hooks.mismatches, attached % 2 ? 10 + attached / 3 : 0);
        QCOMPARE(model.attachedDevice.unlocked, attached % 2 ? 0 : 1);
    }

    void valuePull()
    {
        ConfigModel model;
        Attach615(model);
        model.documentPath = "/cfg/615.tpl";
        RecordingHooks hooks;
        hooks.replies = {"unt:1", "XYZ:4:Extra setting", "END:", "unt:0"};
        QCOMPARE(Read(model, Golden("reader-complete.tpl"), hooks, 0), 1);
        // The pull ends at "END:"; a template read keeps no marks.
        QCOMPARE(hooks.commands, (Bytes{"\nXO\r", "\nXo\r", "\nXo\r"}));
        QCOMPARE(model.entries[0]->value, QByteArray("1"));
        QVERIFY(!ConfigModel::IsDocumentModified(model.entries));
        // The attached record takes the file's field list when both describe the same indicator.
        QCOMPARE(model.attachedDevice.fieldsLine, QByteArray("FIELDS:GR1,TF2,"));
        QCOMPARE(model.extraEntries[0]->label + model.extraEntries[2]->value, QByteArray("Extra settingConnected"));

        // A pull that ends early keeps what came.
        ConfigModel quiet;
        Attach615(quiet);
        RecordingHooks silent;
        silent.replies = {"unt:1"};
        QCOMPARE(Read(quiet, Golden("reader-complete.tpl"), silent, 0), 1);
        QCOMPARE(silent.commands.size(), 2);
        QCOMPARE(quiet.entries[0]->value + quiet.entries[2]->value, QByteArray("15000"));
    }

    void writerLayoutAndReadBack()
    {
        ConfigModel first;
        RecordingHooks hooks;
        QCOMPARE(Read(first, Golden("writer-source.tpl"), hooks), 1);
        const QByteArray written = ConfigWriter::FormatConfiguration(first, first.fileDevice, 2);
        QCOMPARE(written, Golden("writer-expected.csc"));

        ConfigModel second;
        RecordingHooks again;
        QCOMPARE(Read(second, written, again), 1);
        QCOMPARE(again.ticketCount, 2);
        QCOMPARE(second.entries[1]->label, QByteArray("Baud:rate"));
        // The repeated section comes back on a tab of its own; the three pages are always there.
        QCOMPARE(TabNames(second), (Bytes{"Setup", "Calibration", "Setup", "Printing", "Model Info"}));
        QCOMPARE(Codes(second.entries, true), (Bytes{"unt@0", "bdr@0", "CAP@1", "blt@1", "tare@2"}));
        QCOMPARE(second.capacityEntry->code + second.tareEntry->code, QByteArray("CAPtare"));
        QCOMPARE(second.events.size(), size_t(2));
        QCOMPARE(ConfigWriter::FormatConfiguration(second, second.fileDevice, 2), written);

        ConfigModel headless;
        QCOMPARE(Read(headless, "MFG:x\r\nMOD:1\r\nREV:1\r\nSMA:\r\nFIELDS:\r\nab:1:2:3:4:5:6:edit:\nEND:", again), 1);
        QVERIFY(ConfigWriter::FormatConfiguration(headless, headless.fileDevice, 0)
                    .contains("//\r\nHDR::\r\nab:1:2:3:4:5:6:edit:\r\nHDR:Printing:\r\n"));
    }

    // An entry read, given a value, saved and read again: the same fields, or, where no line
    // can carry them, its previous line (and older value) with the entry named for a Warning.
    void entryLinesSurviveSaveAndOpen_data()
    {
        QTest::addColumn<QByteArray>("line");  // a sub-entry line follows "top:0:0:"
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<bool>("uncarried");
        auto row = [](const char* name, QByteArray line, QByteArray value, QByteArray written, bool uncarried = false) {
            QTest::newRow(name) << line << value << written << uncarried;
        };
        const QByteArray hd1 = "hd1:0:0:HEAD:20:20:Header:text:";
        row("whole line", "CAP:2:6:100:1-500:1-500:Cap:edit:", "250", "CAP:2:6:250:1-500:1-500:Cap:edit:");
        row("later fields empty", "ab:1:2:", "", "ab:1:2:");
        row("later fields empty, a value given", "ab:1:2:", "5", "ab:1:2:5:");
        row("empty control type", "GR:2:6:0:0,1:Off,On:Mode:", "1", "GR:2:6:1:0,1:Off,On:Mode:");
        row("empty choices joined to valueSpec", "CAP:2:6:1:1-500::Cap:edit:", "", "CAP:2:6:1:1-500::Cap:edit:");
        row("sub-entry without a value", "->:cd:1:2::x:", "", "->:cd:1:2::x:");
        row("escaped colon in the code", "a::b:1:2:", "", "a::b:1:2:");
        row("escaped colon in the code, a value given", "a::b:1:2:", "5", "a::b:1:2:", true);
        row("colon in the value", hd1, "A:B", hd1, true);
        row("value ending the entries", hd1, "THE END", hd1, true);
        row("value over the line length", hd1, QByteArray(250, 'v'), hd1, true);
    }
    void entryLinesSurviveSaveAndOpen()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, value);
        QFETCH(bool, uncarried);
        const bool sub = line.startsWith("->:");
        auto entryOf = [sub](const ConfigModel& m) { return sub ? m.entries[0]->GetSubEntry(0) : m.entries[0].get(); };
        auto fields = [](const ConfigEntry* e) {
            return Bytes{e->code, e->x, e->y, e->value, e->valueSpec, e->choices, e->label, e->controlType};
        };
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, kDescription + "HDR:A:\r\n" + (sub ? "top:0:0:\r\n" : "") + line + "\r\nEND:\r\n", hooks), 1);
        const Bytes before = fields(entryOf(model));
        entryOf(model)->SetValue(value);
        const QByteArray saved = ConfigWriter::FormatConfiguration(model, model.fileDevice, 0);
        QTEST(saved.split('\n').value(12 + sub).chopped(1), "written");
        QCOMPARE(ConfigWriter::UncarriedEntries(model).size(), uncarried ? 1 : 0);
        ConfigModel reopened;
        QCOMPARE(Read(reopened, saved, hooks), 1);
        QCOMPARE(fields(entryOf(reopened)), uncarried ? before : fields(entryOf(model)));
    }

    void proposedName()
    {
        const QList<QPair<QByteArray, QByteArray>> cases = {
            {"/data/Configurations/614.tpl", "614.csc"}, {"/a/615.tpl.old.tpl", "615.csc"},
            {"/home/t/site 4.csc", "site 4.csc"},        {"plain", "plain"},
            {"/data/Configurations/", ""}};
        for (const auto& c : cases) QCOMPARE(ConfigWriter::ProposedFileName(c.first).toLatin1(), c.second);
    }

    void writeConfiguration()
    {
        TestData data(false);
        ConfigModel model;
        RecordingHooks hooks;
        QCOMPARE(Read(model, Golden("writer-source.tpl"), hooks), 1);
        model.documentPath = QFile::encodeName(data.Configurations()) + "615.tpl";
        ConfigWriter::Target where;
        where.configurationsFolder = data.Configurations();
        where.temporaryFolder = data.Path(QStringLiteral("Temporary/"));
        where.slotCount = 2;

        // A cancelled dialog writes nothing and keeps the path.
        ScriptedPrompts prompts;
        const QByteArray before = model.documentPath;
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 0, prompts, where), QString());
        QCOMPARE(model.documentPath, before);
        const Prompts::FileChoice& choice = prompts.shown[0].file;
        QVERIFY(choice.save && choice.overwritePrompt && choice.hideReadOnly);
        QCOMPARE(choice.defaultName + choice.defaultExtension, QStringLiteral("615.csccsc"));
        QCOMPARE(choice.filter, QByteArray("Configuration Files (*.csc)|*.csc||"));
        QCOMPARE(choice.initialFolder, data.Configurations());

        const QString target = data.Configurations() + QStringLiteral("site.csc");
        prompts.files.push_back(target);
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 0, prompts, where), target);
        QCOMPARE(model.documentPath, QFile::encodeName(target));
        QCOMPARE(TestData::ReadAll(target), Golden("writer-expected.csc"));

        // Temporary mode asks nothing and keeps the path.
        const QString temp = where.temporaryFolder + QStringLiteral("temp.csc");
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 1, prompts, where), temp);
        QCOMPARE(prompts.shown.size(), size_t(2));
        QCOMPARE(model.documentPath, QFile::encodeName(target));
        QCOMPARE(TestData::ReadAll(temp), Golden("writer-expected.csc"));

        // A missing folder: nothing written, but the path is taken.
        const QString missing = data.Path(QStringLiteral("no such folder/site.csc"));
        prompts.files.push_back(missing);
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 0, prompts, where), QString());
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(model.documentPath, QFile::encodeName(missing));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
