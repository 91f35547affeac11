// SPDX-License-Identifier: MIT
#include <QtTest>

#include "model/CCEvent.h"
#include "model/CInterlock.h"
#include "model/ConfigModel.h"
#include "model/EntryControl.h"

namespace {

// ab, cd, ef and gh (with the sub-entry "sub") as a reader would make them.
class Fixture {
public:
    Fixture()
    {
        ab = Add("ab:20:60:0:0,1,2,3,4:A,B,C,D,E:Ab:combo:", 0);
        cd = Add("cd:140:60:0:0,1:Off,On:Cd:combo:", 0);
        ef = Add("ef:260:60:0:0-99:0-99:Ef:edit:", 0);
        gh = Add("gh:20:120:0:0,1:Off,On:Gh:combo:", 1);
        gh->subEntries.push_back(std::make_unique<ConfigEntry>("sub:20:160:1:0,1:No,Yes:Sub:combo:", "Setup", 1, gh));
        sub = gh->subEntries.back().get();
        locked = Add("LK:380:60:5:0-99:0-99:Locked:edit:", 0);
    }

    ConfigEntry* Add(const QByteArray& line, int tab)
    {
        model.entries.push_back(std::make_unique<ConfigEntry>(line, "Setup", tab, nullptr));
        model.entries.back()->hasValue = 1;
        return model.entries.back().get();
    }

    // The controls an edit entry gets: a caption and the edit box.
    void GiveEditControls(ConfigEntry* e)
    {
        ControlSpec caption;
        caption.kind = ControlKind::Caption;
        caption.text = e->code;
        e->controls.push_back(std::make_unique<PlainEntryControl>(caption));
        ControlSpec box;
        box.kind = ControlKind::Edit;
        box.id = 3000;
        box.entry = e;
        box.text = e->value;
        box.numeric = true;
        e->controls.push_back(std::make_unique<PlainEntryControl>(box));
    }

    // A caption and a drop-down list with the entry's choices, its value selected.
    void GiveComboControls(ConfigEntry* e)
    {
        ControlSpec caption;
        caption.kind = ControlKind::Caption;
        e->controls.push_back(std::make_unique<PlainEntryControl>(caption));
        ControlSpec list;
        list.kind = ControlKind::Combo;
        list.id = 4000;
        list.entry = e;
        auto combo = std::make_unique<PlainEntryControl>(list);
        for (const QByteArray& c : e->choices.split(',')) combo->AddItem(c);
        combo->SetCurrentIndex(int(e->valueSpec.split(',').indexOf(e->value)));
        e->controls.push_back(std::move(combo));
    }

    int Apply(const QByteArray& line, int type, ConfigEntry* changed, const QByteArray& text, int tab = 0)
    {
        CInterlock rule(line, type, model.entries);
        return rule.Apply(changed, text, tab, model);
    }

    ConfigModel model;
    ConfigEntry* ab = nullptr;
    ConfigEntry* cd = nullptr;
    ConfigEntry* ef = nullptr;
    ConfigEntry* gh = nullptr;
    ConfigEntry* sub = nullptr;
    ConfigEntry* locked = nullptr;
};

QByteArray CodeOf(const ConfigEntry* e)
{
    return e ? e->code : QByteArray("(null)");
}

}  // namespace

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nextToken_data();
    void nextToken();
    void interlockLine_data();
    void interlockLine();
    void eventLine_data();
    void eventLine();

    void ruleWithoutValuesNeverFires();
    void ruleFiresOnlyForItsControl();
    void enableAndDisableTouchControls();
    void disableLeavesLockedTarget();
    void laterRuleDecides();
    void hideAndShow_data();
    void hideAndShow();
    void verify_data();
    void verify();
    void rejectResetsToFirstValue_data();
    void rejectResetsToFirstValue();
    void valuesMatchByExactText_data();
    void valuesMatchByExactText();
    void targetWalkStopsAtNull();
};

