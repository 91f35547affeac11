// SPDX-License-Identifier: MIT
// The document commands through a headless workbench: the save prompts, New, Open, Save,
// Exit and Communications setup, with every box and dialog recorded.
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include "CommandTable.h"
#include "HeadlessBench.h"
#include "link/DeviceLink.h"
#include "model/EntryValues.h"
#include "platform/SettingsStore.h"
#include "tickets/TicketStore.h"

namespace {

// A small template: one setup page, one print page, two slots.
const QByteArray kTemplate =
    "MFG:Tervolin Scale Mfg\r\n"
    "MOD:777\r\n"
    "REV:1.05\r\n"
    "SMA:2/1.0\r\n"
    "FIELDS:GR1,NF3,\r\n"
    "HDR:Setup:\r\n"
    "ab:20:60:1:0,1:Off,On:Mode:combo:\r\n"
    "CAP:140:60:100:1-500:1-500:Capacity:edit:\r\n"
    "HDR:Printing:\r\n"
    "pr:20:60:0:0,1:No,Yes:Print:combo:\r\n"
    "END:\r\n"
    "END:\r\n"
    "END:\r\n"
    "END:\r\n"
    "Slot:1:\r\n"
    "Slot:2:\r\n"
    "END:\r\n";

const QByteArray kSaveQuestion = "The configuration has been modified. Save before exit?";

}  // namespace

class TstDocument : public QObject {
    Q_OBJECT

private:
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
        // Changes the Mode combo as a technician would, so the document is modified.
        void EditMode()
        {
            EntryControl* list = Entry("ab")->GetControl(1);
            list->SetCurrentIndex(list->CurrentIndex() == 0 ? 1 : 0);
        }
    };

