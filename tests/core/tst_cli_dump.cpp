// SPDX-License-Identifier: MIT
// "tarelink-cli dump" and "resave" run as a technician would run them: the JSON they print,
// their lines on stderr and exit codes, the shipped templates surviving two saves unchanged,
// and a save that is killed leaving the old file or the whole new one.
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <unistd.h>

#include "CliRun.h"
#include "HeadlessBench.h"
#include "StatusLog.h"
#include "TestData.h"
#include "tickets/TicketFormats.h"

namespace {

QJsonObject Json(const CliRun& run)
{
    return QJsonDocument::fromJson(run.out).object();
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

const QByteArray kHead = "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\n";
const QByteArray kSmall = kHead +
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
        const CliRun run({QStringLiteral("dump"), data.Write(QStringLiteral("small.csc"), kSmall)});
        QCOMPARE(run.code, 0);
        const QJsonObject j = Json(run);
        QCOMPARE(j.keys().join(QLatin1Char('|')),
                 Q("attachedDevice|documentPath|entries|events|extendedTab|extraEntries|fileDevice|interlocks|log|"
                   "modelInfoTab|printTab|result|slotCount|tabs|ticketCapable|variables"));
        QCOMPARE(V(j, "result").toInt(), 1);
        QCOMPARE(S(j, "documentPath"), Q("615.tpl"));
        QCOMPARE(V(j, "slotCount").toInt(), 2);
        const QJsonArray entries = V(j, "entries").toArray();
        QCOMPARE(Names(entries, "code"), Q("unt|lbl"));
        QCOMPARE(S(V(entries[0], "subEntries").toArray()[0], "code"), Q("par"));
        // 8-bit texts come out as Latin-1.
        QCOMPARE(S(entries[1], "value"), QStringLiteral("CAF\u00c9"));
        QCOMPARE(Names(V(V(j, "interlocks").toArray()[0], "targets"), "code"), Q("par"));
        QCOMPARE(Names(V(j, "log"), "text"), Q("Current configuration file - Model 615  Tarelink Version 1.4|"
                                               "Invalid event detected [BOGUS]. Check the config file"));
    }

