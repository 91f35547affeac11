// SPDX-License-Identifier: MIT
#include <QtTest>

#include "model/ConfigModel.h"

namespace {

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

CDevice Identified(const QByteArray& model, const QByteArray& revision)
{
    CDevice d;
    d.mfgLine = "MFG:Tervolin Scale Mfg";
    d.modelLine = model;
    d.revisionLine = revision;
    d.protocolLine = "SMA:2/1.0";
    return d;
}

}  // namespace

class TestModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryLine_data();
    void entryLine();
    void formatLineRoundTrip_data();
    void formatLineRoundTrip();
    void setValue_data();
    void setValue();
    void lockedCodes_data();
    void lockedCodes();
    void extraEntry_data();
    void extraEntry();
    void extraEntryLayout();
    void modelInfoLayout();
    void indexAccessors();

    void matchDeviceLine_data();
    void matchDeviceLine();
    void matchLockRule_data();
    void matchLockRule();
    void lastEntryWinsButFindReturnsFirst();
    void findByCodeVersusTopLevel();
    void markReceived_data();
    void markReceived();
    void modifiedThroughSubEntries();

    void addTab_data();
    void addTab();
    void addTabBookkeeping();
    void resetKeepsWhatSurvives();

    void checkIdentity_data();
    void checkIdentity();
    void sameDevice_data();
    void sameDevice();
};

void TestModel::entryLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<QByteArray>>("fields");  // code, x, y, value, valueSpec, choices, label, controlType
    QTest::addColumn<int>("disabled");
    QTest::newRow("escaped colon in the label") << QByteArray("GR:20:60:0:0,1:Off,On:Mode:::combo:")
                                                << QList<QByteArray>{"GR", "20", "60", "0", "0,1", "Off,On", "Mode:", "combo"}
                                                << 1;
    QTest::newRow("later fields empty") << QByteArray("ab:1:2:")
                                        << QList<QByteArray>{"ab", "1", "2", "", "", "", "", ""} << 0;
    QTest::newRow("range entry") << QByteArray("CAP:20:60:100:1-500:1-500:Capacity:edit:")
                                 << QList<QByteArray>{"CAP", "20", "60", "100", "1-500", "1-500", "Capacity", "edit"} << 1;
    // An empty field between two others reads as an escaped colon.
    QTest::newRow("empty choices join valueSpec") << QByteArray("CAP:20:60:100:1-500::Capacity:edit:")
                                                 << QList<QByteArray>{"CAP", "20", "60", "100", "1-500:Capacity", "edit", "", ""}
                                                 << 1;
    QTest::newRow("text after the eighth colon ignored")
        << QByteArray("zz:1:2:3:4:5:6:7:8:9:") << QList<QByteArray>{"zz", "1", "2", "3", "4", "5", "6", "7"} << 0;
    QTest::newRow("no final colon") << QByteArray("zz:1:2:3:4:5:6:edit")
                                    << QList<QByteArray>{"zz", "1", "2", "3", "4", "5", "6", ""} << 0;
    QTest::newRow("no colon at all") << QByteArray("abc") << QList<QByteArray>{"", "", "", "", "", "", "", ""} << 1;
    QTest::newRow("escaped colon in the code") << QByteArray("a::b:1:2:")
                                               << QList<QByteArray>{"a:b", "1", "2", "", "", "", "", ""} << 0;
    QTest::newRow("three colons pair from the left") << QByteArray("x:1:2:v:::y:")
                                                     << QList<QByteArray>{"x", "1", "2", "v:", "y", "", "", ""} << 0;
    QTest::newRow("digit code is locked") << QByteArray("1st:0:0:")
                                          << QList<QByteArray>{"1st", "0", "0", "", "", "", "", ""} << 1;
    QTest::newRow("high byte counts as below a") << QByteArray("\xe9t:0:0:")
                                                 << QList<QByteArray>{"\xe9t", "0", "0", "", "", "", "", ""} << 1;
    QTest::newRow("lower-case after a") << QByteArray("tare:0:0:")
                                        << QList<QByteArray>{"tare", "0", "0", "", "", "", "", ""} << 0;
}

