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

QStringList Names(const QJsonArray& array, const char* key)
{
    QStringList out;
    for (const QJsonValue& v : array) out.append(v.toObject().value(QLatin1String(key)).toString());
    return out;
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
    void dumpShape();
    void shippedTemplates_data();
    void shippedTemplates();
    void resaveIsStable_data();
    void resaveIsStable();
    void exitCodes_data();
    void exitCodes();
    void dataOption();
    void unwritableTarget();
};

void TestCliDump::dumpShape()
{
    TestData data(false);
    const QString file = data.Write(QStringLiteral("small.csc"), kSmall);
    const Run run = Cli({QStringLiteral("dump"), file});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject& j = run.json;
    QStringList keys = j.keys();
    keys.sort();
    QCOMPARE(keys, (QStringList{QStringLiteral("attachedDevice"), QStringLiteral("documentPath"), QStringLiteral("entries"),
                                QStringLiteral("events"), QStringLiteral("extendedTab"), QStringLiteral("extraEntries"),
                                QStringLiteral("fileDevice"), QStringLiteral("interlocks"), QStringLiteral("log"),
                                QStringLiteral("modelInfoTab"), QStringLiteral("printTab"), QStringLiteral("result"),
                                QStringLiteral("slotCount"), QStringLiteral("tabs"), QStringLiteral("ticketCapable"),
                                QStringLiteral("variables")}));
    QCOMPARE(j.value(QLatin1String("result")).toInt(), 1);
    QCOMPARE(j.value(QLatin1String("documentPath")).toString(), QStringLiteral("615.tpl"));
    QCOMPARE(j.value(QLatin1String("slotCount")).toInt(), 2);
    QCOMPARE(j.value(QLatin1String("attachedDevice")).toObject().value(QLatin1String("unlocked")).toInt(), 1);
    QCOMPARE(j.value(QLatin1String("fileDevice")).toObject().value(QLatin1String("identified")).toInt(), 1);

    const QJsonArray entries = j.value(QLatin1String("entries")).toArray();
    QCOMPARE(Names(entries, "code"), (QStringList{QStringLiteral("unt"), QStringLiteral("lbl")}));
    const QJsonObject unt = entries[0].toObject();
    QCOMPARE(unt.value(QLatin1String("choices")).toString(), QStringLiteral("lb,kg"));
    QCOMPARE(unt.value(QLatin1String("sectionName")).toString(), QStringLiteral("Setup"));
    QCOMPARE(unt.value(QLatin1String("hasValue")).toInt(), 1);
    const QJsonObject par = unt.value(QLatin1String("subEntries")).toArray()[0].toObject();
    QCOMPARE(par.value(QLatin1String("code")).toString(), QStringLiteral("par"));
    QCOMPARE(par.value(QLatin1String("hidden")).toInt(), 0);  // unt is 0: the HIDE rule did not fire
    // 8-bit texts come out as Latin-1.
    QCOMPARE(entries[1].toObject().value(QLatin1String("value")).toString(), QStringLiteral("CAF\u00c9"));
    QCOMPARE(entries[1].toObject().value(QLatin1String("label")).toString(), QStringLiteral("Caf\u00e9 name"));

    const QJsonObject vars = j.value(QLatin1String("variables")).toObject();
    QCOMPARE(vars.value(QLatin1String("tare")).toString(), QStringLiteral("unt"));
    QVERIFY(vars.value(QLatin1String("capacity")).isNull());

    const QJsonObject rule = j.value(QLatin1String("interlocks")).toArray()[0].toObject();
    QCOMPARE(rule.value(QLatin1String("type")).toInt(), 5);
    QCOMPARE(rule.value(QLatin1String("control")).toString(), QStringLiteral("unt"));
    QCOMPARE(rule.value(QLatin1String("values")).toArray().first().toString(), QStringLiteral("1"));
    QCOMPARE(Names(rule.value(QLatin1String("targets")).toArray(), "code"), QStringList{QStringLiteral("par")});

    const QJsonArray events = j.value(QLatin1String("events")).toArray();
    QCOMPARE(Names(events, "entry"), (QStringList{QStringLiteral("unt"), QString()}));
    QVERIFY(events[1].toObject().value(QLatin1String("entry")).isNull());
    QCOMPARE(events[1].toObject().value(QLatin1String("sourceLine")).toString(), QStringLiteral("FIRE:BOGUS:none:"));

    QCOMPARE(Names(j.value(QLatin1String("log")).toArray(), "text"),
             (QStringList{QStringLiteral("Current configuration file - Model 615  Tarelink Version 1.4"),
                          QStringLiteral("Invalid event detected [BOGUS]. Check the config file")}));
    QCOMPARE(Names(j.value(QLatin1String("log")).toArray(), "kind"),
             (QStringList{QStringLiteral("Information"), QStringLiteral("Information")}));
    QCOMPARE(Names(j.value(QLatin1String("tabs")).toArray(), "name"), QStringList{QStringLiteral("Setup")});
    QCOMPARE(j.value(QLatin1String("extendedTab")).toInt(), -1);
}

