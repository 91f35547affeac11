// SPDX-License-Identifier: MIT
// The document commands and the command states through a headless workbench: the save
// prompts, New, Open, Save, Exit, Communications setup and Read device, with every box and
// dialog recorded; which menu items are greyed when; the status log.
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "CommandTable.h"
#include "HeadlessBench.h"
#include "link/DeviceLink.h"
#include "platform/SettingsStore.h"
#include "tickets/TicketStore.h"

namespace {

// A small template: one setup page, one print page, two slots.
const QByteArray kTemplate =
    "MFG:Tervolin Scale Mfg\r\nMOD:777\r\nREV:1.05\r\nSMA:2/1.0\r\nFIELDS:GR1,NF3,\r\n"
    "HDR:Setup:\r\n"
    "ab:20:60:1:0,1:Off,On:Mode:combo:\r\n"
    "CAP:140:60:100:1-500:1-500:Capacity:edit:\r\n"
    "hd1:20:120:HEAD:20:20:Header:text:\r\n"
    "HDR:Printing:\r\n"
    "pr:20:60:0:0,1:No,Yes:Print:combo:\r\n"
    "END:\r\nEND:\r\nEND:\r\nEND:\r\nSlot:1:\r\nSlot:2:\r\nEND:\r\n";

const QByteArray kSaveQuestion = "The configuration has been modified. Save before exit?";

struct Bench : HeadlessBench {
    Bench() : HeadlessBench(true)
    {
        data.Write(QStringLiteral("Configurations/777.tpl"), kTemplate);
        data.Write(QStringLiteral("Configurations/mod.ini"), "Model 614\r\nModel 777\r\n\r\n");
    }
    // New on the 777 template; true when pages were built.
    bool NewDocument()
    {
        prompts.models.push_back("Model 777");
        bench.OnNew();
        return !bench.Model().entries.empty();
    }
    // Changes the Mode list as a technician would, so the document is modified.
    void EditMode()
    {
        EntryControl* list = Entry("ab")->GetControl(1);
        list->SetCurrentIndex(1 - list->CurrentIndex());
    }
    QString Saved(const char* name) { return data.Configurations() + QLatin1String(name); }
};

QList<int> Greyed(const HeadlessView& view, const QList<int>& ids)
{
    QList<int> out;
    for (int id : ids) {
        if (!view.IsCommandEnabled(id)) out.append(id);
    }
    return out;
}

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newDocument()
    {
        Bench b;
        b.prompts.models.push_back("");
        b.bench.OnNew();
        QCOMPARE(b.bench.Model().documentPath, QFile::encodeName(b.data.Configurations()));
        QCOMPARE(b.prompts.shown.front().text, QByteArray("Model 615"));

        QVERIFY(b.NewDocument());
        QCOMPARE(b.prompts.lastModelItems, (QList<QByteArray>{"Model 614", "Model 777", ""}));
        // With no indicator attached the reader names the template without its folder.
        QCOMPARE(b.bench.Model().documentPath, QByteArray("777.tpl"));
        QVERIFY(!b.bench.IsDocumentModified());
        // The next New offers what was chosen; a model without a template logs its path.
        b.prompts.models.push_back("Model 613");
        b.bench.OnNew();
        QCOMPARE(b.prompts.shown.back().text, QByteArray("Model 777"));
        const QByteArray path = QFile::encodeName(b.data.Configurations()) + "613.tpl";
        QCOMPARE(b.bench.Model().documentPath, path);
        const StatusLine& line = b.bench.Log().Lines().back();
        QCOMPARE(StatusLog::KindLabel(line.kind) + ": " + line.text,
                 "Error: No template file found for the selected indicator. " + path);
    }

