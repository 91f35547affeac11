// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <pty.h>
#include <unistd.h>

#include "ScriptedPrompts.h"
#include "TestData.h"
#include "Workbench.h"
#include "app/CBusyAnimation.h"
#include "app/CCommSetupDlg.h"
#include "app/CIPAddressCtrl.h"
#include "app/CKeyLockDlg.h"
#include "app/CPrefsDlg.h"
#include "app/CSelectDeviceDlg.h"
#include "app/CSendCfgDlg.h"
#include "app/CStaticEx.h"
#include "app/CTickSlotDlg.h"
#include "app/CWorkingDlg.h"
#include "app/QtPrompts.h"
#include "app/SplashDlg.h"
#include "app/SupportCommands.h"
#include "link/DeviceLink.h"
#include "platform/View.h"

using Answer = Prompts::Answer;

namespace {

constexpr int kModalWaitMs = 5000;

// Runs `act` on the next modal dialog of type T once it is up. If none comes, every modal
// dialog is closed so the test fails instead of hanging.
template <typename T>
void WhenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    auto* waited = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        *waited += 10;
        if (!w && *waited <= kModalWaitMs) return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        if (w) {
            act(w);
        } else {
            while (QWidget* m = QApplication::activeModalWidget()) m->close();
        }
    });
    timer->start(10);
}

void Activate(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    // What the list does when the user picks an item.
    Q_EMIT combo->activated(index);
}

void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QPushButton* Button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList Split(const QByteArray& items)
{
    return QString::fromLatin1(items).split(QLatin1Char('|'));
}