void TestCliDump::shippedTemplates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<int>("ticketCapable");

    QTest::newRow("614") << QStringLiteral("614.tpl")
                         << QStringList{QStringLiteral("Scale Setup"), QStringLiteral("Calibration"),
                                        QStringLiteral("Analog"), QStringLiteral("Serial Ports"),
                                        QStringLiteral("Printing"), QStringLiteral("Model Info")}
                         << 1;
    QTest::newRow("615") << QStringLiteral("615.tpl")
                         << QStringList{QStringLiteral("General Setup"), QStringLiteral("Calibration"),
                                        QStringLiteral("Digital"), QStringLiteral("Serial Port"),
                                        QStringLiteral("Ticket Tabs"), QStringLiteral("Keypad"),
                                        QStringLiteral("Printing"), QStringLiteral("Model Info")}
                         << 1;
    QTest::newRow("637") << QStringLiteral("637.tpl")
                         << QStringList{QStringLiteral("Indicator Setup"), QStringLiteral("Calibration"),
                                        QStringLiteral("Variables"), QStringLiteral("Serial Port"),
                                        QStringLiteral("Printing"), QStringLiteral("Model Info")}
                         << 1;
    QTest::newRow("958") << QStringLiteral("958.tpl")
                         << QStringList{QStringLiteral("Basic Setup"), QStringLiteral("Calibration"),
                                        QStringLiteral("Digital"), QStringLiteral("External Ticket"),
                                        QStringLiteral("Printing"), QStringLiteral("Model Info")}
                         << 1;
    QTest::newRow("default") << QStringLiteral("default.tpl")
                             << QStringList{QStringLiteral("General Setup"), QStringLiteral("Calibration"),
                                            QStringLiteral("Serial Port"), QStringLiteral("Model Info")}
                             << 0;
}

void TestCliDump::shippedTemplates()
{
    QFETCH(QString, file);
    QFETCH(QStringList, tabs);
    QFETCH(int, ticketCapable);
    TestData data;
    const Run run = Cli({QStringLiteral("dump"), data.Configurations() + file});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json.value(QLatin1String("result")).toInt(), 1);
    QCOMPARE(Names(run.json.value(QLatin1String("tabs")).toArray(), "name"), tabs);
    QCOMPARE(run.json.value(QLatin1String("ticketCapable")).toInt(), ticketCapable);
    // A template loads clean: every event bound, nothing modified, one line in the log.
    QCOMPARE(run.json.value(QLatin1String("log")).toArray().size(), 1);
    for (const QJsonValue& e : run.json.value(QLatin1String("events")).toArray()) {
        QVERIFY2(!e.toObject().value(QLatin1String("entry")).isNull(),
                 qPrintable(e.toObject().value(QLatin1String("sourceLine")).toString()));
    }
    std::function<void(const QJsonArray&)> check = [&](const QJsonArray& entries) {
        for (const QJsonValue& v : entries) {
            const QJsonObject e = v.toObject();
            QVERIFY2(e.value(QLatin1String("modified")).toInt() == 0, qPrintable(e.value(QLatin1String("code")).toString()));
            check(e.value(QLatin1String("subEntries")).toArray());
        }
    };
    check(run.json.value(QLatin1String("entries")).toArray());
}

