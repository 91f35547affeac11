// SPDX-License-Identifier: MIT
// The configuration writer: the exact file layout, the proposed name, the save dialog's
// options, temporary mode, unwritable targets, and what reading the result back gives.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "ScriptedPrompts.h"
#include "TestData.h"
#include "model/ConfigModel.h"
#include "model/ConfigReader.h"
#include "model/ConfigWriter.h"

namespace {

class QuietHooks : public ReaderHooks {
public:
    void Log(const QByteArray&, int) override {}
    bool Exchange(const QByteArray&, QByteArray&) override { return false; }
    void ConfigurationMismatch() override {}
    void SetTicketCount(int count) override { ticketCount = count; }
    void LoadTicketData(QIODevice& stream) override { stream.readAll(); }
    int ticketCount = -1;
};

int Read(ConfigModel& model, const QByteArray& bytes, int* ticketCount = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QuietHooks hooks;
    const int result = ConfigReader::ReadConfiguration(model, &buffer, 1, hooks);
    if (ticketCount) *ticketCount = hooks.ticketCount;
    return result;
}

QByteArray Crlf(const char* text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

const QByteArray kSource = Crlf(
    "MFG:Tervolin Scale Mfg\n"
    "MOD:615\n"
    "REV:1.4\n"
    "SMA:2/1.0\n"
    "FIELDS:GR1,\n"
    "HDR:Setup:\n"
    "unt:20:60:0:0,1:lb,kg:Unit:combo:\n"
    "bdr:160:60:3:0,1:1200,9600:Baud::rate:combo:\n"
    "->:par:160:120:0:0,1:None,Odd:Parity:combo:\n"
    "HDR:Calibration:\n"
    "CAP:20:60:5000:1-999999:1-999999:Capacity:edit:\n"
    "blt:160:60:5:0-9:0-9:Backlight:slider:\n"
    "HDR:Setup:\n"
    "tare:20:60:0:0-CAP:0-CAP:Tare:edit:\n"
    "END:\n"
    "ASSIGN:TAREWEIGHT:tare:\n"
    "ASSIGN:CAPACITY:CAP:\n"
    "END:\n"
    "ENABLE:par:bdr:1:\n"
    "VERIFY:tare:CAP:\n"
    "END:\n"
    "FIRE:CAPACITY_CHANGED:CAP:\n"
    "FIRE:MISSPELT:zz:\n"
    "END:\n"
    "Slot:1:\n"
    "END:\n");

// What the writer makes of kSource read with no indicator, with two slots.
const QByteArray kExpected = Crlf(
    "//\n"
    "//********** Target device description **********\n"
    "//\n"
    "MFG:Tervolin Scale Mfg\n"
    "MOD:615\n"
    "REV:1.4\n"
    "SMA:2/1.0\n"
    "FIELDS:GR1,\n"
    "//\n"
    "//********** Configuration entries **********\n"
    "//\n"
    "HDR:Setup:\n"
    "unt:20:60:0:0,1:lb,kg:Unit:combo:\n"
    "bdr:160:60:3:0,1:1200,9600:Baud::rate:combo:\n"
    "->:par:160:120:0:0,1:None,Odd:Parity:combo:\n"
    "HDR:Calibration:\n"
    "CAP:20:60:5000:1-999999:1-999999:Capacity:edit:\n"
    "blt:160:60:5:0-9:0-9:Backlight:slider:\n"
    "HDR:Setup:\n"
    "tare:20:60:0:0-CAP:0-CAP:Tare:edit:\n"
    "HDR:Printing:\n"
    "HDR:Model Info:\n"
    "HDR:Extended:\n"
    "END:\n"
    "//\n"
    "//********** Variable Assignments **********\n"
    "//\n"
    "ASSIGN:CAPACITY:CAP\n"
    "ASSIGN:TAREWEIGHT:tare\n"
    "END:\n"
    "//\n"
    "//********** Configuration interlocks follow **********\n"
    "//\n"
    "ENABLE:par:bdr:1:\n"
    "VERIFY:tare:CAP:\n"
    "END:\n"
    "//\n"
    "//********** Event Triggers **********\n"
    "//\n"
    "FIRE:CAPACITY_CHANGED:CAP:\n"
    "FIRE:MISSPELT:zz:\n"
    "END:\n"
    "//\n"
    "//********** Set Number of Slots **********\n"
    "//\n"
    "Slot:1:\n"
    "Slot:2:\n"
    "END:\n");

QList<QByteArray> EntryLines(ConfigModel& model)
{
    QList<QByteArray> out;
    for (auto& e : model.entries) {
        out.append(e->sectionName + '|' + e->FormatLine());
        for (auto& s : e->subEntries) out.append("  " + s->FormatLine());
    }
    return out;
}

}  // namespace

class TestWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layout()
    {
        ConfigModel model;
        QCOMPARE(Read(model, kSource), 1);
        QCOMPARE(ConfigWriter::FormatConfiguration(model, model.fileDevice, 2), kExpected);
        // The formatted text is also the entry's line now.
        QCOMPARE(model.entries[1]->line, QByteArray("bdr:160:60:3:0,1:1200,9600:Baud::rate:combo:"));
    }

