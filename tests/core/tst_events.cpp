// SPDX-License-Identifier: MIT
// Event triggers through a headless workbench: what each event name does to the display
// settings, the ticket editor and the entries, the log lines for unbound and unknown events,
// and the key lock dialog.
#include <QtTest>

#include "HeadlessBench.h"
#include "model/ChoiceText.h"
#include "model/EntryValues.h"
#include "tickets/TicketStore.h"

namespace {

const QByteArray kDescription =
    "MFG:Tervolin Scale Mfg\r\n"
    "MOD:958\r\n"
    "REV:1.1\r\n"
    "SMA:2/1.0\r\n"
    "FIELDS:GR1,\r\n";

QByteArray Template(const QByteArray& dpp, const QByteArray& cap, const QByteArray& events)
{
    return kDescription + "HDR:Setup:\r\n"
           "unt:20:60:1:0,1,2:lb,kg,g:Unit:combo:\r\n"
           "tmf:160:60:24:12,24:12 hour,24 hour:Time format:combo:\r\n"
           "DPP:300:60:" + dpp + ":0,1,2,3:1,0.1,0.01,0.001:Decimal point:combo:\r\n"
           "CAP:20:120:" + cap + ":1-999999:1-999999:Capacity:edit:\r\n"
           "WT RANGES:160:120:1:1,2:Single,Dual:Ranges:combo:\r\n"
           "LOW RANGE:300:120:2000:1-CAP:1-CAP:Low range:edit:\r\n"
           "tare:20:180:5:0-CAP:0-CAP:Tare:edit:\r\n"
           "qtp:160:180:0:0,1:Off,On:Tickets:combo:\r\n"
           "KEY LOCK:300:180:0:0-65535:0-65535:Keys:button:\r\n"
           "CNVT FACTOR:20:240:5:!0:!0:Factor:edit:\r\n"
           "HDR:Printing:\r\n"
           "END:\r\nEND:\r\nEND:\r\n"
        + events + "END:\r\nEND:\r\n";
}

const QByteArray kLoaded = "Information: Current configuration file - Model 958  Tarelink Version 1.1";

const QByteArray kAllEvents =
    "FIRE:UNIT1_CHANGED:unt:\r\n"
    "FIRE:TIME_CHANGED:tmf:\r\n"
    "FIRE:DPP_CHANGED:DPP:\r\n"
    "FIRE:CAPACITY_CHANGED:CAP:\r\n"
    "FIRE:QUILLON_PRINT_CHANGED:qtp:\r\n"
    "FIRE:KEY_LOCK_CHANGED:KEY LOCK:\r\n"
    "FIRE:CNVT_FACTOR_CHANGED:CNVT FACTOR:\r\n"
    "FIRE:UNIT2_CHANGED:unt:\r\n"
    "FIRE:PRINTER_CHANGED:unt:\r\n";

// The event tests' view of the headless workbench.
struct Bench : HeadlessBench {
    QByteArray Shown(const char* code) { return Entry(code)->GetControl(1)->Text(); }
    int EventIndex(const char* name)
    {
        const auto& events = bench.Model().events;
        for (size_t i = 0; i < events.size(); ++i) {
            if (events[i].name == name) return int(i);
        }
        return -1;
    }
    QList<QByteArray> LogTexts()
    {
        QList<QByteArray> out;
        for (const StatusLine& l : bench.Log().Lines()) out.append(StatusLog::KindLabel(l.kind) + ": " + l.text);
        return out;
    }
};

}  // namespace

