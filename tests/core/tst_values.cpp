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

// The shared display settings as the capacity event leaves them.
ConfigModel ModelWith(const QByteArray& capacityCode, int capacityLimit, int decimals)
{
    ConfigModel m;
    m.capacityCode = capacityCode;
    m.capacityLimit = capacityLimit;
    m.displayDecimals = int8_t(decimals);
    return m;
}

}  // namespace

class TestValues : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convertToValue_data();
    void convertToValue();
    void applyBoundValue_data();
    void applyBoundValue();
    void applyBoundValueOnCombo();
    void displayText_data();
    void displayText();
    void storedText_data();
    void storedText();
    void conversionFactorRoundTrip();
    void readBackByControlKind();
    void readBackKeepsValueOnBadText();
};

void TestValues::convertToValue_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("spec");
    QTest::addColumn<QByteArray>("choices");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<int>("status");
    // Lists map the shown text to the code at the same position.
    QTest::newRow("list") << QByteArray("md") << QByteArray("0,1,2") << QByteArray("Off,On,Auto") << QByteArray("On") << 1
                          << QByteArray("1") << 0;
    QTest::newRow("list, trimmed") << QByteArray("md") << QByteArray("0,1,2") << QByteArray("Off,On,Auto")
                                   << QByteArray(" Auto\t") << 1 << QByteArray("2") << 0;
    QTest::newRow("list, case-sensitive") << QByteArray("md") << QByteArray("0,1,2") << QByteArray("Off,On,Auto")
                                          << QByteArray("on") << 1 << QByteArray() << 0;
    QTest::newRow("list, first match") << QByteArray("md") << QByteArray("5,6") << QByteArray("X,X") << QByteArray("X")
                                       << 1 << QByteArray("5") << 0;
    QTest::newRow("list, more choices than codes") << QByteArray("md") << QByteArray("0,1") << QByteArray("A,B,C")
                                                   << QByteArray("C") << 1 << QByteArray() << 0;
    // Ranges check the number and keep the text.
    QTest::newRow("range inside") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray("50") << 1
                                  << QByteArray("50") << 0;
    QTest::newRow("range at the bounds") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray("99")
                                         << 1 << QByteArray("99") << 0;
    QTest::newRow("range above") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray("150") << 1
                                 << QByteArray() << 1;
    QTest::newRow("range below") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray("0") << 1
                                 << QByteArray() << 2;
    QTest::newRow("integer part decides the side") << QByteArray("n") << QByteArray("1-99") << QByteArray()
                                                   << QByteArray("99.5") << 1 << QByteArray() << 2;
    QTest::newRow("fraction") << QByteArray("n") << QByteArray("0-1") << QByteArray() << QByteArray(".5") << 1
                              << QByteArray(".5") << 0;
    QTest::newRow("not a number") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray("abc") << 1
                                  << QByteArray() << 0;
    QTest::newRow("minus sign") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray("-5") << 1
                                << QByteArray() << 0;
    QTest::newRow("empty") << QByteArray("n") << QByteArray("1-99") << QByteArray() << QByteArray() << 1 << QByteArray()
                           << 0;
    QTest::newRow("capacity as maximum") << QByteArray("n") << QByteArray("0-CAP") << QByteArray() << QByteArray("5000")
                                         << 1 << QByteArray("5000") << 0;
    QTest::newRow("capacity as maximum, above") << QByteArray("n") << QByteArray("0-CAP") << QByteArray()
                                                << QByteArray("5001") << 1 << QByteArray() << 1;
    // Weights in display units: divided by 10 to the decimals before the check.
    QTest::newRow("tare scaled") << QByteArray("tare") << QByteArray("0-100") << QByteArray() << QByteArray("5000") << 2
                                 << QByteArray("5000") << 0;
    QTest::newRow("tare scaled, above") << QByteArray("tare") << QByteArray("0-100") << QByteArray()
                                        << QByteArray("20000") << 2 << QByteArray() << 1;
    QTest::newRow("capacity code scaled") << QByteArray("CAP") << QByteArray("1-CAP") << QByteArray()
                                          << QByteArray("500000") << 2 << QByteArray("500000") << 0;
    QTest::newRow("low range scaled") << QByteArray("LOW RANGE") << QByteArray("1-CAP") << QByteArray()
                                      << QByteArray("600000") << 2 << QByteArray() << 1;
    QTest::newRow("other codes not scaled") << QByteArray("n") << QByteArray("0-100") << QByteArray()
                                            << QByteArray("5000") << 2 << QByteArray() << 1;
    // "!0": any number but zero.
    QTest::newRow("nonzero") << QByteArray("f") << QByteArray("!0") << QByteArray("!0") << QByteArray("5") << 1
                             << QByteArray("5") << 0;
    QTest::newRow("zero") << QByteArray("f") << QByteArray("!0") << QByteArray("!0") << QByteArray("0.0") << 1
                          << QByteArray() << 0;
    QTest::newRow("small") << QByteArray("f") << QByteArray("!0") << QByteArray("!0") << QByteArray("0.000001") << 1
                           << QByteArray("0.000001") << 0;
    QTest::newRow("nonzero, not a number") << QByteArray("f") << QByteArray("!0") << QByteArray("!0")
                                           << QByteArray("x") << 1 << QByteArray() << 0;
}