    void emptyModel()
    {
        ConfigModel model;
        const QByteArray out = ConfigWriter::FormatConfiguration(model, CDevice(), 0);
        const QByteArray expected = Crlf(
            "//\n//********** Target device description **********\n//\n"
            "\n\n\n\n\n"
            "//\n//********** Configuration entries **********\n//\n"
            "HDR:Printing:\nHDR:Model Info:\nHDR:Extended:\nEND:\n"
            "//\n//********** Variable Assignments **********\n//\nEND:\n"
            "//\n//********** Configuration interlocks follow **********\n//\nEND:\n"
            "//\n//********** Event Triggers **********\n//\nEND:\n"
            "//\n//********** Set Number of Slots **********\n//\nEND:\n");
        QCOMPARE(out, expected);
    }

    void entriesBeforeAnyHeader()
    {
        ConfigModel model;
        const QByteArray source = Crlf("MFG:x\nMOD:1\nREV:1.0\nSMA:\nFIELDS:\nab:1:2:3:4:5:6:edit:\nEND:\n");
        QCOMPARE(Read(model, source), 1);
        const QByteArray out = ConfigWriter::FormatConfiguration(model, model.fileDevice, 0);
        QVERIFY(out.contains("//\r\nHDR::\r\nab:1:2:3:4:5:6:edit:\r\nHDR:Printing:\r\n"));
    }

    void proposedName_data()
    {
        QTest::addColumn<QByteArray>("documentPath");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("template in a folder") << QByteArray("/data/Configurations/614.tpl") << "614.csc";
        QTest::newRow("bare template name") << QByteArray("614x.tpl") << QStringLiteral("614x.csc");
        QTest::newRow("cut at the first .tpl") << QByteArray("/a/615.tpl.old.tpl") << QStringLiteral("615.csc");
        QTest::newRow("configuration kept") << QByteArray("/home/t/site 4.csc") << QStringLiteral("site 4.csc");
        QTest::newRow("no extension") << QByteArray("plain") << QStringLiteral("plain");
        QTest::newRow("a folder") << QByteArray("/data/Configurations/") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void proposedName()
    {
        QFETCH(QByteArray, documentPath);
        QTEST(ConfigWriter::ProposedFileName(documentPath), "proposed");
    }

    void saveThroughDialog()
    {
        TestData data(false);
        ConfigModel model;
        QCOMPARE(Read(model, kSource), 1);
        model.documentPath = QFile::encodeName(data.Configurations()) + "615.tpl";

        ScriptedPrompts prompts;
        const QString target = data.Configurations() + QStringLiteral("site.csc");
        prompts.files.push_back(target);
        ConfigWriter::Target where;
        where.configurationsFolder = data.Configurations();
        where.temporaryFolder = data.Path(QStringLiteral("Temporary/"));
        where.slotCount = 2;
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 0, prompts, where), target);

        QCOMPARE(prompts.shown.size(), size_t(1));
        const Prompts::FileChoice& choice = prompts.shown[0].file;
        QVERIFY(choice.save);
        QCOMPARE(choice.defaultName, QStringLiteral("615.csc"));
        QCOMPARE(choice.defaultExtension, QStringLiteral("csc"));
        QCOMPARE(choice.filter, QByteArray("Configuration Files (*.csc)|*.csc||"));
        QCOMPARE(choice.initialFolder, data.Configurations());
        QVERIFY(choice.overwritePrompt);
        QVERIFY(choice.hideReadOnly);

