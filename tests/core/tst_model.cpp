// SPDX-License-Identifier: MIT
#include <QtTest>

#include "model/ConfigModel.h"

namespace {

using Bytes = QList<QByteArray>;

ConfigEntry* AddEntry(ConfigModel& m, const QByteArray& line, int tab = 0)
{
    m.entries.push_back(std::make_unique<ConfigEntry>(line, "Setup", tab, nullptr));
    return m.entries.back().get();
}

ConfigEntry* AddSub(ConfigEntry* parent, const QByteArray& line)
{
    parent->subEntries.push_back(std::make_unique<ConfigEntry>(line, parent->sectionName, parent->tabIndex, parent));
    return parent->subEntries.back().get();
}

}  // namespace

class TestModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("fields");  // code|x|y|value|valueSpec|choices|label|controlType
        QTest::addColumn<int>("disabled");
        auto row = [](const char* name, const QByteArray& line, const QByteArray& fields, int disabled) {
            QTest::newRow(name) << line << fields << disabled;
        };
        row("escaped colon in the label", "GR:20:60:0:0,1:Off,On:Mode:::combo:", "GR|20|60|0|0,1|Off,On|Mode:|combo",
            1);
        row("later fields empty", "ab:1:2:", "ab|1|2|||||", 0);
        row("range entry", "CAP:20:60:100:1-500:1-500:Capacity:edit:", "CAP|20|60|100|1-500|1-500|Capacity|edit", 1);
        // An empty field between two others reads as an escaped colon.
        row("empty choices join valueSpec", "CAP:20:60:100:1-500::Capacity:edit:",
            "CAP|20|60|100|1-500:Capacity|edit||", 1);
        row("text after the eighth colon ignored", "zz:1:2:3:4:5:6:7:8:9:", "zz|1|2|3|4|5|6|7", 0);
        row("no final colon", "zz:1:2:3:4:5:6:edit", "zz|1|2|3|4|5|6|", 0);
        row("no colon at all", "abc", "|||||||", 1);
        row("escaped colon in the code", "a::b:1:2:", "a:b|1|2|||||", 0);
        row("three colons pair from the left", "x:1:2:v:::y:", "x|1|2|v:|y|||", 0);
        row("digit code is locked", "1st:0:0:", "1st|0|0|||||", 1);
        row("high byte counts as below a", "\xe9t:0:0:", "\xe9t|0|0|||||", 1);
        row("lower-case after a", "tare:0:0:", "tare|0|0|||||", 0);
    }
    void entryLine()
    {
        QFETCH(QByteArray, line);
        ConfigEntry e(line, "Calibration", 3, nullptr);
        QTEST(Bytes({e.code, e.x, e.y, e.value, e.valueSpec, e.choices, e.label, e.controlType}).join('|'), "fields");
        QTEST(e.disabled, "disabled");
        QCOMPARE(e.hidden + e.modified + e.hasValue, 0);
    }

    void formatLineRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("label with colon") << QByteArray("GR:20:60:0:0,1:Off,On:Mode:::combo:");
        QTest::newRow("colons in valueSpec and choices") << QByteArray("t:1:2:3:a::b:c::d:e::f:text:");
        QTest::newRow("range") << QByteArray("CAP:20:60:100:1-500:1-500:Capacity:edit:");
    }
    void formatLineRoundTrip()
    {
        QFETCH(QByteArray, line);
        ConfigEntry e(line, "S", 0, nullptr);
        e.line = "stale";
        const QByteArray formatted = e.FormatLine();
        QCOMPARE(formatted, line);
        QCOMPARE(e.line, line);
        ConfigEntry again(formatted, "S", 0, nullptr);
        QCOMPARE(again.label, e.label);
        QCOMPARE(again.valueSpec, e.valueSpec);
        QCOMPARE(again.choices, e.choices);
        QCOMPARE(again.controlType, e.controlType);
    }

    void setValue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("modified");
        QTest::addColumn<int>("hasValue");
        auto row = [](const char* name, QByteArray before, QByteArray text, QByteArray after, int modified, int has) {
            QTest::newRow(name) << before << text << after << modified << has;
        };
        row("empty text changes nothing", "5", "", "5", 0, 0);
        row("same text: value held, not modified", "5", "5", "5", 0, 1);
        row("new text", "5", "6", "6", 1, 1);
        row("exact comparison", "5", "5.0", "5.0", 1, 1);
        row("first value", "", "0", "0", 1, 1);
    }
    void setValue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, text);
        ConfigEntry e("ab:1:2:" + before + ":", "S", 0, nullptr);
        e.SetValue(text);
        QTEST(e.value, "after");
        QTEST(e.modified, "modified");
        QTEST(e.hasValue, "hasValue");
    }

    void lockedCodes_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<bool>("locked");
        QTest::newRow("upper case") << QByteArray("CAP") << true;
        QTest::newRow("digit") << QByteArray("9x") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("backquote, just below a") << QByteArray("`x") << true;
        QTest::newRow("a itself") << QByteArray("a") << false;
        QTest::newRow("lower case") << QByteArray("tare") << false;
        QTest::newRow("brace above z") << QByteArray("{x") << false;
        QTest::newRow("byte 0xE9 is negative") << QByteArray("\xe9") << true;
    }
    void lockedCodes()
    {
        QFETCH(QByteArray, code);
        QTEST(ConfigEntry::IsLockedCode(code), "locked");
    }

    void extraEntry_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("label");
        auto row = [](const char* name, QByteArray text, QByteArray code, QByteArray value, QByteArray label) {
            QTest::newRow(name) << text << code << value << label;
        };
        row("device line", "CAP:5000", "CAP", "5000", "");
        row("model information", "SOURCE:Device:Model information is from an attached device", "SOURCE", "Device",
            "Model information is from an attached device");
        row("label ends at its colon", "A:1:lab:more", "A", "1", "lab");
        row("trailing colon", "MOD:614:", "MOD", "614", "");
        row("no colon", "word", "word", "", "");
    }
    void extraEntry()
    {
        QFETCH(QByteArray, text);
        const auto e = ConfigEntry::MakeExtra(text, 140, 130, 4);
        QTEST(e->code, "code");
        QTEST(e->value, "value");
        QTEST(e->label, "label");
        QCOMPARE(e->x + ',' + e->y + ',' + e->controlType, QByteArray("140,130,edit"));
        QCOMPARE(e->tabIndex, 4);
        QCOMPARE(e->hasValue, 1);
        QCOMPARE(e->disabled + e->hidden + e->modified, 0);
        QVERIFY(e->valueSpec.isEmpty() && e->choices.isEmpty() && e->sectionName.isEmpty());
    }

    void extraEntryLayout()
    {
        ConfigModel m;
        m.extendedTab = 5;
        Bytes places;
        for (int i = 0; i < 6; ++i) {
            ConfigEntry* e = m.AddExtraEntry("X" + QByteArray::number(i) + ":1");
            QCOMPARE(e->disabled, 1);
            QCOMPARE(e->tabIndex, 5);
            places.append(e->x + ',' + e->y);
        }
        QCOMPARE(places, (Bytes{"20,60", "140,60", "260,60", "380,60", "20,130", "140,130"}));
        QCOMPARE(int(m.extraEntries.size()), 6);
    }

    void modelInfoLayout()
    {
        ConfigModel m;
        m.modelInfoTab = 2;
        ConfigEntry* a = m.AddModelInfoEntry("SOURCE:File:Model information is from a file");
        QVERIFY(!m.AddModelInfoEntry("FIELDS:GR1,TF2,"));
        ConfigEntry* b = m.AddModelInfoEntry("MOD:614");
        QCOMPARE(int(m.extraEntries.size()), 2);
        QCOMPARE(a->y, QByteArray("60"));
        QCOMPARE(b->x + ',' + b->y + ',' + b->controlType, QByteArray("20,120,large_edit"));
        QCOMPARE(b->tabIndex, 2);
        QCOMPARE(b->disabled, 0);
    }

    void indexAccessors()
    {
        ConfigModel m;
        ConfigEntry* top = AddEntry(m, "top:0:0:");
        ConfigEntry* sub = AddSub(top, "sub:0:0:");
        QCOMPARE(top->GetSubEntry(0), sub);
        QVERIFY(!top->GetSubEntry(1));
        QVERIFY(!top->GetSubEntry(-1));
        QVERIFY(!top->GetControl(0));
        QCOMPARE(ConfigEntry("v:0:0:12.5abc:", "S", 0, nullptr).ValueAsFloat(), 12.5f);
        QCOMPARE(ConfigEntry("v:0:0:abc:", "S", 0, nullptr).ValueAsFloat(), 0.0f);
    }

    void matchDeviceLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QByteArray>("capValue");
        QTest::addColumn<QByteArray>("subValue");
        auto row = [](const char* name, QByteArray line, bool taken, QByteArray cap, QByteArray sub) {
            QTest::newRow(name) << line << taken << cap << sub;
        };
        row("exact code", "CAP:5000", true, "5000", "1");
        row("lower-case line", "cap:6000", true, "6000", "1");
        row("value ends at a colon", "CAP:7:junk", true, "7", "1");
        row("no value", "CAP:", false, "100", "1");
        row("no colon", "CAP", false, "100", "1");
        row("one character value", "CAP:9", true, "9", "1");
        row("empty value after two colons is taken, nothing stored", "CAP::", true, "100", "1");
        row("sub-entry", "hold:0", true, "100", "0");
        row("unknown code", "XYZ:1", false, "100", "1");
        row("code prefix only", "CA:1", false, "100", "1");
    }
    void matchDeviceLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, taken);
        ConfigModel m;
        ConfigEntry* cap = AddEntry(m, "CAP:20:60:100:1-99999::Capacity:edit:");
        ConfigEntry* mode = AddEntry(m, "md:20:60:0:0,1:Off,On:Mode:combo:");
        ConfigEntry* hold = AddSub(mode, "hold:20:60:1:0,1:No,Yes:Hold:combo:");
        QCOMPARE(m.MatchDeviceLine(m.entries, line), taken);
        QTEST(cap->value, "capValue");
        QTEST(hold->value, "subValue");
        QCOMPARE(mode->value, QByteArray("0"));
        QVERIFY(m.extraEntries.empty());

        ConfigModel empty;
        QVERIFY(empty.MatchDeviceLine(empty.entries, line));
        QVERIFY(empty.extraEntries.empty());
    }

    void matchLockRule_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("identified");
        QTest::addColumn<int>("unlocked");
        QTest::addColumn<int>("disabled");
        // The entry starts enabled (0); a lower-case line never touches the flag.
        QTest::newRow("upper, plain") << QByteArray("CAP:5000") << 0 << 0 << 1;
        QTest::newRow("upper, identified only") << QByteArray("CAP:5000") << 1 << 0 << 1;
        QTest::newRow("upper, unlocked only") << QByteArray("CAP:5000") << 0 << 1 << 1;
        QTest::newRow("upper, identified and unlocked") << QByteArray("CAP:5000") << 1 << 1 << 0;
        QTest::newRow("lower, locked indicator") << QByteArray("cap:5000") << 0 << 0 << 0;
        QTest::newRow("upper line not taken still locks") << QByteArray("CAP:") << 0 << 0 << 1;
    }
    void matchLockRule()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, identified);
        QFETCH(int, unlocked);
        QFETCH(int, disabled);
        ConfigModel m;
        m.attachedDevice.identified = identified;
        m.attachedDevice.unlocked = unlocked;
        ConfigEntry* cap = AddEntry(m, "CAP:20:60:100:1-99999::Capacity:edit:");
        cap->disabled = 0;
        m.MatchDeviceLine(m.entries, line);
        QCOMPARE(cap->disabled, disabled);

        // From the locked state an allowed upper-case line unlocks it again.
        cap->disabled = 1;
        m.MatchDeviceLine(m.entries, line);
        QCOMPARE(cap->disabled, line.startsWith("cap") ? 1 : disabled);
    }

    void lastEntryWinsButFindReturnsFirst()
    {
        ConfigModel m;
        ConfigEntry* first = AddEntry(m, "dup:0:0:1:");
        AddEntry(m, "other:0:0:1:");
        ConfigEntry* second = AddEntry(m, "dup:0:0:1:");
        QVERIFY(m.MatchDeviceLine(m.entries, "dup:2"));
        QCOMPARE(first->value, QByteArray("1"));
        QCOMPARE(second->value, QByteArray("2"));
        QCOMPARE(second->modified, 1);
        QCOMPARE(ConfigModel::FindEntryByCode(m.entries, "dup"), first);
    }

    void findByCodeVersusTopLevel()
    {
        ConfigModel m;
        ConfigEntry* a = AddEntry(m, "a:0:0:");
        ConfigEntry* sub = AddSub(a, "s:0:0:");
        ConfigEntry* b = AddEntry(m, "s:0:0:");
        QCOMPARE(ConfigModel::FindEntryByCode(m.entries, "s"), sub);
        QCOMPARE(ConfigModel::FindTopLevelEntry(m.entries, "s"), b);
        QCOMPARE(ConfigModel::FindTopLevelEntry(m.entries, "a"), a);
        QVERIFY(!ConfigModel::FindEntryByCode(m.entries, "S"));
        QVERIFY(!ConfigModel::FindEntryByCode(m.entries, ""));
        m.entries.pop_back();
        QVERIFY(!ConfigModel::FindTopLevelEntry(m.entries, "s"));
    }

    void markReceived_data()
    {
        QTest::addColumn<int>("unlocked");
        QTest::addColumn<int>("upperDisabled");
        QTest::newRow("locked indicator") << 0 << 1;
        QTest::newRow("unlocked") << 1 << 0;
    }
    void markReceived()
    {
        QFETCH(int, unlocked);
        QFETCH(int, upperDisabled);
        ConfigModel m;
        m.attachedDevice.unlocked = unlocked;
        ConfigEntry* upper = AddEntry(m, "CAP:0:0:");
        ConfigEntry* lower = AddEntry(m, "tare:0:0:");
        lower->disabled = 1;
        ConfigEntry* sub = AddSub(lower, "DP:0:0:");
        m.MarkReceived(m.entries);
        QCOMPARE(upper->disabled, upperDisabled);
        QCOMPARE(sub->disabled, upperDisabled);
        QCOMPARE(lower->disabled, 0);
        QCOMPARE(upper->hasValue + lower->hasValue + sub->hasValue, 3);
    }

    void modifiedThroughSubEntries()
    {
        ConfigModel m;
        AddEntry(m, "a:0:0:1:");
        ConfigEntry* b = AddEntry(m, "b:0:0:1:");
        ConfigEntry* sub = AddSub(b, "c:0:0:1:");
        QVERIFY(!ConfigModel::IsDocumentModified(m.entries));
        sub->SetValue("2");
        QVERIFY(b->IsModified());
        QVERIFY(ConfigModel::IsDocumentModified(m.entries));
        ConfigModel::ClearModified(m.entries);
        QCOMPARE(sub->modified, 0);
        QVERIFY(!ConfigModel::IsDocumentModified(m.entries));
        QCOMPARE(sub->hasValue, 1);
    }

    void addTab_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("image");
        QTest::addColumn<QByteArray>("special");  // which special tab got index 0
        QTest::addColumn<int>("ticketCapable");
        auto row = [](const char* header, const char* model, QByteArray name, int image, QByteArray special,
                      int ticket) {
            QTest::addRow("%s %s", header, model) << QByteArray(header) << QByteArray(model) << name << image << special
                                                  << ticket;
        };
        row("HDR:Main Setup:", "MOD:614", "Main Setup", 0, "", 0);
        row("HDR:Calibration:", "", "Calibration", 1, "", 0);
        row("HDR:Calibration 2:", "", "Calibration 2", 9, "", 0);  // the name must match exactly
        row("HDR:Digital:", "", "Digital", 2, "", 0);
        row("HDR:Printing:", "MOD:958", "Printing", 3, "print", 1);
        row("HDR:Printing:", "MOD:637", "Printing", 3, "print", 1);
        row("HDR:Printing:", "MOD:614", "Printing", 3, "print", 0);
        row("HDR:Print Tabs:", "MOD:615", "Print Tabs", 3, "print", 1);
        row("HDR:External Ticket:", "", "External Ticket", 3, "", 1);
        row("HDR:Printer Setup:", "", "Printer Setup", 0, "print", 0);  // a setup tab too
        row("HDR:Serial Ports:", "", "Serial Ports", 4, "", 0);
        row("HDR:Model Info:", "MOD:614", "Model Info", 5, "info", 1);
        row("HDR:Model Info:", "MOD:615", "Model Info", 5, "info", 0);
        row("HDR:Extended:", "", "Extended", 6, "extended", 0);
        row("HDR:Analog:", "", "Analog", 7, "", 0);
        row("HDR:Variables:", "", "Variables", 8, "", 0);
        row("HDR:Misc:", "", "Misc", 9, "", 0);
        row("HDR::", "", "", 9, "", 0);
        row("HDR:Analog", "", "Analog", 7, "", 0);  // no closing colon
    }
    void addTab()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, special);
        ConfigModel m;
        m.fileDevice.modelLine = model;
        QCOMPARE(m.AddTab(header), 0);
        QCOMPARE(m.tabCount, 1);
        QCOMPARE(int(m.tabs.size()), 1);
        QCOMPARE(m.tabs[0].name, name);
        QTEST(m.tabs[0].image, "image");
        QCOMPARE(m.currentSectionName, name);
        QCOMPARE(m.printTab, special == "print" ? 0 : -1);
        QCOMPARE(m.modelInfoTab, special == "info" ? 0 : -1);
        QCOMPARE(m.extendedTab, special == "extended" ? 0 : -1);
        QTEST(m.ticketCapable, "ticketCapable");
    }

    void addTabBookkeeping()
    {
        ConfigModel m;
        QCOMPARE(m.AddTab("no colon"), -1);
        QCOMPARE(m.tabCount, 0);
        QCOMPARE(m.AddTab("HDR:Setup:"), 0);
        QCOMPARE(m.AddTab("HDR:Setup:"), 1);
        QCOMPARE(m.AddTab("HDR:" + QByteArray(300, 'n') + ":"), 2);
        QCOMPARE(m.tabs[2].name.size(), 255);
        QCOMPARE(m.tabs[1].name, QByteArray("Setup"));
        m.DeleteTab(0);
        QCOMPARE(int(m.tabs.size()), 2);
        m.DeleteTab(7);
        QCOMPARE(int(m.tabs.size()), 2);
        QCOMPARE(m.tabCount, 3);
    }

    void resetKeepsWhatSurvives()
    {
        ConfigModel m;
        m.fileDevice.modelLine = "MOD:958";
        m.revisionCatalogue.push_back(CRevItem{614.0f, 1.05f, "614x.tpl"});
        m.documentPath = "/x/614.tpl";
        m.displayDecimals = 3;
        m.capacityLimit = 50;
        m.capacityCode = "CAP";
        m.AddTab("HDR:Printing:");
        m.AddTab("HDR:Extended:");
        ConfigEntry* e = AddEntry(m, "CAP:0:0:");
        m.capacityEntry = m.tareEntry = m.intervalEntry = m.decimalPointEntry = e;
        m.interlocks.emplace_back("ENABLE:CAP:CAP:1", kEnable, m.entries);
        m.events.emplace_back("FIRE:X:CAP:", m.entries);
        m.AddExtraEntry("A:1");
        m.AddModelInfoEntry("B:2");
        m.skipKeyLockDialog = 0;
        m.currentTabIndex = 1;

        m.Reset();
        QVERIFY(m.entries.empty() && m.extraEntries.empty() && m.interlocks.empty() && m.events.empty());
        QVERIFY(m.tabs.empty());
        QVERIFY(!m.capacityEntry && !m.tareEntry && !m.intervalEntry && !m.decimalPointEntry);
        QCOMPARE(m.tabCount + m.currentTabIndex + m.ticketCapable, 0);
        QCOMPARE(QList<int>({m.printTab, m.extendedTab, m.modelInfoTab}), QList<int>({-1, -1, -1}));
        QVERIFY(m.currentSectionName.isEmpty());
        QCOMPARE(m.extraX + m.infoX, 40);
        QCOMPARE(m.extraY + m.infoY, 120);
        QCOMPARE(m.skipKeyLockDialog, 1);
        // What outlives a document.
        QCOMPARE(int(m.revisionCatalogue.size()), 1);
        QCOMPARE(m.documentPath, QByteArray("/x/614.tpl"));
        QCOMPARE(int(m.displayDecimals), 3);
        QCOMPARE(m.capacityLimit, 50);
        QCOMPARE(m.capacityCode, QByteArray("CAP"));
        QCOMPARE(m.fileDevice.modelLine, QByteArray("MOD:958"));
    }

    void checkIdentity_data()
    {
        QTest::addColumn<QByteArray>("mfg");
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("revision");
        QTest::addColumn<QByteArray>("protocol");
        QTest::addColumn<int>("identified");
        const char* maker = "MFG:Tervolin Scale Mfg";
        auto row = [](const char* name, QByteArray mfg, QByteArray model, QByteArray revision, QByteArray protocol,
                      int identified) { QTest::newRow(name) << mfg << model << revision << protocol << identified; };
        row("complete", maker, "MOD:614", "REV:1.05", "SMA:2/1.0", 1);
        row("other maker", "MFG:Other Scales", "MOD:614", "REV:1.05", "SMA:2/1.0", 0);
        row("maker without MFG:", "Tervolin Scale Mfg", "MOD:614", "REV:1.05", "SMA:2/1.0", 0);
        row("maker in other case", "MFG:TERVOLIN SCALE MFG", "MOD:614", "REV:1.05", "SMA:2/1.0", 0);
        row("no model", maker, "614", "REV:1.05", "SMA:2/1.0", 0);
        row("no revision", maker, "MOD:614", "1.05", "SMA:2/1.0", 0);
        row("no protocol", maker, "MOD:614", "REV:1.05", "", 0);
        row("tags anywhere in the line", "x MFG:Tervolin Scale Mfg", "?MOD:", "-REV:", "SMA:", 1);
    }
    void checkIdentity()
    {
        QFETCH(QByteArray, mfg);
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, revision);
        QFETCH(QByteArray, protocol);
        QFETCH(int, identified);
        CDevice d;
        d.identified = 1 - identified;  // the check always starts from 0
        d.mfgLine = mfg;
        d.modelLine = model;
        d.revisionLine = revision;
        d.protocolLine = protocol;
        d.CheckIdentity();
        QCOMPARE(d.identified, identified);
    }

    void sameDevice_data()
    {
        QTest::addColumn<QByteArray>("modelB");
        QTest::addColumn<QByteArray>("revisionB");
        QTest::addColumn<QByteArray>("mfgB");
        QTest::addColumn<bool>("same");
        const char* maker = "MFG:Tervolin Scale Mfg";
        auto row = [](const char* name, QByteArray model, QByteArray revision, QByteArray mfg, bool same) {
            QTest::newRow(name) << model << revision << mfg << same;
        };
        row("identical", "MOD:614", "REV:1.05", maker, true);
        row("only the last three revision characters count", "MOD:614", "XX 2.05", maker, true);
        row("other revision", "MOD:614", "REV:1.06", maker, false);
        row("other model", "MOD:615", "REV:1.05", maker, false);
        row("other maker line", "MOD:614", "REV:1.05", "MFG:Tervolin Scale Mfg ", false);
    }
    void sameDevice()
    {
        QFETCH(QByteArray, modelB);
        QFETCH(QByteArray, revisionB);
        QFETCH(QByteArray, mfgB);
        QFETCH(bool, same);
        CDevice a;
        a.mfgLine = "MFG:Tervolin Scale Mfg";
        a.modelLine = "MOD:614";
        a.revisionLine = "REV:1.05";
        a.protocolLine = "SMA:2/1.0";
        CDevice b = a;
        b.modelLine = modelB;
        b.revisionLine = revisionB;
        b.mfgLine = mfgB;
        b.fieldsLine = "FIELDS:other";
        QCOMPARE(a.SameDevice(b), same);
        QCOMPARE(b.SameDevice(a), same);
        QCOMPARE(a.ModelText(), QByteArray("614"));
        QCOMPARE(a.VersionText(), QByteArray(".05"));
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
