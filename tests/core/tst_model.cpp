// SPDX-License-Identifier: MIT
// The configuration model without pages: entry lines, device lines, tabs, identity, the rule
// and event records, and how shown text becomes a stored value and back.
#include <QtTest>

#include "model/CCEvent.h"
#include "model/CInterlock.h"
#include "model/ConfigModel.h"
#include "model/EntryValues.h"

namespace {

using Bytes = QList<QByteArray>;

ConfigEntry* AddEntry(ConfigModel& m, const QByteArray& line, int tab = 0)
{
    m.entries.push_back(std::make_unique<ConfigEntry>(line, "Setup", tab, nullptr));
    m.entries.back()->hasValue = 1;
    return m.entries.back().get();
}

ConfigEntry* AddSub(ConfigEntry* parent, const QByteArray& line)
{
    parent->subEntries.push_back(std::make_unique<ConfigEntry>(line, parent->sectionName, parent->tabIndex, parent));
    return parent->subEntries.back().get();
}

EntryControl* AddControl(ConfigEntry& e, ControlKind kind, const QByteArray& text = QByteArray())
{
    ControlSpec s;
    s.kind = kind;
    s.entry = kind == ControlKind::Caption ? nullptr : &e;
    s.text = text;
    s.id = kind == ControlKind::Caption ? kNoControlId : 3000;
    e.controls.push_back(std::make_unique<PlainEntryControl>(s));
    e.controls.back()->SetVisible(true);
    return e.controls.back().get();
}

// A caption and the entry's box (its value shown) or list (its choices, its value selected).
void GiveControls(ConfigEntry& e)
{
    AddControl(e, ControlKind::Caption, e.code);
    if (e.controlType != "combo") {
        AddControl(e, ControlKind::Edit, e.value);
        return;
    }
    EntryControl* list = AddControl(e, ControlKind::Combo);
    for (const QByteArray& c : e.choices.split(',')) list->AddItem(c);
    list->SetCurrentIndex(int(e.valueSpec.split(',').indexOf(e.value)));
}

// The display settings as the capacity event leaves them: capacity code CAP, limit 5000.
void SetDisplay(ConfigModel& m, int decimals)
{
    m.capacityCode = "CAP";
    m.capacityLimit = 5000;
    m.displayDecimals = int8_t(decimals);
}

// What a rule's target looks like: caption and control 1 enabled (C, E), control 1 writable
// (W) and visible (V), lower case when not; "hidden" and the value.
QByteArray State(const ConfigEntry* e)
{
    const EntryControl* caption = e->GetControl(0);
    const EntryControl* c = e->GetControl(1);
    QByteArray s = e->code + ' ';
    s += caption->IsEnabled() ? 'C' : 'c';
    s += c->IsEnabled() ? 'E' : 'e';
    s += c->IsWritable() ? 'W' : 'w';
    s += c->IsVisible() ? 'V' : 'v';
    return s + (e->hidden ? " hidden=" : " =") + e->value;
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
        QTest::addColumn<QByteArray>("formatted");
        auto row = [](const char* name, QByteArray line, QByteArray fields, int disabled, QByteArray formatted = {}) {
            QTest::newRow(name) << line << fields << disabled << (formatted.isEmpty() ? line : formatted);
        };
        row("escaped colon in the label", "GR:20:60:0:0,1:Off,On:Mode:::combo:", "GR|20|60|0|0,1|Off,On|Mode:|combo",
            1);
        row("colons in valueSpec and choices", "t:1:2:3:a::b:c::d:e::f:text:", "t|1|2|3|a:b|c:d|e:f|text", 0);
        row("later fields empty", "ab:1:2:", "ab|1|2|||||", 0, "ab:1:2::::::");
        // An empty field between two others reads as an escaped colon.
        row("empty choices join valueSpec", "CAP:2:6:100:1-500::Cap:edit:", "CAP|2|6|100|1-500:Cap|edit||", 1,
            "CAP:2:6:100:1-500::Cap:edit:::");
        row("text after the eighth colon ignored", "zz:1:2:3:4:5:6:7:8:9:", "zz|1|2|3|4|5|6|7", 0, "zz:1:2:3:4:5:6:7:");
        row("no colon at all", "abc", "|||||||", 1, "::::::::");
        row("escaped colon in the code", "a::b:1:2:", "a:b|1|2|||||", 0, "a:b:1:2::::::");
        row("digit code is locked", "1st:0:0:", "1st|0|0|||||", 1, "1st:0:0::::::");
        row("high byte counts as below a", "\xe9t:0:0:", "\xe9t|0|0|||||", 1, "\xe9t:0:0::::::");
    }
    void entryLine()
    {
        QFETCH(QByteArray, line);
        ConfigEntry e(line, "Calibration", 3, nullptr);
        QTEST(Bytes({e.code, e.x, e.y, e.value, e.valueSpec, e.choices, e.label, e.controlType}).join('|'), "fields");
        QTEST(e.disabled, "disabled");
        QCOMPARE(e.hidden + e.modified + e.hasValue, 0);
        QTEST(e.FormatLine(), "formatted");
    }