    void savePrompt_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveDialogAnswers");
        QTest::addColumn<QByteArrayList>("prompts");
        QTest::addColumn<bool>("closed");
        using A = Prompts::Answer;
        auto row = [](const char* name, int command, A answer, bool save, const QByteArrayList& prompts, bool closed) {
            QTest::newRow(name) << command << int(answer) << save << prompts << closed;
        };
        row("New, Yes", kCmdNew, A::Yes, true, {"box", "file", "model"}, false);
        row("New, No", kCmdNew, A::No, true, {"box", "model"}, false);
        row("New, Cancel", kCmdNew, A::Cancel, true, {"box"}, false);
        row("Open, Yes", kCmdOpen, A::Yes, true, {"box", "file", "file"}, false);
        row("Open, No", kCmdOpen, A::No, true, {"box", "file"}, false);
        row("Open, Cancel", kCmdOpen, A::Cancel, true, {"box"}, false);
        row("Exit, Yes, save dialog cancelled", kCmdExit, A::Yes, false, {"box", "file"}, true);
        row("Exit, No", kCmdExit, A::No, false, {"box"}, true);
        row("Exit, Cancel", kCmdExit, A::Cancel, false, {"box"}, false);
        row("unmodified: no question", kCmdOpen, A::Yes, false, {"file"}, false);
    }
    void savePrompt()
    {
        QFETCH(int, command);
        QFETCH(int, answer);
        QFETCH(bool, saveDialogAnswers);
        Bench b;
        QVERIFY(b.NewDocument());
        if (QTest::currentDataTag()[0] != 'u') b.EditMode();
        b.prompts.shown.clear();
        b.prompts.answers.push_back(static_cast<Prompts::Answer>(answer));
        const bool saves = answer == int(Prompts::Answer::Yes) && saveDialogAnswers;
        if (saves) b.prompts.files.push_back(b.Saved("saved.csc"));
        b.prompts.models.push_back("");  // New's model choice: cancel
        b.bench.OnCommand(command);
        QByteArrayList kinds;
        for (const auto& shown : b.prompts.shown) kinds.append(shown.kind);
        QTEST(kinds, "prompts");
        if (kinds.first() == "box") {
            const ScriptedPrompts::Shown& box = b.prompts.shown.front();
            QCOMPARE(box.text + '|' + box.caption, kSaveQuestion + "|Save configuration?");
            QVERIFY(box.buttons == Prompts::Buttons::YesNoCancel && box.icon == Prompts::Icon::Question);
        }
        QCOMPARE(QFile::exists(b.Saved("saved.csc")), saves);
        QTEST(b.view.closed, "closed");
    }

    void exitCountsTheTicketEditorToo()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.bench.Tickets().SetTicket(1, "changed ticket");
        b.prompts.shown.clear();
        b.prompts.files.push_back(QString());
        b.bench.OnOpen();  // New and Open do not look at the tickets...
        QVERIFY(b.prompts.BoxTexts().isEmpty());
        b.prompts.answers.push_back(Prompts::Answer::Cancel);
        QVERIFY(!b.bench.OnExit());  // ...Exit does.
        QCOMPARE(b.prompts.BoxTexts(), QList<QByteArray>{kSaveQuestion});
        QVERIFY(!b.view.closed && b.bench.Link().Exiting());
    }

    void cancelledSaveStillClearsTheMarks()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.EditMode();
        b.bench.OnSave();  // the scripted dialog cancels
        QVERIFY(b.prompts.CountOf("file") == 1 && !b.bench.IsDocumentModified());
        QVERIFY(b.bench.OnExit() && b.view.closed);
        QVERIFY(b.prompts.BoxTexts().isEmpty());
    }

    // Values survive Save and Open, but one the file cannot hold (a ':' or "//" that came from
    // elsewhere) stays in memory, is named in a Warning and leaves the file well formed.
    void saveThenOpen_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("reopened");
        QTest::newRow("colon") << QByteArray("LINE A:B") << QByteArray("HEAD");
        QTest::newRow("comment") << QByteArray("LINE A//B") << QByteArray("HEAD");
    }
    void saveThenOpen()
    {
        QFETCH(QByteArray, header);
        Bench b;
        QVERIFY(b.NewDocument());
        b.EditMode();
        b.Entry("CAP")->GetControl(1)->SetText("250");
        b.Entry("hd1")->GetControl(1)->SetText(header);
        const QString path = b.Saved("kept.csc");
        b.prompts.files.push_back(path);
        b.bench.OnSave();
        QCOMPARE(b.bench.Model().documentPath, QFile::encodeName(path));
        QCOMPARE(b.Entry("hd1")->value, header);
        const StatusLine& last = b.bench.Log().Lines().back();
        QTEST(last.kind == kWarning ? QByteArray("HEAD") : header, "reopened");
        if (last.kind == kWarning) QVERIFY(last.text.startsWith("Value of HD1 (Header) not saved"));

        b.prompts.files.push_back(path);
        b.bench.OnOpen();
        QCOMPARE(b.Entry("CAP")->value + '|' + b.Entry("ab")->value, QByteArray("250|0"));
        QTEST(b.Entry("hd1")->value, "reopened");
        QCOMPARE(b.Entry("hd1")->controls.size(), size_t(2));
        QVERIFY(!b.bench.IsDocumentModified());
    }

    void communicationsSetup()
    {
        // OK stores the settings and reads again, after the save question (whose Cancel does not
        // stop it); a cancelled dialog changes nothing.
        for (const bool ok : {true, false}) {
            Bench b;
            QVERIFY(b.NewDocument());
            b.EditMode();
            b.prompts.commEdits.push_back([ok](CommSettings& s, bool linkOpen) {
                s.port = "COM3";
                return ok && !linkOpen;
            });
            QSignalSpy reads(&b.bench, &Workbench::ReadFinished);
            b.bench.OnCommunicationsSetup();
            QCOMPARE(b.prompts.BoxTexts(), ok ? QList<QByteArray>{kSaveQuestion} : QList<QByteArray>());
            QCOMPARE(SettingsStore::Load().port, QByteArray(ok ? "COM3" : "COM1"));
            QCOMPARE(reads.count() || reads.wait(ok ? 5000 : 50), ok);
        }
    }

    void readDeviceAsksBeforeOverwriting()
    {
        for (const Prompts::Answer answer : {Prompts::Answer::Yes, Prompts::Answer::Cancel}) {
            Bench b;
            QVERIFY(b.NewDocument());
            b.prompts.answers.push_back(answer);
            QSignalSpy finished(&b.bench, &Workbench::ReadFinished);
            b.bench.OnReadDeviceCommand();
            QCOMPARE(b.prompts.shown.back().text + '|' + b.prompts.shown.back().caption,
                     "This will overwrite the current loaded configuration. Continue?|Read device configuration?");
            const bool reads = answer == Prompts::Answer::Yes;
            QCOMPARE(finished.count() || finished.wait(reads ? 10000 : 50), reads);
            QCOMPARE(b.bench.Model().entries.empty(), reads);  // nothing attached: the pages go
        }
    }

    void commandStatesAndLog()
    {
        HeadlessBench b;
        const QList<int> ids = {kCmdSave, kCmdPrint, kCmdNew, kCmdExit, kCmdImportHandheldFile, kCmdExportHandheldFile};
        QCOMPARE(Greyed(b.view, {kCmdSave, kCmdNew}), QList<int>{kCmdSave});  // needs a document
        b.bench.Model().documentPath = "/x/614.tpl";
        b.bench.SetCommandsEnabled(1);
        QCOMPARE(Greyed(b.view, ids), QList<int>{});
        b.bench.SetCommandsEnabled(0);
        QCOMPARE(Greyed(b.view, ids), ids.mid(0, 3) + ids.mid(4));  // all but Exit

        QList<QByteArray> labels;
        for (int kind : {0, 1, 2, 3, 7}) {
            b.bench.AddStatusLine("line " + QByteArray::number(kind), kind);
            labels.append(StatusLog::KindLabel(b.bench.Log().Lines().back().kind));
        }
        QCOMPARE(labels.join('|'), QByteArray("Error|Warning|Comm Error|Information|"));
        QCOMPARE(b.bench.Log().Lines()[4].text, QByteArray("line 7"));
        QCOMPARE(b.view.beeps, (std::vector<int>{0, 1}));
        // A new document clears the log and greys the commands until it is read.
        b.bench.SetCommandsEnabled(1);
        b.bench.ResetDocument();
        QCOMPARE(b.bench.Log().RowCount() + b.bench.CommandsEnabled(), 0);
        QCOMPARE(Greyed(b.view, {kCmdNew, kCmdSave}), (QList<int>{kCmdNew, kCmdSave}));
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