void TestValues::convertToValue()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, spec);
    QFETCH(QByteArray, choices);
    QFETCH(QByteArray, text);
    QFETCH(int, decimals);
    QFETCH(QByteArray, result);
    QFETCH(int, status);
    const ConfigModel m = ModelWith("CAP", 5000, decimals);
    ConfigEntry e(code + ":0:0:1:", "Setup", 0, nullptr);
    e.valueSpec = spec;
    e.choices = choices;
    e.controlType = "edit";
    int s = -1;
    QCOMPARE(EntryValues::ConvertToValue(e, text, &s, m), result);
    QCOMPARE(s, status);
    QCOMPARE(EntryValues::ConvertToValue(e, text, nullptr, m), result);
}

void TestValues::applyBoundValue_data()
{
    QTest::addColumn<QByteArray>("spec");
    QTest::addColumn<QByteArray>("choices");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("above the range") << QByteArray("1-99") << QByteArray("1-99") << 1 << QByteArray("99")
                                     << QByteArray("99");
    QTest::newRow("below the range") << QByteArray("1-99") << QByteArray("1-99") << 2 << QByteArray("1")
                                     << QByteArray("1");
    QTest::newRow("no status takes the first part") << QByteArray("7,8") << QByteArray("Seven,Eight") << 0
                                                    << QByteArray("7") << QByteArray("Seven");
    QTest::newRow("nonzero field") << QByteArray("!0") << QByteArray("!0") << 0 << QByteArray("!0")
                                   << QByteArray("0.000001");
    QTest::newRow("capacity as maximum") << QByteArray("0-CAP") << QByteArray("0-CAP") << 1 << QByteArray("CAP")
                                         << QByteArray("5000");
    QTest::newRow("maximum ends at a colon") << QByteArray("0-99:x") << QByteArray("0-99:x") << 1 << QByteArray("99")
                                             << QByteArray("99");
}

void TestValues::applyBoundValue()
{
    QFETCH(QByteArray, spec);
    QFETCH(QByteArray, choices);
    QFETCH(int, status);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, shown);
    const ConfigModel m = ModelWith("CAP", 5000, 1);
    ConfigEntry e("n:0:0:50:x:x:L:edit:", "Setup", 0, nullptr);
    e.valueSpec = spec;
    e.choices = choices;
    AddControl(e, ControlKind::Caption, "N");
    EntryControl* box = AddControl(e, ControlKind::Edit, "150");
    EntryValues::ApplyBoundValue(e, status, m);
    QCOMPARE(e.value, value);
    QCOMPARE(e.modified, 1);
    QCOMPARE(box->Text(), shown);
    QCOMPARE(e.GetControl(0)->Text(), QByteArray("N"));
}