void TestRecords::nextToken_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("delimiters");
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<QByteArray>("rest");
    QTest::addColumn<int>("found");
    QTest::newRow("comma first") << QByteArray("ab,cd:ef") << QByteArray(",:") << QByteArray("ab") << QByteArray("cd:ef") << int(',');
    QTest::newRow("colon first") << QByteArray("ab:cd,ef") << QByteArray(",:") << QByteArray("ab") << QByteArray("cd,ef") << int(':');
    QTest::newRow("only colons count") << QByteArray("ab,cd:ef") << QByteArray(":") << QByteArray("ab,cd") << QByteArray("ef") << int(':');
    QTest::newRow("runs out") << QByteArray("abc") << QByteArray(":") << QByteArray("abc") << QByteArray() << 0;
    QTest::newRow("empty source") << QByteArray() << QByteArray(":") << QByteArray() << QByteArray() << 0;
    QTest::newRow("empty token") << QByteArray(":x") << QByteArray(":") << QByteArray() << QByteArray("x") << int(':');
}

void TestRecords::nextToken()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, delimiters);
    QFETCH(QByteArray, token);
    QFETCH(QByteArray, rest);
    QFETCH(int, found);
    char delimiter = 'x';
    QCOMPARE(CInterlock::NextToken(source, delimiters.constData(), &delimiter), token);
    QCOMPARE(source, rest);
    QCOMPARE(int(delimiter), found);
}

void TestRecords::interlockLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QList<QByteArray>>("values");
    QTest::addColumn<QList<QByteArray>>("targets");
    QTest::addColumn<QList<QByteArray>>("rejected");  // of the first target
    QTest::newRow("enable two targets") << QByteArray("ENABLE:ab,cd:ef:1,2") << int(kEnable) << QByteArray("ef")
                                        << QList<QByteArray>{"1", "2"} << QList<QByteArray>{"ab", "cd"}
                                        << QList<QByteArray>{};
    QTest::newRow("reject") << QByteArray("REJECT:ef:0:ab:3,4") << int(kReject) << QByteArray("ef")
                            << QList<QByteArray>{"0"} << QList<QByteArray>{"ab"} << QList<QByteArray>{"3", "4"};
    QTest::newRow("unknown target ends the list") << QByteArray("ENABLE:xx,ab:ef:1") << int(kEnable) << QByteArray("ab")
                                                  << QList<QByteArray>{"ef"} << QList<QByteArray>{}
                                                  << QList<QByteArray>{};
    QTest::newRow("empty target ends the list") << QByteArray("HIDE:ab,,cd:ef:1") << int(kHide) << QByteArray("cd")
                                                << QList<QByteArray>{"ef"} << QList<QByteArray>{"ab"}
                                                << QList<QByteArray>{};
    QTest::newRow("empty value ends the list") << QByteArray("DISABLE:ab:ef:1,,2") << int(kDisable) << QByteArray("ef")
                                               << QList<QByteArray>{"1"} << QList<QByteArray>{"ab"}
                                               << QList<QByteArray>{};
    QTest::newRow("sub-entry as control") << QByteArray("SHOW:ab:sub:1") << int(kShow) << QByteArray("(null)")
                                          << QList<QByteArray>{"1"} << QList<QByteArray>{"ab"} << QList<QByteArray>{};
    QTest::newRow("sub-entry as target") << QByteArray("ENABLE:sub:ef:1:") << int(kEnable) << QByteArray("ef")
                                         << QList<QByteArray>{"1"} << QList<QByteArray>{"sub"} << QList<QByteArray>{};
    QTest::newRow("no values") << QByteArray("ENABLE:ab:ef:") << int(kEnable) << QByteArray("ef")
                               << QList<QByteArray>{} << QList<QByteArray>{"ab"} << QList<QByteArray>{};
    QTest::newRow("verify") << QByteArray("VERIFY:ab,cd:ef:") << int(kVerify) << QByteArray("ef")
                            << QList<QByteArray>{} << QList<QByteArray>{"ab", "cd"} << QList<QByteArray>{};
    QTest::newRow("reject without target") << QByteArray("REJECT:ef:0:xx:3,4") << int(kReject) << QByteArray("ef")
                                           << QList<QByteArray>{"0"} << QList<QByteArray>{} << QList<QByteArray>{};
    QTest::newRow("codes are case-sensitive") << QByteArray("ENABLE:AB:EF:1") << int(kEnable) << QByteArray("(null)")
                                              << QList<QByteArray>{"1"} << QList<QByteArray>{} << QList<QByteArray>{};
    QTest::newRow("type 4 parses nothing") << QByteArray("ENABLE:ab:ef:1") << 4 << QByteArray("(null)")
                                           << QList<QByteArray>{} << QList<QByteArray>{} << QList<QByteArray>{};
}