        QCOMPARE(model.documentPath, QFile::encodeName(target));
        QCOMPARE(TestData::ReadAll(target), kExpected);
    }

    void cancelledDialog()
    {
        ConfigModel model;
        model.documentPath = "/data/614.tpl";
        ScriptedPrompts prompts;
        QCOMPARE(ConfigWriter::WriteConfiguration(model, CDevice(), 0, prompts, ConfigWriter::Target()), QString());
        QCOMPARE(prompts.CountOf("file"), 1);
        QCOMPARE(model.documentPath, QByteArray("/data/614.tpl"));
    }

    void temporaryMode()
    {
        TestData data(false);
        ConfigModel model;
        QCOMPARE(Read(model, kSource), 1);
        model.documentPath = "/elsewhere/615.tpl";
        ScriptedPrompts prompts;
        ConfigWriter::Target where;
        where.temporaryFolder = data.Path(QStringLiteral("Temporary/"));
        where.slotCount = 2;
        const QString expected = where.temporaryFolder + QStringLiteral("temp.csc");
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 1, prompts, where), expected);
        QVERIFY(prompts.shown.empty());
        QCOMPARE(model.documentPath, QByteArray("/elsewhere/615.tpl"));
        QCOMPARE(TestData::ReadAll(expected), kExpected);
    }

    void unwritableTarget()
    {
        TestData data(false);
        ConfigModel model;
        QCOMPARE(Read(model, kSource), 1);

        // A folder that does not exist: nothing is written, nothing reported, but the path is taken.
        ScriptedPrompts prompts;
        const QString missing = data.Path(QStringLiteral("no such folder/site.csc"));
        prompts.files.push_back(missing);
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 0, prompts, {}), QString());
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(model.documentPath, QFile::encodeName(missing));

        // A target that is a folder: the folder stays what it was.
        const QString folder = data.Path(QStringLiteral("Temporary/temp.csc"));
        QDir().mkpath(folder);
        ConfigWriter::Target where;
        where.temporaryFolder = data.Path(QStringLiteral("Temporary/"));
        QCOMPARE(ConfigWriter::WriteConfiguration(model, model.fileDevice, 1, prompts, where), QString());
        QVERIFY(QFileInfo(folder).isDir());
    }

    void readBackGivesTheSameModel()
    {
        ConfigModel first;
        QCOMPARE(Read(first, kSource), 1);
        const QByteArray written = ConfigWriter::FormatConfiguration(first, first.fileDevice, 2);

        ConfigModel second;
        int ticketCount = -1;
        QCOMPARE(Read(second, written, &ticketCount), 1);
        QCOMPARE(EntryLines(second), EntryLines(first));
        QCOMPARE(ticketCount, 2);
        QCOMPARE(second.capacityEntry->code, QByteArray("CAP"));
        QCOMPARE(second.tareEntry->code, QByteArray("tare"));
        QVERIFY(!second.intervalEntry);
        QCOMPARE(second.interlocks.size(), first.interlocks.size());
        QCOMPARE(second.events.size(), size_t(2));
        QCOMPARE(second.events[1].sourceLine, QByteArray("FIRE:MISSPELT:zz:"));
        QCOMPARE(second.entries[1]->label, QByteArray("Baud:rate"));
        // The repeated section comes back on a tab of its own; the three pages are always there.
        QList<QByteArray> tabs;
        for (const TabItem& t : second.tabs) tabs.append(t.name);
        QCOMPARE(tabs, (QList<QByteArray>{"Setup", "Calibration", "Setup", "Printing", "Model Info"}));
        QCOMPARE(second.entries[4]->tabIndex, 2);

        // Writing what was read back gives the same bytes.
        QCOMPARE(ConfigWriter::FormatConfiguration(second, second.fileDevice, 2), written);
    }
};

QTEST_GUILESS_MAIN(TestWriter)
#include "tst_writer.moc"
