// SPDX-License-Identifier: MIT
// The generated pages through a headless workbench: the controls each entry gets, which are
// shown, what leaving a box does, and the event records a load and the controls run.
#include <QtTest>

#include "HeadlessBench.h"
#include "LogLines.h"
#include "model/ChoiceText.h"
#include "model/EntryValues.h"
#include "tickets/TicketStore.h"

namespace {

struct Bench : HeadlessBench {
    Bench() { bench.ResetDocument(); }
    ConfigEntry* Add(const QByteArray& line, int tab = 0, int hasValue = 1, ConfigEntry* parent = nullptr)
    {
        auto& list = parent ? parent->subEntries : bench.Model().entries;
        list.push_back(std::make_unique<ConfigEntry>(line, "Setup", tab, parent));
        list.back()->hasValue = hasValue;
        return list.back().get();
    }
    PageBuilder& Pages() { return bench.Pages(); }
    QByteArray Shown(const char* code) { return Entry(code)->GetControl(1)->Text(); }
    void Leave(EntryControl* box, const QByteArray& text)
    {
        box->SetText(text);
        Pages().OnControlCommand(box, ControlNotification::FocusLost);
        Settle();
    }
    QList<QByteArray> LogTexts() { return LogLines(bench.Log()); }
};

// Every control of an entry: kind, identifier, rectangle, text and what differs from a
// plain enabled, writable, unchecked control.
QByteArray Describe(const ConfigEntry* e)
{
    static const char* const kinds[] = {"cap", "edit", "list", "spin", "check", "radio", "frame", "button"};
    QList<QByteArray> out;
    for (const auto& c : e->controls) {
        const PixelRect& r = c->Rect();
        QByteArray s = kinds[int(c->Kind())];
        if (c->Id() != kNoControlId) s += '#' + QByteArray::number(c->Id());
        s += QString::asprintf("@%d,%d,%d,%d", r.left, r.top, r.right, r.bottom).toLatin1();
        if (!c->Text().isEmpty()) s += " '" + c->Text() + "'";
        if (!c->IsEnabled()) s += " off";
        const ControlKind kind = c->Kind();
        if (kind == ControlKind::Edit) s += QByteArray(c->IsWritable() ? "" : " ro") + (c->IsNumeric() ? " num" : "");
        if (kind == ControlKind::Combo) s += QString::asprintf(" %d/%d", c->CurrentIndex(), c->ItemCount()).toLatin1();
        if (kind == ControlKind::UpDown) s += QString::asprintf(" %d..%d", c->Low(), c->High()).toLatin1();
        if (c->IsChecked()) s += " checked";
        if (c->Entry() != (c->IsStatic() || c->Kind() == ControlKind::GroupFrame ? nullptr : e)) s += " (wrong entry)";
        out.append(s);
    }
    return out.join(" | ");
}

const QByteArray kDescription = "MFG:Tervolin Scale Mfg\r\nMOD:958\r\nREV:1.1\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\n";
const QByteArray kLoaded = "Information: Current configuration file - Model 958  Tarelink Version 1.1";
const QByteArray kAllEvents =
    "FIRE:UNIT1_CHANGED:unt:\r\nFIRE:TIME_CHANGED:tmf:\r\nFIRE:DPP_CHANGED:DPP:\r\nFIRE:CAPACITY_CHANGED:CAP:\r\n"
    "FIRE:QUILLON_PRINT_CHANGED:qtp:\r\nFIRE:KEY_LOCK_CHANGED:KEY LOCK:\r\nFIRE:CNVT_FACTOR_CHANGED:CNVT FACTOR:\r\n"
    "FIRE:UNIT2_CHANGED:unt:\r\nFIRE:PRINTER_CHANGED:unt:\r\n";

QByteArray Template(const QByteArray& dpp, const QByteArray& cap, const QByteArray& events,
                    const QByteArray& ranges = "1")
{
    return kDescription + "HDR:Setup:\r\n"
           "unt:20:60:1:0,1,2:lb,kg,g:Unit:combo:\r\n"
           "tmf:160:60:24:12,24:12 hour,24 hour:Time format:combo:\r\n"
           "DPP:300:60:" + dpp + ":0,1,2,3:1,0.1,0.01,0.001:Decimal point:combo:\r\n"
           "CAP:20:120:" + cap + ":1-999999:1-999999:Capacity:edit:\r\n"
           "WT RANGES:160:120:" + ranges + ":1,2:Single,Dual:Ranges:combo:\r\n"
           "LOW RANGE:300:120:2000:1-CAP:1-CAP:Low range:edit:\r\n"
           "tare:20:180:5:0-CAP:0-CAP:Tare:edit:\r\n"
           "qtp:160:180:0:0,1:Off,On:Tickets:combo:\r\n"
           "KEY LOCK:300:180:0:0-65535:0-65535:Keys:button:\r\n"
           "CNVT FACTOR:20:240:5:!0:!0:Factor:edit:\r\n"
           "HDR:Printing:\r\nEND:\r\nEND:\r\nEND:\r\n" + events + "END:\r\nEND:\r\n";
}

}  // namespace

class TestPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("hasValue");
        QTest::addColumn<QByteArray>("controls");
        auto row = [](const char* name, QByteArray line, QByteArray controls, int hasValue = 1) {
            QTest::newRow(name) << line << hasValue << controls;
        };
        row("radio", "md:100:200:1:0,1,2:Auto,Manual,Off:Mode:radio:",
            "radio#2500@100,200,200,215 'Auto' | radio#2501@100,222,200,237 'Manual' checked | "
            "radio#2502@100,244,200,259 'Off' | frame@95,180,205,271 'md'");
        row("radio without value", "rd:0:0:1:0,1:A,B:C:radio:",
            "radio#2500@0,0,100,15 'A' off | radio#2501@0,22,100,37 'B' off checked | frame@-5,-20,105,49 'rd' off", 0);
        row("spin on the capacity", "sp:10:50:5:0-CAP:0-CAP:Spin:spin:",
            "cap@10,30,110,49 'SP' | edit#3000@10,50,110,75 '5' num | spin#4500@110,50,120,68 0..999999");
        row("spin without a dash", "sp:0:0:7:7:7:S:spin:",
            "cap@0,-20,100,-1 'SP' | edit#3000@0,0,100,25 '7' num | spin#4500@100,0,110,18 7..7");
        row("locked spin", "SP:0:0:1:0-9:0-9:S:spin:",
            "cap@0,-20,100,-1 'SP' | edit#3000@0,0,100,25 '1' off num | spin#4500@100,0,110,18 off 0..9");
        row("edit", "nm:40:90:12:0-99:0-99:L:edit:", "cap@40,70,140,89 'NM' | edit#3000@40,90,140,115 '12' num");
        row("large edit", "nm:4:9:1:0-9:0-9:L:large_edit:", "cap@4,-11,204,8 'NM' | edit#3000@4,9,204,34 '1' num");
        row("text", "hd:40:90:AB:8:8:Label:text:", "cap@40,70,140,89 'HD' | edit#6000@40,90,140,115 'AB'");
        row("locked edit", "CAP:0:0:5:0-9:0-9:C:edit:", "cap@0,-20,100,-1 'CAP' | edit#3000@0,0,100,25 '5' ro num");
        row("edit, no value", "ed:0:0:5:0-9:0-9:C:edit:", "cap@0,-20,100,-1 'ED' off | edit#3000@0,0,100,25 '5' ro num",
            0);
        row("conversion factor formatted at build", "CNVT FACTOR:0:0:5:1-9:1-9:F:edit:",
            "cap@0,-20,100,-1 'CNVT FACTOR' | edit#3000@0,0,100,25 '0.00005' ro num");
        row("combo: last match wins", "cb:300:60:1:0,1,1:Zero,One,Uno:Choice:combo:",
            "cap@300,40,400,59 'CB' | list#4000@300,60,400,140 'Uno' 2/3");
        row("combo, no match", "nb:0:0:7:0,1:A,B:O:combo:", "cap@0,-20,100,-1 'NB' | list#4000@0,0,100,80 -1/2");
        row("locked combo", "MD:0:0:1:0,1:A,B:C:combo:", "cap@0,-20,100,-1 'MD' | list#4000@0,0,100,80 'B' off 1/2");
        row("combo without value", "md:0:0:1:0,1:A,B:C:combo:",
            "cap@0,-20,100,-1 'MD' off | list#4000@0,0,100,80 'B' off 1/2", 0);
        row("check", "cal:20:60:1:0,1:Open,Sealed:Seal:check:", "check#5000@20,60,120,80 'CAL'");
        row("button", "key lock:20:120:257:0-65535:0-65535:Keys:button:", "button#5500@20,100,120,130 'KEY LOCK'");
        row("slider", "sl:0:0:1:0-9:0-9:S:slider:", "");
        row("unknown type", "od:0:0:1:0-9:0-9:S:Edit:", "");
    }
    void controls()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, hasValue);
        Bench b;
        ConfigEntry* e = b.Add(line, 0, hasValue);
        b.Pages().BuildPages();
        QTEST(Describe(e), "controls");
    }

    void rulesAndTabs()
    {
        Bench b;
        ConfigModel& m = b.bench.Model();
        m.extendedTab = 2;
        b.Add("ef:20:60:1:0,1:Off,On:Ef:combo:");
        ConfigEntry* target = b.Add("ab:20:160:1:0,1:A,B:Ab:combo:");
        ConfigEntry* other = b.Add("cd:140:160:1:0,1:A,B:Cd:combo:", 1);
        ConfigEntry* sub = b.Add("s:140:60:1:0,1:A,B:S:combo:", 1, 1, other);
        ConfigEntry* extra = m.AddExtraEntry("XYZ:42");
        for (const char* rule : {"DISABLE:ab:ef:1", "HIDE:ab:ef:1", "DISABLE:cd:ef:0"}) {
            m.interlocks.emplace_back(rule, rule[0] == 'H' ? kHide : kDisable, m.entries);
        }
        b.Pages().BuildPages();
        // Identifiers follow file order, sub-entries right after their entry.
        QCOMPARE(sub->GetControl(1)->Id(), 4003);
        QCOMPARE(b.Pages().RangeOf(4003), PageBuilder::ControlRange::Combo);
        QCOMPARE(b.Pages().RangeOf(4004), PageBuilder::ControlRange::None);
        // Every rule saw every entry once the controls were built.
        QVERIFY(!target->GetControl(1)->IsEnabled());
        QCOMPARE(target->hidden, 1);
        QVERIFY(other->GetControl(1)->IsEnabled());
        QCOMPARE(Describe(extra), QByteArray("cap@20,40,120,59 'XYZ' | edit#3000@20,60,120,85 '42' ro num"));

        auto shown = [](const ConfigEntry* e) {
            return std::all_of(e->controls.begin(), e->controls.end(), [](const auto& c) { return c->IsVisible(); });
        };
        b.Pages().SelectTab(1);
        QVERIFY(shown(other) && shown(sub) && !shown(target) && !shown(extra));
        b.Pages().SelectTab(0);
        QVERIFY(!shown(other) && !shown(sub) && !shown(target));
        QCOMPARE(b.Pages().PageShown(), 0);
        b.Pages().SelectTab(2);
        QVERIFY(shown(extra));
        QCOMPARE(b.bench.Model().currentTabIndex, 2);

        b.Pages().AddEntryToolTips(m.entries);
        b.Pages().AddEntryToolTips(m.extraEntries);
        QCOMPARE(b.view.toolTipCount, 2 * 5);
        // A new document drops the tool tips and counts every range from its base again.
        b.bench.ResetDocument();
        QCOMPARE(b.view.toolTipCount, 0);
        ConfigEntry* again = b.Add("ab:20:160:1:0,1:A,B:Ab:combo:");
        b.Pages().BuildPages();
        QCOMPARE(again->GetControl(1)->Id(), 4000);
    }

    void ticketEditorFieldButtons_data()
    {
        QTest::addColumn<QByteArray>("fields");
        QTest::addColumn<short>("mode");
        QTest::addColumn<int>("ticketCapable");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<QList<int>>("on");
        auto row = [](const char* name, QByteArray fields, short mode, bool attached, QList<int> on, int capable = 1) {
            QTest::newRow(name) << fields << mode << capable << attached << on;
        };
        row("codes are found anywhere: GR1 holds R1", "FIELDS:GR1,", 0, false, {0, 1, 4});
        row("full list", kDefaultFieldsLine, 0, false, {0, 1, 2, 3, 4, 5, 6, 8});
        row("header and bitmap", "FIELDS:BM1,CN2,", 1, false, {5, 7, 10, 11});
        row("first seven characters skipped", "GRTMCN:UF1,", 0, false, {6});
        row("only 116 characters read", "FIELDS:" + QByteArray(115, 'x') + "CN,", 0, false, {});
        row("attached indicator's list", "FIELDS:DT1,", 0, true, {2, 3});
        row("no ticket support, no editor", "FIELDS:GR1,", 0, false, {}, 0);
    }
    void ticketEditorFieldButtons()
    {
        QFETCH(QByteArray, fields);
        QFETCH(short, mode);
        QFETCH(int, ticketCapable);
        QFETCH(bool, attached);
        Bench b;
        ConfigModel& m = b.bench.Model();
        (attached ? m.attachedDevice : m.fileDevice).fieldsLine = fields;
        m.attachedDevice.identified = attached ? 1 : 0;
        if (attached) m.fileDevice.fieldsLine = "FIELDS:GR1,CN2,UF3,PW4,HT5,ID6,TM7,";
        m.printTab = 1;
        m.ticketCapable = ticketCapable;
        TicketStore& store = b.bench.Tickets();
        store.SetEditorMode(mode);
        for (short i = 0; i < 12; ++i) store.SetFieldButton(i, 2);
        b.Pages().BuildPages();
        b.Pages().SelectTab(1);
        QCOMPARE(b.view.ticketEditorVisible, ticketCapable == 1);
        QList<int> got;
        for (short i = 0; i < 12; ++i) {
            if (store.FieldButton(i) == 2 && ticketCapable) got.append(i);
            if (ticketCapable) QVERIFY(store.FieldButton(i) == 1 || store.FieldButton(i) == 2);
        }
        QTEST(got, "on");
        b.Pages().SelectTab(0);
        QVERIFY(!b.view.ticketEditorVisible);
        // Enter and Escape go to the ticket editor on the print page only.
        QSignalSpy keys(&store, &TicketStore::KeySent);
        QVERIFY(!b.bench.ForwardDialogKey(13));
        b.Pages().SelectTab(1);
        QVERIFY(b.bench.ForwardDialogKey(27));
        QCOMPARE(keys.count() ? keys[0][0].toInt() : 0, 27);
    }

    void leavingABoxCorrectsItsValue_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("stored");
        const QByteArray number = "nm:20:60:50:1-99:1-99:Number:edit:";
        const QByteArray text = "hd1:20:60:HEADER:8:8:Header:text:";
        QTest::newRow("above") << number << QByteArray("150") << QByteArray("99");
        QTest::newRow("below") << number << QByteArray("0") << QByteArray("1");
        QTest::newRow("empty is below") << number << QByteArray("") << QByteArray("1");
        QTest::newRow("text cut to its maximum") << text << QByteArray("ABCDEFGHIJK") << QByteArray("ABCDEFGH");
    }
    void leavingABoxCorrectsItsValue()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, typed);
        Bench b;
        ConfigEntry* e = b.Add(line);
        // The same entry with a locked code: a numeric one is left to the next read back.
        ConfigEntry* locked = b.Add(line.left(line.indexOf(':')).toUpper() + line.mid(line.indexOf(':')));
        b.Pages().BuildPages();
        b.Leave(e->GetControl(1), typed);
        QTEST(e->value, "stored");
        QTEST(e->GetControl(1)->Text(), "stored");
        QVERIFY(b.prompts.shown.empty());
        QCOMPARE(b.bench.Log().RowCount(), 0);
        const QByteArray before = locked->value;
        b.Leave(locked->GetControl(1), typed);
        if (line.endsWith(":edit:")) QCOMPARE(locked->value, before);
    }

    void readBack()
    {
        Bench b;
        ConfigEntry* radio = b.Add("rd:0:0:0:0,1,2:A,B,C:R:radio:");
        ConfigEntry* spin = b.Add("sp:0:0:3:0-9:0-9:S:spin:");
        ConfigEntry* text = b.Add("tx:0:0:old:8:8:Name:text:");
        ConfigEntry* sub = b.Add("sb:0:0:1:0,1:No,Yes:Sub:combo:", 0, 1, text);
        ConfigEntry* number = b.Add("n:0:0:50:1-99:1-99:N:edit:");
        b.Pages().BuildPages();
        radio->GetControl(0)->SetChecked(false);
        radio->GetControl(2)->SetChecked(true);
        spin->GetControl(2)->SetPos(7);
        text->GetControl(1)->SetText("  free text, not mapped");
        sub->GetControl(1)->SetCurrentIndex(0);
        number->GetControl(1)->SetText("150");  // out of range: the value stays
        b.Pages().ReadBackAll();
        QCOMPARE(QList<QByteArray>({radio->value, spin->value, text->value, sub->value, number->value}),
                 QList<QByteArray>({"2", "7", "  free text, not mapped", "0", "50"}));
        QCOMPARE(number->modified, 0);
    }

    void choiceText()
    {
        // The value indexes the choices; a time format counts the clock's hours instead.
        const QList<QList<QByteArray>> cases = {
            {"1", "Off,On", "Mode", "On"},      {"2", "Off,On", "Mode", ""},          {"0", "Kg", "Mode", ""},
            {"-1", "a,b", "Mode", ""},          {"1.9", "a,b,c", "Mode", "b"},         {"1e30", "a,b", "Mode", ""},
            {"12", "12 hour,24 hour", "Time format", "12 hour"}, {"24", "12 hour,24 hour", "Time format", "24 hour"},
            {"24", "12 hour,24 hour", "Time Format", ""}};
        for (const QList<QByteArray>& c : cases) {
            ConfigEntry entry("ab:1:2:" + c[0] + ":x:" + c[1] + ":" + c[2] + ":combo:", "S", 0, nullptr);
            QCOMPARE(ChoiceText(entry), c[3]);
        }
    }

    void decimalPoint_data()
    {
        QTest::addColumn<QByteArray>("dpp");
        QTest::addColumn<QByteArray>("cap");
        QTest::addColumn<QByteArray>("ranges");
        QTest::addColumn<QByteArray>("shown");  // decimals, capacity limit, capacity and low range shown
        auto row = [](const char* name, QByteArray dpp, QByteArray cap, QByteArray shown, QByteArray ranges = "1") {
            QTest::newRow(name) << dpp << cap << ranges << shown;
        };
        row("no point", "0", "5000", "0 5000 5000 5000");
        row("one place", "1", "5000", "1 500 500.0 500.0");
        row("three places", "3", "5000", "3 5 5.000 5.000");
        // A short capacity gains the display's zeros, which the second capacity event then counts.
        row("two places", "2", "5000", "2 50 50.00 50.00");
        row("two places, short capacity", "2", "5", "2 5 5.00 5.00");
        row("zero capacity scales 10000", "2", "0", "2 100 0.00 0.00");
        row("point not in the list", "9", "5000", "0 5000 5000 5000");
        row("dual range keeps its low range", "2", "5000", "2 50 50.00 20.00", "2");
    }
    void decimalPoint()
    {
        QFETCH(QByteArray, dpp);
        QFETCH(QByteArray, cap);
        QFETCH(QByteArray, ranges);
        Bench b;
        b.Load(Template(dpp, cap, kAllEvents, ranges));
        const ConfigModel& m = b.bench.Model();
        QTEST(QByteArray::number(m.displayDecimals) + ' ' + QByteArray::number(m.capacityLimit) + ' ' + b.Shown("CAP")
                  + ' ' + b.Shown("LOW RANGE"),
              "shown");
        // Every event ran once at load: the ticket editor's properties, the padded displays read
        // back (a short conversion factor so counts as a change), the key lock left shut.
        TicketStore& t = b.bench.Tickets();
        QCOMPARE(t.UnitText() + '|' + t.TimeFormat(), QByteArray("kg|24 hour"));
        QCOMPARE(b.Shown("CNVT FACTOR") + '|' + b.Entry("CNVT FACTOR")->value, QByteArray("0.00005|000005"));
        QCOMPARE(b.Entry("CNVT FACTOR")->modified, 1);
        if (dpp == "2" && cap == "5000") {
            QCOMPARE(t.DecimalFormat(1) + t.DecimalFormat(6), QByteArray("-0.01-0.01"));
            QCOMPARE(b.Shown("tare") + '|' + b.Entry("tare")->value, QByteArray("0.05|005"));
        }
        // The print switch is off although the model prints tickets.
        QCOMPARE(m.ticketCapable + m.skipKeyLockDialog + b.prompts.CountOf("keylock"), 0);
        QCOMPARE(b.LogTexts(), QList<QByteArray>{kLoaded});
    }

    // The line each later change of the entry logs; at load too unless the row says silent.
    void unboundAndUnknownEvents_data()
    {
        QTest::addColumn<QByteArray>("fire");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("silentAtLoad");
        auto row = [](const char* name, QByteArray fire, QByteArray line, bool silentAtLoad = false) {
            QTest::newRow(name) << fire << line << silentAtLoad;
        };
        auto pointer = [](QByteArray n) { return "Invalid event pointer (" + n + "), check the config file"; };
        auto detected = [](QByteArray n) { return "Invalid event detected [" + n + "]. Check the config file"; };
        row("UNIT1", "FIRE:UNIT1_CHANGED:zz:", "Invalid event item pointer, check the config file");
        row("TIME", "FIRE:TIME_CHANGED:zz:", pointer("TIME_CHANGED"));
        row("QUILLON", "FIRE:QUILLON_PRINT_CHANGED::", pointer("QUILLON_TICKET_CHANGED"));
        row("DPP", "FIRE:DPP_CHANGED:dpp:", pointer("DPP_CHANGED"));
        row("CAPACITY", "FIRE:CAPACITY_CHANGED:cap:", pointer("CAPACITY_CHANGED"));
        row("KEY_LOCK: silent the first time", "FIRE:KEY_LOCK_CHANGED:zz:", pointer("KEY_LOCK_CHANGED"), true);
        row("UNIT2, PRINTER, CNVT: nothing",
            "FIRE:UNIT2_CHANGED:zz:\r\nFIRE:PRINTER_CHANGED:zz:\r\nFIRE:CNVT_FACTOR_CHANGED:zz:", "", true);
        row("misspelt, bound", "FIRE:UNIT1_CHANGE:unt:", detected("UNIT1_CHANGE"));
        row("wrong case, unbound", "FIRE:unit1_changed:zz:", detected("unit1_changed"));
    }
    void unboundAndUnknownEvents()
    {
        QFETCH(QByteArray, fire);
        QFETCH(QByteArray, line);
        QFETCH(bool, silentAtLoad);
        QList<QByteArray> logged;
        if (!line.isEmpty()) logged.append("Information: " + line);
        Bench b;
        b.Load(Template("0", "5000", fire + "\r\n"));
        QCOMPARE(b.LogTexts(), QList<QByteArray>{kLoaded} + (silentAtLoad ? QList<QByteArray>() : logged));
        b.bench.Log().Clear();
        b.bench.Events().OnEventTrigger(0);
        QCOMPARE(b.LogTexts(), logged);
        // An unbound capacity event still records the capacity code.
        if (fire.contains("CAPACITY")) QCOMPARE(b.bench.Model().capacityCode, QByteArray("CAP"));
    }

    void controlsPostTheirEvents()
    {
        Bench b;
        b.Load(Template("0", "5000", kAllEvents));
        ConfigModel& m = b.bench.Model();

        // The key lock button: the dialog opens with the stored boxes (bits above the sixteen dropped).
        b.Entry("KEY LOCK")->value = "65537";
        b.prompts.keyLockMasks.push_back(0x0101);
        b.Pages().OnControlCommand(b.Entry("KEY LOCK")->GetControl(0), ControlNotification::Clicked);
        QCOMPARE(b.prompts.CountOf("keylock"), 0);  // posted, not yet run
        HeadlessBench::Settle();
        QCOMPARE(b.prompts.lastKeyLockMaskIn, 1);
        QCOMPARE(b.Entry("KEY LOCK")->value, QByteArray("257"));

        // A new decimal point: the capacity event it posts runs after it and sees the new point.
        EntryControl* list = b.Entry("DPP")->GetControl(1);
        list->SetCurrentIndex(1);
        b.Pages().OnControlCommand(list, ControlNotification::SelectionChanged);
        QCOMPARE(int(m.displayDecimals), 0);
        HeadlessBench::Settle();
        QCOMPARE(b.bench.Tickets().DecimalFormat(4), QByteArray("-0.1"));
        QCOMPARE(QString::asprintf("%d %d ", m.displayDecimals, m.capacityLimit).toLatin1() + b.Shown("CAP") + ' '
                     + b.Entry("CAP")->value,
                 QByteArray("1 500 500.0 5000"));

        // The ticket printing switch brings the commands back.
        b.bench.SetCommandsEnabled(0);
        b.Entry("qtp")->GetControl(1)->SetCurrentIndex(1);
        b.Pages().OnControlCommand(b.Entry("qtp")->GetControl(1), ControlNotification::SelectionChanged);
        HeadlessBench::Settle();
        QCOMPARE(m.ticketCapable + b.bench.CommandsEnabled(), 2);
        // A new document drops what is still queued.
        b.Pages().OnControlCommand(b.Entry("KEY LOCK")->GetControl(0), ControlNotification::Clicked);
        b.bench.ResetDocument();
        HeadlessBench::Settle();
        QCOMPARE(b.prompts.CountOf("keylock"), 1);
    }

    void conversionFactorZero()
    {
        // A zero shows the stated correction; the next read back stores what is shown.
        Bench b;
        b.Load(Template("0", "5000", kAllEvents));
        EntryControl* box = b.Entry("CNVT FACTOR")->GetControl(1);
        b.Leave(box, "0");
        QCOMPARE(box->Text(), QByteArray(EntryValues::kNonZeroCorrection));
        b.bench.Pages().ReadBackAll();
        QCOMPARE(b.Entry("CNVT FACTOR")->value + '|' + box->Text(), QByteArray("0000001|0.000001"));
        b.Leave(box, "5");
        QCOMPARE(box->Text(), QByteArray("0.00005"));
    }
};

QTEST_GUILESS_MAIN(TestPages)
#include "tst_pages.moc"