    // Each shipped template loads clean, and saving it twice gives the same bytes and the model
    // the template gave.
    void shippedTemplates_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tabs");
        QTest::newRow("614") << "614.tpl" << "Scale Setup|Calibration|Analog|Serial Ports|Printing|Model Info";
        QTest::newRow("615") << "615.tpl"
                             << "General Setup|Calibration|Digital|Serial Port|Ticket Tabs|Keypad|Printing|Model Info";
        QTest::newRow("637") << "637.tpl" << "Indicator Setup|Calibration|Variables|Serial Port|Printing|Model Info";
        QTest::newRow("958") << "958.tpl" << "Basic Setup|Calibration|Digital|External Ticket|Printing|Model Info";
        QTest::newRow("default") << "default.tpl" << "General Setup|Calibration|Serial Port|Model Info";
    }
    void shippedTemplates()
    {
        QFETCH(QString, file);
        TestData data;
        const QJsonValue fromTemplate = Json(CliRun({QStringLiteral("dump"), data.Configurations() + file}));
        QCOMPARE(V(fromTemplate, "result").toInt(), 1);
        QTEST(Names(V(fromTemplate, "tabs"), "name"), "tabs");
        // Every event bound, one line in the log.
        QCOMPARE(V(fromTemplate, "log").toArray().size(), 1);
        for (const QJsonValue& e : V(fromTemplate, "events").toArray()) QVERIFY(!V(e, "entry").isNull());

        const QString first = data.Path(QStringLiteral("first.csc"));
        const QString second = data.Path(QStringLiteral("second.csc"));
        QCOMPARE(CliRun({QStringLiteral("resave"), data.Configurations() + file, first}).code, 0);
        QCOMPARE(CliRun({QStringLiteral("resave"), first, second}).code, 0);
        const QByteArray bytes = TestData::ReadAll(first);
        QCOMPARE(TestData::ReadAll(second), bytes);
        const QJsonValue fromSaved = Json(CliRun({QStringLiteral("dump"), first}));
        for (const char* key : {"entries", "variables", "interlocks", "events", "slotCount", "fileDevice",
                                "documentPath", "ticketCapable", "log"}) {
            QVERIFY2(V(fromSaved, key) == V(fromTemplate, key), key);
        }
    }

    // Exit codes and what stderr says; OUT (or IN, when it is both) is replaced only by a
    // file read to its end.
    void exitCodes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        const QByteArray entries = kHead + "HDR:A:\r\nab:1:2:\r\n";
        const QString none;
        const QString out = QStringLiteral("out.csc");
        const QString in = QStringLiteral("in.csc");
        QTest::newRow("entries not ended")
            << entries << "dump" << none << 3
            << QByteArray("in.csc was not read completely: the entries section has no END: line (it stops at line 7)");
        QTest::newRow("line without colon") << entries + "oops\r\nEND:\r\n" << "dump" << none << 3
                                            << QByteArray("in.csc was not read completely: line 8 has no ':'");
        QTest::newRow("missing file") << QByteArray() << "dump" << none << 2 << QByteArray("missing.csc");
        QTest::newRow("resave incomplete") << entries << "resave" << out << 3 << QByteArray("out.csc was not written");
        QByteArray crOnly = kSmall;
        crOnly.replace("\r\n", "\r");
        QTest::newRow("resave IN IN with CR line ends")
            << crOnly << "resave" << in << 3
            << QByteArray("line 1 is longer than 255 characters; nothing after it was read");
        QByteArray nul = kSmall;
        nul.replace("Caf\xe9 name", QByteArray("Caf\0 name", 9));
        QTest::newRow("NUL cuts a line") << nul << "resave" << out << 0
                                         << QByteArray("Warning: Line 9 is cut short at a NUL byte");
        QTest::newRow("resave into a missing folder")
            << kSmall << "resave" << QStringLiteral("no folder/out.csc") << 2
            << QByteArray("out.csc: No such file or directory");
    }
    void exitCodes()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, command);
        QFETCH(QString, out);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        TestData data(false);
        const QByteArray old = "an older good file\r\n";
        QString file = data.Path(QStringLiteral("missing.csc"));
        if (!content.isEmpty()) file = data.Write(QStringLiteral("in.csc"), content);
        QStringList args{command, file};
        if (!out.isEmpty()) {
            if (out == QLatin1String("out.csc")) data.Write(out, old);
            args.append(data.Path(out));
        }
        const CliRun run(args);
        QCOMPARE(run.code, exitCode);
        QVERIFY2(run.err.contains(err), run.err.constData());
        if (exitCode == 2) QVERIFY(run.out.isEmpty());
        if (command == QLatin1String("dump") && exitCode != 2) QCOMPARE(V(Json(run), "result").toInt(), exitCode == 0);
        if (exitCode == 3 && out == QLatin1String("out.csc")) QCOMPARE(TestData::ReadAll(data.Path(out)), old);
        if (exitCode == 3 && out == QLatin1String("in.csc")) QCOMPARE(TestData::ReadAll(file), content);
        if (exitCode == 0 && !out.isEmpty()) QVERIFY(TestData::ReadAll(data.Path(out)).contains("\r\nEND:\r\n"));
    }

    void dataOption()
    {
        // --data picks the data folder, and with it the catalogue that names the template.
        TestData other(false);
        other.Write(QStringLiteral("Configurations/rev.ini"), "{615\r\n1.4 = 615-site.tpl\r\n");
        TestData data(false);  // the environment now names this one
        const QString file = data.Write(QStringLiteral("small.csc"), kSmall);
        const CliRun run({QStringLiteral("dump"), file, QStringLiteral("--data"), other.Base()});
        QCOMPARE(run.code, 0);
        QCOMPARE(S(Json(run), "documentPath"), Q("615-site.tpl"));
        QCOMPARE(CliRun({QStringLiteral("dump"), file, QStringLiteral("--data")}).code, 2);
    }

    // A Save that fails keeps the marks and says why, so Exit still asks; over a writable file
    // in a folder that is not, it writes in place.
    void failedSaveKeepsTheMarks()
    {
        HeadlessBench b;
        b.Load(kSmall);
        b.Entry("unt")->GetControl(1)->SetCurrentIndex(1);
        b.prompts.files = {b.data.Path(QStringLiteral("no folder/x.csc"))};
        b.bench.OnSave();
        QVERIFY(b.bench.IsDocumentModified());
        QVERIFY(b.bench.Log().Lines().back().text.startsWith("Cannot write "));
        QVERIFY(!b.bench.OnExit());  // the scripted question answers Cancel
        b.prompts.answers = {Prompts::Answer::Yes};
        b.prompts.files = {b.data.Path(QStringLiteral("no folder/x.csc"))};
        QVERIFY(!b.bench.OnExit() && !b.view.closed);  // nor does a Yes whose save fails
        if (::geteuid() == 0) QSKIP("root writes into any folder");
        const QString file = b.data.Write(QStringLiteral("locked/x.csc"), "old\r\n");
        const QString folder = b.data.Path(QStringLiteral("locked"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        b.prompts.files = {file};
        b.bench.OnSave();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!b.bench.IsDocumentModified());
        QVERIFY(TestData::ReadAll(file).contains("\r\nunt:20:60:1:"));
    }

    // Settings and ticket data go to disk in one commit: a resave killed at any moment leaves
    // the old file or the whole new one.
    void killedSaveLeavesOldOrNew()
    {
        constexpr int kKills = 6;
        QByteArray big = kSmall;
        QByteArray slotLines;
        std::vector<TicketFormats::SlotTicket> tickets;
        for (int n = 1; n <= 200; ++n) {
            slotLines += "Slot:" + QByteArray::number(n) + ":\r\n";
            tickets.push_back({n, QByteArray(10000, char('a' + n % 26)) + "\n{GR}"});
        }
        big.replace("Slot:1:\r\nSlot:2:\r\n", slotLines);
        big += TicketFormats::JoinLines(TicketFormats::EncodeTicketData(tickets));
        TestData data(false);
        const QString in = data.Write(QStringLiteral("big.csc"), big);
        const QString whole = data.Path(QStringLiteral("whole.csc"));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(CliRun({QStringLiteral("resave"), in, whole}).code, 0);
        const qint64 runMs = clock.elapsed();
        const QByteArray saved = TestData::ReadAll(whole);
        QVERIFY(saved.contains("TICKET:200:"));
        for (int i = 1; i <= kKills; ++i) {
            const QString target = data.Write(QStringLiteral("target.csc"), kSmall);
            QProcess child;
            child.start(CliRun::Program(), {QStringLiteral("resave"), in, target});
            QVERIFY(child.waitForStarted());
            QTest::qWait(int(runMs * i / (kKills + 1)));
            child.kill();
            child.waitForFinished();
            const QByteArray now = TestData::ReadAll(target);
            QVERIFY2(now == kSmall || now == saved, qPrintable(QString::number(now.size())));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliDump)
#include "tst_cli_dump.moc"
