// SPDX-License-Identifier: MIT
#include <QtTest>

#include "HeadlessBench.h"
#include "tickets/TicketStore.h"

Q_DECLARE_METATYPE(PixelRect)

namespace {

struct Bench : HeadlessBench {
    Bench() { bench.ResetDocument(); }
    ConfigEntry* Add(const QByteArray& line, int tab = 0, int hasValue = 1)
    {
        auto& entries = bench.Model().entries;
        entries.push_back(std::make_unique<ConfigEntry>(line, "Setup", tab, nullptr));
        entries.back()->hasValue = hasValue;
        return entries.back().get();
    }
    ConfigEntry* AddSub(ConfigEntry* parent, const QByteArray& line)
    {
        parent->subEntries.push_back(std::make_unique<ConfigEntry>(line, "Setup", parent->tabIndex, parent));
        parent->subEntries.back()->hasValue = 1;
        return parent->subEntries.back().get();
    }
};

QList<int> Ids(const ConfigEntry* e)
{
    QList<int> out;
    for (const auto& c : e->controls) out.append(c->Id());
    return out;
}

QList<ControlKind> Kinds(const ConfigEntry* e)
{
    QList<ControlKind> out;
    for (const auto& c : e->controls) out.append(c->Kind());
    return out;
}

bool AnyVisible(const ConfigEntry* e)
{
    for (const auto& c : e->controls) {
        if (c->IsVisible()) return true;
    }
    return false;
}

bool AllVisible(const ConfigEntry* e)
{
    for (const auto& c : e->controls) {
        if (!c->IsVisible()) return false;
    }
    return !e->controls.empty();
}

}  // namespace

class TestPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void radioButtons()
    {
        Bench b;
        ConfigEntry* e = b.Add("md:100:200:1:0,1,2:Auto,Manual,Off:Mode:radio:");
        b.bench.Pages().BuildPages();
        QCOMPARE(Kinds(e), (QList<ControlKind>{ControlKind::Radio, ControlKind::Radio, ControlKind::Radio,
                                               ControlKind::GroupFrame}));
        QCOMPARE(Ids(e), (QList<int>{2500, 2501, 2502, kNoControlId}));
        const QList<PixelRect> rects = {{100, 200, 200, 215}, {100, 222, 200, 237}, {100, 244, 200, 259}};
        for (int i = 0; i < 3; ++i) {
            const EntryControl* button = e->GetControl(i);
            QCOMPARE(button->Rect(), rects[i]);
            QCOMPARE(button->Entry(), e);
            QCOMPARE(button->IsChecked(), i == 1);
            QCOMPARE(button->Spec().groupStart, i == 0);
        }
        QCOMPARE(e->GetControl(0)->Text(), QByteArray("Auto"));
        const EntryControl* frame = e->GetControl(3);
        // 20 above the first button, 5 below the last button position.
        QCOMPARE(frame->Rect(), (PixelRect{95, 180, 205, 271}));
        QCOMPARE(frame->Text(), QByteArray("md"));
        QVERIFY(!frame->Entry());
        QVERIFY(frame->Spec().font == ControlFont::Caption);
    }

    void spinRange_data()
    {
        QTest::addColumn<QByteArray>("spec");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QByteArray>("shown");
        auto row = [](const char* name, QByteArray spec, QByteArray value, int low, int high, QByteArray shown) {
            QTest::newRow(name) << spec << value << low << high << shown;
        };
        row("capacity", "0-CAP", "5", 0, 999999, "5");
        row("plain range", "1-9", "3", 1, 9, "3");
        row("value clamped into the range", "1-9", "12", 1, 9, "9");
        row("no dash: same text both ends", "7", "7", 7, 7, "7");
        row("other variable is not special", "0-INT", "0", 0, 0, "0");
    }
    void spinRange()
    {
        QFETCH(QByteArray, spec);
        QFETCH(QByteArray, value);
        Bench b;
        ConfigEntry* e = b.Add("sp:10:50:" + value + ":" + spec + ":" + spec + ":Spin:spin:");
        b.bench.Pages().BuildPages();
        QCOMPARE(Kinds(e), (QList<ControlKind>{ControlKind::Caption, ControlKind::Edit, ControlKind::UpDown}));
        QCOMPARE(Ids(e), (QList<int>{kNoControlId, 3000, 4500}));
        QCOMPARE(e->GetControl(0)->Rect(), (PixelRect{10, 30, 110, 49}));
        QCOMPARE(e->GetControl(0)->Text(), QByteArray("SP"));
        QCOMPARE(e->GetControl(1)->Rect(), (PixelRect{10, 50, 110, 75}));
        QVERIFY(!e->GetControl(1)->Spec().autoHScroll);
        const EntryControl* updown = e->GetControl(2);
        QCOMPARE(updown->Rect(), (PixelRect{110, 50, 120, 68}));
        QCOMPARE(updown->Buddy(), e->GetControl(1));
        QTEST(updown->Low(), "low");
        QTEST(updown->High(), "high");
        QTEST(e->GetControl(1)->Text(), "shown");
    }

    void editBoxes_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("edit") << QByteArray("edit") << 100 << 3000 << true;
        QTest::newRow("large_edit") << QByteArray("large_edit") << 200 << 3000 << true;
        QTest::newRow("text") << QByteArray("text") << 100 << 6000 << false;
    }
    void editBoxes()
    {
        QFETCH(QByteArray, type);
        QFETCH(int, width);
        QFETCH(int, id);
        QFETCH(bool, numeric);
        Bench b;
        ConfigEntry* e = b.Add("nm:40:90:12:0-99:0-99:Label:" + type + ":");
        ConfigEntry* factor = b.Add("CNVT FACTOR:40:200:5:1-999999:1-999999:Factor:" + type + ":");
        factor->disabled = 0;
        b.bench.Pages().BuildPages();
        QCOMPARE(Ids(e), (QList<int>{kNoControlId, id}));
        QCOMPARE(Ids(factor), (QList<int>{kNoControlId, id + 1}));
        QCOMPARE(e->GetControl(0)->Rect(), (PixelRect{40, 70, 40 + width, 89}));
        QCOMPARE(e->GetControl(0)->Text(), QByteArray("NM"));
        QVERIFY(e->GetControl(0)->Spec().font == ControlFont::Caption);
        QVERIFY(!e->GetControl(0)->Entry());
        const EntryControl* box = e->GetControl(1);
        QCOMPARE(box->Rect(), (PixelRect{40, 90, 40 + width, 115}));
        QCOMPARE(box->IsNumeric(), numeric);
        QVERIFY(box->IsWritable());
        QVERIFY(box->Spec().autoHScroll);
        QCOMPARE(box->Text(), QByteArray("12"));
        // At build time only the conversion factor is formatted.
        QCOMPARE(factor->GetControl(1)->Text(), QByteArray("0.00005"));
    }

    void comboSelectionLastMatchWins()
    {
        Bench b;
        ConfigEntry* e = b.Add("cb:300:60:1:0,1,1:Zero,One,Uno:Choice:combo:");
        ConfigEntry* none = b.Add("nb:300:160:7:0,1:Off,On:Other:combo:");
        b.bench.Pages().BuildPages();
        QCOMPARE(Ids(e), (QList<int>{kNoControlId, 4000}));
        const EntryControl* list = e->GetControl(1);
        QCOMPARE(list->Rect(), (PixelRect{300, 60, 400, 140}));
        QCOMPARE(list->ItemCount(), 3);
        QCOMPARE(list->ItemText(2), QByteArray("Uno"));
        QCOMPARE(list->CurrentIndex(), 2);
        QCOMPARE(none->GetControl(1)->CurrentIndex(), -1);
        QCOMPARE(Ids(none), (QList<int>{kNoControlId, 4001}));
    }

    void checkFrameAndButton()
    {
        Bench b;
        ConfigEntry* check = b.Add("cal:20:60:1:0,1:Open,Sealed:Seal:check:");
        ConfigEntry* button = b.Add("key lock:20:120:257:0-65535:0-65535:Keys:button:");
        b.bench.Pages().BuildPages();
        QCOMPARE(Ids(check), QList<int>{5000});
        QCOMPARE(check->GetControl(0)->Kind(), ControlKind::CheckFrame);
        QCOMPARE(check->GetControl(0)->Rect(), (PixelRect{20, 60, 120, 80}));
        QCOMPARE(check->GetControl(0)->Text(), QByteArray("CAL"));
        QCOMPARE(Ids(button), QList<int>{5500});
        QCOMPARE(button->GetControl(0)->Rect(), (PixelRect{20, 100, 120, 130}));
        QCOMPARE(button->GetControl(0)->Text(), QByteArray("KEY LOCK"));
    }

    void typesWithoutControls()
    {
        Bench b;
        ConfigEntry* slider = b.Add("sl:0:0:1:0-9:0-9:S:slider:");
        ConfigEntry* odd = b.Add("od:0:0:1:0-9:0-9:S:Edit:");
        ConfigEntry* empty = b.Add("em:0:0:1:0-9:0-9:S::");
        ConfigEntry* after = b.Add("af:x:y:1:0,1:A,B:S:radio:");
        b.bench.Pages().BuildPages();
        QVERIFY(slider->controls.empty() && odd->controls.empty() && empty->controls.empty());
        // Coordinates that are not numbers count as 0; the radio range starts at its base.
        QCOMPARE(after->GetControl(0)->Rect(), (PixelRect{0, 0, 100, 15}));
        QCOMPARE(after->GetControl(0)->Id(), 2500);
        QCOMPARE(int(b.bench.Model().entries.size()), 4);
    }

    void lockedAndEmptyEntries()
    {
        Bench b;
        ConfigEntry* lockedEdit = b.Add("CAP:20:60:5:0-99:0-99:C:edit:");
        ConfigEntry* emptyEdit = b.Add("ed:20:60:5:0-99:0-99:C:edit:", 0, 0);
        ConfigEntry* lockedCombo = b.Add("MD:20:60:1:0,1:A,B:C:combo:");
        ConfigEntry* emptyCombo = b.Add("md:20:60:1:0,1:A,B:C:combo:", 0, 0);
        ConfigEntry* lockedSpin = b.Add("SP:20:60:1:0-9:0-9:C:spin:");
        ConfigEntry* emptyRadio = b.Add("rd:20:60:1:0,1:A,B:C:radio:", 0, 0);
        b.bench.Pages().BuildPages();

        // A locked edit box stays enabled but takes no input; its caption stays enabled.
        QVERIFY(lockedEdit->GetControl(1)->IsEnabled());
        QVERIFY(!lockedEdit->GetControl(1)->IsWritable());
        QVERIFY(lockedEdit->GetControl(0)->IsEnabled());
        QVERIFY(!emptyEdit->GetControl(0)->IsEnabled());
        QVERIFY(!emptyEdit->GetControl(1)->IsWritable());
        QVERIFY(lockedCombo->GetControl(0)->IsEnabled());
        QVERIFY(!lockedCombo->GetControl(1)->IsEnabled());
        QVERIFY(!emptyCombo->GetControl(0)->IsEnabled());
        QVERIFY(!emptyCombo->GetControl(1)->IsEnabled());
        QVERIFY(lockedSpin->GetControl(0)->IsEnabled());
        QVERIFY(!lockedSpin->GetControl(1)->IsEnabled());
        QVERIFY(!lockedSpin->GetControl(2)->IsEnabled());
        for (int i = 0; i < 3; ++i) QVERIFY(!emptyRadio->GetControl(i)->IsEnabled());
    }

    void subEntriesAndUserData()
    {
        Bench b;
        ConfigEntry* top = b.Add("tp:20:60:1:0,1:A,B:T:combo:");
        ConfigEntry* sub = b.AddSub(top, "sb:140:60:0:0,1:No,Yes:S:combo:");
        ConfigEntry* next = b.Add("nx:20:160:1:0,1:A,B:T:combo:");
        b.bench.Pages().BuildPages();
        // Each entry is built right before its sub-entries, so identifiers follow file order.
        QCOMPARE(top->GetControl(1)->Id(), 4000);
        QCOMPARE(sub->GetControl(1)->Id(), 4001);
        QCOMPARE(next->GetControl(1)->Id(), 4002);
        QCOMPARE(sub->GetControl(1)->Entry(), sub);
        QCOMPARE(b.bench.Pages().RangeOf(4002), PageBuilder::ControlRange::Combo);
        QCOMPARE(b.bench.Pages().RangeOf(4003), PageBuilder::ControlRange::None);
        QCOMPARE(b.bench.Pages().RangeOf(2500), PageBuilder::ControlRange::None);
    }

    void identifiersRestartAfterReset()
    {
        Bench b;
        const QList<QByteArray> lines = {"md:0:0:1:0,1:A,B:M:radio:", "nm:0:0:1:0-9:0-9:N:edit:",
                                         "sp:0:0:1:0-9:0-9:S:spin:",  "cb:0:0:1:0,1:A,B:C:combo:",
                                         "tx:0:0:a:8:8:T:text:",      "ck:0:0:1:0,1:A,B:K:check:",
                                         "bt:0:0:1:0-9:0-9:B:button:"};
        for (const QByteArray& line : lines) b.Add(line);
        b.bench.Pages().BuildPages();
        QCOMPARE(b.bench.Model().entries[0]->GetControl(1)->Id(), 2501);
        b.bench.ResetDocument();
        QVERIFY(b.bench.Model().entries.empty());
        // Every range counts from its base again.
        for (const QByteArray& line : lines) b.Add(line);
        b.bench.Pages().BuildPages();
        QList<QList<int>> ids;
        for (const auto& e : b.bench.Model().entries) ids.append(Ids(e.get()));
        const int none = kNoControlId;
        QCOMPARE(ids, (QList<QList<int>>{{2500, 2501, none}, {none, 3000}, {none, 3001, 4500}, {none, 4000},
                                         {none, 6000}, {5000}, {5500}}));
    }

    void rulesAppliedAfterBuilding()
    {
        Bench b;
        b.Add("ef:20:60:1:0,1:Off,On:Ef:combo:");
        ConfigEntry* target = b.Add("ab:20:160:1:0,1:A,B:Ab:combo:");
        ConfigEntry* other = b.Add("cd:140:160:1:0,1:A,B:Cd:combo:", 1);
        auto& rules = b.bench.Model().interlocks;
        rules.emplace_back("DISABLE:ab:ef:1", kDisable, b.bench.Model().entries);
        rules.emplace_back("HIDE:ab,cd:ef:1", kHide, b.bench.Model().entries);
        rules.emplace_back("DISABLE:cd:ef:0", kDisable, b.bench.Model().entries);
        b.bench.Pages().BuildPages();
        QVERIFY(!target->GetControl(1)->IsEnabled());
        QCOMPARE(target->hidden, 1);
        QCOMPARE(other->hidden, 1);
        QVERIFY(other->GetControl(1)->IsEnabled());
    }

    void showPageAndHiddenEntries()
    {
        Bench b;
        ConfigEntry* first = b.Add("a:20:60:1:0,1:A,B:A:combo:", 0);
        ConfigEntry* hidden = b.Add("h:20:160:1:0,1:A,B:H:combo:", 0);
        ConfigEntry* second = b.Add("c:20:60:1:0,1:A,B:C:radio:", 1);
        ConfigEntry* sub = b.AddSub(second, "s:140:60:1:0,1:A,B:S:combo:");
        hidden->hidden = 1;
        b.bench.Pages().BuildPages();
        b.bench.Pages().SelectTab(0);
        QVERIFY(AllVisible(first));
        QVERIFY(!AnyVisible(hidden));
        QVERIFY(!AnyVisible(second));
        QVERIFY(!AnyVisible(sub));
        QCOMPARE(b.bench.Pages().PageShown(), 0);
        QVERIFY(!b.view.ticketEditorVisible);
        b.bench.Pages().SelectTab(1);
        QVERIFY(!AnyVisible(first));
        QVERIFY(!AnyVisible(hidden));
        QVERIFY(AllVisible(second));
        QVERIFY(AllVisible(sub));
        QCOMPARE(b.bench.Pages().PageShown(), 1);
        QCOMPARE(b.bench.Model().currentTabIndex, 1);
    }

    void extraEntriesReadOnly()
    {
        Bench b;
        ConfigModel& m = b.bench.Model();
        m.extendedTab = 2;
        m.modelInfoTab = 3;
        b.Add("a:20:60:1:0-9:0-9:A:edit:");
        ConfigEntry* extra = m.AddExtraEntry("XYZ:42");
        ConfigEntry* info = m.AddModelInfoEntry("MOD:614");
        b.bench.Pages().BuildPages();
        QCOMPARE(Ids(extra), (QList<int>{kNoControlId, 3001}));
        QCOMPARE(extra->GetControl(1)->Rect(), (PixelRect{20, 60, 120, 85}));
        QVERIFY(!extra->GetControl(1)->IsWritable());
        QVERIFY(extra->GetControl(1)->IsNumeric());
        QCOMPARE(extra->GetControl(1)->Text(), QByteArray("42"));
        QCOMPARE(info->GetControl(1)->Rect(), (PixelRect{20, 60, 220, 85}));
        b.bench.Pages().SelectTab(3);
        QVERIFY(AllVisible(info));
        QVERIFY(!AnyVisible(extra));
    }

    void toolTipsFollowControls()
    {
        Bench b;
        ConfigEntry* top = b.Add("md:0:0:1:0,1,2:A,B,C:M:radio:");
        b.AddSub(top, "sb:0:0:0:0,1:No,Yes:S:combo:");
        b.bench.Model().extendedTab = 1;
        b.bench.Model().AddExtraEntry("X:1");
        b.bench.Pages().BuildPages();
        b.bench.Pages().AddEntryToolTips(b.bench.Model().entries);
        QCOMPARE(b.view.toolTipCount, 4 + 2);
        b.bench.Pages().AddEntryToolTips(b.bench.Model().extraEntries);
        QCOMPARE(b.view.toolTipCount, 8);
        b.bench.ResetDocument();
        QCOMPARE(b.view.toolTipCount, 0);
    }

    void ticketEditorFieldButtons_data()
    {
        QTest::addColumn<QByteArray>("fields");
        QTest::addColumn<short>("mode");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<QList<int>>("on");
        auto row = [](const char* name, QByteArray fields, short mode, bool attached, QList<int> on) {
            QTest::newRow(name) << fields << mode << attached << on;
        };
        row("weights only", "FIELDS:GR9,", 0, false, {0, 1});
        row("codes are found anywhere: GR1 holds R1", "FIELDS:GR1,", 0, false, {0, 1, 4});
        row("full list", kDefaultFieldsLine, 0, false, {0, 1, 2, 3, 4, 5, 6, 8});
        row("header and bitmap", "FIELDS:BM1,CN2,", 1, false, {5, 7, 10, 11});
        row("ids and accumulation", "FIELDS:R2A,NAB,", 0, false, {4, 8});
        row("first seven characters skipped", "GRTMCN:UF1,", 0, false, {6});
        row("only 116 characters read", "FIELDS:" + QByteArray(115, 'x') + "CN,", 0, false, {});
        row("attached indicator's list", "FIELDS:DT1,", 0, true, {2, 3});
    }
    void ticketEditorFieldButtons()
    {
        QFETCH(QByteArray, fields);
        QFETCH(short, mode);
        QFETCH(bool, attached);
        Bench b;
        ConfigModel& m = b.bench.Model();
        if (attached) {
            m.attachedDevice.identified = 1;
            m.attachedDevice.fieldsLine = fields;
            m.fileDevice.fieldsLine = "FIELDS:GR1,CN2,UF3,PW4,HT5,ID6,TM7,";
        } else {
            m.fileDevice.fieldsLine = fields;
        }
        m.printTab = 1;
        m.ticketCapable = 1;
        TicketStore& store = b.bench.Tickets();
        store.SetEditorMode(mode);
        for (short i = 0; i < 12; ++i) store.SetFieldButton(i, 2);
        b.Add("a:0:0:1:0,1:A,B:A:combo:", 1);
        b.bench.Pages().BuildPages();
        b.bench.Pages().SelectTab(1);
        QVERIFY(b.view.ticketEditorVisible);
        QList<int> got;
        for (short i = 0; i < 12; ++i) {
            QVERIFY(store.FieldButton(i) == 1 || store.FieldButton(i) == 2);
            if (store.FieldButton(i) == 2) got.append(i);
        }
        QTEST(got, "on");
        b.bench.Pages().SelectTab(0);
        QVERIFY(!b.view.ticketEditorVisible);
    }

    void ticketEditorNeedsTicketSupport()
    {
        Bench b;
        ConfigModel& m = b.bench.Model();
        m.printTab = 1;
        m.ticketCapable = 0;
        b.bench.Pages().BuildPages();
        b.bench.Pages().SelectTab(1);
        QVERIFY(!b.view.ticketEditorVisible);
        QCOMPARE(b.bench.Tickets().FieldButton(0), short(0));
        QCOMPARE(b.bench.Pages().PageShown(), 1);
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
        QTest::newRow("inside") << number << QByteArray("42") << QByteArray("42");
        QTest::newRow("empty is below") << number << QByteArray("") << QByteArray("1");
        QTest::newRow("text cut to its maximum") << text << QByteArray("ABCDEFGHIJK") << QByteArray("ABCDEFGH");
        QTest::newRow("short text") << text << QByteArray("SHORT") << QByteArray("SHORT");
    }
    void leavingABoxCorrectsItsValue()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, typed);
        Bench b;
        ConfigEntry* e = b.Add(line);
        // The same entry with a locked code.
        ConfigEntry* locked = b.Add(line.left(line.indexOf(':')).toUpper() + line.mid(line.indexOf(':')));
        b.bench.Pages().BuildPages();
        EntryControl* box = e->GetControl(1);
        box->SetText(typed);
        b.bench.Pages().OnControlCommand(box, ControlNotification::FocusLost);
        QTEST(e->value, "stored");
        QTEST(box->Text(), "stored");
        QVERIFY(b.prompts.shown.empty());
        QCOMPARE(b.bench.Log().RowCount(), 0);

        // A locked numeric entry is left to the next read back; a text box is cut either way.
        if (!line.endsWith(":edit:")) return;
        const QByteArray before = locked->value;
        locked->GetControl(1)->SetText(typed);
        b.bench.Pages().OnControlCommand(locked->GetControl(1), ControlNotification::FocusLost);
        QCOMPARE(locked->value, before);
    }

    void dialogKeysOnPrintPage()
    {
        Bench b;
        b.bench.Model().printTab = 2;
        QSignalSpy keys(&b.bench.Tickets(), &TicketStore::KeySent);
        b.bench.Pages().SelectTab(0);
        QVERIFY(!b.bench.ForwardDialogKey(13));
        b.bench.Pages().SelectTab(2);
        QVERIFY(b.bench.ForwardDialogKey(13));
        QVERIFY(b.bench.ForwardDialogKey(27));
        QCOMPARE(keys.count(), 2);
        QCOMPARE(keys[1][0].toInt(), 27);
    }
};

QTEST_GUILESS_MAIN(TestPages)
#include "tst_pages.moc"