class TestEvents : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choiceText_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("choices");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<QByteArray>("text");
        auto row = [](const char* name, QByteArray value, QByteArray choices, QByteArray label, QByteArray text) {
            QTest::newRow(name) << value << choices << label << text;
        };
        row("second item", "1", "Off,On", "Mode", "On");
        row("past the end", "2", "Off,On", "Mode", "");
        row("no list", "0", "Kg", "Mode", "");
        row("negative", "-1", "a,b", "Mode", "");
        row("truncated", "1.9", "a,b,c", "Mode", "b");
        row("not a number", "x", "a,b", "Mode", "a");
        row("24 hour", "24", "12 hour,24 hour", "Time format", "24 hour");
        row("12 hour", "12", "12 hour,24 hour", "Time format", "12 hour");
        row("24 elsewhere is a position", "24", "12 hour,24 hour", "Time Format", "");
        row("huge", "1e30", "a,b", "Mode", "");
    }
    void choiceText()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, choices);
        QFETCH(QByteArray, label);
        ConfigEntry entry("ab:1:2:" + value + ":x:" + choices + ":" + label + ":combo:", "S", 0, nullptr);
        QTEST(ChoiceText(entry), "text");
    }

    void loadRunsEveryEventOnce()
    {
        Bench b;
        b.Load(Template("2", "5000", kAllEvents));
        const ConfigModel& m = b.bench.Model();
        TicketStore& t = b.bench.Tickets();

        QCOMPARE(t.UnitText(), QByteArray("kg"));
        QCOMPARE(t.TimeFormat(), QByteArray("24 hour"));
        for (int n = 1; n <= 6; ++n) QCOMPARE(t.DecimalFormat(n), QByteArray("-0.01"));
        QCOMPARE(int(m.displayDecimals), 2);
        QCOMPARE(m.capacityCode, QByteArray("CAP"));
        QCOMPARE(m.capacityLimit, 50);
        QCOMPARE(b.Shown("CAP"), QByteArray("50.00"));
        QCOMPARE(b.Entry("CAP")->value, QByteArray("5000"));
        // A short tare gains the leading zeros of its display.
        QCOMPARE(b.Shown("tare"), QByteArray("0.05"));
        QCOMPARE(b.Entry("tare")->value, QByteArray("005"));
        // A short conversion factor is read back as its padded display, which counts as a change.
        QCOMPARE(b.Shown("CNVT FACTOR"), QByteArray("0.00005"));
        QCOMPARE(b.Entry("CNVT FACTOR")->value, QByteArray("000005"));
        QCOMPARE(b.Entry("CNVT FACTOR")->modified, 1);
        // The print switch is off although the model prints tickets.
        QCOMPARE(m.ticketCapable, 0);
        QCOMPARE(m.skipKeyLockDialog, 0);
        QCOMPARE(b.prompts.CountOf("keylock"), 0);
        QCOMPARE(b.LogTexts(), QList<QByteArray>{kLoaded});
    }

    void decimalPoint_data()
    {
        QTest::addColumn<QByteArray>("dpp");
        QTest::addColumn<QByteArray>("cap");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QByteArray>("shown");
        auto row = [](const char* name, QByteArray dpp, QByteArray cap, int decimals, int limit, QByteArray shown) {
            QTest::newRow(name) << dpp << cap << decimals << limit << shown;
        };
        row("no point", "0", "5000", 0, 5000, "5000");
        row("one place", "1", "5000", 1, 500, "500.0");
        row("three places", "3", "5000", 3, 5, "5.000");
        // A short capacity gains the display's zeros, which the second capacity event then counts.
        row("two places, short capacity", "2", "5", 2, 5, "5.00");
        row("zero capacity scales 10000", "2", "0", 2, 100, "0.00");
        row("point not in the list", "9", "5000", 0, 5000, "5000");
    }
    void decimalPoint()
    {
        QFETCH(QByteArray, dpp);
        QFETCH(QByteArray, cap);
        Bench b;
        b.Load(Template(dpp, cap, kAllEvents));
        QTEST(int(b.bench.Model().displayDecimals), "decimals");
        QTEST(b.bench.Model().capacityLimit, "limit");
        QTEST(b.Shown("CAP"), "shown");
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
        const QByteArray pointer = "Invalid event pointer (%1), check the config file";
        const QByteArray detected = "Invalid event detected [%1]. Check the config file";
        row("UNIT1", "FIRE:UNIT1_CHANGED:zz:", "Invalid event item pointer, check the config file");
        row("TIME", "FIRE:TIME_CHANGED:zz:", QByteArray(pointer).replace("%1", "TIME_CHANGED"));
        row("QUILLON", "FIRE:QUILLON_PRINT_CHANGED::", QByteArray(pointer).replace("%1", "QUILLON_TICKET_CHANGED"));
        row("DPP", "FIRE:DPP_CHANGED:dpp:", QByteArray(pointer).replace("%1", "DPP_CHANGED"));
        row("CAPACITY", "FIRE:CAPACITY_CHANGED:cap:", QByteArray(pointer).replace("%1", "CAPACITY_CHANGED"));
        row("KEY_LOCK: silent the first time", "FIRE:KEY_LOCK_CHANGED:zz:",
            QByteArray(pointer).replace("%1", "KEY_LOCK_CHANGED"), true);
        row("UNIT2, PRINTER, CNVT: nothing",
            "FIRE:UNIT2_CHANGED:zz:\r\nFIRE:PRINTER_CHANGED:zz:\r\nFIRE:CNVT_FACTOR_CHANGED:zz:", "", true);
        row("misspelt, bound", "FIRE:UNIT1_CHANGE:unt:", QByteArray(detected).replace("%1", "UNIT1_CHANGE"));
        row("wrong case, unbound", "FIRE:unit1_changed:zz:", QByteArray(detected).replace("%1", "unit1_changed"));
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
        QList<QByteArray> log = b.LogTexts();
        QCOMPARE(log.takeFirst(), kLoaded);
        QCOMPARE(log, silentAtLoad ? QList<QByteArray>() : logged);

        // Every later change of the entry reports again.
        b.bench.Log().Clear();
        b.bench.Events().OnEventTrigger(0);
        QCOMPARE(b.LogTexts(), logged);
        // An unbound capacity event still records the capacity code.
        if (fire.contains("CAPACITY")) QCOMPARE(b.bench.Model().capacityCode, QByteArray("CAP"));
    }

    void keyLockDialog()
    {
        Bench b;
        b.Load(Template("0", "5000", kAllEvents));
        QCOMPARE(b.prompts.CountOf("keylock"), 0);

        // The technician presses the key lock button and ticks Zero and Print.
        ConfigEntry* keys = b.Entry("KEY LOCK");
        EntryControl* button = keys->GetControl(0);
        QCOMPARE(button->Kind(), ControlKind::Button);
        b.prompts.keyLockMasks.push_back(0x0101);
        b.bench.Pages().OnControlCommand(button, ControlNotification::Clicked);
        QCOMPARE(b.prompts.CountOf("keylock"), 0);  // posted, not yet run
        Bench::Settle();
        QCOMPARE(b.prompts.CountOf("keylock"), 1);
        QCOMPARE(b.prompts.lastKeyLockMaskIn, 0);
        QCOMPARE(keys->value, QByteArray("257"));
        QCOMPARE(keys->modified, 1);

        // The dialog opens with the stored boxes; bits above the sixteen boxes are not shown.
        keys->value = "65537";
        b.bench.Events().OnEventTrigger(b.EventIndex("KEY_LOCK_CHANGED"));
        QCOMPARE(b.prompts.lastKeyLockMaskIn, 1);
        QCOMPARE(keys->value, QByteArray("1"));
    }

    void decimalPointChangeUpdatesCapacityLater()
    {
        Bench b;
        b.Load(Template("0", "5000", kAllEvents));
        ConfigEntry* dpp = b.Entry("DPP");
        EntryControl* list = dpp->GetControl(1);
        list->SetCurrentIndex(1);  // "0.1"
        b.bench.Pages().OnControlCommand(list, ControlNotification::SelectionChanged);
        QCOMPARE(int(b.bench.Model().displayDecimals), 0);

        Bench::Settle();
        QCOMPARE(dpp->value, QByteArray("1"));
        QCOMPARE(b.bench.Tickets().DecimalFormat(4), QByteArray("-0.1"));
        // The capacity event the decimal point posted ran after it and saw the new point.
        QCOMPARE(int(b.bench.Model().displayDecimals), 1);
        QCOMPARE(b.bench.Model().capacityLimit, 500);
        QCOMPARE(b.Shown("CAP"), QByteArray("500.0"));
        QCOMPARE(b.Entry("CAP")->value, QByteArray("5000"));
    }

    void ticketPrintingSwitch()
    {
        Bench b;
        b.Load(Template("0", "5000", kAllEvents));
        QCOMPARE(b.bench.Model().ticketCapable, 0);
        EntryControl* list = b.Entry("qtp")->GetControl(1);
        list->SetCurrentIndex(1);
        b.bench.SetCommandsEnabled(0);
        b.bench.Pages().OnControlCommand(list, ControlNotification::SelectionChanged);
        Bench::Settle();
        QCOMPARE(b.bench.Model().ticketCapable, 1);
        QCOMPARE(b.bench.CommandsEnabled(), 1);
    }

    void lowRangeFollowsSingleRange()
    {
        Bench b;
        b.Load(Template("2", "5000", kAllEvents));
        // A single range: the low range takes the capacity and is shown like it.
        QCOMPARE(b.Entry("LOW RANGE")->value, QByteArray("5000"));
        QCOMPARE(b.Shown("LOW RANGE"), QByteArray("50.00"));

        Bench dual;
        dual.Load(Template("2", "5000", kAllEvents).replace("WT RANGES:160:120:1:", "WT RANGES:160:120:2:"));
        QCOMPARE(dual.Entry("LOW RANGE")->value, QByteArray("2000"));
        QCOMPARE(dual.Shown("LOW RANGE"), QByteArray("20.00"));
    }
};

QTEST_GUILESS_MAIN(TestEvents)
#include "tst_events.moc"
