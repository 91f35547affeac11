// SPDX-License-Identifier: MIT
#include <QtTest>

#include "model/ConfigModel.h"
#include "model/EntryControl.h"
#include "model/EntryValues.h"

namespace {

EntryControl* AddControl(ConfigEntry& e, ControlKind kind, const QByteArray& text = QByteArray(),
                         EntryControl* buddy = nullptr)
{
    ControlSpec s;
    s.kind = kind;
    s.entry = kind == ControlKind::Caption ? nullptr : &e;
    s.text = text;
    s.buddy = buddy;
    s.id = kind == ControlKind::Caption ? kNoControlId : 3000;
    e.controls.push_back(std::make_unique<PlainEntryControl>(s));
    return e.controls.back().get();
}

EntryControl* AddList(ConfigEntry& e, std::initializer_list<const char*> items, int current)
{
    EntryControl* list = AddControl(e, ControlKind::Combo);
    for (const char* item : items) list->AddItem(item);
    list->SetCurrentIndex(current);
    return list;
}

// The shared display settings as the capacity event leaves them: capacity code CAP, limit 5000.
ConfigModel ModelWith(int decimals)
{
    ConfigModel m;
    m.capacityCode = "CAP";
    m.capacityLimit = 5000;
    m.displayDecimals = int8_t(decimals);
    return m;
}

}  // namespace