void TestValues::applyBoundValueOnCombo()
{
    const ConfigModel m = ModelWith("CAP", 5000, 1);
    ConfigEntry e("md:0:0:2:0,1,2:Off,On,Auto:Mode:combo:", "Setup", 0, nullptr);
    AddControl(e, ControlKind::Caption);
    EntryControl* list = AddControl(e, ControlKind::Combo);
    for (const char* c : {"Off", "On", "Auto"}) list->AddItem(c);
    list->SetCurrentIndex(2);
    EntryValues::ApplyBoundValue(e, 0, m);
    QCOMPARE(e.value, QByteArray("0"));
    QCOMPARE(list->CurrentIndex(), 0);
    // Already at the bound: not a change.
    e.modified = 0;
    EntryValues::ApplyBoundValue(e, 2, m);
    QCOMPARE(e.modified, 0);
}

void TestValues::displayText_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("conversion factor 5") << QByteArray("CNVT FACTOR") << QByteArray("Setup") << QByteArray("5") << 0
                                         << QByteArray("0.00005");
    QTest::newRow("conversion factor six digits") << QByteArray("CNVT FACTOR") << QByteArray("Setup")
                                                  << QByteArray("123456") << 0 << QByteArray("1.23456");
    QTest::newRow("conversion factor seven digits") << QByteArray("CNVT FACTOR") << QByteArray("Setup")
                                                    << QByteArray("1234567") << 0 << QByteArray("12.34567");
    QTest::newRow("conversion factor with decimals unchanged") << QByteArray("CNVT FACTOR") << QByteArray("Setup")
                                                               << QByteArray("5") << 2 << QByteArray("5");
    QTest::newRow("capacity 5 with 2") << QByteArray("CAP") << QByteArray("Calibration") << QByteArray("5") << 2
                                       << QByteArray("5.00");
    QTest::newRow("capacity 5000 with 2") << QByteArray("CAP") << QByteArray("Calibration") << QByteArray("5000") << 2
                                          << QByteArray("50.00");
    QTest::newRow("capacity without decimals") << QByteArray("CAP") << QByteArray("Calibration") << QByteArray("5000")
                                               << 0 << QByteArray("5000");
    QTest::newRow("low range 5 with 1") << QByteArray("LOW RANGE") << QByteArray("Calibration") << QByteArray("5") << 1
                                        << QByteArray("5.0");
    QTest::newRow("tare 5 with 2") << QByteArray("tare") << QByteArray("Setup") << QByteArray("5") << 2
                                   << QByteArray("0.05");
    QTest::newRow("tare 1234 with 2") << QByteArray("tare") << QByteArray("Setup") << QByteArray("1234") << 2
                                      << QByteArray("12.34");
    QTest::newRow("tare on a Tabs page") << QByteArray("tare") << QByteArray("Print Tabs") << QByteArray("5") << 2
                                         << QByteArray("5");
    QTest::newRow("other code") << QByteArray("INT") << QByteArray("Setup") << QByteArray("5") << 2 << QByteArray("5");
}

void TestValues::displayText()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, value);
    QFETCH(int, decimals);
    QFETCH(QByteArray, shown);
    const ConfigModel m = ModelWith("CAP", 5000, 1);
    ConfigEntry e(code + ":0:0:" + value + ":0-999999:0-999999:L:edit:", section, 0, nullptr);
    QCOMPARE(EntryValues::DisplayText(&e, value, decimals, m), shown);
    EntryControl* box = AddControl(e, ControlKind::Edit);
    EntryValues::SetDisplayValue(box, value, decimals, m);
    QCOMPARE(box->Text(), shown);
    QCOMPARE(EntryValues::DisplayText(nullptr, value, decimals, m), value);
}