void TestModel::entryLine()
{
    QFETCH(QByteArray, line);
    QFETCH(QList<QByteArray>, fields);
    QFETCH(int, disabled);
    ConfigEntry e(line, "Calibration", 3, nullptr);
    const QList<QByteArray> got = {e.code, e.x, e.y, e.value, e.valueSpec, e.choices, e.label, e.controlType};
    QCOMPARE(got, fields);
    QCOMPARE(e.disabled, disabled);
    QCOMPARE(e.line, line);
    QCOMPARE(e.sectionName, QByteArray("Calibration"));
    QCOMPARE(e.tabIndex, 3);
    QCOMPARE(e.hidden + e.modified + e.hasValue, 0);
    QVERIFY(!e.parent);
}

void TestModel::formatLineRoundTrip_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("label with colon") << QByteArray("GR:20:60:0:0,1:Off,On:Mode:::combo:");
    QTest::newRow("colons in valueSpec and choices") << QByteArray("t:1:2:3:a::b:c::d:e::f:text:");
    QTest::newRow("range") << QByteArray("CAP:20:60:100:1-500:1-500:Capacity:edit:");
}

void TestModel::formatLineRoundTrip()
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

void TestModel::setValue_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("modified");
    QTest::addColumn<int>("hasValue");
    QTest::newRow("empty text changes nothing") << QByteArray("5") << QByteArray() << QByteArray("5") << 0 << 0;
    QTest::newRow("same text: value held, not modified") << QByteArray("5") << QByteArray("5") << QByteArray("5") << 0 << 1;
    QTest::newRow("new text") << QByteArray("5") << QByteArray("6") << QByteArray("6") << 1 << 1;
    QTest::newRow("exact comparison") << QByteArray("5") << QByteArray("5.0") << QByteArray("5.0") << 1 << 1;
    QTest::newRow("first value") << QByteArray() << QByteArray("0") << QByteArray("0") << 1 << 1;
}

void TestModel::setValue()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, after);
    QFETCH(int, modified);
    QFETCH(int, hasValue);
    ConfigEntry e("ab:1:2:" + before + ":", "S", 0, nullptr);
    e.SetValue(text);
    QCOMPARE(e.value, after);
    QCOMPARE(e.modified, modified);
    QCOMPARE(e.hasValue, hasValue);
}

void TestModel::lockedCodes_data()
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

void TestModel::lockedCodes()
{
    QFETCH(QByteArray, code);
    QFETCH(bool, locked);
    QCOMPARE(ConfigEntry::IsLockedCode(code), locked);
}

void TestModel::extraEntry_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("label");
    QTest::newRow("device line") << QByteArray("CAP:5000") << QByteArray("CAP") << QByteArray("5000") << QByteArray();
    QTest::newRow("model information") << QByteArray("SOURCE:Device:Model information is from an attached device")
                                       << QByteArray("SOURCE") << QByteArray("Device")
                                       << QByteArray("Model information is from an attached device");
    QTest::newRow("label ends at its colon") << QByteArray("A:1:lab:more") << QByteArray("A") << QByteArray("1")
                                             << QByteArray("lab");
    QTest::newRow("trailing colon") << QByteArray("MOD:614:") << QByteArray("MOD") << QByteArray("614") << QByteArray();
    QTest::newRow("no colon") << QByteArray("word") << QByteArray("word") << QByteArray() << QByteArray();
}

void TestModel::extraEntry()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, label);
    const auto e = ConfigEntry::MakeExtra(text, 140, 130, 4);
    QCOMPARE(e->code, code);
    QCOMPARE(e->value, value);
    QCOMPARE(e->label, label);
    QCOMPARE(e->x, QByteArray("140"));
    QCOMPARE(e->y, QByteArray("130"));
    QCOMPARE(e->tabIndex, 4);
    QCOMPARE(e->controlType, QByteArray("edit"));
    QCOMPARE(e->hasValue, 1);
    QCOMPARE(e->disabled + e->hidden + e->modified, 0);
    QVERIFY(e->valueSpec.isEmpty() && e->choices.isEmpty() && e->sectionName.isEmpty());
}

void TestModel::extraEntryLayout()
{
    ConfigModel m;
    m.extendedTab = 5;
    QList<QPair<QByteArray, QByteArray>> places;
    for (int i = 0; i < 6; ++i) {
        ConfigEntry* e = m.AddExtraEntry("X" + QByteArray::number(i) + ":1");
        QCOMPARE(e->disabled, 1);
        QCOMPARE(e->tabIndex, 5);
        places.append({e->x, e->y});
    }
    const QList<QPair<QByteArray, QByteArray>> expected = {
        {"20", "60"}, {"140", "60"}, {"260", "60"}, {"380", "60"}, {"20", "130"}, {"140", "130"}};
    QCOMPARE(places, expected);
    QCOMPARE(int(m.extraEntries.size()), 6);
}

