// SPDX-License-Identifier: MIT
// What a technician's edit turns into: the zero correction of the conversion factor, and
// values a configuration line cannot carry.
#include <QtTest>

#include "HeadlessBench.h"
#include "StatusLog.h"
#include "model/EntryValues.h"

namespace {

struct Bench : HeadlessBench {
    Bench() : HeadlessBench(true) {}
    void New(const char* model)
    {
        prompts.models.push_back(model);
        bench.OnNew();
    }
    // Types into the entry's box and leaves it, then lets the posted events run.
    void TypeAndLeave(const char* code, const QByteArray& text)
    {
        EntryControl* box = Entry(code)->GetControl(1);
        box->SetText(text);
        bench.Pages().OnControlCommand(box, ControlNotification::FocusLost);
        Settle();
    }
};

}  // namespace

class TestEntryEdits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversionFactorZero()
    {
        Bench b;
        b.New("Model 615");
        b.bench.Pages().SelectTab(1);  // Calibration
        b.TypeAndLeave("CNVT FACTOR", "0");
        EntryControl* box = b.Entry("CNVT FACTOR")->GetControl(1);
        QCOMPARE(box->Text(), QByteArray(EntryValues::kNonZeroCorrection));
        // The stored value is what the next read back makes of what is shown.
        b.bench.Pages().ReadBackAll();
        QCOMPARE(b.Entry("CNVT FACTOR")->value, QByteArray("0000001"));
        QCOMPARE(box->Text(), QByteArray("0.000001"));

        // An ordinary factor still shows as its stored value.
        b.TypeAndLeave("CNVT FACTOR", "5");
        QCOMPARE(box->Text(), QByteArray("0.00005"));
    }

    void lineCanCarry_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("carried");
        QTest::newRow("plain") << QByteArray("LINE A/B") << true;
        QTest::newRow("colon") << QByteArray("LINE A:B") << false;
        QTest::newRow("comment") << QByteArray("a//b") << false;
        QTest::newRow("line end") << QByteArray("a\rb") << false;
        QTest::newRow("NUL") << QByteArray("a\0b", 3) << false;
    }
    void lineCanCarry()
    {
        QFETCH(QByteArray, value);
        QTEST(EntryValues::LineCanCarry(value), "carried");
    }

    // A value the file cannot hold (arrived so from elsewhere) is kept in memory, named in a
    // Warning, and the file stays well formed.
    void uncarriedValueOnSave_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("colon") << QByteArray("LINE A:B");
        QTest::newRow("comment") << QByteArray("LINE A//B");
    }
    void uncarriedValueOnSave()
    {
        QFETCH(QByteArray, value);
        Bench b;
        b.New("Model 615");
        b.Entry("hd1")->SetValue(value);
        b.Entry("hd1")->GetControl(1)->SetText(value);
        b.Entry("hd2")->GetControl(1)->SetText("DOCK 2");
        const QString path = b.data.Configurations() + QStringLiteral("site.csc");
        b.prompts.files.push_back(path);
        b.bench.OnSave();
        QCOMPARE(b.Entry("hd1")->value, value);
        const StatusLine& last = b.bench.Log().Lines().back();
        QCOMPARE(last.kind, int(kWarning));
        QVERIFY(last.text.startsWith("Value of HD1 (Ticket header line 1 (20 characters)) not saved"));

        b.prompts.files.push_back(path);
        b.bench.OnOpen();
        QCOMPARE(b.Entry("hd1")->value, QByteArray("TERVOLIN SCALE"));
        QCOMPARE(b.Entry("hd2")->value, QByteArray("DOCK 2"));
        QCOMPARE(b.Entry("hd1")->controls.size(), size_t(2));
    }
};

QTEST_GUILESS_MAIN(TestEntryEdits)
#include "tst_entryedits.moc"