QStringList Items(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

void Click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// What the dialog shows, in the order of the settings record.
QStringList Shown(const CCommSetupDlg& d)
{
    return {d.PrimaryCombo()->currentText(), d.PortSpeedCombo()->currentText(), d.ParityCombo()->currentText(),
            d.StopBitsCombo()->currentText(), d.DataBitsCombo()->currentText(),
            QString::fromLatin1(d.AddressCtrl()->AddressText()), QString::fromLatin1(d.HostServerCtrl()->AddressText()),
            d.PortNumberEdit()->text(), d.AlternateCombo()->currentText(), d.TimeOutEdit()->text()};
}

}  // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void Open(const QUrl& url) { urls << url; }
};

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    // --- communication settings ---

    void commPortType_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("tcp");
        QTest::newRow("COM1 to TCP/IP") << QByteArray("COM1") << QStringLiteral("TCP/IP") << true;
        QTest::newRow("TCP/IP to COM3") << QByteArray("TCP/IP") << QStringLiteral("COM3") << false;
        QTest::newRow("TCP/IP to COM18") << QByteArray("TCP/IP") << QStringLiteral("COM18") << false;
    }
    void commPortType()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, chosen);
        QFETCH(bool, tcp);
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        s.port = stored;
        CCommSetupDlg dlg(s, prompts, false);
        // The stored port sets the opposite state first.
        QCOMPARE(dlg.PortSpeedCombo()->isEnabled(), tcp);
        QCOMPARE(dlg.AddressCtrl()->isEnabled(), !tcp);

        Activate(dlg.PrimaryCombo(), chosen);
        for (QWidget* w : std::initializer_list<QWidget*>{dlg.PortSpeedCombo(), dlg.DataBitsCombo(),
                                                          dlg.StopBitsCombo(), dlg.ParityCombo()}) {
            QCOMPARE(w->isEnabled(), !tcp);
        }
        for (QWidget* w : std::initializer_list<QWidget*>{dlg.AddressCtrl(), dlg.PortNumberEdit(), dlg.TimeOutEdit()}) {
            QCOMPARE(w->isEnabled(), tcp);
        }
        QVERIFY(dlg.AlternateCombo()->isEnabled());
        QVERIFY(dlg.HostServerCtrl()->isEnabled());
    }

    void commShowsAndStoresRecord()
    {
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        CCommSetupDlg dlg(s, prompts, false);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Communication settings"));
        const QByteArray defaults = QByteArray("COM1|9600|None|1 bit|8 bits|") + kDefaultRemoteAddress;
        QCOMPARE(Shown(dlg), Split(defaults + "|127.0.0.1|3001|COM1|100"));
        // The serial line settings are in use for a serial port.
        QVERIFY(dlg.PortSpeedCombo()->isEnabled());
        QVERIFY(!dlg.TimeOutEdit()->isEnabled());

        Activate(dlg.PortSpeedCombo(), QStringLiteral("19200"));
        Activate(dlg.ParityCombo(), QStringLiteral("Even"));
        Activate(dlg.StopBitsCombo(), QStringLiteral("2 bits"));
        Activate(dlg.DataBitsCombo(), QStringLiteral("7 bits"));
        Activate(dlg.AlternateCombo(), QStringLiteral("NONE"));
        TypeInto(dlg.PrimaryCombo()->lineEdit(), QStringLiteral("/dev/ttyUSB0"));
        dlg.PortNumberEdit()->setText(QStringLiteral("4001"));
        dlg.TimeOutEdit()->setText(QStringLiteral("2500"));
        Click(Button(&dlg, "ok"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE((QList<QByteArray>{s.port, s.baudRate, s.parity, s.stopBits, s.dataBits, s.alternatePort, s.remotePort,
                                    s.serverAddress}),
                 (QList<QByteArray>{"/dev/ttyUSB0", "19200", "Even", "2 bits", "7 bits", "NONE", "4001", "127.0.0.1"}));
        QCOMPARE(s.tcpIpTimeout, 2500u);
        QVERIFY(prompts.shown.empty());

        // A typed device path is kept as typed, not replaced by a list item.
        CCommSetupDlg typed(s, prompts, false);
        QCOMPARE(typed.PrimaryCombo()->currentText(), QStringLiteral("/dev/ttyUSB0"));
    }

    void commTimeOutChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("message");
        const QByteArray range("Please enter an integer between 100 and 30000.");
        QTest::newRow("99") << QStringLiteral("99") << range;
        QTest::newRow("30001") << QStringLiteral("30001") << range;
        QTest::newRow("huge") << QStringLiteral("99999999999999999999999") << range;
        QTest::newRow("empty") << QString() << QByteArray("Please enter a positive integer.");
        QTest::newRow("100") << QStringLiteral("100") << QByteArray();
        QTest::newRow("30000") << QStringLiteral("30000") << QByteArray();
    }
    void commTimeOutChecked()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, message);
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        s.port = "TCP/IP";
        s.tcpIpTimeout = 5000;
        CCommSetupDlg dlg(s, prompts, false);
        dlg.show();
        Activate(dlg.PortSpeedCombo(), QStringLiteral("1200"));
        dlg.TimeOutEdit()->setText(typed);
        Click(Button(&dlg, "ok"));

        if (message.isEmpty()) {
            QVERIFY(!dlg.isVisible());
            QCOMPARE(s.tcpIpTimeout, typed.toUInt());
            QVERIFY(prompts.shown.empty());
            return;
        }
        QVERIFY(dlg.isVisible());
        QCOMPARE(prompts.BoxTexts(), QList<QByteArray>{message});
        QCOMPARE(prompts.shown[0].caption, QByteArray());
        QCOMPARE(prompts.shown[0].buttons, Prompts::Buttons::Ok);
        // A refused OK stores nothing at all.
        QCOMPARE(s.tcpIpTimeout, 5000u);
        QCOMPARE(s.baudRate, QByteArray("9600"));
        QVERIFY(dlg.TimeOutEdit()->hasFocus() || !QApplication::focusWidget());
    }

    void commAddressTakesEffectAtOnce()
    {
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        s.port = "TCP/IP";
        s.remoteAddress = "10.0.0.5";
        CCommSetupDlg dlg(s, prompts, false);
        dlg.show();
        TypeInto(dlg.AddressCtrl()->Field(3), QStringLiteral("77"));
        QCOMPARE(s.remoteAddress, QByteArray("10.0.0.77"));
        TypeInto(dlg.HostServerCtrl()->Field(0), QStringLiteral("300"));  // clamps to a byte
        QCOMPARE(s.serverAddress, QByteArray("255.0.0.1"));
        dlg.PortNumberEdit()->setText(QStringLiteral("9999"));

        Click(Button(&dlg, "cancel"));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(s.remoteAddress, QByteArray("10.0.0.77"));
        QCOMPARE(s.serverAddress, QByteArray("255.0.0.1"));
        QCOMPARE(s.remotePort, QByteArray("3001"));
    }

    void commDisconnectQuestion_data()
    {
        QTest::addColumn<bool>("linkOpen");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("no link") << false << int(Answer::Yes) << true;
        QTest::newRow("link, yes") << true << int(Answer::Yes) << true;
        QTest::newRow("link, no") << true << int(Answer::No) << false;
        QTest::newRow("link, closed box") << true << int(Answer::Cancel) << false;
    }
    void commDisconnectQuestion()
    {
        QFETCH(bool, linkOpen);
        QFETCH(int, answer);
        QFETCH(bool, accepted);
        ScriptedPrompts prompts;
        prompts.answers.push_back(Answer(answer));
        CommSettings s = CommSettings::Defaults();
        CCommSetupDlg dlg(s, prompts, linkOpen);
        dlg.show();
        Activate(dlg.PrimaryCombo(), QStringLiteral("COM4"));
        Click(Button(&dlg, "ok"));

        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(s.port, accepted ? QByteArray("COM4") : QByteArray("COM1"));
        QCOMPARE(prompts.shown.size(), size_t(linkOpen ? 1 : 0));
        if (!linkOpen) return;
        QCOMPARE(prompts.shown[0].text, QByteArray("This will close the current device configuration, Continue?"));
        QCOMPARE(prompts.shown[0].caption, QByteArray("Disconnect"));
        QCOMPARE(prompts.shown[0].buttons, Prompts::Buttons::YesNo);
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Question);
    }

    void commPortListSorted()
    {
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        CCommSetupDlg dlg(s, prompts, false);
        const QStringList shown = Items(dlg.PrimaryCombo());
        QStringList com;
        for (const QString& item : shown) {
            if (item.startsWith(QLatin1String("COM")) || item == QLatin1String("TCP/IP")) com << item;
        }
        QCOMPARE(com, Split("COM1|COM10|COM11|COM12|COM13|COM14|COM15|COM16|COM17|COM18|COM2|COM3|COM4|COM5|COM6|"
                            "COM7|COM8|COM9|TCP/IP"));
        // Whatever devices this machine adds, the whole list stays in order.
        QStringList sorted = shown;
        CCommSetupDlg::SortItems(sorted);
        QCOMPARE(shown, sorted);

        QStringList alternate;
        for (const QString& item : Items(dlg.AlternateCombo())) {
            if (!item.startsWith(QLatin1Char('/'))) alternate << item;
        }
        QCOMPARE(alternate.first(), QStringLiteral("COM1"));
        QCOMPARE(alternate.last(), QStringLiteral("NONE"));
        QCOMPARE(alternate.size(), 10);
        // The unsorted speed list keeps its own order.
        QCOMPARE(dlg.PortSpeedCombo()->itemText(0), QStringLiteral("38400"));
        QCOMPARE(dlg.PortSpeedCombo()->itemText(5), QStringLiteral("1200"));
    }

    void addressParsing_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("plain") << QByteArray("192.168.0.100") << QByteArray("192.168.0.100");
        QTest::newRow("short") << QByteArray("10.1") << QByteArray("10.1.0.0");
        QTest::newRow("empty") << QByteArray() << QByteArray("0.0.0.0");
        QTest::newRow("garbage") << QByteArray("abc.5x. 7.9.9") << QByteArray("0.5.7.9");
        QTest::newRow("oversized part") << QByteArray("256.1.2.3") << QByteArray("0.1.2.3");
    }
    void addressParsing()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, shown);
        CIPAddressCtrl ctrl;
        ctrl.SetAddressText(stored);
        QCOMPARE(ctrl.AddressText(), shown);
        // OK writes the address back as the control shows it.
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        s.serverAddress = stored;
        CCommSetupDlg dlg(s, prompts, false);
        dlg.show();
        Click(Button(&dlg, "ok"));
        QCOMPARE(s.serverAddress, shown);
    }

    // --- key lock ---

    void keyLockMask_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<QByteArray>("tick");
        QTest::addColumn<int>("out");
        QTest::newRow("zero and print") << 0 << QByteArray("Zero|Print") << 257;
        QTest::newRow("delete and tare") << 0 << QByteArray("Delete|Tare") << 0x8002;
        QTest::newRow("numeric and ID") << 0 << QByteArray("Numeric Keys 0-9|ID") << 0x2200;
        QTest::newRow("round trip") << 0xA5A5 << QByteArray() << 0xA5A5;
        QTest::newRow("high bits ignored") << 0x1FFFF << QByteArray() << 0xFFFF;
        QTest::newRow("untick") << 0x0101 << QByteArray("Zero") << 0x0100;
    }
    void keyLockMask()
    {
        QFETCH(int, in);
        QFETCH(QByteArray, tick);
        CKeyLockDlg dlg;
        dlg.SetMask(in);
        dlg.show();
        const QList<QCheckBox*> boxes = dlg.findChildren<QCheckBox*>();
        QCOMPARE(boxes.size(), 16);
        for (const QString& text : tick.isEmpty() ? QStringList() : Split(tick)) {
            const auto box = std::find_if(boxes.begin(), boxes.end(), [&](QCheckBox* b) { return b->text() == text; });
            QVERIFY2(box != boxes.end(), qPrintable(text));
            QTest::mouseClick(*box, Qt::LeftButton, {}, QPoint(5, (*box)->height() / 2));
        }
        QTEST(dlg.GetMask(), "out");
    }

    void keyLockStoresOnClose()
    {
        QWidget owner;
        QtPrompts prompts(&owner);
        WhenModal<CKeyLockDlg>([](CKeyLockDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Keylock settings"));
            dlg->KeyBox(0)->setChecked(false);
            dlg->KeyBox(4)->setChecked(true);
            dlg->close();  // the close box is the only way out
        });
        QCOMPARE(prompts.KeyLockMask(0x0101), 0x0110);

        WhenModal<CKeyLockDlg>([](CKeyLockDlg* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
        QCOMPARE(prompts.KeyLockMask(0x4000), 0x4000);
    }

    // --- progress and busy windows ---

    void progressAbort_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Abort button") << QStringLiteral("button");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("Alt+A") << QStringLiteral("mnemonic");
    }
    void progressAbort()
    {
        QFETCH(QString, how);
        QWidget owner;
        owner.show();
        CSendCfgDlg dlg(&owner);
        QVERIFY(!dlg.AbortFlag());
        QCOMPARE(dlg.StatusText(), QByteArray("Sending configuration to indicator..."));
        dlg.PlaceAt(owner.pos());
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        if (how == QLatin1String("button")) {
            Click(dlg.AbortButton());
        } else if (how == QLatin1String("escape")) {
            QTest::keyClick(&dlg, Qt::Key_Escape);
        } else {
            dlg.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            QTest::keyClick(&dlg, Qt::Key_A, Qt::AltModifier);
        }
        // A mnemonic presses the button with its short animation.
        QTRY_VERIFY(dlg.AbortFlag());
        QCOMPARE(dlg.StatusText(), QByteArray("Aborting configuration transfer, please wait..."));
        QTest::qWait(50);
        QVERIFY(dlg.isVisible());
        // The transfer closes it when it sees the flag.
        dlg.close();
        QVERIFY(!dlg.isVisible());
    }

    void progressBarsAndPlacement()
    {
        QWidget owner;
        owner.setGeometry(40, 30, 600, 400);
        owner.show();
        CSendCfgDlg dlg(&owner);
        const QSize before = dlg.size();
        dlg.PlaceAt(QPoint(40, 30));
        QCOMPARE(dlg.pos(), QPoint(140, 180));
        QCOMPARE(dlg.size(), before);
        QCOMPARE(QApplication::activeModalWidget(), &dlg);

        dlg.InitUpperBar(3, 10);
        QCOMPARE(dlg.UpperBar()->minimum(), 3);
        QCOMPARE(dlg.UpperBar()->maximum(), 10);
        QCOMPARE(dlg.UpperBar()->value(), 3);
        dlg.SetUpperPos(7);
        QCOMPARE(dlg.UpperBar()->value(), 7);
        dlg.SetUpperPos(12);
        QCOMPARE(dlg.UpperBar()->value(), 10);
        dlg.InitLowerBar(0, 0);  // nothing to send: an empty bar, not a busy animation
        QVERIFY(dlg.LowerBar()->maximum() > dlg.LowerBar()->minimum());
        QCOMPARE(dlg.LowerBar()->value(), 0);

        QVERIFY(!dlg.Activity());
        const QImage closed = dlg.grab().toImage();
        dlg.SetActivity(true);
        QVERIFY(dlg.Activity());
        QVERIFY(dlg.grab().toImage() != closed);
        dlg.SetStatusText("Sending ticket 2 of 3...");
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("status"))->text(), QStringLiteral("Sending ticket 2 of 3..."));
    }

    void busyWindow()
    {
        QWidget owner;
        owner.setGeometry(10, 20, 600, 400);
        owner.show();
        CWorkingDlg busy(&owner);
        QCOMPARE(busy.Message(), QByteArray("Searching for device via\nSocket connection..."));
        const QSize before = busy.size();
        busy.ShowAt(QPoint(10, 20));
        QCOMPARE(busy.pos(), QPoint(155, 120));
        QCOMPARE(busy.size(), before);
        // The main window takes no input meanwhile.
        QCOMPARE(QApplication::activeModalWidget(), &busy);

        busy.PlayAnimation();
        QVERIFY(busy.Animation()->IsPlaying());
        const QImage first = busy.Animation()->grab().toImage();
        QVERIFY(QTest::qWaitFor([&] { return busy.Animation()->Frame() >= 2; }, 2000));
        QVERIFY(busy.Animation()->grab().toImage() != first);

        // Only the work that opened it closes it.
        QTest::keyClick(&busy, Qt::Key_Escape);
        QVERIFY(busy.isVisible());
        busy.close();
        QVERIFY(!busy.Animation()->IsPlaying());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // --- small choosing dialogs ---

    void prefsChoice_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("choice");
        QTest::newRow("Send Setup Only") << QStringLiteral("setupOnly") << 0;
        QTest::newRow("Send Setup and Tickets") << QStringLiteral("setupAndTickets") << 1;
        QTest::newRow("Escape") << QStringLiteral("escape") << 1;
        QTest::newRow("close box") << QStringLiteral("close") << 1;
        QTest::newRow("Enter") << QStringLiteral("enter") << 0;
    }
    void prefsChoice()
    {
        QFETCH(QString, how);
        QWidget owner;
        QtPrompts prompts(&owner);
        WhenModal<CPrefsDlg>([how](CPrefsDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Update Device Option"));
            QCOMPARE(dlg->SetupOnlyButton()->text(), QStringLiteral("Send Setup Only"));
            QCOMPARE(dlg->SetupAndTicketsButton()->text(), QStringLiteral("Send Setup and Tickets"));
            if (how == QLatin1String("escape")) {
                QTest::keyClick(dlg, Qt::Key_Escape);
            } else if (how == QLatin1String("close")) {
                dlg->close();
            } else if (how == QLatin1String("enter")) {
                QTest::keyClick(dlg, Qt::Key_Return);
            } else {
                Click(Button(dlg, how.toLatin1().constData()));
            }
        });
        QTEST(prompts.UpdateOption(), "choice");
    }

    void ticketSlot_data()
    {
        QTest::addColumn<int>("press");  // 0: Escape
        for (int slot : {1, 4, 6, 0}) QTest::addRow("%d", slot) << slot;
    }
    void ticketSlot()
    {
        QFETCH(int, press);
        QWidget owner;
        QtPrompts prompts(&owner);
        WhenModal<CTickSlotDlg>([press](CTickSlotDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Ticket slot"));
            QCOMPARE(dlg->findChildren<QPushButton*>().size(), 6);
            QVERIFY(!dlg->SlotButton(1)->icon().isNull());
            QVERIFY(!(dlg->windowFlags() & Qt::WindowCloseButtonHint));
            if (press == 0) {
                QTest::keyClick(dlg, Qt::Key_Escape);
            } else {
                Click(dlg->SlotButton(press));
            }
        });
        QCOMPARE(prompts.PickSlot(), press);
    }

    void selectModel_data()
    {
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("chosen");
        const QList<QByteArray> three = {"Model 614", "Model 615", "Model 958", ""};
        const QStringList shown = Split("Model 614|Model 615|Model 958");
        QTest::newRow("trailing empty line") << three << shown << true << QByteArray("Model 615");
        QTest::newRow("one line selects nothing")
            << QList<QByteArray>{"Model 614"} << Split("Model 614") << true << QByteArray();
        QTest::newRow("no mod.ini") << QList<QByteArray>{} << QStringList{} << true << QByteArray();
        QTest::newRow("Escape keeps the text") << three << shown << false << QByteArray("Model 615 remembered");
    }
    void selectModel()
    {
        QFETCH(QList<QByteArray>, lines);
        QFETCH(bool, ok);
        QWidget owner;
        QtPrompts prompts(&owner);
        QStringList seen;
        WhenModal<CSelectDeviceDlg>([ok, &seen](CSelectDeviceDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Select indicator model"));
            QVERIFY(!dlg->ModelList()->isEditable());
            QCOMPARE(dlg->findChildren<QPushButton*>().size(), 1);  // OK only
            seen = Items(dlg->ModelList());
            if (ok) {
                Click(Button(dlg, "ok"));
            } else {
                QTest::keyClick(dlg, Qt::Key_Escape);
            }
        });
        QByteArray text("Model 615 remembered");
        QCOMPARE(prompts.SelectModel(text, lines), ok);
        QTEST(seen, "items");
        QTEST(text, "chosen");
    }

    // --- prompts ---

    void filterConversion_data()
    {
        QTest::addColumn<QByteArray>("filter");
        QTest::addColumn<QStringList>("converted");
        QTest::newRow("configuration") << QByteArray("Configuration Files (*.csc)|*.csc||")
                                       << Split("Configuration Files (*.csc)");
        QTest::newRow("two patterns and all files")
            << QByteArray("Custom ticket files (*.txt;*.dvc)|*.txt;*.dvc|All Files (*.*)|*.*||")
            << Split("Custom ticket files (*.txt *.dvc)|All Files (*)");
        QTest::newRow("space before the bar") << QByteArray("958 Ticket Files (*.tkt) |*.tkt||")
                                              << Split("958 Ticket Files (*.tkt)");
        QTest::newRow("no parentheses") << QByteArray("Handheld|*.plm||") << Split("Handheld (*.plm)");
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("missing end") << QByteArray("Text (*.txt)|*.txt") << Split("Text (*.txt)");
    }
    void filterConversion()
    {
        QFETCH(QByteArray, filter);
        QTEST(QtPrompts::ConvertFilter(filter), "converted");
    }

    void messageBox_data()
    {
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("qtIcon");
        auto row = [](const char* name, const char* caption, Prompts::Buttons buttons, Prompts::Icon icon,
                      const char* press, Answer answer, const char* title, QMessageBox::Icon qtIcon) {
            QTest::newRow(name) << QByteArray(caption) << int(buttons) << int(icon) << QString::fromLatin1(press)
                                << int(answer) << QString::fromLatin1(title) << int(qtIcon);
        };
        using B = Prompts::Buttons;
        using I = Prompts::Icon;
        row("yes/no/cancel, no", "Save configuration?", B::YesNoCancel, I::Question, "No", Answer::No,
            "Save configuration?", QMessageBox::Question);
        row("yes/no/cancel, escape", "Save configuration?", B::YesNoCancel, I::Question, "escape", Answer::Cancel,
            "Save configuration?", QMessageBox::Question);
        row("yes/no, enter is yes", "Disconnect", B::YesNo, I::Stop, "enter", Answer::Yes, "Disconnect",
            QMessageBox::Critical);
        row("ok, no caption", "", B::Ok, I::Exclamation, "OK", Answer::Ok, "Tarelink", QMessageBox::Warning);
    }
    void messageBox()
    {
        QFETCH(QByteArray, caption);
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(QString, press);
        const QByteArray text("Please do not use spaces in the filename.\n\n\tTry again?");
        QWidget owner;
        QtPrompts prompts(&owner);
        QString seenTitle;
        QString seenText;
        int seenIcon = -1;
        int buttonCount = 0;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            buttonCount = int(box->buttons().size());
            if (press == QLatin1String("escape")) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else if (press == QLatin1String("enter")) {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text().remove(QLatin1Char('&')) == press) b->click();
                }
            }
        });
        QTEST(int(prompts.MessageBox(text, caption, Prompts::Buttons(buttons), Prompts::Icon(icon))), "answer");
        QTEST(seenTitle, "title");
        QCOMPARE(seenText, QString::fromLatin1(text));
        QTEST(seenIcon, "qtIcon");
        QCOMPARE(buttonCount, buttons == int(Prompts::Buttons::YesNoCancel) ? 3
                              : buttons == int(Prompts::Buttons::YesNo)    ? 2
                                                                           : 1);
    }

    void fileChoiceAppendsExtension()
    {
        TestData data(false);
        QWidget owner;
        QtPrompts prompts(&owner);
        Prompts::FileChoice choice;
        choice.save = true;
        choice.initialFolder = data.Configurations();
        choice.defaultName = QStringLiteral("New958Ticket");
        choice.defaultExtension = QStringLiteral("tkt");
        choice.filter = "958 Ticket Files (*.tkt) |*.tkt||";
        choice.overwritePrompt = true;
        QStringList filters;
        QString folder;
        WhenModal<QFileDialog>([&](QFileDialog* dlg) {
            filters = dlg->nameFilters();
            folder = dlg->directory().absolutePath();
            QVERIFY(dlg->testOption(QFileDialog::DontUseNativeDialog) ||
                    QApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
            QVERIFY(!dlg->testOption(QFileDialog::DontConfirmOverwrite));
            auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QCOMPARE(name->text(), QStringLiteral("New958Ticket"));
            name->setText(QStringLiteral("scale7"));
            QMetaObject::invokeMethod(dlg, "accept");
        });
        const QString chosen = prompts.ChooseFile(choice);
        QCOMPARE(filters, Split("958 Ticket Files (*.tkt)"));
        QCOMPARE(folder + QLatin1Char('/'), data.Configurations());
        QCOMPARE(chosen, data.Configurations() + QStringLiteral("scale7.tkt"));

        WhenModal<QFileDialog>([](QFileDialog* dlg) { dlg->reject(); });
        QCOMPARE(prompts.ChooseFile(choice), QString());
    }

    // --- splash, logo ---

    void splashClosesOnClickOrTimer()
    {
        SplashDlg splash(nullptr);
        splash.Start();
        QVERIFY(splash.isVisible());
        QVERIFY(splash.width() > 100 && splash.height() > 100);
        QTest::mouseClick(&splash, Qt::RightButton);
        QVERIFY(splash.isVisible());
        QTest::mouseClick(&splash, Qt::LeftButton);
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.result(), int(QDialog::Accepted));

        QWidget owner;
        owner.show();
        SplashDlg timed(&owner);
        timed.Start(30);
        QVERIFY(timed.isVisible());
        QVERIFY(QTest::qWaitFor([&] { return !timed.isVisible(); }, 2000));
        QCOMPARE(timed.result(), int(QDialog::Accepted));
    }

    void logoLoading()
    {
        CStaticEx logo;
        logo.resize(200, 400);
        const QImage empty = logo.grab().toImage();

        QVERIFY(logo.LoadBitmapFile(TestData::SourceDir() + QStringLiteral("/data/Resources/itarelink256.bmp")));
        QVERIFY(logo.IsLoaded());
        QCOMPARE(logo.BitmapSize(), QSize(120, 360));
        const QImage painted = logo.grab().toImage();
        // Drawn at its own size from the top-left corner: nothing to the right of it.
        QCOMPARE(painted.pixel(150, 10), empty.pixel(150, 10));
        QVERIFY(painted.pixel(5, 5) != empty.pixel(5, 5));

        QVERIFY(!logo.LoadBitmapFile(QStringLiteral("/nonexistent/itarelink256.bmp")));
        QVERIFY(!logo.IsLoaded());
        QCOMPARE(logo.grab().toImage(), empty);

        TestData data(false);
        QVERIFY(!logo.LoadBitmapFile(data.Write(QStringLiteral("Resources/itarelink256.bmp"), "BM not a bitmap")));
    }

    void logoBitmapIs256Colour()
    {
        const QByteArray bmp = TestData::ReadAll(TestData::SourceDir() + QStringLiteral("/data/Resources/itarelink256.bmp"));
        QVERIFY(bmp.size() > 54);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(quint8(bmp[28]) | quint8(bmp[29]) << 8, 8);  // bits per pixel: a palette of up to 256 colours
        QImage image;
        QVERIFY(image.loadFromData(bmp, "BMP"));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QVERIFY(image.height() > 2 * image.width());
    }

    // --- help menu ---

    void aboutBox()
    {
        QWidget owner;
        QString name;
        bool ok = false;
        WhenModal<QDialog>([&](QDialog* box) {
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("productName"))) name = label->text();
            auto* buttons = box->findChild<QDialogButtonBox*>();
            ok = buttons && buttons->buttons().size() == 1;
            if (buttons) buttons->button(QDialogButtonBox::Ok)->click();
        });
        ShowAboutBox(&owner);
        QVERIFY(name.contains(QStringLiteral("Tarelink")));
        QVERIFY(name.contains(QStringLiteral(TARELINK_VERSION)));
        QVERIFY(ok);
    }

    void helpIndex()
    {
        TestData data(false);
        const QString help = data.Write(QStringLiteral("TarelinkHlp.chm"), QByteArray("ITSF"));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
        QVERIFY(OpenHelpIndex(nullptr, help));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(help)});
        // Once missing, help stays off for the run even when the file turns up.
        QVERIFY(!OpenHelpIndex(nullptr, data.Path(QStringLiteral("missing.chm"))));
        QVERIFY(!OpenHelpIndex(nullptr, help));
        QCOMPARE(catcher.urls.size(), 1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void flashWithoutUtilityClosesSerialPort()
    {
        if (QFileInfo::exists(QString::fromLatin1(kFlashUtilityPath))) QSKIP("a flash utility is installed here");
        int master = -1;
        int slave = -1;
        char name[256] = {};
        QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
        ScriptedPrompts prompts;
        HeadlessView view;
        Workbench bench(prompts, view);
        bench.Settings().port = QByteArray(name);
        QString error;
        const bool opened = bench.Link().OpenSerialPort(&error);
        const bool flashed = RunUpdateFlash(nullptr, bench);
        const bool stillOpen = bench.Link().IsSerialOpen();
        ::close(slave);
        ::close(master);
        QVERIFY2(opened, qPrintable(error));
        QVERIFY(!flashed);
        QVERIFY(!stillOpen);
        QCOMPARE(prompts.BoxTexts(), QList<QByteArray>{"Check the flash utility installation"});
        QCOMPARE(prompts.shown[0].caption, QByteArray("Tarelink"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