void TestModel::modelInfoLayout()
{
    ConfigModel m;
    m.modelInfoTab = 2;
    ConfigEntry* a = m.AddModelInfoEntry("SOURCE:File:Model information is from a file");
    QVERIFY(!m.AddModelInfoEntry("FIELDS:GR1,TF2,"));
    ConfigEntry* b = m.AddModelInfoEntry("MOD:614");
    QCOMPARE(int(m.extraEntries.size()), 2);
    QCOMPARE(a->y, QByteArray("60"));
    QCOMPARE(b->y, QByteArray("120"));
    QCOMPARE(b->x, QByteArray("20"));
    QCOMPARE(b->controlType, QByteArray("large_edit"));
    QCOMPARE(b->tabIndex, 2);
    QCOMPARE(b->disabled, 0);
}

void TestModel::indexAccessors()
{
    ConfigModel m;
    ConfigEntry* top = AddEntry(m, "top:0:0:");
    ConfigEntry* sub = AddSub(top, "sub:0:0:");
    QCOMPARE(top->GetSubEntry(0), sub);
    QVERIFY(!top->GetSubEntry(1));
    QVERIFY(!top->GetSubEntry(-1));
    QVERIFY(!top->GetControl(0));
    QCOMPARE(sub->parent, top);
    ConfigEntry f("v:0:0:12.5abc:", "S", 0, nullptr);
    QCOMPARE(f.ValueAsFloat(), 12.5f);
    ConfigEntry g("v:0:0:abc:", "S", 0, nullptr);
    QCOMPARE(g.ValueAsFloat(), 0.0f);
}

void TestModel::matchDeviceLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QByteArray>("capValue");
    QTest::addColumn<QByteArray>("subValue");
    QTest::newRow("exact code") << QByteArray("CAP:5000") << true << QByteArray("5000") << QByteArray("1");
    QTest::newRow("lower-case line") << QByteArray("cap:6000") << true << QByteArray("6000") << QByteArray("1");
    QTest::newRow("value ends at a colon") << QByteArray("CAP:7:junk") << true << QByteArray("7") << QByteArray("1");
    QTest::newRow("no value") << QByteArray("CAP:") << false << QByteArray("100") << QByteArray("1");
    QTest::newRow("no colon") << QByteArray("CAP") << false << QByteArray("100") << QByteArray("1");
    QTest::newRow("one character value") << QByteArray("CAP:9") << true << QByteArray("9") << QByteArray("1");
    QTest::newRow("empty value after two colons is taken, nothing stored") << QByteArray("CAP::") << true << QByteArray("100") << QByteArray("1");
    QTest::newRow("sub-entry") << QByteArray("hold:0") << true << QByteArray("100") << QByteArray("0");
    QTest::newRow("unknown code") << QByteArray("XYZ:1") << false << QByteArray("100") << QByteArray("1");
    QTest::newRow("code prefix only") << QByteArray("CA:1") << false << QByteArray("100") << QByteArray("1");
}

void TestModel::matchDeviceLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, taken);
    QFETCH(QByteArray, capValue);
    QFETCH(QByteArray, subValue);
    ConfigModel m;
    ConfigEntry* cap = AddEntry(m, "CAP:20:60:100:1-99999::Capacity:edit:");
    ConfigEntry* mode = AddEntry(m, "md:20:60:0:0,1:Off,On:Mode:combo:");
    ConfigEntry* hold = AddSub(mode, "hold:20:60:1:0,1:No,Yes:Hold:combo:");
    QCOMPARE(m.MatchDeviceLine(m.entries, line), taken);
    QCOMPARE(cap->value, capValue);
    QCOMPARE(hold->value, subValue);
    QCOMPARE(mode->value, QByteArray("0"));
    QVERIFY(m.extraEntries.empty());

    ConfigModel empty;
    QVERIFY(empty.MatchDeviceLine(empty.entries, line));
    QVERIFY(empty.extraEntries.empty());
}

void TestModel::matchLockRule_data()
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

void TestModel::matchLockRule()
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