    void modifiedThroughSubEntries()
    {
        ConfigModel m;
        AddEntry(m, "a:0:0:1:");
        ConfigEntry* sub = AddSub(AddEntry(m, "b:0:0:1:"), "c:0:0:1:");
        // Only a different text is a change; an empty one is no value at all.
        for (const char* same : {"1", ""}) sub->SetValue(same);
        QVERIFY(!ConfigModel::IsDocumentModified(m.entries));
        sub->SetValue("1.0");
        QVERIFY(ConfigModel::IsDocumentModified(m.entries));
        ConfigModel::ClearModified(m.entries);
        QVERIFY(!ConfigModel::IsDocumentModified(m.entries));
    }

    void matchDeviceLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QByteArray>("values");  // CAP and its sub-entry hold
        QTest::addColumn<int>("identifiedUnlocked");
        QTest::addColumn<int>("disabled");  // CAP's lock afterwards, from unlocked
        auto row = [](const char* name, QByteArray line, bool taken, QByteArray values, int both = 0,
                      int disabled = 1) { QTest::newRow(name) << line << taken << values << both << disabled; };
        row("exact code", "CAP:5000", true, "5000 1");
        row("lower-case line never locks", "cap:6000", true, "6000 1", 0, 0);
        row("identified and unlocked indicator", "CAP:6000", true, "6000 1", 1, 0);
        row("value ends at a colon", "CAP:7:junk", true, "7 1");
        row("no value, still locks", "CAP:", false, "100 1");
        row("no colon", "CAP", false, "100 1");
        row("empty value after two colons is taken, nothing stored", "CAP::", true, "100 1");
        row("sub-entry", "hold:0", true, "100 0", 0, 0);
        row("unknown code", "XYZ:1", false, "100 1", 0, 0);
        row("code prefix only", "CA:1", false, "100 1", 0, 0);
    }
    void matchDeviceLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, identifiedUnlocked);
        ConfigModel m;
        m.attachedDevice.identified = m.attachedDevice.unlocked = identifiedUnlocked;
        ConfigEntry* cap = AddEntry(m, "CAP:20:60:100:1-99999::Capacity:edit:");
        ConfigEntry* hold = AddSub(AddEntry(m, "md:2:6:0:0,1:Off,On:Mode:combo:"), "hold:2:6:1:0,1:No,Yes:H:combo:");
        cap->disabled = 0;
        QTEST(m.MatchDeviceLine(m.entries, line), "taken");
        QTEST(cap->value + ' ' + hold->value, "values");
        QTEST(cap->disabled, "disabled");
        QVERIFY(m.extraEntries.empty());
        ConfigModel empty;
        QVERIFY(empty.MatchDeviceLine(empty.entries, line));
    }

    void lastEntryWinsButFindReturnsFirst()
    {
        ConfigModel m;
        ConfigEntry* first = AddEntry(m, "dup:0:0:1:");
        ConfigEntry* sub = AddSub(first, "s:0:0:");
        ConfigEntry* second = AddEntry(m, "dup:0:0:1:");
        ConfigEntry* topS = AddEntry(m, "s:0:0:");
        QVERIFY(m.MatchDeviceLine(m.entries, "dup:2"));
        QCOMPARE(first->value + second->value, QByteArray("12"));
        QCOMPARE(ConfigModel::FindEntryByCode(m.entries, "dup"), first);
        QVERIFY(ConfigModel::FindEntryByCode(m.entries, "s") == sub);
        QVERIFY(ConfigModel::FindTopLevelEntry(m.entries, "s") == topS);
        QVERIFY(!ConfigModel::FindEntryByCode(m.entries, "S"));
    }

    void extraEntries()
    {
        ConfigModel m;
        m.extendedTab = 5;
        Bytes got;
        for (const char* line : {"X0:1", "A:1:lab:more", "MOD:614:", "word", "X4:1", "X5:1"}) {
            const ConfigEntry* e = m.AddExtraEntry(line);
            got.append(e->code + '|' + e->value + '|' + e->label + '@' + e->x + ',' + e->y);
            QCOMPARE(e->disabled + e->hasValue + e->tabIndex, 7);
        }
        QCOMPARE(got, (Bytes{"X0|1|@20,60", "A|1|lab@140,60", "MOD|614|@260,60", "word||@380,60", "X4|1|@20,130",
                             "X5|1|@140,130"}));
    }

    void addTab_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("got");  // name|image|which special tab got it|ticket capable
        auto row = [](const char* header, const char* model, const char* got) {
            QTest::addRow("%s %s", header, model) << QByteArray(header) << QByteArray(model) << QByteArray(got);
        };
        row("HDR:Main Setup:", "MOD:614", "Main Setup|0||0");
        row("HDR:Calibration:", "", "Calibration|1||0");
        row("HDR:Printing:", "MOD:958", "Printing|3|print|1");
        row("HDR:Printing:", "MOD:614", "Printing|3|print|0");
        row("HDR:Print Tabs:", "MOD:615", "Print Tabs|3|print|1");
        row("HDR:External Ticket:", "", "External Ticket|3||1");
        row("HDR:Printer Setup:", "", "Printer Setup|0|print|0");
        row("HDR:Model Info:", "MOD:614", "Model Info|5|info|1");
        row("HDR:Extended:", "", "Extended|6|extended|0");
        row("HDR::", "", "|9||0");
        row("HDR:Analog", "", "Analog|7||0");
    }
    void addTab()
    {
        QFETCH(QByteArray, header);
        ConfigModel m;
        QFETCH(QByteArray, model);
        m.fileDevice.modelLine = model;
        QCOMPARE(m.AddTab(header), 0);
        const QByteArray special =
            m.printTab == 0 ? "print" : m.modelInfoTab == 0 ? "info" : m.extendedTab == 0 ? "extended" : "";
        QTEST(m.tabs[0].name + '|' + QByteArray::number(m.tabs[0].image) + '|' + special + '|'
                  + QByteArray::number(m.ticketCapable),
              "got");
        QCOMPARE(m.currentSectionName, m.tabs[0].name);
    }

    void tabBookkeepingAndReset()
    {
        ConfigModel m;
        QCOMPARE(m.AddTab("no colon") + m.AddTab("HDR:Printing:") + m.AddTab("HDR:" + QByteArray(300, 'n') + ":"), 0);
        QCOMPARE(m.tabs[1].name.size(), 255);
        m.fileDevice.modelLine = "MOD:958";
        m.revisionCatalogue.push_back(CRevItem{614.0f, 1.05f, "614x.tpl"});
        m.documentPath = "/x/614.tpl";
        SetDisplay(m, 3);
        m.capacityEntry = m.tareEntry = AddEntry(m, "CAP:0:0:");
        m.events.emplace_back("FIRE:X:CAP:", m.entries);
        m.AddExtraEntry("A:1");
        m.skipKeyLockDialog = 0;
        m.Reset();
        QVERIFY(m.entries.empty() && m.extraEntries.empty() && m.events.empty() && m.tabs.empty() && !m.tareEntry);
        QCOMPARE(QList<int>({m.tabCount, m.printTab, m.extraX, m.extraY, m.skipKeyLockDialog}),
                 QList<int>({0, -1, 20, 60, 1}));
        // What outlives a document.
        QCOMPARE(m.documentPath + m.capacityCode + m.fileDevice.modelLine, QByteArray("/x/614.tplCAPMOD:958"));
        QCOMPARE(int(m.revisionCatalogue.size()) + m.capacityLimit + m.displayDecimals, 1 + 5000 + 3);
    }

    void identity_data()
    {
        QTest::addColumn<Bytes>("lines");  // maker, model, revision, protocol
        QTest::addColumn<int>("identified");
        QTest::addColumn<bool>("same");  // as MFG:Tervolin Scale Mfg, MOD:614, REV:1.05
        const QByteArray maker = "MFG:Tervolin Scale Mfg";
        QTest::newRow("complete") << Bytes{maker, "MOD:614", "REV:1.05", "SMA:2/1.0"} << 1 << true;
        QTest::newRow("last three revision characters") << Bytes{maker, "MOD:614", "XX 2.05", "SMA:"} << 0 << true;
        QTest::newRow("other revision") << Bytes{maker, "MOD:614", "REV:1.06", "SMA:"} << 1 << false;
        QTest::newRow("other model") << Bytes{maker, "MOD:615", "REV:1.05", "SMA:"} << 1 << false;
        QTest::newRow("other maker") << Bytes{"MFG:Other Scales", "MOD:614", "REV:1.05", "SMA:"} << 0 << false;
        QTest::newRow("maker without MFG:") << Bytes{"Tervolin Scale Mfg", "MOD:614", "REV:1.05", "SMA:"} << 0 << false;
        QTest::newRow("no protocol") << Bytes{maker, "MOD:614", "REV:1.05", ""} << 0 << true;
        QTest::newRow("tags anywhere") << Bytes{"x " + maker, "?MOD:", "-REV:", "SMA:"} << 1 << false;
    }
    void identity()
    {
        QFETCH(Bytes, lines);
        CDevice d;
        d.identified = 1;
        d.mfgLine = lines[0];
        d.modelLine = lines[1];
        d.revisionLine = lines[2];
        d.protocolLine = lines[3];
        d.CheckIdentity();
        QTEST(d.identified, "identified");
        CDevice known;
        known.mfgLine = "MFG:Tervolin Scale Mfg";
        known.modelLine = "MOD:614";
        known.revisionLine = "REV:1.05";
        QTEST(d.SameDevice(known), "same");
        QCOMPARE(known.ModelText() + '|' + known.VersionText(), QByteArray("614|.05"));
    }

    void ruleAndEventLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("parsed");  // control|values|targets|values of the first target
        auto row = [](const char* name, QByteArray line, int type, QByteArray parsed) {
            QTest::newRow(name) << line << type << parsed;
        };
        row("enable two targets", "ENABLE:ab,cd:ef:1,2", kEnable, "ef|1,2|ab,cd|");
        row("reject", "REJECT:ef:0:ab:3,4", kReject, "ef|0|ab|3,4");
        row("unknown target ends the list", "ENABLE:xx,ab:ef:1", kEnable, "ab|ef||");
        row("empty target ends the list", "HIDE:ab,,cd:ef:1", kHide, "cd|ef|ab|");
        row("empty value ends the list", "DISABLE:ab:ef:1,,2", kDisable, "ef|1|ab|");
        row("sub-entry is no control", "SHOW:ab:sub:1", kShow, "(null)|1|ab|");
        row("sub-entry as target", "ENABLE:sub:ef:1:", kEnable, "ef|1|sub|");
        row("verify", "VERIFY:ab,cd:ef:", kVerify, "ef||ab,cd|");
        row("reject without target", "REJECT:ef:0:xx:3,4", kReject, "ef|0||");
        row("type 4 parses nothing", "ENABLE:ab:ef:1", 4, "(null)|||");
        // Event lines: the name, the code, the entry found.
        row("event", "FIRE:CAPACITY_CHANGED:ab:", -1, "CAPACITY_CHANGED|ab|ab");
        row("event on a sub-entry", "FIRE:KEY_LOCK_CHANGED:sub", -1, "KEY_LOCK_CHANGED|sub|sub");
        row("event without entry", "FIRE:DPP_CHANGED:DPP:extra:", -1, "DPP_CHANGED|DPP|(null)");
        row("event line without colons", "FIRE", -1, "FIRE|FIRE|(null)");
    }
    void ruleAndEventLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, type);
        ConfigModel m;
        for (const char* code : {"ab", "cd", "ef"}) AddEntry(m, QByteArray(code) + ":0:0:0:0-99:0-99:L:edit:");
        AddSub(m.entries[1].get(), "sub:0:0:1:0,1:No,Yes:S:combo:");
        auto code = [](const ConfigEntry* e) { return e ? e->code : QByteArray("(null)"); };
        if (type < 0) {
            const CCEvent event(line, m.entries);
            QTEST(event.name + '|' + event.code + '|' + code(event.entry), "parsed");
            return;
        }
        const CInterlock rule(line, type, m.entries);
        Bytes targets;
        for (const CInterlockItem& item : rule.targets) targets.append(code(item.entry));
        const QByteArray first = rule.targets.empty() ? QByteArray() : rule.targets.front().values.join(',');
        QTEST(code(rule.controlEntry) + '|' + rule.values.join(',') + '|' + targets.join(',') + '|' + first, "parsed");
    }

    // Rules applied to the entries ab (list), cd (edit box), LK (locked box) on tab 0 when ef
    // (an edit box, 0-99) changes to a text; the targets' states afterwards.
    void applyRules_data()
    {
        QTest::addColumn<QByteArray>("rules");  // applied in order
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("tab");  // displayed
        QTest::addColumn<int>("fired");
        QTest::addColumn<QByteArray>("states");
        auto row = [](const char* name, QByteArray rules, QByteArray text, int fired, QByteArray states, int tab = 0) {
            QTest::newRow(name) << rules << text << tab << fired << states;
        };
        const QByteArray untouched = "ab CEWV =2|cd CEWV =150|LK CEWV =5";
        row("no values never fire", "ENABLE:ab:ef:|DISABLE:ab:ef:", "0", 0, untouched);
        row("rule of another control", "DISABLE:ab:cd:1", "1", 0, untouched);
        row("sub-entry as control", "DISABLE:ab:sub:1", "1", 0, untouched);
        row("text that is not a value", "DISABLE:ab:ef:1,2", "01", 0, untouched);
        row("out of range maps to nothing", "DISABLE:ab:ef:1,2", "100", 0, untouched);
        row("trimmed text matches", "DISABLE:ab:ef:1,2", " 2 ", 1, "ab ceWV =2|cd CEWV =150|LK CEWV =5");
        // A box stays enabled and only stops taking input; a locked target is left alone.
        row("disable", "DISABLE:ab,cd,LK:ef:7", "7", 1, "ab ceWV =2|cd cEwV =150|LK CEWV =5");
        row("later rule decides", "DISABLE:ab,cd:ef:7|ENABLE:ab,cd:ef:7", "7", 2, untouched);
        row("hide on the displayed tab", "HIDE:ab:ef:1", "1", 1, "ab CEWv hidden=2|cd CEWV =150|LK CEWV =5");
        row("hide on another tab", "HIDE:ab:ef:1", "1", 1, "ab CEWV hidden=2|cd CEWV =150|LK CEWV =5", 1);
        row("show again", "HIDE:ab:ef:1|SHOW:ab:ef:1", "1", 2, untouched);
        row("reject resets to the first value", "REJECT:ef:0:ab:1,2", "0", 1, "ab CEWV =0|cd CEWV =150|LK CEWV =5");
        row("reject, value not rejected", "REJECT:ef:0:ab:3,4", "0", 1, untouched);
        // VERIFY compares the values whatever the text: cd above ef's 100 takes ef's text.
        row("verify above", "VERIFY:cd:ef:", "x", 1, "ab CEWV =2|cd CEWV =0100|LK CEWV =5");
        row("verify below", "VERIFY:LK:ef:", "x", 1, untouched);
    }
    void applyRules()
    {
        QFETCH(QByteArray, rules);
        QFETCH(QByteArray, text);
        QFETCH(int, tab);
        ConfigModel m;
        ConfigEntry* ab = AddEntry(m, "ab:20:60:2:0,1,2,3,4:A,B,C,D,E:Ab:combo:");
        ConfigEntry* cd = AddEntry(m, "cd:140:60:150:0-9999:0-9999:Cd:edit:");
        ConfigEntry* lk = AddEntry(m, "LK:380:60:5:0-99:0-99:Locked:edit:");
        ConfigEntry* ef = AddEntry(m, "ef:260:60:0100:0-99:0-99:Ef:edit:");
        AddSub(ef, "sub:20:160:1:0,1:No,Yes:Sub:combo:");
        for (ConfigEntry* e : {ab, cd, lk}) GiveControls(*e);
        const QHash<QByteArray, int> types = {{"ENABLE", kEnable}, {"DISABLE", kDisable}, {"HIDE", kHide},
                                              {"SHOW", kShow},     {"REJECT", kReject},   {"VERIFY", kVerify}};
        int fired = 0;
        for (const QByteArray& line : rules.split('|')) {
            CInterlock rule(line, types.value(line.left(line.indexOf(':'))), m.entries);
            fired += rule.Apply(ef, text, tab, m);
            fired += rule.Apply(nullptr, text, tab, m);
        }
        QTEST(fired, "fired");
        QTEST(State(ab) + '|' + State(cd) + '|' + State(lk), "states");
        QCOMPARE(ab->GetControl(1)->CurrentIndex(), ab->value.toInt());
    }

    void convertToValue_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("spec");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QByteArray>("result");  // value code and status
        auto row = [](const char* name, QByteArray code, QByteArray spec, QByteArray text, int decimals,
                      QByteArray result) { QTest::newRow(name) << code << spec << text << decimals << result; };
        // Lists map the shown text (choices Off,On,Auto) to the code at the same position.
        row("list", "md", "0,1,2", "On", 1, "1 0");
        row("list, trimmed", "md", "0,1,2", " Auto\t", 1, "2 0");
        row("list, case-sensitive", "md", "0,1,2", "on", 1, " 0");
        row("list, more choices than codes", "md", "0,1", "Auto", 1, " 0");
        // Ranges check the number and keep the text.
        row("range inside", "n", "1-99", "99", 1, "99 0");
        row("range above", "n", "1-99", "150", 1, " 1");
        row("range below", "n", "1-99", "0", 1, " 2");
        row("integer part decides the side", "n", "1-99", "99.5", 1, " 2");
        row("fraction", "n", "0-1", ".5", 1, ".5 0");
        row("not a number", "n", "1-99", "abc", 1, " 0");
        row("capacity as maximum", "n", "0-CAP", "5000", 1, "5000 0");
        // Weights in display units: divided by 10 to the decimals before the check.
        row("tare scaled", "tare", "0-100", "5000", 2, "5000 0");
        row("tare scaled, above", "tare", "0-100", "20000", 2, " 1");
        row("low range scaled", "LOW RANGE", "1-CAP", "600000", 2, " 1");
        row("other codes not scaled", "n", "0-100", "5000", 2, " 1");
        // "!0": any number but zero.
        row("nonzero", "f", "!0", "0.000001", 1, "0.000001 0");
        row("zero", "f", "!0", "0.0", 1, " 0");
    }
    void convertToValue()
    {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, spec);
        QFETCH(QByteArray, text);
        QFETCH(int, decimals);
        ConfigModel m;
        SetDisplay(m, decimals);
        ConfigEntry e(code + ":0:0:1:" + spec + ":Off,On,Auto:L:edit:", "Setup", 0, nullptr);
        int status = -1;
        const QByteArray value = EntryValues::ConvertToValue(e, text, &status, m);
        QTEST(value + ' ' + QByteArray::number(status), "result");
    }

    void applyBoundValue_data()
    {
        QTest::addColumn<QByteArray>("spec");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("result");  // value and shown
        QTest::newRow("above the range") << QByteArray("1-99") << 1 << QByteArray("99 99");
        QTest::newRow("below the range") << QByteArray("1-99") << 2 << QByteArray("1 1");
        QTest::newRow("no status takes the first part") << QByteArray("7,8") << 0 << QByteArray("7 7");
        QTest::newRow("nonzero field") << QByteArray("!0") << 0 << QByteArray("!0 0.000001");
        QTest::newRow("capacity as maximum") << QByteArray("0-CAP") << 1 << QByteArray("CAP 5000");
        QTest::newRow("maximum ends at a colon") << QByteArray("0-99:x") << 1 << QByteArray("99 99");
    }
    void applyBoundValue()
    {
        QFETCH(QByteArray, spec);
        QFETCH(int, status);
        ConfigModel m;
        SetDisplay(m, 1);
        ConfigEntry e("n:0:0:50:x:x:L:edit:", "Setup", 0, nullptr);
        e.valueSpec = e.choices = spec;
        GiveControls(e);
        EntryValues::ApplyBoundValue(e, status, m);
        QTEST(e.value + ' ' + e.GetControl(1)->Text(), "result");
        QCOMPARE(e.modified, 1);

        ConfigEntry list("md:0:0:2:0,1,2:Off,On,Auto:Mode:combo:", "Setup", 0, nullptr);
        GiveControls(list);
        EntryValues::ApplyBoundValue(list, 2, m);
        QCOMPARE(list.value + QByteArray::number(list.GetControl(1)->CurrentIndex()), QByteArray("00"));
    }

    void displayAndStoredText_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<QByteArray>("stored");  // what the shown text reads back as
        auto row = [](const char* name, QByteArray code, QByteArray section, QByteArray value, int decimals,
                      QByteArray shown, QByteArray stored) {
            QTest::newRow(name) << code << section << value << decimals << shown << stored;
        };
        row("conversion factor 5", "CNVT FACTOR", "Setup", "5", 0, "0.00005", "000005");
        row("conversion factor seven digits", "CNVT FACTOR", "Setup", "1234567", 0, "12.34567", "1234567");
        row("conversion factor already shown", "CNVT FACTOR", "Setup", "0.000001", 0, "0.000001", "0000001");
        row("conversion factor with decimals unchanged", "CNVT FACTOR", "Setup", "5", 2, "5", "5");
        row("capacity 5 with 2", "CAP", "Calibration", "5", 2, "5.00", "500");
        row("capacity 5000 with 2", "CAP", "Calibration", "5000", 2, "50.00", "5000");
        row("low range 5 with 1", "LOW RANGE", "Calibration", "5", 1, "5.0", "50");
        row("tare 5 with 2", "tare", "Setup", "5", 2, "0.05", "005");
        row("tare on a Tabs page", "tare", "Print Tabs", "5", 2, "5", "5");
        row("low range, first point only", "LOW RANGE", "Setup", "1.2.3", 0, "1.2.3", "12.3");
        row("other code keeps its point", "INT", "Setup", "1.5", 2, "1.5", "1.5");
    }
    void displayAndStoredText()
    {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, value);
        QFETCH(int, decimals);
        ConfigModel m;
        SetDisplay(m, 1);
        ConfigEntry e(code + ":0:0:" + value + ":0-999999:0-999999:L:edit:", section, 0, nullptr);
        EntryControl* box = AddControl(e, ControlKind::Edit);
        EntryValues::SetDisplayValue(box, value, decimals, m);
        QTEST(box->Text(), "shown");
        QTEST(EntryValues::GetStoredValue(box, m), "stored");
        QCOMPARE(EntryValues::DisplayText(nullptr, value, decimals, m), value);
    }

    void lineCanCarry()
    {
        // What a configuration line and the setting command can carry as a value.
        for (const QByteArray& v : {QByteArray("LINE A/B"), QByteArray("a/ /b")}) QVERIFY(EntryValues::LineCanCarry(v));
        for (const QByteArray& v : {QByteArray("A:B"), QByteArray("a//b"), QByteArray("a\rb"), QByteArray("a\0b", 3)}) {
            QVERIFY2(!EntryValues::LineCanCarry(v), v.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