void TestCliDump::resaveIsStable_data()
{
    QTest::addColumn<QString>("file");
    for (const char* name : {"614.tpl", "615.tpl", "637.tpl", "958.tpl", "default.tpl"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestCliDump::resaveIsStable()
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
    QJsonObject fromTemplate = Cli({QStringLiteral("dump"), data.Configurations() + file}).json;
    QJsonObject fromSaved = Cli({QStringLiteral("dump"), first}).json;
    QVERIFY(!fromTemplate.isEmpty());
    for (const char* key : {"entries", "variables", "interlocks", "events", "slotCount", "fileDevice", "documentPath",
                            "ticketCapable", "log"}) {
        QVERIFY2(fromSaved.value(QLatin1String(key)) == fromTemplate.value(QLatin1String(key)), key);
    }
    // A saved file always has the Printing page; a template that has it too keeps its layout.
    const QStringList tabs = Names(fromTemplate.value(QLatin1String("tabs")).toArray(), "name");
    if (tabs.contains(QStringLiteral("Printing"))) {
        for (const char* key : {"tabs", "printTab", "modelInfoTab", "extraEntries"}) {
            QVERIFY2(fromSaved.value(QLatin1String(key)) == fromTemplate.value(QLatin1String(key)), key);
        }
    } else {
        QStringList expected = tabs;
        expected.insert(expected.indexOf(QStringLiteral("Model Info")), QStringLiteral("Printing"));
        QCOMPARE(Names(fromSaved.value(QLatin1String("tabs")).toArray(), "name"), expected);
    }
}

void TestCliDump::exitCodes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("result");

    const QByteArray head = "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:\r\nHDR:A:\r\nab:1:2:\r\n";
    QTest::newRow("complete") << head + "END:\r\n" << QStringLiteral("dump") << 0 << 1;
    QTest::newRow("entries not ended") << head << QStringLiteral("dump") << 3 << 0;
    QTest::newRow("line without colon") << head + "oops\r\nEND:\r\n" << QStringLiteral("dump") << 3 << 0;
    QTest::newRow("binary garbage") << QByteArray("\x01\x02\xff\0\0\n\n\x7f", 8) << QStringLiteral("dump") << 3 << 0;
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("dump") << 2 << -1;
    QTest::newRow("resave incomplete") << head << QStringLiteral("resave") << 3 << -1;
    QTest::newRow("resave missing") << QByteArray() << QStringLiteral("resave") << 2 << -1;
}

void TestCliDump::exitCodes()
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
    if (result >= 0) QCOMPARE(run.json.value(QLatin1String("result")).toInt(-1), result);
    // Even an incomplete read is saved, as Save would.
    if (command == QLatin1String("resave") && exitCode == 3) {
        QVERIFY(TestData::ReadAll(data.Path(QStringLiteral("out.csc"))).contains("ab:1:2::::::\r\n"));
    }
}

void TestCliDump::dataOption()
{
    // --data picks the data folder, and with it the catalogue that names the template.
    TestData other(false);
    other.Write(QStringLiteral("Configurations/rev.ini"), "{615\r\n1.4 = 615-site.tpl\r\n");
    TestData data(false);  // the environment now names this one
    const QString file = data.Write(QStringLiteral("small.csc"), kSmall);
    const Run plain = Cli({QStringLiteral("dump"), file});
    QCOMPARE(plain.json.value(QLatin1String("documentPath")).toString(), QStringLiteral("615.tpl"));
    const Run run = Cli({QStringLiteral("dump"), file, QStringLiteral("--data"), other.Base()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json.value(QLatin1String("documentPath")).toString(), QStringLiteral("615-site.tpl"));

    const Run broken = Cli({QStringLiteral("dump"), file, QStringLiteral("--data")});
    QCOMPARE(broken.exitCode, 2);
    QVERIFY(broken.out.isEmpty());
}

void TestCliDump::unwritableTarget()
{
    TestData data(false);
    const QString file = data.Write(QStringLiteral("small.csc"), kSmall);
    const Run run = Cli({QStringLiteral("resave"), file, data.Path(QStringLiteral("no folder/out.csc"))});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("out.csc"));
    QVERIFY(!QFile::exists(data.Path(QStringLiteral("no folder/out.csc"))));
}

QTEST_GUILESS_MAIN(TestCliDump)
#include "tst_cli_dump.moc"