void TestModel::lastEntryWinsButFindReturnsFirst()
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

void TestModel::findByCodeVersusTopLevel()
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

void TestModel::markReceived_data()
{
    QTest::addColumn<int>("unlocked");
    QTest::addColumn<int>("upperDisabled");
    QTest::newRow("locked indicator") << 0 << 1;
    QTest::newRow("unlocked") << 1 << 0;
}

void TestModel::markReceived()
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

void TestModel::modifiedThroughSubEntries()
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

void TestModel::addTab_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("image");
    QTest::addColumn<QByteArray>("special");  // which special tab got index 0
    QTest::addColumn<int>("ticketCapable");
    QTest::newRow("setup") << QByteArray("HDR:Main Setup:") << QByteArray("MOD:614") << QByteArray("Main Setup") << 0
                           << QByteArray() << 0;
    QTest::newRow("calibration") << QByteArray("HDR:Calibration:") << QByteArray() << QByteArray("Calibration") << 1
                                 << QByteArray() << 0;
    QTest::newRow("calibration is exact") << QByteArray("HDR:Calibration 2:") << QByteArray()
                                          << QByteArray("Calibration 2") << 9 << QByteArray() << 0;
    QTest::newRow("digital") << QByteArray("HDR:Digital:") << QByteArray() << QByteArray("Digital") << 2 << QByteArray()
                             << 0;
    QTest::newRow("printing on 958") << QByteArray("HDR:Printing:") << QByteArray("MOD:958") << QByteArray("Printing")
                                     << 3 << QByteArray("print") << 1;
    QTest::newRow("printing on 637") << QByteArray("HDR:Printing:") << QByteArray("MOD:637") << QByteArray("Printing")
                                     << 3 << QByteArray("print") << 1;
    QTest::newRow("printing on 614") << QByteArray("HDR:Printing:") << QByteArray("MOD:614") << QByteArray("Printing")
                                     << 3 << QByteArray("print") << 0;
    QTest::newRow("tabs") << QByteArray("HDR:Print Tabs:") << QByteArray("MOD:615") << QByteArray("Print Tabs") << 3
                          << QByteArray("print") << 1;
    QTest::newRow("external ticket") << QByteArray("HDR:External Ticket:") << QByteArray() << QByteArray("External Ticket")
                                     << 3 << QByteArray() << 1;
    QTest::newRow("printer setup is a setup tab") << QByteArray("HDR:Printer Setup:") << QByteArray()
                                                  << QByteArray("Printer Setup") << 0 << QByteArray("print") << 0;
    QTest::newRow("serial") << QByteArray("HDR:Serial Ports:") << QByteArray() << QByteArray("Serial Ports") << 4
                            << QByteArray() << 0;
    QTest::newRow("model info on 614") << QByteArray("HDR:Model Info:") << QByteArray("MOD:614")
                                       << QByteArray("Model Info") << 5 << QByteArray("info") << 1;
    QTest::newRow("model info elsewhere") << QByteArray("HDR:Model Info:") << QByteArray("MOD:615")
                                          << QByteArray("Model Info") << 5 << QByteArray("info") << 0;
    QTest::newRow("extended") << QByteArray("HDR:Extended:") << QByteArray() << QByteArray("Extended") << 6
                              << QByteArray("extended") << 0;
    QTest::newRow("analog") << QByteArray("HDR:Analog:") << QByteArray() << QByteArray("Analog") << 7 << QByteArray() << 0;
    QTest::newRow("variables") << QByteArray("HDR:Variables:") << QByteArray() << QByteArray("Variables") << 8
                               << QByteArray() << 0;
    QTest::newRow("anything else") << QByteArray("HDR:Misc:") << QByteArray() << QByteArray("Misc") << 9 << QByteArray()
                                   << 0;
    QTest::newRow("empty name") << QByteArray("HDR::") << QByteArray() << QByteArray() << 9 << QByteArray() << 0;
    QTest::newRow("no closing colon") << QByteArray("HDR:Analog") << QByteArray() << QByteArray("Analog") << 7
                                      << QByteArray() << 0;
}