void TestValues::storedText_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("conversion factor") << QByteArray("CNVT FACTOR") << QByteArray("0.00005") << QByteArray("000005");
    QTest::newRow("capacity") << QByteArray("CAP") << QByteArray("50.00") << QByteArray("5000");
    QTest::newRow("tare") << QByteArray("tare") << QByteArray("0.05") << QByteArray("005");
    QTest::newRow("low range, first point only") << QByteArray("LOW RANGE") << QByteArray("1.2.3") << QByteArray("12.3");
    QTest::newRow("other code keeps its point") << QByteArray("INT") << QByteArray("1.5") << QByteArray("1.5");
}

void TestValues::storedText()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, stored);
    const ConfigModel m = ModelWith("CAP", 5000, 1);
    ConfigEntry e(code + ":0:0:1:0-9:0-9:L:edit:", "Setup", 0, nullptr);
    QCOMPARE(EntryValues::StoredText(&e, text, m), stored);
    EntryControl* box = AddControl(e, ControlKind::Edit, text);
    QCOMPARE(EntryValues::GetStoredValue(box, m), stored);
}

void TestValues::conversionFactorRoundTrip()
{
    // Six or more digits come back unchanged; a short value comes back padded, which is a change.
    const ConfigModel m = ModelWith("CAP", 5000, 1);
    for (const QByteArray& value : {QByteArray("123456"), QByteArray("5")}) {
        ConfigEntry e("CNVT FACTOR:0:0:" + value + ":1-9999999:1-9999999:Factor:edit:", "Setup", 0, nullptr);
        e.hasValue = 1;
        AddControl(e, ControlKind::Caption);
        EntryControl* box = AddControl(e, ControlKind::Edit);
        EntryValues::SetDisplayValue(box, e.value, 0, m);
        EntryValues::ReadBackControls(&e, m);
        QCOMPARE(e.value, value.size() >= 6 ? value : QByteArray("000005"));
        QCOMPARE(e.modified, value.size() >= 6 ? 0 : 1);
    }
}

void TestValues::readBackByControlKind()
{
    const ConfigModel m = ModelWith("CAP", 5000, 1);
    ConfigEntry radio("rd:0:0:0:0,1,2:A,B,C:R:radio:", "Setup", 0, nullptr);
    AddControl(radio, ControlKind::Radio, "A");
    AddControl(radio, ControlKind::Radio, "B")->SetChecked(true);
    AddControl(radio, ControlKind::Radio, "C");
    AddControl(radio, ControlKind::GroupFrame, "rd");

    ConfigEntry combo("cb:0:0:0:0,1:Off,On:C:combo:", "Setup", 0, nullptr);
    AddControl(combo, ControlKind::Caption, "CB");
    EntryControl* list = AddControl(combo, ControlKind::Combo);
    list->AddItem("Off");
    list->AddItem("On");
    list->SetCurrentIndex(1);

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
    EntryControl* subList = AddControl(sub, ControlKind::Combo);
    subList->AddItem("No");
    subList->AddItem("Yes");
    subList->SetCurrentIndex(0);

    for (ConfigEntry* e : {&radio, &combo, &spin, &text}) EntryValues::ReadBackControls(e, m);
    QCOMPARE(radio.value, QByteArray("1"));
    QCOMPARE(combo.value, QByteArray("1"));
    QCOMPARE(spin.value, QByteArray("7"));
    QCOMPARE(text.value, QByteArray("  free text, not mapped"));
    QCOMPARE(sub.value, QByteArray("0"));
    for (ConfigEntry* e : {&radio, &combo, &spin, &text, &sub}) QCOMPARE(e->hasValue, 1);
}

void TestValues::readBackKeepsValueOnBadText()
{
    const ConfigModel m = ModelWith("CAP", 5000, 1);
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

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
