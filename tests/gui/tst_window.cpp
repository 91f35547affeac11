// SPDX-License-Identifier: MIT
// The real window driven through its widgets: menus, pages, keys, the status log and the
// busy and progress windows. The command logic behind it is tested headless in core.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "CommandTable.h"
#include "ScriptedPrompts.h"
#include "StatusLog.h"
#include "TestData.h"
#include "Workbench.h"
#include "app/CSendCfgDlg.h"
#include "app/CWeighsetDlg.h"
#include "app/CWorkingDlg.h"
#include "app/GuiView.h"
#include "editor/CEditEx.h"
#include "editor/EditControl.h"
#include "editor/PageArea.h"
#include "editor/WidgetControl.h"
#include "model/ConfigModel.h"
#include "tickets/TicketStore.h"

namespace {

// One running window over a private data folder, answering through a script.
struct Session {
    TestData data;
    ScriptedPrompts prompts;
    std::unique_ptr<CWeighsetDlg> window;

    Session()
    {
        window = std::make_unique<CWeighsetDlg>(&prompts);
        window->Bench().SetSettlePause(0);
        window->show();
        window->activateWindow();
    }
    ~Session() { window.reset(); }

    Workbench& Bench() { return window->Bench(); }
    ConfigModel& Model() { return window->Bench().Model(); }

    // New with the model chosen in the (scripted) model selection.
    void New(const QByteArray& model)
    {
        prompts.models.push_back(model);
        window->RunCommand(kCmdNew);
    }

    ConfigEntry* Entry(const QByteArray& code) { return ConfigModel::FindEntryByCode(Model().entries, code); }

    QWidget* Widget(const QByteArray& code, int control)
    {
        ConfigEntry* e = Entry(code);
        if (!e || control >= int(e->controls.size())) return nullptr;
        return static_cast<WidgetControl*>(e->controls[size_t(control)].get())->Widget();
    }

    CEditEx* Box(const QByteArray& code) { return qobject_cast<CEditEx*>(Widget(code, 1)); }
    QComboBox* Combo(const QByteArray& code) { return qobject_cast<QComboBox*>(Widget(code, 1)); }

    void ShowTab(const QString& name)
    {
        QTabBar* tabs = window->Tabs();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == name) tabs->setCurrentIndex(i);
        }
    }

    // A user choice in a drop-down list, by keyboard, until it shows `text`.
    bool Choose(const QByteArray& code, const QString& text)
    {
        QComboBox* combo = Combo(code);
        const int target = combo ? combo->findText(text) : -1;
        if (target < 0) return false;
        combo->setFocus();
        for (int guard = 0; guard < 20 && combo->currentIndex() != target; ++guard) {
            QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        }
        return combo->currentIndex() == target;
    }

    void Focus(QWidget* w)
    {
        w->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(w->hasFocus());
    }

    // Types into a box and leaves it with Tab, as a technician does.
    void TypeInto(const QByteArray& code, const QString& text)
    {
        CEditEx* box = Box(code);
        QVERIFY(box);
        Focus(box);
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_VERIFY(!box->hasFocus());
    }
};

const QByteArray kSaveQuestion = "The configuration has been modified. Save before exit?";

// Pictures for the documentation, when asked for.
void SaveScreenshot(QWidget* window, const char* name)
{
    const QString dir = qEnvironmentVariable("TARELINK_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    // Let the layouts settle first.
    QTest::qWait(50);
    window->grab().save(dir + QLatin1Char('/') + QLatin1String(name));
}

}  // namespace

class TestWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("TARELINK_NO_SPLASH", "1"); }

    void menuBar()
    {
        Session s;
        QStringList titles;
        for (QAction* a : s.window->menuBar()->actions()) titles << a->text();
        QCOMPARE(titles.join(QLatin1Char('|')), QStringLiteral("&File|&Configuration|&Tickets|C&ommunication|&Window|&Help"));
        for (QAction* top : s.window->menuBar()->actions()) {
            QMenu* menu = top->menu();
            menu->popup(s.window->mapToGlobal(QPoint(0, 0)));
            QTRY_VERIFY(menu->isVisible());
            const QByteArray name = "menu-" + top->text().remove(QLatin1Char('&')).toLower().toLatin1() + ".png";
            SaveScreenshot(menu, name.constData());
            menu->hide();
        }
    }

    void menuItems_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("popup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        auto row = [](const char* name, int id, const char* popup, const char* text, const char* shortcut) {
            QTest::newRow(name) << id << QString::fromLatin1(popup) << QString::fromLatin1(text)
                                << QString::fromLatin1(shortcut);
        };
        row("New", 57600, "&File", "&New\tCtrl-N", "Ctrl+N");
        row("Open", 57601, "&File", "&Open\tCtrl-O", "Ctrl+O");
        row("Save", 57603, "&File", "&Save\tCtrl-S", "Ctrl+S");
        row("Import handheld", 32792, "&File", "&Import handheld file...\tCtrl-I", "Ctrl+I");
        row("Export handheld", 32794, "&File", "Export handheld file...\tCtrl-H", "Ctrl+H");
        row("Print", 32796, "&File", "&Print", "");
        row("Exit", 1022, "&File", "E&xit", "");
        row("Read device", 32774, "&Configuration", "&Read device\tCtrl-R", "Ctrl+R");
        row("Update device", 1001, "&Configuration", "&Update device\tCtrl-U", "Ctrl+U");
        row("Send ticket", 32780, "&Tickets", "&Send ticket\tCtrl-T", "Ctrl+T");
        row("Print direct", 32781, "&Tickets", "Print &direct\tCtrl-P", "Ctrl+P");
        row("Send external", 32788, "&Tickets", "Send external &file\tCtrl-X", "Ctrl+X");
        row("Comm setup", 32773, "C&ommunication", "&Communications Setup   \tCtrl-E", "Ctrl+E");
        row("Center", 32771, "&Window", "&Center", "");
        row("About", 32772, "&Help", "&About", "");
        row("Help Index", 32799, "&Help", "Help Index", "");
        row("Update Flash", 32797, "&Help", "&Update Flash", "");
    }
    void menuItems()
    {
        QFETCH(int, id);
        QFETCH(QString, popup);
        Session s;
        QAction* action = s.window->Action(id);
        QVERIFY(action);
        // The menu shows the label after the tab, not the key sequence's own text.
        QTEST(action->text(), "text");
        QTEST(action->shortcut().toString(QKeySequence::PortableText), "shortcut");
        QMenu* owner = nullptr;
        int count = 0;  // nothing else of the menu carries this command
        for (QAction* top : s.window->menuBar()->actions()) {
            if (top->menu()->actions().contains(action)) owner = top->menu();
            for (QAction* a : top->menu()->actions()) count += a->data().toInt() == id ? 1 : 0;
        }
        QVERIFY(owner);
        QCOMPARE(owner->title(), popup);
        QCOMPARE(count, 1);
    }

    void statesAfterStart()
    {
        Session s;
        for (int id : {kCmdSave, kCmdSendTicket, kCmdPrintDirect, kCmdUpdateDevice, kCmdSendToHandheld,
                       kCmdExportHandheldFile, kCmdPrint, kCmdImportHandheldFile}) {
            QVERIFY2(!s.window->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        }
        for (int id : {kCmdCommunicationsSetup, kCmdNew, kCmdOpen, kCmdReadDevice, kCmdExportTicket, kCmdImportTicket,
                       kCmdSendExternalFile, kCmdReadHandheld, kCmdUpdateHandheld, kCmdUpdateFlash, kCmdExit,
                       kCmdCenter, kCmdAbout, kCmdHelpIndex, kCmdMinimize, kCmdUploadTicket}) {
            QVERIFY2(s.window->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        }
        // Hidden until a configuration is shown.
        QVERIFY(s.window->Tabs()->isHidden());
        QVERIFY(s.window->TicketEditor()->isHidden());
        QVERIFY(s.window->ApplyButton()->isHidden());
        QVERIFY(s.window->SessionPicture()->isHidden());
    }

    void newBuildsPages()
    {
        Session s;
        s.New("Model 615");
        QTabBar* tabs = s.window->Tabs();
        QVERIFY(!tabs->isHidden());
        QCOMPARE(tabs->count(), int(s.Model().tabs.size()));
        for (int i = 0; i < tabs->count(); ++i) QCOMPARE(tabs->tabText(i).toLatin1(), s.Model().tabs[size_t(i)].name);
        // Image 0 (contains "Setup") has an icon; "Keypad" is image 9, none.
        QVERIFY(!tabs->tabIcon(0).pixmap(16).isNull());
        QVERIFY(!tabs->tabIcon(1).pixmap(16).isNull());
        QCOMPARE(tabs->tabText(5), QStringLiteral("Keypad"));
        QVERIFY(tabs->tabIcon(5).pixmap(16).isNull());
        QCOMPARE(tabs->currentIndex(), 0);

        // Tab 0 shows its controls with their captions; other tabs' controls are hidden.
        QVERIFY(!s.Widget("unt", 0)->isHidden());
        QVERIFY(!s.Widget("unt", 1)->isHidden());
        QVERIFY(s.Widget("CAP", 0)->isHidden());
        QVERIFY(s.Widget("CAP", 1)->isHidden());
        QCOMPARE(qobject_cast<QLabel*>(s.Widget("unt", 0))->text(), QStringLiteral("UNT"));
        QCOMPARE(s.Widget("unt", 1)->toolTip(), QStringLiteral("Primary weighing unit"));
        QCOMPARE(s.Combo("unt")->currentText(), QStringLiteral("lb"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - 615.tpl"));
        QVERIFY(s.window->Action(kCmdSave)->isEnabled());
        QVERIFY(s.window->ApplyButton()->isEnabled());
        QVERIFY(s.window->ApplyButton()->isHidden());
        SaveScreenshot(s.window.get(), "main-window-general-setup.png");

        s.ShowTab(QStringLiteral("Calibration"));
        QCOMPARE(s.Model().currentTabIndex, 1);
        QVERIFY(s.Widget("unt", 1)->isHidden());
        QVERIFY(!s.Widget("CAP", 1)->isHidden());
        QVERIFY(s.window->TicketEditor()->isHidden());

        s.ShowTab(QStringLiteral("Printing"));
        QVERIFY(!s.window->TicketEditor()->isHidden());
        SaveScreenshot(s.window.get(), "main-window-printing.png");
        s.ShowTab(QStringLiteral("Digital"));
        QVERIFY(s.window->TicketEditor()->isHidden());
    }

    void perModelMenu_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QString>("sendTicket");
        QTest::addColumn<QString>("importItem");
        QTest::addColumn<QString>("exportItem");
        QTest::addColumn<bool>("readDevice");
        QTest::addColumn<bool>("commSetup");
        QTest::addColumn<bool>("importEnabled");
        QTest::newRow("615") << QByteArray("Model 615") << "Send Ticket\tCtrl-T" << "Import Handheld"
                             << "Export Handheld" << true << true << false;
        QTest::newRow("637") << QByteArray("Model 637") << "Send Ticket\tCtrl-T" << "Receive 637 ID Storage File"
                             << "Send 637 ID Storage File" << false << true << true;
        QTest::newRow("958") << QByteArray("Model 958") << "Save 958 Ticket\tCtrl-T" << "Import Handheld"
                             << "Export Handheld" << false << false << false;
    }
    void perModelMenu()
    {
        QFETCH(QByteArray, model);
        Session s;
        s.New(model);
        QVERIFY(!s.Model().entries.empty());
        QTEST(s.window->Action(kCmdSendTicket)->text(), "sendTicket");
        QTEST(s.window->Action(kCmdImportHandheldFile)->text(), "importItem");
        QTEST(s.window->Action(kCmdExportHandheldFile)->text(), "exportItem");
        QTEST(s.window->Action(kCmdReadDevice)->isEnabled(), "readDevice");
        QTEST(s.window->Action(kCmdCommunicationsSetup)->isEnabled(), "commSetup");
        QTEST(s.window->Action(kCmdImportHandheldFile)->isEnabled(), "importEnabled");
        // The shortcut stays with the relabelled item.
        QCOMPARE(s.window->Action(kCmdSendTicket)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    }

    void comboFiresRules()
    {
        Session s;
        s.New("Model 615");
        s.ShowTab(QStringLiteral("Calibration"));
        // HIDE:LOW RANGE:WT RANGES:1 ran at build time.
        QVERIFY(s.Widget("LOW RANGE", 1)->isHidden());
        QVERIFY(s.Choose("WT RANGES", QStringLiteral("Dual")));
        QVERIFY(!s.Widget("LOW RANGE", 1)->isHidden());
        QVERIFY(!s.Widget("LOW RANGE", 0)->isHidden());
        QVERIFY(s.Choose("WT RANGES", QStringLiteral("Single")));
        QVERIFY(s.Widget("LOW RANGE", 1)->isHidden());

        // ENABLE/DISABLE:ZTB:AZT: the box turns read-only, the arrows and the caption grey.
        QVERIFY(s.Box("ZTB")->IsWritable());
        QVERIFY(s.Choose("AZT", QStringLiteral("Off")));
        QVERIFY(!s.Box("ZTB")->IsWritable());
        QVERIFY(!s.Widget("ZTB", 2)->isEnabled());
        QVERIFY(s.Choose("AZT", QStringLiteral("On")));
        QVERIFY(s.Box("ZTB")->IsWritable());
        QVERIFY(s.Widget("ZTB", 2)->isEnabled());
    }

    void leavingABoxStoresTheBound()
    {
        Session s;
        s.New("Model 615");
        s.ShowTab(QStringLiteral("Digital"));
        // mtd: 1-20, an edit box; the minus is refused while typing.
        s.TypeInto("mtd", QStringLiteral("-150"));
        QCOMPARE(s.Entry("mtd")->value, QByteArray("20"));
        QCOMPARE(s.Box("mtd")->text(), QStringLiteral("20"));
        QCOMPARE(s.Entry("mtd")->modified, 1);
        QVERIFY(s.window->windowTitle().endsWith(QStringLiteral(" *")));
    }

    void clickingAReadOnlyBoxKeepsItsText()
    {
        Session s;
        s.New("Model 615");
        s.ShowTab(QStringLiteral("Model Info"));
        ConfigEntry* model = ConfigModel::FindEntryByCode(s.Model().extraEntries, "MOD");
        QVERIFY(model);
        auto* box = qobject_cast<CEditEx*>(static_cast<WidgetControl*>(model->controls[1].get())->Widget());
        QVERIFY(box && !box->isHidden());
        QCOMPARE(box->text(), QStringLiteral("615"));
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QTest::mouseClick(s.window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          box->mapTo(s.window.get(), QPoint(5, 5)));
        QTest::qWait(20);
        // The focus bounced off; nothing was stored and nothing was rewritten.
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->text(), QStringLiteral("615"));
        QCOMPARE(model->value, QByteArray("615"));
    }

    void saveThenOpenRoundTrip()
    {
        Session s;
        s.New("Model 615");
        QVERIFY(s.Choose("unt", QStringLiteral("kg")));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - 615.tpl *"));
        s.ShowTab(QStringLiteral("Digital"));
        s.TypeInto("mtd", QStringLiteral("15"));

        const QString path = s.data.Configurations() + QStringLiteral("bench.csc");
        s.prompts.files.push_back(path);
        // Ctrl+S with the focus in an edit box.
        s.Focus(s.Box("mtd"));
        QTest::keyClick(s.Box("mtd"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.prompts.CountOf("file"), 1);
        QVERIFY(s.prompts.shown.back().file.save);
        const QByteArray written = TestData::ReadAll(path);
        QVERIFY(written.contains("\r\nunt:20:60:1:"));
        QVERIFY(written.contains("\r\nmtd:440:60:15:"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - bench.csc"));

        // A fresh template, then the saved file again.
        s.New("Model 615");
        QCOMPARE(s.Combo("unt")->currentText(), QStringLiteral("lb"));
        s.prompts.files.push_back(path);
        s.window->RunCommand(kCmdOpen);
        QCOMPARE(s.Combo("unt")->currentText(), QStringLiteral("kg"));
        QCOMPARE(s.Box("mtd")->text(), QStringLiteral("15"));
        // Read without an indicator, the file is named by its model's template again.
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - 615.tpl"));
        QVERIFY(s.prompts.BoxTexts().isEmpty());
    }

    void oldWidgetsGoAfterAReset()
    {
        Session s;
        s.New("Model 615");
        s.New("Model 615");
        // The first build's widgets are gone once the events have run.
        qsizetype boxes = 0;
        std::function<void(const EntryArray&)> count = [&](const EntryArray& list) {
            for (const auto& e : list) {
                for (const auto& c : e->controls) boxes += c->Kind() == ControlKind::Edit ? 1 : 0;
                count(e->subEntries);
            }
        };
        count(s.Model().entries);
        count(s.Model().extraEntries);
        QVERIFY(boxes > 0);
        QTRY_COMPARE(s.window->Page()->Content()->findChildren<CEditEx*>().size(), boxes);
    }

    void enterAndEscapeKeepTheWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("code");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 13;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 27;
    }
    void enterAndEscapeKeepTheWindow()
    {
        QFETCH(int, key);
        Session s;
        s.New("Model 615");
        QSignalSpy sent(&s.Bench().Tickets(), &TicketStore::KeySent);
        s.Focus(s.Box("usn"));
        QTest::keyClick(s.Box("usn"), Qt::Key(key));
        QVERIFY(s.window->isVisible());
        QCOMPARE(sent.count(), 0);

        // On the print page they go to the ticket editor.
        s.ShowTab(QStringLiteral("Printing"));
        QTest::keyClick(s.window.get(), Qt::Key(key));
        QVERIFY(s.window->isVisible());
        QCOMPARE(sent.count(), 1);
        QTEST(sent.at(0).at(0).toInt(), "code");
    }

    void closeBoxRunsExit()
    {
        Session s;
        s.New("Model 615");
        QVERIFY(s.Choose("unt", QStringLiteral("kg")));
        s.prompts.answers.push_back(Prompts::Answer::Cancel);
        QVERIFY(!s.window->close());
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.prompts.BoxTexts(), QList<QByteArray>{kSaveQuestion});

        s.prompts.answers.push_back(Prompts::Answer::No);
        QVERIFY(s.window->close());
        QVERIFY(!s.window->isVisible());

        // An unchanged document closes without asking.
        Session fresh;
        fresh.New("Model 615");
        fresh.window->CloseButton()->click();
        QVERIFY(!fresh.window->isVisible());
        QVERIFY(fresh.prompts.BoxTexts().isEmpty());
    }

    void ctrlLettersFromAnEditBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QByteArray>("prompt");
        QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << QByteArray("file");
        QTest::newRow("Ctrl+O opens") << int(Qt::Key_O) << QByteArray("file");
        QTest::newRow("Ctrl+N news") << int(Qt::Key_N) << QByteArray("model");
        QTest::newRow("Ctrl+E sets up") << int(Qt::Key_E) << QByteArray("comm");
        QTest::newRow("Ctrl+R reads") << int(Qt::Key_R) << QByteArray("box");
        // Send external file, not a cut of the box's text.
        QTest::newRow("Ctrl+X is not a cut") << int(Qt::Key_X) << QByteArray("file");
    }
    void ctrlLettersFromAnEditBox()
    {
        QFETCH(int, key);
        QFETCH(QByteArray, prompt);
        Session s;
        s.New("Model 615");
        CEditEx* box = s.Box("hd1");
        s.Focus(box);
        box->selectAll();
        s.prompts.shown.clear();
        QTest::keyClick(box, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("TERVOLIN SCALE"));
        QCOMPARE(s.prompts.shown.empty(), prompt.isEmpty());
        if (!prompt.isEmpty()) QCOMPARE(s.prompts.shown.front().kind, prompt);
    }

    void greyedCommandDoesNothing()
    {
        Session s;
        QVERIFY(!s.window->Action(kCmdSave)->isEnabled());
        QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
        s.window->RunCommand(kCmdSave);
        QVERIFY(s.prompts.shown.empty());
    }

    void statusLog()
    {
        Session s;
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink"));
        SaveScreenshot(s.window.get(), "main-window-empty.png");
        QTreeWidget* log = s.window->LogView();
        QCOMPARE(log->topLevelItemCount(), 0);
        QCOMPARE(log->headerItem()->text(0), QStringLiteral("Type"));
        QCOMPARE(log->headerItem()->text(1), QStringLiteral("Message"));
        QCOMPARE(log->columnWidth(0), 100);
        QCOMPARE(log->columnWidth(1), 500);
        const int kinds[] = {0, 1, 2, 3, 7};
        for (int i = 0; i < 5; ++i) s.Bench().AddStatusLine("line " + QByteArray::number(i), kinds[i]);
        QCOMPARE(log->topLevelItemCount(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(log->topLevelItem(i)->text(0).toLatin1(), StatusLog::KindLabel(kinds[i]));
            QCOMPARE(log->topLevelItem(i)->text(1), QStringLiteral("line %1").arg(i));
            QCOMPARE(log->topLevelItem(i)->icon(0).pixmap(16).isNull(), i == 4);
        }

        // Many lines: the newest is scrolled into view.
        for (int i = 0; i < 60; ++i) s.Bench().AddStatusLine("more", kInformation);
        QTRY_VERIFY(!log->visualItemRect(log->topLevelItem(log->topLevelItemCount() - 1)).isEmpty());
        QVERIFY(log->visualItemRect(log->topLevelItem(log->topLevelItemCount() - 1)).bottom()
                <= log->viewport()->height());
        SaveScreenshot(s.window.get(), "main-window-status-log.png");

        // A right click empties it; the next line is row 0 again.
        const QPoint inLog = log->viewport()->mapTo(s.window.get(), QPoint(20, 10));
        QTest::mouseClick(s.window->windowHandle(), Qt::RightButton, Qt::NoModifier, inLog);
        QTRY_COMPARE(log->topLevelItemCount(), 0);
        QCOMPARE(s.Bench().Log().RowCount(), 0);
        s.Bench().AddStatusLine("again", kWarning);
        QCOMPARE(log->topLevelItemCount(), 1);
        QCOMPARE(log->topLevelItem(0)->text(1), QStringLiteral("again"));
    }

    void busyWindow()
    {
        Session s;
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        View& view = s.window->Gui();
        view.ShowBusy("Initializing communication...");
        CWorkingDlg* busy = s.window->Gui().Busy();
        QVERIFY(busy && busy->isVisible());
        QCOMPARE(busy->Message(), QByteArray("Initializing communication..."));
        QCOMPARE(busy->pos(), s.window->frameGeometry().topLeft() + QPoint(145, 100));
        view.SetBusyMessage("Opening serial port...");
        QCOMPARE(busy->Message(), QByteArray("Opening serial port..."));
        // Activating the main window hands the activation to the busy window.
        s.window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(busy));
        QPointer<CWorkingDlg> gone = busy;
        view.CloseBusy();
        QVERIFY(!view.BusyExists());
        QVERIFY(!gone || gone->isHidden());
        QTRY_VERIFY(!gone);
        // Messages without a busy window go nowhere, harmlessly.
        view.SetBusyMessage("ignored");
    }

    void progressWindow()
    {
        Session s;
        View& view = s.window->Gui();
        QVERIFY(!view.ProgressExists());
        QVERIFY(!view.AbortRequested());
        view.ShowProgress();
        CSendCfgDlg* progress = s.window->Gui().Progress();
        QVERIFY(progress);
        QCOMPARE(progress->pos(), s.window->frameGeometry().topLeft() + QPoint(100, 150));
        view.InitUpperBar(0, 12);
        view.InitLowerBar(1, 4);
        view.SetUpperPos(5);
        view.SetLowerPos(3);
        view.SetProgressText("Sending ticket slot 3...");
        QCOMPARE(progress->UpperBar()->maximum(), 12);
        QCOMPARE(progress->UpperBar()->value(), 5);
        QCOMPARE(progress->LowerBar()->minimum(), 1);
        QCOMPARE(progress->LowerBar()->value(), 3);
        QCOMPARE(progress->StatusText(), QByteArray("Sending ticket slot 3..."));
        progress->AbortButton()->click();
        QVERIFY(view.AbortRequested());
        QVERIFY(view.ProgressExists());
        view.CloseProgress();
        QVERIFY(!view.ProgressExists());
        QVERIFY(!view.AbortRequested());
    }

    // The read runs its waits under the window's modal busy window and comes back.
    void readDeviceWithoutAPort()
    {
        Session s;
        s.Bench().Settings().port = "/nonexistent/tarelink-test-tty";
        QSignalSpy finished(&s.Bench(), &Workbench::ReadFinished);
        s.window->RunCommand(kCmdReadDevice);
        QVERIFY(finished.count() || finished.wait(10000));
        const auto& lines = s.Bench().Log().Lines();
        QVERIFY(!lines.empty());
        QCOMPARE(lines.back().kind, int(kCommError));
        QVERIFY(!s.window->Gui().BusyExists());
        QVERIFY(s.window->Action(kCmdReadDevice)->isEnabled());
        QVERIFY(s.window->Tabs()->isHidden());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
