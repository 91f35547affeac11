// SPDX-License-Identifier: MIT
// The real window driven through its widgets, with scripted prompts: menus, pages, keys, the
// status log, the busy and progress windows and help. The command logic is tested headless.
#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <pty.h>
#include <unistd.h>

#include "WindowSession.h"
#include "app/CBusyAnimation.h"
#include "app/CSendCfgDlg.h"
#include "app/CWorkingDlg.h"
#include "app/GuiView.h"
#include "app/SupportCommands.h"
#include "editor/CCheckFrame.h"
#include "editor/CUpDown.h"
#include "editor/PageArea.h"
#include "link/DeviceLink.h"
#include "model/ConfigModel.h"
#include "tickets/TicketStore.h"

namespace {

QStringList Split(const char* items)
{
    return QString::fromLatin1(items).split(QLatin1Char(';'));
}

// Catches the pages the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void Open(const QUrl& url) { urls << url; }
};

}  // namespace

class TestWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("TARELINK_NO_SPLASH", "1"); }

    void menusAndStates()
    {
        WindowSession s;
        // Every menu in order: id|menu|text (after the tab: the shortcut column)|shortcut|enabled after start-up.
        const QStringList expected = Split(
            "57600|&File|&New\tCtrl-N|Ctrl+N|1;57601|&File|&Open\tCtrl-O|Ctrl+O|1;57603|&File|&Save\tCtrl-S|Ctrl+S|0;"
            "32792|&File|&Import handheld file...\tCtrl-I|Ctrl+I|0;"
            "32794|&File|Export handheld file...\tCtrl-H|Ctrl+H|0;"
            // The handheld transfers have no items in the menu resource: after a separator.
            "&File|-;32787|&File|Send to handheld...||0;32790|&File|Read from handheld...||1;"
            "32795|&File|Update handheld...||1;"
            "32796|&File|&Print||0;1022|&File|E&xit||1;32774|&Configuration|&Read device\tCtrl-R|Ctrl+R|1;"
            "1001|&Configuration|&Update device\tCtrl-U|Ctrl+U|0;32780|&Tickets|&Send ticket\tCtrl-T|Ctrl+T|0;"
            "32781|&Tickets|Print &direct\tCtrl-P|Ctrl+P|0;32788|&Tickets|Send external &file\tCtrl-X|Ctrl+X|1;"
            "&Tickets|-;32784|&Tickets|Export ticket...||1;32785|&Tickets|Import ticket...||1;"
            "32798|&Tickets|Upload ticket...||1;"
            "32773|C&ommunication|&Communications Setup   \tCtrl-E|Ctrl+E|1;"
            "C&ommunication|-;32777|C&ommunication|Remote setup||1;32778|C&ommunication|Host session||1;"
            "32771|&Window|&Center||1;"
            // Minimize has no item in the menu resource: it follows Center, after a separator.
            "&Window|-;32775|&Window|Mi&nimize||1;32772|&Help|&About||1;32799|&Help|Help Index||1;"
            "32797|&Help|&Update Flash||1");
        QStringList seen;
        for (QAction* top : s.window->menuBar()->actions()) {
            for (QAction* a : top->menu()->actions()) {
                const QString shortcut = a->shortcut().toString(QKeySequence::PortableText);
                seen << (a->isSeparator() ? top->text() + QStringLiteral("|-")
                                          : QStringLiteral("%1|%2|%3|%4|%5")
                                                .arg(a->data().toInt())
                                                .arg(top->text(), a->text(), shortcut)
                                                .arg(a->isEnabled()));
                QVERIFY(a->isSeparator() || s.window->Action(a->data().toInt()) == a);
            }
        }
        QCOMPARE(seen, expected);
        QVERIFY(s.window->Tabs()->isHidden() && s.window->TicketEditor()->isHidden());
        QVERIFY(s.window->SessionPicture()->isHidden());
        // A greyed command does nothing, by shortcut or otherwise.
        QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
        s.window->RunCommand(kCmdSave);
        QVERIFY(s.prompts.shown.empty());
        // The per-model relabelling reaches the menu; the shortcut stays with its item.
        s.New("Model 958");
        QCOMPARE(s.window->Action(kCmdSendTicket)->text(), QStringLiteral("Save 958 Ticket\tCtrl-T"));
        QCOMPARE(s.window->Action(kCmdSendTicket)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
        QVERIFY(!s.window->Action(kCmdReadDevice)->isEnabled() && s.window->Action(kCmdSave)->isEnabled());
        s.window->RunCommand(kCmdMinimize);
        QTRY_VERIFY(s.window->isMinimized());
    }

    // A technician's session: New, the pages, edits through the widgets, Save, Open, Exit.
    void sessionThroughTheWidgets()
    {
        WindowSession s;
        s.New("Model 615");
        QTabBar* tabs = s.window->Tabs();
        QVERIFY(!tabs->isHidden());
        QStringList names;
        for (int i = 0; i < tabs->count(); ++i) names << tabs->tabText(i);
        QCOMPARE(names.join(QLatin1Char('|')), QLatin1String("General Setup|Calibration|Digital|Serial Port|"
                                                             "Ticket Tabs|Keypad|Printing|Model Info"));
        // Image 0 (a name containing "Setup") has an icon; "Keypad" is image 9, none.
        QVERIFY(!tabs->tabIcon(0).isNull() && tabs->tabText(5) == QLatin1String("Keypad") && tabs->tabIcon(5).isNull());
        QCOMPARE(qobject_cast<QLabel*>(s.Widget("unt", 0))->text(), QStringLiteral("UNT"));
        QCOMPARE(s.Widget("unt", 1)->toolTip(), QStringLiteral("Primary weighing unit"));
        QCOMPARE(s.Widget("unt", 1)->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1000);
        QCOMPARE(s.Combo("unt")->currentText(), QStringLiteral("lb"));
        QVERIFY(!s.Widget("unt", 1)->isHidden() && s.Widget("CAP", 1)->isHidden() && s.Widget("CAP", 0)->isHidden());
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - 615.tpl"));
        QVERIFY(s.window->ApplyButton()->isEnabled() && s.window->ApplyButton()->isHidden());
        const qsizetype boxes = s.window->Page()->Content()->findChildren<CEditEx*>().size();
        // A check entry: a small frame with its code, where the template puts it.
        auto* check = qobject_cast<CCheckFrame*>(s.Widget("LFT", 0));
        QVERIFY(check && check->isVisible() && check->isEnabled());
        QCOMPARE(check->geometry(), QRect(300, 180, 100, 20));
        QCOMPARE(check->Caption(), QStringLiteral("LFT"));
        // A spin entry: the arrows sit in the right end of the box, as tall as it, on top of it.
        CEditEx* box = s.Box("slp");
        auto* arrows = qobject_cast<CUpDown*>(s.Widget("slp", 2));
        QCOMPARE(box->geometry(), QRect(20, 180, 100, 25));
        QCOMPARE(arrows->geometry(), QRect(120 - arrows->width(), 180, arrows->width(), 25));
        QVERIFY(arrows->width() >= 8 && arrows->width() <= 40 && box->textMargins().right() >= arrows->width() - 4);
        QCOMPARE(s.window->Page()->Content()->childAt(arrows->geometry().center()), arrows);
        QTest::mouseClick(arrows, Qt::LeftButton, Qt::NoModifier, QPoint(arrows->width() / 2, 3));
        QCOMPARE(box->text(), QStringLiteral("1"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - 615.tpl *"));

        s.window->Tabs()->setCurrentIndex(1);  // Calibration
        QCOMPARE(s.Model().currentTabIndex, 1);
        QVERIFY(s.Widget("unt", 1)->isHidden() && !s.Widget("CAP", 1)->isHidden());
        // DISABLE:ZTB:AZT: the box turns read-only (dark blue on the button face), its arrows grey.
        QVERIFY(s.Choose("AZT", QStringLiteral("Off")));
        QVERIFY(!s.Box("ZTB")->IsWritable() && !s.Widget("ZTB", 2)->isEnabled());
        QCOMPARE(s.Box("ZTB")->palette().color(QPalette::Text), QColor(0, 0, 128));
        QVERIFY(s.Choose("AZT", QStringLiteral("On")));
        QVERIFY(s.Box("ZTB")->IsWritable() && s.Widget("ZTB", 2)->isEnabled());
        s.window->Tabs()->setCurrentIndex(6);  // Printing
        QVERIFY(!s.window->TicketEditor()->isHidden());

        // mtd: 1-20; the minus is refused while typing, and leaving the box stores the bound.
        s.window->Tabs()->setCurrentIndex(2);  // Digital
        QVERIFY(s.window->TicketEditor()->isHidden());
        s.TypeInto("mtd", QStringLiteral("-150"));
        QCOMPARE(s.Entry("mtd")->value + "|" + s.Box("mtd")->text().toLatin1(), QByteArray("20|20"));
        // Ctrl+S with the focus in an edit box saves what the widgets show.
        QVERIFY(s.Choose("unt", QStringLiteral("kg")));
        const QString path = s.data.Configurations() + QStringLiteral("bench.csc");
        s.prompts.files.push_back(path);
        s.Focus(s.Box("mtd"));
        QTest::keyClick(s.Box("mtd"), Qt::Key_S, Qt::ControlModifier);
        const QByteArray written = TestData::ReadAll(path);
        QVERIFY(written.contains("\r\nunt:20:60:1:") && written.contains("\r\nmtd:440:60:20:"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Tarelink - bench.csc"));
        s.New("Model 615");
        s.prompts.files.push_back(path);
        s.window->RunCommand(kCmdOpen);
        QCOMPARE(s.Combo("unt")->currentText() + s.Box("mtd")->text(), QStringLiteral("kg20"));
        QVERIFY(s.prompts.BoxTexts().isEmpty());
        // The earlier builds' widgets are gone once the events have run.
        QTRY_COMPARE(s.window->Page()->Content()->findChildren<CEditEx*>().size(), boxes);

        // The close box runs Exit: a change asks, Cancel stays, No closes.
        QVERIFY(s.Choose("unt", QStringLiteral("lb")));
        s.prompts.answers = {Prompts::Answer::Cancel, Prompts::Answer::No};
        QVERIFY(!s.window->close() && s.window->isVisible());
        QVERIFY(s.window->close());
        QCOMPARE(s.prompts.BoxTexts(), QList<QByteArray>(2, "The configuration has been modified. Save before exit?"));
        WindowSession fresh;
        fresh.New("Model 615");
        fresh.window->CloseButton()->click();
        QVERIFY(!fresh.window->isVisible() && fresh.prompts.BoxTexts().isEmpty());
    }

    void keysFromAnEditBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QByteArray>("prompt");
        QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << QByteArray("file");
        // Send external file, not a cut of the box's text.
        QTest::newRow("Ctrl+X is not a cut") << int(Qt::Key_X) << QByteArray("file");
        // Enter and Escape never close the window: they go to the ticket editor on its page only.
        QTest::newRow("Enter") << int(Qt::Key_Return) << QByteArray("13");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << QByteArray("27");
    }
    void keysFromAnEditBox()
    {
        QFETCH(int, key);
        QFETCH(QByteArray, prompt);
        WindowSession s;
        s.New("Model 615");
        QSignalSpy sent(&s.window->Bench().Tickets(), &TicketStore::KeySent);
        CEditEx* box = s.Box("hd1");
        s.Focus(box);
        box->selectAll();
        s.prompts.shown.clear();
        const bool dialogKey = prompt.toInt() > 0;
        QTest::keyClick(box, Qt::Key(key), dialogKey ? Qt::NoModifier : Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("TERVOLIN SCALE"));
        QCOMPARE(s.prompts.shown.empty(), prompt.isEmpty() || dialogKey);
        if (!s.prompts.shown.empty()) QCOMPARE(s.prompts.shown.front().kind, prompt);
        if (!dialogKey) return;
        QCOMPARE(sent.count(), 0);
        s.window->Tabs()->setCurrentIndex(6);  // Printing
        QTest::keyClick(s.window.get(), Qt::Key(key));
        QVERIFY(s.window->isVisible());
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).toByteArray(), prompt);
    }

    void statusLog()
    {
        WindowSession s;
        s.window->resize(1100, 700);
        QTreeWidget* log = s.window->LogView();
        QCOMPARE(log->headerItem()->text(0) + log->headerItem()->text(1), QStringLiteral("TypeMessage"));
        const int kinds[] = {0, 1, 2, 3, 7};
        for (int i = 0; i < 5; ++i) s.window->Bench().AddStatusLine("line " + QByteArray::number(i), kinds[i]);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(log->topLevelItem(i)->text(0).toLatin1(), StatusLog::KindLabel(kinds[i]));
            QCOMPARE(log->topLevelItem(i)->text(1), QStringLiteral("line %1").arg(i));
            QCOMPARE(log->topLevelItem(i)->icon(0).isNull(), i == 4);
        }
        // The type column holds "Comm Error" with its icon; the message column reaches the edge.
        const int typeWidth = log->columnWidth(0);
        log->resizeColumnToContents(0);
        QVERIFY(typeWidth >= 100 && typeWidth >= log->columnWidth(0));
        log->setColumnWidth(0, typeWidth);
        s.window->resize(1400, 700);
        QTRY_COMPARE(log->header()->sectionPosition(1) + log->header()->sectionSize(1), log->viewport()->width());
        // A right click empties it; the next line is row 0 again.
        QTest::mouseClick(s.window->windowHandle(), Qt::RightButton, {},
                          log->viewport()->mapTo(s.window.get(), QPoint(20, 10)));
        QTRY_COMPARE(log->topLevelItemCount(), 0);
        s.window->Bench().AddStatusLine("again", kWarning);
        QCOMPARE(log->topLevelItem(0)->text(1) + QString::number(s.window->Bench().Log().RowCount()),
                 QStringLiteral("again1"));
    }

    void busyAndProgressWindows()
    {
        WindowSession s;
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        View& view = s.window->Gui();
        view.ShowBusy("Initializing communication...");
        CWorkingDlg* busy = s.window->Gui().Busy();
        QCOMPARE(busy->pos(), s.window->frameGeometry().topLeft() + QPoint(145, 100));
        QCOMPARE(QApplication::activeModalWidget(), busy);
        view.SetBusyMessage("Opening serial port...");
        QCOMPARE(busy->Message(), QByteArray("Opening serial port..."));
        QVERIFY(busy->Animation()->IsPlaying());
        // Only the work that opened it closes it; activating the main window hands the activation on.
        QTest::keyClick(busy, Qt::Key_Escape);
        s.window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(busy));
        QPointer<CWorkingDlg> gone = busy;
        view.CloseBusy();
        QVERIFY(!view.BusyExists());
        QTRY_VERIFY(!gone);

        view.ShowProgress();
        CSendCfgDlg* progress = s.window->Gui().Progress();
        QCOMPARE(progress->pos(), s.window->frameGeometry().topLeft() + QPoint(100, 150));
        QCOMPARE(progress->StatusText(), QByteArray("Sending configuration to indicator..."));
        view.InitUpperBar(3, 12);
        view.InitLowerBar(0, 0);  // nothing to send: an empty bar, not a busy animation
        view.SetUpperPos(15);
        QCOMPARE(QStringLiteral("%1-%2").arg(progress->UpperBar()->minimum()).arg(progress->UpperBar()->value()),
                 QStringLiteral("3-12"));
        QVERIFY(progress->LowerBar()->maximum() > progress->LowerBar()->minimum());
        const QImage idle = progress->grab().toImage();
        view.SetProgressActivity(true);
        QVERIFY(progress->grab().toImage() != idle);
        view.SetProgressText("Sending ticket slot 3...");
        QCOMPARE(progress->StatusText(), QByteArray("Sending ticket slot 3..."));
        // Abort, or Escape, asks the transfer to stop; the transfer closes the window.
        progress->AbortButton()->click();
        QVERIFY(view.AbortRequested() && view.ProgressExists());
        QCOMPARE(progress->StatusText(), QByteArray("Aborting configuration transfer, please wait..."));
        view.CloseProgress();
        view.ShowProgress();
        QTest::keyClick(s.window->Gui().Progress(), Qt::Key_Escape);
        QVERIFY(view.AbortRequested());
        view.CloseProgress();
        QVERIFY(!view.ProgressExists() && !view.AbortRequested());
    }

    // A read that cannot open its port comes back with the window usable; Update Flash gives an
    // open port up even when the utility is missing.
    void linkCommands()
    {
        WindowSession s;
        Workbench& bench = s.window->Bench();
        bench.Settings().port = "/nonexistent/tarelink-test-tty";
        QSignalSpy finished(&bench, &Workbench::ReadFinished);
        s.window->RunCommand(kCmdReadDevice);
        QVERIFY(finished.count() || finished.wait(10000));
        QVERIFY(s.Log().last().startsWith(QLatin1String("Comm Error: ")));
        QVERIFY(!s.window->Gui().BusyExists() && s.window->Tabs()->isHidden());
        QVERIFY(s.window->Action(kCmdReadDevice)->isEnabled());
        if (QFileInfo::exists(QString::fromLatin1(kFlashUtilityPath))) QSKIP("a flash utility is installed here");
        int master = -1;
        int slave = -1;
        char name[256] = {};
        QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
        bench.Settings().port = name;
        const bool opened = bench.Link().OpenSerialPort(nullptr);
        s.window->RunCommand(kCmdUpdateFlash);
        const bool stillOpen = bench.Link().IsSerialOpen();
        ::close(slave);
        ::close(master);
        QVERIFY(opened && !stillOpen);
        QCOMPARE(s.prompts.BoxTexts(), QList<QByteArray>{"Check the flash utility installation"});
        QVERIFY(s.prompts.shown[0].caption == "Tarelink" && s.prompts.shown[0].icon == Prompts::Icon::None);
    }

    void helpIndex()
    {
        WindowSession s;
        const QString index = s.data.Base() + QStringLiteral("Resources/Help/index.html");
        UrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
        s.window->RunCommand(kCmdHelpIndex);
        QCOMPARE(browser.urls, QList<QUrl>{QUrl::fromLocalFile(index)});
        QVERIFY(s.Log().isEmpty());
        // No browser: a Warning; no guide: an Error; each names the file.
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        s.window->RunCommand(kCmdHelpIndex);
        QVERIFY(QFile::remove(index));
        s.window->RunCommand(kCmdHelpIndex);
        const QString missing = QStringLiteral("Error: Help file not found: ") + index;
        QCOMPARE(s.Log(), (QStringList{QStringLiteral("Warning: No program to show the help file was found: ") + index,
                                       missing}));

    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