class TestValues : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convertToValue_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("spec");
        QTest::addColumn<QByteArray>("choices");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("status");
        auto row = [](const char* name, QByteArray code, QByteArray spec, QByteArray choices, QByteArray text,
                      int decimals, QByteArray result, int status) {
            QTest::newRow(name) << code << spec << choices << text << decimals << result << status;
        };
        // Lists map the shown text to the code at the same position.
        row("list", "md", "0,1,2", "Off,On,Auto", "On", 1, "1", 0);
        row("list, trimmed", "md", "0,1,2", "Off,On,Auto", " Auto\t", 1, "2", 0);
        row("list, case-sensitive", "md", "0,1,2", "Off,On,Auto", "on", 1, "", 0);
        row("list, first match", "md", "5,6", "X,X", "X", 1, "5", 0);
        row("list, more choices than codes", "md", "0,1", "A,B,C", "C", 1, "", 0);
        // Ranges check the number and keep the text.
        row("range inside", "n", "1-99", "", "50", 1, "50", 0);
        row("range at the bounds", "n", "1-99", "", "99", 1, "99", 0);
        row("range above", "n", "1-99", "", "150", 1, "", 1);
        row("range below", "n", "1-99", "", "0", 1, "", 2);
        row("integer part decides the side", "n", "1-99", "", "99.5", 1, "", 2);
        row("fraction", "n", "0-1", "", ".5", 1, ".5", 0);
        row("not a number", "n", "1-99", "", "abc", 1, "", 0);
        row("minus sign", "n", "1-99", "", "-5", 1, "", 0);
        row("empty", "n", "1-99", "", "", 1, "", 0);
        row("capacity as maximum", "n", "0-CAP", "", "5000", 1, "5000", 0);
        row("capacity as maximum, above", "n", "0-CAP", "", "5001", 1, "", 1);
        // Weights in display units: divided by 10 to the decimals before the check.
        row("tare scaled", "tare", "0-100", "", "5000", 2, "5000", 0);
        row("tare scaled, above", "tare", "0-100", "", "20000", 2, "", 1);
        row("capacity code scaled", "CAP", "1-CAP", "", "500000", 2, "500000", 0);
        row("low range scaled", "LOW RANGE", "1-CAP", "", "600000", 2, "", 1);
        row("other codes not scaled", "n", "0-100", "", "5000", 2, "", 1);
        // "!0": any number but zero.
        row("nonzero", "f", "!0", "!0", "5", 1, "5", 0);
        row("zero", "f", "!0", "!0", "0.0", 1, "", 0);
        row("small", "f", "!0", "!0", "0.000001", 1, "0.000001", 0);
        row("nonzero, not a number", "f", "!0", "!0", "x", 1, "", 0);
    }
    void convertToValue()
    {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, spec);
        QFETCH(QByteArray, choices);
        QFETCH(QByteArray, text);
        QFETCH(int, decimals);
        QFETCH(QByteArray, result);
        const ConfigModel m = ModelWith(decimals);
        ConfigEntry e(code + ":0:0:1:", "Setup", 0, nullptr);
        e.valueSpec = spec;
        e.choices = choices;
        e.controlType = "edit";
        int s = -1;
        QCOMPARE(EntryValues::ConvertToValue(e, text, &s, m), result);
        QTEST(s, "status");
        QCOMPARE(EntryValues::ConvertToValue(e, text, nullptr, m), result);
    }

    void applyBoundValue_data()
    {
        QTest::addColumn<QByteArray>("spec");
        QTest::addColumn<QByteArray>("choices");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("shown");
        auto row = [](const char* name, QByteArray spec, QByteArray choices, int status, QByteArray value,
                      QByteArray shown) { QTest::newRow(name) << spec << choices << status << value << shown; };
        row("above the range", "1-99", "1-99", 1, "99", "99");
        row("below the range", "1-99", "1-99", 2, "1", "1");
        row("no status takes the first part", "7,8", "Seven,Eight", 0, "7", "Seven");
        row("nonzero field", "!0", "!0", 0, "!0", "0.000001");
        row("capacity as maximum", "0-CAP", "0-CAP", 1, "CAP", "5000");
        row("maximum ends at a colon", "0-99:x", "0-99:x", 1, "99", "99");
    }
    void applyBoundValue()
    {
        QFETCH(QByteArray, spec);
        QFETCH(QByteArray, choices);
        QFETCH(int, status);
        ConfigEntry e("n:0:0:50:x:x:L:edit:", "Setup", 0, nullptr);
        e.valueSpec = spec;
        e.choices = choices;
        AddControl(e, ControlKind::Caption, "N");
        EntryControl* box = AddControl(e, ControlKind::Edit, "150");
        EntryValues::ApplyBoundValue(e, status, ModelWith(1));
        QTEST(e.value, "value");
        QCOMPARE(e.modified, 1);
        QTEST(box->Text(), "shown");
        QCOMPARE(e.GetControl(0)->Text(), QByteArray("N"));
    }

    void applyBoundValueOnCombo()
    {
        const ConfigModel m = ModelWith(1);
        ConfigEntry e("md:0:0:2:0,1,2:Off,On,Auto:Mode:combo:", "Setup", 0, nullptr);
        AddControl(e, ControlKind::Caption);
        EntryControl* list = AddList(e, {"Off", "On", "Auto"}, 2);
        EntryValues::ApplyBoundValue(e, 0, m);
        QCOMPARE(e.value, QByteArray("0"));
        QCOMPARE(list->CurrentIndex(), 0);
        // Already at the bound: not a change.
        e.modified = 0;
        EntryValues::ApplyBoundValue(e, 2, m);
        QCOMPARE(e.modified, 0);
    }

    void displayText_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QByteArray>("shown");
        auto row = [](const char* name, QByteArray code, QByteArray section, QByteArray value, int decimals,
                      QByteArray shown) { QTest::newRow(name) << code << section << value << decimals << shown; };
        row("conversion factor 5", "CNVT FACTOR", "Setup", "5", 0, "0.00005");
        row("conversion factor six digits", "CNVT FACTOR", "Setup", "123456", 0, "1.23456");
        row("conversion factor seven digits", "CNVT FACTOR", "Setup", "1234567", 0, "12.34567");
        row("conversion factor with decimals unchanged", "CNVT FACTOR", "Setup", "5", 2, "5");
        row("capacity 5 with 2", "CAP", "Calibration", "5", 2, "5.00");
        row("capacity 5000 with 2", "CAP", "Calibration", "5000", 2, "50.00");
        row("capacity without decimals", "CAP", "Calibration", "5000", 0, "5000");
        row("low range 5 with 1", "LOW RANGE", "Calibration", "5", 1, "5.0");
        row("tare 5 with 2", "tare", "Setup", "5", 2, "0.05");
        row("tare 1234 with 2", "tare", "Setup", "1234", 2, "12.34");
        row("tare on a Tabs page", "tare", "Print Tabs", "5", 2, "5");
        row("other code", "INT", "Setup", "5", 2, "5");
    }
    void displayText()
    {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, value);
        QFETCH(int, decimals);
        const ConfigModel m = ModelWith(1);
        ConfigEntry e(code + ":0:0:" + value + ":0-999999:0-999999:L:edit:", section, 0, nullptr);
        QTEST(EntryValues::DisplayText(&e, value, decimals, m), "shown");
        EntryControl* box = AddControl(e, ControlKind::Edit);
        EntryValues::SetDisplayValue(box, value, decimals, m);
        QTEST(box->Text(), "shown");
        QCOMPARE(EntryValues::DisplayText(nullptr, value, decimals, m), value);
    }

    void storedText_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("stored");
        auto row = [](const char* name, QByteArray code, QByteArray text, QByteArray stored) {
            QTest::newRow(name) << code << text << stored;
        };
        row("conversion factor", "CNVT FACTOR", "0.00005", "000005");
        row("capacity", "CAP", "50.00", "5000");
        row("tare", "tare", "0.05", "005");
        row("low range, first point only", "LOW RANGE", "1.2.3", "12.3");
        row("other code keeps its point", "INT", "1.5", "1.5");
    }
    void storedText()
    {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, text);
        const ConfigModel m = ModelWith(1);
        ConfigEntry e(code + ":0:0:1:0-9:0-9:L:edit:", "Setup", 0, nullptr);
        QTEST(EntryValues::StoredText(&e, text, m), "stored");
        QTEST(EntryValues::GetStoredValue(AddControl(e, ControlKind::Edit, text), m), "stored");
    }

    void conversionFactorRoundTrip()
    {
        // Six or more digits come back unchanged; a short value comes back padded, which is a change.
        const ConfigModel m = ModelWith(1);
        for (const QByteArray& value : {QByteArray("123456"), QByteArray("5")}) {
            ConfigEntry e("CNVT FACTOR:0:0:" + value + ":1-9999999:1-9999999:Factor:edit:", "Setup", 0, nullptr);
            e.hasValue = 1;
            AddControl(e, ControlKind::Caption);
            EntryValues::SetDisplayValue(AddControl(e, ControlKind::Edit), e.value, 0, m);
            EntryValues::ReadBackControls(&e, m);
            QCOMPARE(e.value, value.size() >= 6 ? value : QByteArray("000005"));
            QCOMPARE(e.modified, value.size() >= 6 ? 0 : 1);
        }
    }

    void readBackByControlKind()
    {
        const ConfigModel m = ModelWith(1);
        ConfigEntry radio("rd:0:0:0:0,1,2:A,B,C:R:radio:", "Setup", 0, nullptr);
        AddControl(radio, ControlKind::Radio, "A");
        AddControl(radio, ControlKind::Radio, "B")->SetChecked(true);
        AddControl(radio, ControlKind::Radio, "C");
        AddControl(radio, ControlKind::GroupFrame, "rd");

        ConfigEntry combo("cb:0:0:0:0,1:Off,On:C:combo:", "Setup", 0, nullptr);
        AddControl(combo, ControlKind::Caption, "CB");
        AddList(combo, {"Off", "On"}, 1);

        ConfigEntry spin("sp:0:0:3:0-9:0-9:S:spin:", "Setup", 0, nullptr);
        AddControl(spin, ControlKind::Caption, "SP");
        EntryControl* buddy = AddControl(spin, ControlKind::Edit, "3");
        EntryControl* updown = AddControl(spin, ControlKind::UpDown, QByteArray(), buddy);
        updown->SetRange(0, 9);
        updown->SetPos(7);

        ConfigEntry text("tx:0:0:old:8:8:Name:text:", "Setup", 0, nullptr);
        AddControl(text, ControlKind::Caption, "TX");
        AddControl(text, ControlKind::Edit, "  free text, not mapped");
        // Sub-entries are read with their parent.
        text.subEntries.push_back(std::make_unique<ConfigEntry>("sb:0:0:1:0,1:No,Yes:Sub:combo:", "Setup", 0, &text));
        ConfigEntry& sub = *text.subEntries.back();
        AddList(sub, {"No", "Yes"}, 0);

        for (ConfigEntry* e : {&radio, &combo, &spin, &text}) EntryValues::ReadBackControls(e, m);
        QCOMPARE(radio.value, QByteArray("1"));
        QCOMPARE(combo.value, QByteArray("1"));
        QCOMPARE(spin.value, QByteArray("7"));
        QCOMPARE(text.value, QByteArray("  free text, not mapped"));
        QCOMPARE(sub.value, QByteArray("0"));
        for (ConfigEntry* e : {&radio, &combo, &spin, &text, &sub}) QCOMPARE(e->hasValue, 1);
    }

    void readBackKeepsValueOnBadText()
    {
        const ConfigModel m = ModelWith(1);
        ConfigEntry e("n:0:0:50:1-99:1-99:N:edit:", "Setup", 0, nullptr);
        AddControl(e, ControlKind::Caption, "N");
        EntryControl* box = AddControl(e, ControlKind::Edit, "150");
        EntryValues::ReadBackControls(&e, m);
        QCOMPARE(e.value, QByteArray("50"));
        QCOMPARE(e.modified + e.hasValue, 0);
        box->SetText("");
        EntryValues::ReadBackControls(&e, m);
        QCOMPARE(e.value, QByteArray("50"));
        box->SetText("60");
        EntryValues::ReadBackControls(&e, m);
        QCOMPARE(e.value, QByteArray("60"));
        QCOMPARE(e.modified, 1);
    }
};

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