void TestRecords::interlockLine()
{
    QFETCH(QByteArray, line);
    QFETCH(int, type);
    QFETCH(QByteArray, control);
    QFETCH(QList<QByteArray>, values);
    QFETCH(QList<QByteArray>, targets);
    QFETCH(QList<QByteArray>, rejected);
    Fixture f;
    const CInterlock rule(line, type, f.model.entries);
    QCOMPARE(rule.type, type);
    QCOMPARE(rule.sourceLine, line);
    QCOMPARE(CodeOf(rule.controlEntry), control);
    QCOMPARE(rule.values, values);
    QList<QByteArray> targetCodes;
    for (const CInterlockItem& item : rule.targets) targetCodes.append(CodeOf(item.entry));
    QCOMPARE(targetCodes, targets);
    QCOMPARE(rule.targets.empty() ? QList<QByteArray>{} : rule.targets.front().values, rejected);
    // Held by value: a copy keeps its targets and values.
    const CInterlock copy = rule;
    QCOMPARE(copy.targets.size(), rule.targets.size());
    QCOMPARE(copy.values, rule.values);
}

void TestRecords::eventLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("entry");
    QTest::newRow("capacity") << QByteArray("FIRE:CAPACITY_CHANGED:ab:") << QByteArray("CAPACITY_CHANGED") << QByteArray("ab")
                              << QByteArray("ab");
    QTest::newRow("sub-entries searched") << QByteArray("FIRE:KEY_LOCK_CHANGED:sub:") << QByteArray("KEY_LOCK_CHANGED")
                                          << QByteArray("sub") << QByteArray("sub");
    QTest::newRow("no such entry") << QByteArray("FIRE:DPP_CHANGED:DPP:") << QByteArray("DPP_CHANGED")
                                   << QByteArray("DPP") << QByteArray("(null)");
    QTest::newRow("no final colon") << QByteArray("FIRE:UNIT1_CHANGED:cd") << QByteArray("UNIT1_CHANGED")
                                    << QByteArray("cd") << QByteArray("cd");
    QTest::newRow("text after the code") << QByteArray("FIRE:TIME_CHANGED:ef:extra:") << QByteArray("TIME_CHANGED")
                                         << QByteArray("ef") << QByteArray("ef");
}

void TestRecords::eventLine()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, entry);
    Fixture f;
    const CCEvent e(line, f.model.entries);
    QCOMPARE(e.sourceLine, line);
    QCOMPARE(e.name, name);
    QCOMPARE(e.code, code);
    QCOMPARE(CodeOf(e.entry), entry);
}

void TestRecords::ruleWithoutValuesNeverFires()
{
    Fixture f;
    f.GiveComboControls(f.ab);
    QCOMPARE(f.Apply("ENABLE:ab:ef:", kEnable, f.ef, "0"), 0);
    QCOMPARE(f.Apply("DISABLE:ab:ef:", kDisable, f.ef, ""), 0);
    QVERIFY(f.ab->GetControl(1)->IsEnabled());
}