private Q_SLOTS:
    void newReadsTheModelsTemplate()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        QCOMPARE(b.prompts.lastModelItems, (QList<QByteArray>{"Model 614", "Model 777", ""}));
        QCOMPARE(b.bench.rememberedModel, QByteArray("Model 777"));
        // With no indicator attached the reader names the template without its folder.
        QCOMPARE(b.bench.Model().documentPath, QByteArray("777.tpl"));
        QCOMPARE(b.bench.Model().attachedDevice.unlocked, 1);
        QVERIFY(!b.bench.IsDocumentModified());
        // The first New offers "Model 615"; the next offers what was chosen.
        QCOMPARE(b.prompts.shown.front().text, QByteArray("Model 615"));
        b.prompts.models.push_back("");
        b.bench.OnNew();
        QCOMPARE(b.prompts.shown.back().text, QByteArray("Model 777"));
    }

    void newWithoutTemplateLogsThePath()
    {
        Bench b;
        // No template ships for this model (the data set has 614, 615, 637 and 958).
        b.prompts.models.push_back("Model 613");
        b.bench.OnNew();
        const QByteArray path = QFile::encodeName(b.data.Configurations()) + "613.tpl";
        QCOMPARE(b.bench.Model().documentPath, path);
        QCOMPARE(b.bench.Log().RowCount(), 1);
        QCOMPARE(b.bench.Log().Lines().back().kind, int(kError));
        QCOMPARE(b.bench.Log().Lines().back().text,
                 "No template file found for the selected indicator. " + path);
    }

    void newCancelledLeavesOnlyTheFolderAsPath()
    {
        Bench b;
        b.prompts.models.push_back("");
        b.bench.OnNew();
        QCOMPARE(b.bench.Model().documentPath, QFile::encodeName(b.data.Configurations()));
        QVERIFY(b.bench.Model().entries.empty());
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
    }
    void savePrompt()
    {
        QFETCH(int, command);
        QFETCH(int, answer);
        QFETCH(bool, saveDialogAnswers);
        Bench b;
        QVERIFY(b.NewDocument());
        b.EditMode();
        b.prompts.shown.clear();
        b.prompts.answers.push_back(static_cast<Prompts::Answer>(answer));
        const QString savedAs = b.data.Configurations() + QStringLiteral("saved.csc");
        const bool saves = answer == int(Prompts::Answer::Yes) && saveDialogAnswers;
        if (saves) b.prompts.files.push_back(savedAs);
        b.prompts.models.push_back("");  // New's model choice: cancel
        if (command == kCmdNew) {
            b.bench.OnNew();
        } else if (command == kCmdOpen) {
            b.bench.OnOpen();
        } else {
            b.bench.OnExit();
        }
        QByteArrayList kinds;
        for (const auto& shown : b.prompts.shown) kinds.append(shown.kind);
        QTEST(kinds, "prompts");
        QCOMPARE(b.prompts.BoxTexts(), QList<QByteArray>{kSaveQuestion});
        QCOMPARE(b.prompts.shown.front().caption, QByteArray("Save configuration?"));
        QCOMPARE(b.prompts.shown.front().buttons, Prompts::Buttons::YesNoCancel);
        QCOMPARE(b.prompts.shown.front().icon, Prompts::Icon::Question);
        QCOMPARE(QFile::exists(savedAs), saves);
        QTEST(b.view.closed, "closed");
    }

    void unmodifiedDocumentIsNotQuestioned()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.prompts.shown.clear();
        b.bench.OnOpen();
        QVERIFY(b.prompts.BoxTexts().isEmpty());
    }

    void exitCountsTheTicketEditorOnly()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.bench.Tickets().SetCurrentTicket(1);
        b.bench.Tickets().SetTicket(1, "changed ticket");
        if (!b.bench.Tickets().IsTicketModified()) QSKIP("the ticket store does not track edits yet");
        // New and Open do not look at the tickets...
        b.prompts.shown.clear();
        b.bench.OnOpen();
        QVERIFY(b.prompts.BoxTexts().isEmpty());
        // ...Exit does.
        b.prompts.answers.push_back(Prompts::Answer::Cancel);
        QVERIFY(!b.bench.OnExit());
        QCOMPARE(b.prompts.BoxTexts(), QList<QByteArray>{kSaveQuestion});
        QVERIFY(!b.view.closed);
        QVERIFY(b.bench.Link().Exiting());
    }

    void cancelledSaveStillClearsTheMarks()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.EditMode();
        QVERIFY(b.bench.IsDocumentModified());
        b.bench.OnSave();  // the scripted dialog cancels
        QCOMPARE(b.prompts.CountOf("file"), 1);
        QVERIFY(!b.bench.IsDocumentModified());
        QVERIFY(b.bench.OnExit());
        QVERIFY(b.prompts.BoxTexts().isEmpty());
        QVERIFY(b.view.closed);
    }

    void saveThenOpenKeepsTheValues()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.EditMode();
        ConfigEntry* cap = b.Entry("CAP");
        cap->GetControl(1)->SetText("250");
        const QByteArray mode = EntryValues::ConvertToValue(*b.Entry("ab"), b.Entry("ab")->GetControl(1)->Text(),
                                                            nullptr, b.bench.Model());
        const QString path = b.data.Configurations() + QStringLiteral("kept.csc");
        b.prompts.files.push_back(path);
        b.bench.OnSave();
        QCOMPARE(b.bench.Model().documentPath, QFile::encodeName(path));

        b.prompts.files.push_back(path);
        b.bench.OnOpen();
        QVERIFY(!b.bench.Model().entries.empty());
        QCOMPARE(b.Entry("CAP")->value, QByteArray("250"));
        QCOMPARE(b.Entry("ab")->value, mode);
        QVERIFY(!b.bench.IsDocumentModified());
    }

    void communicationsSetupCancelStillAppliesAndReads()
    {
        Bench b;
        QVERIFY(b.NewDocument());
        b.EditMode();
        b.prompts.commEdits.push_back([](CommSettings& s, bool linkOpen) {
            s.port = "COM3";
            s.baudRate = "19200";
            return !linkOpen;
        });
        b.prompts.answers.push_back(Prompts::Answer::Cancel);  // the save prompt
        QSignalSpy reads(&b.bench, &Workbench::ReadFinished);
        b.bench.OnCommunicationsSetup();
        QCOMPARE(b.prompts.BoxTexts(), QList<QByteArray>{kSaveQuestion});
        QCOMPARE(SettingsStore::Load().port, QByteArray("COM3"));
        QCOMPARE(SettingsStore::Load().baudRate, QByteArray("19200"));
        QVERIFY(reads.count() || reads.wait(5000));
    }

    void communicationsSetupCancelledChangesNothing()
    {
        Bench b;
        b.prompts.commEdits.push_back([](CommSettings& s, bool) {
            s.port = "COM9";
            return false;
        });
        QSignalSpy reads(&b.bench, &Workbench::ReadFinished);
        b.bench.OnCommunicationsSetup();
        QCOMPARE(SettingsStore::Load().port, QByteArray("COM1"));
        QTest::qWait(50);
        QCOMPARE(reads.count(), 0);
    }

    void readDeviceAsksBeforeOverwriting_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("reads");
        QTest::newRow("yes") << int(Prompts::Answer::Yes) << true;
        QTest::newRow("no") << int(Prompts::Answer::No) << false;
        QTest::newRow("cancel") << int(Prompts::Answer::Cancel) << false;
    }

    void readDeviceAsksBeforeOverwriting()
    {
        QFETCH(int, answer);
        QFETCH(bool, reads);
        Bench b;
        QVERIFY(b.NewDocument());
        b.prompts.shown.clear();
        b.prompts.answers.push_back(static_cast<Prompts::Answer>(answer));
        QSignalSpy finished(&b.bench, &Workbench::ReadFinished);
        b.bench.OnReadDeviceCommand();
        QCOMPARE(b.prompts.BoxTexts(),
                 QList<QByteArray>{"This will overwrite the current loaded configuration. Continue?"});
        QCOMPARE(b.prompts.shown.front().caption, QByteArray("Read device configuration?"));
        if (reads) {
            QVERIFY(finished.count() || finished.wait(10000));
        } else {
            QTest::qWait(50);
            QCOMPARE(finished.count(), 0);
            QVERIFY(!b.bench.Model().entries.empty());
        }
    }
};

QTEST_GUILESS_MAIN(TstDocument)
#include "tst_document.moc"
