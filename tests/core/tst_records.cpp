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
    void nextToken_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("delimiters");
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("rest");
        QTest::addColumn<int>("found");
        auto row = [](const char* name, QByteArray source, QByteArray delimiters, QByteArray token, QByteArray rest,
                      int found) { QTest::newRow(name) << source << delimiters << token << rest << found; };
        row("comma first", "ab,cd:ef", ",:", "ab", "cd:ef", ',');
        row("colon first", "ab:cd,ef", ",:", "ab", "cd,ef", ':');
        row("only colons count", "ab,cd:ef", ":", "ab,cd", "ef", ':');
        row("runs out", "abc", ":", "abc", "", 0);
        row("empty source", "", ":", "", "", 0);
        row("empty token", ":x", ":", "", "x", ':');
    }
    void nextToken()
    {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, delimiters);
        char delimiter = 'x';
        QTEST(CInterlock::NextToken(source, delimiters.constData(), &delimiter), "token");
        QTEST(source, "rest");
        QTEST(int(delimiter), "found");
    }

    void interlockLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<QByteArray>("values");
        QTest::addColumn<QByteArray>("targets");
        QTest::addColumn<QByteArray>("rejected");  // of the first target
        auto row = [](const char* name, QByteArray line, int type, QByteArray control, QByteArray values,
                      QByteArray targets, QByteArray rejected = QByteArray()) {
            QTest::newRow(name) << line << type << control << values << targets << rejected;
        };
        row("enable two targets", "ENABLE:ab,cd:ef:1,2", kEnable, "ef", "1|2", "ab|cd");
        row("reject", "REJECT:ef:0:ab:3,4", kReject, "ef", "0", "ab", "3|4");
        row("unknown target ends the list", "ENABLE:xx,ab:ef:1", kEnable, "ab", "ef", "");
        row("empty target ends the list", "HIDE:ab,,cd:ef:1", kHide, "cd", "ef", "ab");
        row("empty value ends the list", "DISABLE:ab:ef:1,,2", kDisable, "ef", "1", "ab");
        row("sub-entry as control", "SHOW:ab:sub:1", kShow, "(null)", "1", "ab");
        row("sub-entry as target", "ENABLE:sub:ef:1:", kEnable, "ef", "1", "sub");
        row("no values", "ENABLE:ab:ef:", kEnable, "ef", "", "ab");
        row("verify", "VERIFY:ab,cd:ef:", kVerify, "ef", "", "ab|cd");
        row("reject without target", "REJECT:ef:0:xx:3,4", kReject, "ef", "0", "");
        row("codes are case-sensitive", "ENABLE:AB:EF:1", kEnable, "(null)", "1", "");
        row("type 4 parses nothing", "ENABLE:ab:ef:1", 4, "(null)", "", "");
    }
    void interlockLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, type);
        Fixture f;
        const CInterlock rule(line, type, f.model.entries);
        QCOMPARE(rule.type, type);
        QCOMPARE(rule.sourceLine, line);
        QTEST(CodeOf(rule.controlEntry), "control");
        QTEST(rule.values.join('|'), "values");
        QList<QByteArray> targetCodes;
        for (const CInterlockItem& item : rule.targets) targetCodes.append(CodeOf(item.entry));
        QTEST(targetCodes.join('|'), "targets");
        QTEST(rule.targets.empty() ? QByteArray() : rule.targets.front().values.join('|'), "rejected");
        // Held by value: a copy keeps its targets and values.
        const CInterlock copy = rule;
        QCOMPARE(copy.targets.size(), rule.targets.size());
        QCOMPARE(copy.values, rule.values);
    }

    void eventLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("entry");
        auto row = [](const char* name, QByteArray line, QByteArray event, QByteArray code, QByteArray entry) {
            QTest::newRow(name) << line << event << code << entry;
        };
        row("capacity", "FIRE:CAPACITY_CHANGED:ab:", "CAPACITY_CHANGED", "ab", "ab");
        row("sub-entries searched", "FIRE:KEY_LOCK_CHANGED:sub:", "KEY_LOCK_CHANGED", "sub", "sub");
        row("no such entry", "FIRE:DPP_CHANGED:DPP:", "DPP_CHANGED", "DPP", "(null)");
        row("no final colon", "FIRE:UNIT1_CHANGED:cd", "UNIT1_CHANGED", "cd", "cd");
        row("text after the code", "FIRE:TIME_CHANGED:ef:extra:", "TIME_CHANGED", "ef", "ef");
    }
    void eventLine()
    {
        QFETCH(QByteArray, line);
        Fixture f;
        const CCEvent e(line, f.model.entries);
        QCOMPARE(e.sourceLine, line);
        QTEST(e.name, "name");
        QTEST(e.code, "code");
        QTEST(CodeOf(e.entry), "entry");
    }

    void ruleWithoutValuesNeverFires()
    {
        Fixture f;
        f.GiveComboControls(f.ab);
        QCOMPARE(f.Apply("ENABLE:ab:ef:", kEnable, f.ef, "0"), 0);
        QCOMPARE(f.Apply("DISABLE:ab:ef:", kDisable, f.ef, ""), 0);
        QVERIFY(f.ab->GetControl(1)->IsEnabled());
    }

    void ruleFiresOnlyForItsControl()
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

    void enableAndDisableTouchControls()
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

    void disableLeavesLockedTarget()
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

    void laterRuleDecides()
    {
        Fixture f;
        f.GiveComboControls(f.ab);
        f.model.interlocks.emplace_back("ENABLE:ab:ef:1", kEnable, f.model.entries);
        f.model.interlocks.emplace_back("DISABLE:ab:ef:1", kDisable, f.model.entries);
        for (CInterlock& rule : f.model.interlocks) rule.Apply(f.ef, "1", 0, f.model);
        QVERIFY(!f.ab->GetControl(1)->IsEnabled());
    }

    void hideAndShow_data()
    {
        QTest::addColumn<int>("displayed");
        QTest::addColumn<bool>("touchesControls");
        QTest::newRow("target on the displayed tab") << 0 << true;
        QTest::newRow("target on another tab") << 1 << false;
    }
    void hideAndShow()
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

    void verify_data()
    {
        QTest::addColumn<QByteArray>("limit");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("after");
        auto row = [](const char* name, QByteArray limit, QByteArray target, QByteArray after) {
            QTest::newRow(name) << limit << target << after;
        };
        row("equal numbers, different texts", "100", "100.0", "100.0");
        row("above: takes the control's text", "100", "150", "100");
        row("control text kept exactly", "0100", "150", "0100");
        row("below", "100", "99.9", "99.9");
        row("compared as numbers", "9", "10", "9");
    }
    void verify()
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

    void rejectResetsToFirstValue_data()
    {
        QTest::addColumn<QByteArray>("controlText");
        QTest::addColumn<int>("shownIndex");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("rejected value 3") << QByteArray("0") << 3 << QByteArray("0");
        QTest::newRow("rejected value 4") << QByteArray("0") << 4 << QByteArray("0");
        QTest::newRow("accepted value 2") << QByteArray("0") << 2 << QByteArray("2");
        QTest::newRow("rule not fired") << QByteArray("5") << 3 << QByteArray("3");
    }
    void rejectResetsToFirstValue()
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

    void valuesMatchByExactText_data()
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
    void valuesMatchByExactText()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, fired);
        Fixture f;
        f.GiveComboControls(f.ab);
        QCOMPARE(f.Apply("DISABLE:ab:ef:1,2", kDisable, f.ef, text), fired);
        QCOMPARE(f.ab->GetControl(1)->IsEnabled(), fired == 0);
    }

    void targetWalkStopsAtNull()
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
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