void TestRecords::ruleFiresOnlyForItsControl()
{
    Fixture f;
    f.GiveComboControls(f.ab);
    QCOMPARE(f.Apply("DISABLE:ab:ef:1", kDisable, f.cd, "1"), 0);
    QCOMPARE(f.Apply("DISABLE:ab:ef:1", kDisable, nullptr, "1"), 0);
    QCOMPARE(f.Apply("DISABLE:ab:sub:1", kDisable, f.sub, "Yes"), 0);
    QVERIFY(f.ab->GetControl(1)->IsEnabled());
    QCOMPARE(f.Apply("DISABLE:ab:ef:1", kDisable, f.ef, "1"), 1);
    QVERIFY(!f.ab->GetControl(1)->IsEnabled());
}

void TestRecords::enableAndDisableTouchControls()
{
    Fixture f;
    f.GiveEditControls(f.cd);
    f.GiveComboControls(f.ab);
    QCOMPARE(f.Apply("DISABLE:ab,cd:ef:7", kDisable, f.ef, "7"), 1);
    // Edit boxes stay enabled windows and only stop taking input; other controls are disabled.
    EntryControl* box = f.cd->GetControl(1);
    QVERIFY(box->IsEnabled());
    QVERIFY(!box->IsWritable());
    QVERIFY(!f.cd->GetControl(0)->IsEnabled());
    QVERIFY(!f.ab->GetControl(1)->IsEnabled());
    QCOMPARE(f.ab->disabled + f.cd->disabled, 0);

    QCOMPARE(f.Apply("ENABLE:ab,cd:ef:7", kEnable, f.ef, "7"), 1);
    QVERIFY(box->IsWritable());
    QVERIFY(f.ab->GetControl(1)->IsEnabled());
}

void TestRecords::disableLeavesLockedTarget()
{
    Fixture f;
    f.GiveEditControls(f.locked);
    QCOMPARE(f.locked->disabled, 1);
    QCOMPARE(f.Apply("DISABLE:LK:ef:1", kDisable, f.ef, "1"), 1);
    QVERIFY(f.locked->GetControl(1)->IsWritable());
    QVERIFY(f.locked->GetControl(0)->IsEnabled());
    f.locked->GetControl(1)->SetWritable(false);
    QCOMPARE(f.Apply("ENABLE:LK:ef:1", kEnable, f.ef, "1"), 1);
    QVERIFY(!f.locked->GetControl(1)->IsWritable());
}

void TestRecords::laterRuleDecides()
{
    Fixture f;
    f.GiveComboControls(f.ab);
    f.model.interlocks.emplace_back("ENABLE:ab:ef:1", kEnable, f.model.entries);
    f.model.interlocks.emplace_back("DISABLE:ab:ef:1", kDisable, f.model.entries);
    for (CInterlock& rule : f.model.interlocks) rule.Apply(f.ef, "1", 0, f.model);
    QVERIFY(!f.ab->GetControl(1)->IsEnabled());
}

void TestRecords::hideAndShow_data()
{
    QTest::addColumn<int>("displayed");
    QTest::addColumn<bool>("touchesControls");
    QTest::newRow("target on the displayed tab") << 0 << true;
    QTest::newRow("target on another tab") << 1 << false;
}

void TestRecords::hideAndShow()
{
    QFETCH(int, displayed);
    QFETCH(bool, touchesControls);
    Fixture f;
    f.GiveComboControls(f.ab);
    for (auto& c : f.ab->controls) c->SetVisible(true);
    QCOMPARE(f.Apply("HIDE:ab:ef:1", kHide, f.ef, "1", displayed), 1);
    QCOMPARE(f.ab->hidden, 1);
    QCOMPARE(f.ab->GetControl(0)->IsVisible(), !touchesControls);
    QCOMPARE(f.ab->GetControl(1)->IsVisible(), !touchesControls);
    QCOMPARE(f.Apply("SHOW:ab:ef:2", kShow, f.ef, "2", displayed), 1);
    QCOMPARE(f.ab->hidden, 0);
    QVERIFY(f.ab->GetControl(1)->IsVisible());
}