void TestModel::addTab()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, model);
    QFETCH(QByteArray, name);
    QFETCH(int, image);
    QFETCH(QByteArray, special);
    QFETCH(int, ticketCapable);
    ConfigModel m;
    m.fileDevice.modelLine = model;
    QCOMPARE(m.AddTab(header), 0);
    QCOMPARE(m.tabCount, 1);
    QCOMPARE(int(m.tabs.size()), 1);
    QCOMPARE(m.tabs[0].name, name);
    QCOMPARE(m.tabs[0].image, image);
    QCOMPARE(m.currentSectionName, name);
    QCOMPARE(m.printTab, special == "print" ? 0 : -1);
    QCOMPARE(m.modelInfoTab, special == "info" ? 0 : -1);
    QCOMPARE(m.extendedTab, special == "extended" ? 0 : -1);
    QCOMPARE(m.ticketCapable, ticketCapable);
}

void TestModel::addTabBookkeeping()
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

void TestModel::resetKeepsWhatSurvives()
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
    QCOMPARE(m.printTab, -1);
    QCOMPARE(m.extendedTab, -1);
    QCOMPARE(m.modelInfoTab, -1);
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

void TestModel::checkIdentity_data()
{
    QTest::addColumn<QByteArray>("mfg");
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("revision");
    QTest::addColumn<QByteArray>("protocol");
    QTest::addColumn<int>("identified");
    QTest::newRow("complete") << QByteArray("MFG:Tervolin Scale Mfg") << QByteArray("MOD:614") << QByteArray("REV:1.05")
                              << QByteArray("SMA:2/1.0") << 1;
    QTest::newRow("other maker") << QByteArray("MFG:Other Scales") << QByteArray("MOD:614") << QByteArray("REV:1.05")
                                 << QByteArray("SMA:2/1.0") << 0;
    QTest::newRow("maker without MFG:") << QByteArray("Tervolin Scale Mfg") << QByteArray("MOD:614")
                                        << QByteArray("REV:1.05") << QByteArray("SMA:2/1.0") << 0;
    QTest::newRow("maker in other case") << QByteArray("MFG:TERVOLIN SCALE MFG") << QByteArray("MOD:614")
                                         << QByteArray("REV:1.05") << QByteArray("SMA:2/1.0") << 0;
    QTest::newRow("no model") << QByteArray("MFG:Tervolin Scale Mfg") << QByteArray("614") << QByteArray("REV:1.05")
                              << QByteArray("SMA:2/1.0") << 0;
    QTest::newRow("no revision") << QByteArray("MFG:Tervolin Scale Mfg") << QByteArray("MOD:614")
                                 << QByteArray("1.05") << QByteArray("SMA:2/1.0") << 0;
    QTest::newRow("no protocol") << QByteArray("MFG:Tervolin Scale Mfg") << QByteArray("MOD:614")
                                 << QByteArray("REV:1.05") << QByteArray() << 0;
    QTest::newRow("tags anywhere in the line") << QByteArray("x MFG:Tervolin Scale Mfg") << QByteArray("?MOD:")
                                               << QByteArray("-REV:") << QByteArray("SMA:") << 1;
}

void TestModel::checkIdentity()
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

void TestModel::sameDevice_data()
{
    QTest::addColumn<QByteArray>("modelB");
    QTest::addColumn<QByteArray>("revisionB");
    QTest::addColumn<QByteArray>("mfgB");
    QTest::addColumn<bool>("same");
    QTest::newRow("identical") << QByteArray("MOD:614") << QByteArray("REV:1.05") << QByteArray("MFG:Tervolin Scale Mfg")
                               << true;
    QTest::newRow("only the last three revision characters count")
        << QByteArray("MOD:614") << QByteArray("XX 2.05") << QByteArray("MFG:Tervolin Scale Mfg") << true;
    QTest::newRow("other revision") << QByteArray("MOD:614") << QByteArray("REV:1.06")
                                    << QByteArray("MFG:Tervolin Scale Mfg") << false;
    QTest::newRow("other model") << QByteArray("MOD:615") << QByteArray("REV:1.05")
                                 << QByteArray("MFG:Tervolin Scale Mfg") << false;
    QTest::newRow("other maker line") << QByteArray("MOD:614") << QByteArray("REV:1.05")
                                      << QByteArray("MFG:Tervolin Scale Mfg ") << false;
}

void TestModel::sameDevice()
{
    QFETCH(QByteArray, modelB);
    QFETCH(QByteArray, revisionB);
    QFETCH(QByteArray, mfgB);
    QFETCH(bool, same);
    const CDevice a = Identified("MOD:614", "REV:1.05");
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

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
