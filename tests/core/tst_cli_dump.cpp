// SPDX-License-Identifier: MIT
// "tarelink-cli dump" and "resave" run as a technician would run them: the JSON they print,
// their exit codes, and the shipped templates surviving two saves unchanged.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <functional>

#include "TestData.h"

namespace {

// A whole run may read a template, build its pages and write it; generous for slow machines.
constexpr int kRunTimeoutMs = 60000;

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json;
};

Run Cli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(TARELINK_BINARY_DIR "/src/main/tarelink-cli"), args);
    Run run;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    run.json = QJsonDocument::fromJson(run.out).object();
    return run;
}

QJsonValue V(const QJsonValue& object, const char* key)
{
    return object.toObject().value(QLatin1String(key));
}

QString S(const QJsonValue& object, const char* key)
{
    return V(object, key).toString();
}

// The key of every object of an array, joined with '|'.
QString Names(const QJsonValue& array, const char* key)
{
    QStringList out;
    for (const QJsonValue& v : array.toArray()) out.append(S(v, key));
    return out.join(QLatin1Char('|'));
}

QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

const QByteArray kSmall =
    "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\n"
    "HDR:Setup:\r\n"
    "unt:20:60:0:0,1:lb,kg:Unit:combo:\r\n"
    "->:par:20:120:1:0,1:None,Odd:Parity:combo:\r\n"
    "lbl:160:60:CAF\xc9:8:8:Caf\xe9 name:text:\r\n"
    "END:\r\n"
    "ASSIGN:TAREWEIGHT:unt:\r\nEND:\r\n"
    "HIDE:par:unt:1:\r\nEND:\r\n"
    "FIRE:UNIT1_CHANGED:unt:\r\nFIRE:BOGUS:none:\r\nEND:\r\n"
    "Slot:1:\r\nSlot:2:\r\nEND:\r\n";

}  // namespace