void TestRecords::verify_data()
{
    QTest::addColumn<QByteArray>("limit");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("equal numbers, different texts") << QByteArray("100") << QByteArray("100.0") << QByteArray("100.0");
    QTest::newRow("above: takes the control's text") << QByteArray("100") << QByteArray("150") << QByteArray("100");
    QTest::newRow("control text kept exactly") << QByteArray("0100") << QByteArray("150") << QByteArray("0100");
    QTest::newRow("below") << QByteArray("100") << QByteArray("99.9") << QByteArray("99.9");
    QTest::newRow("compared as numbers") << QByteArray("9") << QByteArray("10") << QByteArray("9");
}

void TestRecords::verify()
{
    QFETCH(QByteArray, limit);
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, after);
    Fixture f;
    f.ef->value = limit;
    f.cd->value = target;
    f.cd->valueSpec = "0-9999";
    f.GiveEditControls(f.cd);
    // VERIFY fires whatever the text; it compares the entries' values.
    QCOMPARE(f.Apply("VERIFY:cd:ef:", kVerify, f.ef, "ignored"), 1);
    QCOMPARE(f.cd->value, after);
    QCOMPARE(f.cd->GetControl(1)->Text(), after);
    QCOMPARE(f.cd->GetControl(0)->Text(), QByteArray("cd"));
    QCOMPARE(f.cd->modified, after == target ? 0 : 1);
}

void TestRecords::rejectResetsToFirstValue_data()
{
    QTest::addColumn<QByteArray>("controlText");
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("rejected value 3") << QByteArray("0") << 3 << QByteArray("0");
    QTest::newRow("rejected value 4") << QByteArray("0") << 4 << QByteArray("0");
    QTest::newRow("accepted value 2") << QByteArray("0") << 2 << QByteArray("2");
    QTest::newRow("rule not fired") << QByteArray("5") << 3 << QByteArray("3");
}

void TestRecords::rejectResetsToFirstValue()
{
    QFETCH(QByteArray, controlText);
    QFETCH(int, shownIndex);
    QFETCH(QByteArray, value);
    Fixture f;
    f.ab->value = QByteArray::number(shownIndex);
    f.GiveComboControls(f.ab);
    f.Apply("REJECT:ef:0:ab:3,4", kReject, f.ef, controlText);
    QCOMPARE(f.ab->value, value);
    QCOMPARE(f.ab->GetControl(1)->CurrentIndex(), value == "0" ? 0 : shownIndex);
}

void TestRecords::valuesMatchByExactText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("fired");
    QTest::newRow("same text") << QByteArray("1") << 1;
    QTest::newRow("leading zero") << QByteArray("01") << 0;
    QTest::newRow("trailing point") << QByteArray("1.0") << 0;
    QTest::newRow("trimmed first") << QByteArray(" 1 ") << 1;
    QTest::newRow("out of range converts to nothing") << QByteArray("100") << 0;
    QTest::newRow("second value") << QByteArray("2") << 1;
}

void TestRecords::valuesMatchByExactText()
{
    QFETCH(QByteArray, text);
    QFETCH(int, fired);
    Fixture f;
    f.GiveComboControls(f.ab);
    QCOMPARE(f.Apply("DISABLE:ab:ef:1,2", kDisable, f.ef, text), fired);
    QCOMPARE(f.ab->GetControl(1)->IsEnabled(), fired == 0);
}

void TestRecords::targetWalkStopsAtNull()
{
    Fixture f;
    f.GiveComboControls(f.ab);
    f.GiveComboControls(f.cd);
    CInterlock rule("DISABLE:ab,cd:ef:1", kDisable, f.model.entries);
    rule.targets.insert(rule.targets.begin() + 1, CInterlockItem{});
    QCOMPARE(rule.Apply(f.ef, "1", 0, f.model), 1);
    QVERIFY(!f.ab->GetControl(1)->IsEnabled());
    QVERIFY(f.cd->GetControl(1)->IsEnabled());
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