class TestCliDump : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dumpShape()
    {
        TestData data(false);
        const Run run = Cli({QStringLiteral("dump"), data.Write(QStringLiteral("small.csc"), kSmall)});
        QCOMPARE(run.exitCode, 0);
        const QJsonValue j = run.json;
        QCOMPARE(run.json.keys().join(QLatin1Char('|')),
                 Q("attachedDevice|documentPath|entries|events|extendedTab|extraEntries|fileDevice|interlocks|log|"
                   "modelInfoTab|printTab|result|slotCount|tabs|ticketCapable|variables"));
        QCOMPARE(V(j, "result").toInt(), 1);
        QCOMPARE(S(j, "documentPath"), Q("615.tpl"));
        QCOMPARE(V(j, "slotCount").toInt(), 2);
        QCOMPARE(V(V(j, "attachedDevice"), "unlocked").toInt(), 1);
        QCOMPARE(V(V(j, "fileDevice"), "identified").toInt(), 1);

        const QJsonArray entries = V(j, "entries").toArray();
        QCOMPARE(Names(entries, "code"), Q("unt|lbl"));
        QCOMPARE(S(entries[0], "choices"), Q("lb,kg"));
        QCOMPARE(S(entries[0], "sectionName"), Q("Setup"));
        QCOMPARE(V(entries[0], "hasValue").toInt(), 1);
        const QJsonValue par = V(entries[0], "subEntries").toArray()[0];
        QCOMPARE(S(par, "code"), Q("par"));
        QCOMPARE(V(par, "hidden").toInt(), 0);  // unt is 0: the HIDE rule did not fire
        // 8-bit texts come out as Latin-1.
        QCOMPARE(S(entries[1], "value"), QStringLiteral("CAF\u00c9"));
        QCOMPARE(S(entries[1], "label"), QStringLiteral("Caf\u00e9 name"));

        QCOMPARE(S(V(j, "variables"), "tare"), Q("unt"));
        QVERIFY(V(V(j, "variables"), "capacity").isNull());

        const QJsonValue rule = V(j, "interlocks").toArray()[0];
        QCOMPARE(V(rule, "type").toInt(), 5);
        QCOMPARE(S(rule, "control"), Q("unt"));
        QCOMPARE(V(rule, "values").toArray().first().toString(), Q("1"));
        QCOMPARE(Names(V(rule, "targets"), "code"), Q("par"));

        const QJsonArray events = V(j, "events").toArray();
        QCOMPARE(Names(events, "entry"), Q("unt|"));
        QVERIFY(V(events[1], "entry").isNull());
        QCOMPARE(S(events[1], "sourceLine"), Q("FIRE:BOGUS:none:"));

        QCOMPARE(Names(V(j, "log"), "text"), Q("Current configuration file - Model 615  Tarelink Version 1.4|"
                                               "Invalid event detected [BOGUS]. Check the config file"));
        QCOMPARE(Names(V(j, "log"), "kind"), Q("Information|Information"));
        QCOMPARE(Names(V(j, "tabs"), "name"), Q("Setup"));
        QCOMPARE(V(j, "extendedTab").toInt(), -1);
    }

    void shippedTemplates_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tabs");
        QTest::addColumn<int>("ticketCapable");
        QTest::newRow("614") << "614.tpl" << "Scale Setup|Calibration|Analog|Serial Ports|Printing|Model Info" << 1;
        QTest::newRow("615") << "615.tpl"
                             << "General Setup|Calibration|Digital|Serial Port|Ticket Tabs|Keypad|Printing|Model Info"
                             << 1;
        QTest::newRow("637") << "637.tpl" << "Indicator Setup|Calibration|Variables|Serial Port|Printing|Model Info"
                             << 1;
        QTest::newRow("958") << "958.tpl" << "Basic Setup|Calibration|Digital|External Ticket|Printing|Model Info"
                             << 1;
        QTest::newRow("default") << "default.tpl" << "General Setup|Calibration|Serial Port|Model Info" << 0;
    }
    void shippedTemplates()
    {
        QFETCH(QString, file);
        TestData data;
        const Run run = Cli({QStringLiteral("dump"), data.Configurations() + file});
        const QJsonValue j = run.json;
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(V(j, "result").toInt(), 1);
        QTEST(Names(V(j, "tabs"), "name"), "tabs");
        QTEST(V(j, "ticketCapable").toInt(), "ticketCapable");
        // A template loads clean: every event bound, nothing modified, one line in the log.
        QCOMPARE(V(j, "log").toArray().size(), 1);
        for (const QJsonValue& e : V(j, "events").toArray()) {
            QVERIFY2(!V(e, "entry").isNull(), qPrintable(S(e, "sourceLine")));
        }
        std::function<void(const QJsonValue&)> check = [&](const QJsonValue& entries) {
            for (const QJsonValue& e : entries.toArray()) {
                QVERIFY2(V(e, "modified").toInt() == 0, qPrintable(S(e, "code")));
                check(V(e, "subEntries"));
            }
        };
        check(V(j, "entries"));
    }

    void resaveIsStable_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* name : {"614.tpl", "615.tpl", "637.tpl", "958.tpl", "default.tpl"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void resaveIsStable()
    {
        QFETCH(QString, file);
        TestData data;
        const QString first = data.Path(QStringLiteral("first.csc"));
        const QString second = data.Path(QStringLiteral("second.csc"));
        QCOMPARE(Cli({QStringLiteral("resave"), data.Configurations() + file, first}).exitCode, 0);
        QCOMPARE(Cli({QStringLiteral("resave"), first, second}).exitCode, 0);
        const QByteArray bytes = TestData::ReadAll(first);
        QVERIFY(bytes.startsWith("//\r\n//********** Target device description **********\r\n"));
        QCOMPARE(TestData::ReadAll(second), bytes);

        // Reading the saved file gives the model the template gave.
        const QJsonValue fromTemplate = Cli({QStringLiteral("dump"), data.Configurations() + file}).json;
        const QJsonValue fromSaved = Cli({QStringLiteral("dump"), first}).json;
        QVERIFY(!fromTemplate.toObject().isEmpty());
        for (const char* key : {"entries", "variables", "interlocks", "events", "slotCount", "fileDevice",
                                "documentPath", "ticketCapable", "log"}) {
            QVERIFY2(V(fromSaved, key) == V(fromTemplate, key), key);
        }
        // A saved file always has the Printing page; a template that has it too keeps its layout.
        const QString tabs = Names(V(fromTemplate, "tabs"), "name");
        if (tabs.contains(Q("Printing"))) {
            for (const char* key : {"tabs", "printTab", "modelInfoTab", "extraEntries"}) {
                QVERIFY2(V(fromSaved, key) == V(fromTemplate, key), key);
            }
        } else {
            const QString expected = QString(tabs).replace(Q("|Model Info"), Q("|Printing|Model Info"));
            QCOMPARE(Names(V(fromSaved, "tabs"), "name"), expected);
        }
    }

    void exitCodes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("result");
        const QByteArray head =
            "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:\r\nHDR:A:\r\nab:1:2:\r\n";
        QTest::newRow("complete") << head + "END:\r\n" << "dump" << 0 << 1;
        QTest::newRow("entries not ended") << head << "dump" << 3 << 0;
        QTest::newRow("line without colon") << head + "oops\r\nEND:\r\n" << "dump" << 3 << 0;
        QTest::newRow("binary garbage") << QByteArray("\x01\x02\xff\0\0\n\n\x7f", 8) << "dump" << 3 << 0;
        QTest::newRow("missing file") << QByteArray() << "dump" << 2 << -1;
        QTest::newRow("resave incomplete") << head << "resave" << 3 << -1;
        QTest::newRow("resave missing") << QByteArray() << "resave" << 2 << -1;
    }
    void exitCodes()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(int, result);
        TestData data(false);
        QString file = data.Path(QStringLiteral("missing.csc"));
        if (!content.isEmpty()) file = data.Write(QStringLiteral("in.csc"), content);
        QStringList args{command, file};
        if (command == QLatin1String("resave")) args.append(data.Path(QStringLiteral("out.csc")));
        const Run run = Cli(args);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 2) {
            QVERIFY(run.out.isEmpty());
            QVERIFY(run.err.contains("missing.csc"));
        }
        if (result >= 0) QCOMPARE(V(run.json, "result").toInt(-1), result);
        // Even an incomplete read is saved, as Save would.
        if (command == QLatin1String("resave") && exitCode == 3) {
            QVERIFY(TestData::ReadAll(data.Path(QStringLiteral("out.csc"))).contains("ab:1:2::::::\r\n"));
        }
    }

    void dataOption()
    {
        // --data picks the data folder, and with it the catalogue that names the template.
        TestData other(false);
        other.Write(QStringLiteral("Configurations/rev.ini"), "{615\r\n1.4 = 615-site.tpl\r\n");
        TestData data(false);  // the environment now names this one
        const QString file = data.Write(QStringLiteral("small.csc"), kSmall);
        QCOMPARE(S(Cli({QStringLiteral("dump"), file}).json, "documentPath"), Q("615.tpl"));
        const Run run = Cli({QStringLiteral("dump"), file, QStringLiteral("--data"), other.Base()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(S(run.json, "documentPath"), Q("615-site.tpl"));

        const Run broken = Cli({QStringLiteral("dump"), file, QStringLiteral("--data")});
        QCOMPARE(broken.exitCode, 2);
        QVERIFY(broken.out.isEmpty());
    }

    void unwritableTarget()
    {
        TestData data(false);
        const QString file = data.Write(QStringLiteral("small.csc"), kSmall);
        const QString target = data.Path(QStringLiteral("no folder/out.csc"));
        const Run run = Cli({QStringLiteral("resave"), file, target});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("out.csc"));
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestCliDump)
#include "tst_cli_dump.moc"
