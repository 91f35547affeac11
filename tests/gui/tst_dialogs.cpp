// SPDX-License-Identifier: MIT
// The dialogs and the Qt prompts, driven as a user drives them.
#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "ScriptedPrompts.h"
#include "TestData.h"
#include "app/CCommSetupDlg.h"
#include "app/CIPAddressCtrl.h"
#include "app/CKeyLockDlg.h"
#include "app/CPrefsDlg.h"
#include "app/CSelectDeviceDlg.h"
#include "app/CTickSlotDlg.h"
#include "app/QtPrompts.h"

using Answer = Prompts::Answer;

namespace {

// Runs `act` on the next modal dialog of type T once it is up; if none comes within five
// seconds every modal dialog is closed, so the test fails instead of hanging.
template <typename T>
void WhenModal(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w && (*waited += 10) <= 5000) return;
        timer->deleteLater();
        timer->stop();
        if (w) act(w);
        while (QWidget* m = w ? nullptr : QApplication::activeModalWidget()) m->close();
    });
    timer->start(10);
}

// Picks an item as the user does.
void Activate(QComboBox* combo, const QString& text)
{
    combo->setCurrentIndex(combo->findText(text));
    QVERIFY2(combo->currentText() == text, qPrintable(text));
    Q_EMIT combo->activated(combo->currentIndex());
}

void Click(QWidget* dialog, const QString& button)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
}

QStringList Split(const QByteArray& items)
{
    return items.isEmpty() ? QStringList() : QString::fromLatin1(items).split(QLatin1Char('|'));
}

QStringList Items(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void commShowsAndStores()
    {
        ScriptedPrompts prompts;
        CommSettings s = CommSettings::Defaults();
        s.remoteAddress = "10.0.0.5";
        CCommSetupDlg dlg(s, prompts, false);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Communication settings"));
        const QStringList shown = {dlg.PrimaryCombo()->currentText(),    dlg.PortSpeedCombo()->currentText(),
                                   dlg.ParityCombo()->currentText(),     dlg.StopBitsCombo()->currentText(),
                                   dlg.DataBitsCombo()->currentText(),   dlg.PortNumberEdit()->text(),
                                   dlg.AlternateCombo()->currentText(), dlg.TimeOutEdit()->text()};
        QCOMPARE(shown, Split("COM1|9600|None|1 bit|8 bits|3001|COM1|100"));
        // The lists: sorted ones as a sorted list box orders them (COM10 after COM1), speeds as given.
        QStringList ports = Items(dlg.PrimaryCombo()).filter(QRegularExpression(QStringLiteral("^[^/]")));
        QCOMPARE(ports, Split("COM1|COM10|COM11|COM12|COM13|COM14|COM15|COM16|COM17|COM18|COM2|COM3|COM4|COM5|COM6|"
                              "COM7|COM8|COM9|TCP/IP"));
        ports = Items(dlg.AlternateCombo()).filter(QRegularExpression(QStringLiteral("^[^/]")));
        QCOMPARE(ports, Split("COM1|COM2|COM3|COM4|COM5|COM6|COM7|COM8|COM9|NONE"));
        QCOMPARE(Items(dlg.PortSpeedCombo()), Split("38400|19200|9600|4800|2400|1200"));
        // A compact dialog of fixed size, whatever the lists hold or the path typed.
        const QSize size = dlg.size();
        QVERIFY(dlg.minimumSize() == dlg.maximumSize() && size == dlg.sizeHint());
        QVERIFY2(size.width() < 90 * dlg.fontMetrics().averageCharWidth(), qPrintable(QString::number(size.width())));

        // The serial line settings or the TCP/IP ones are in use, as the primary port says.
        const QWidgetList serial = {dlg.PortSpeedCombo(), dlg.DataBitsCombo(), dlg.StopBitsCombo(), dlg.ParityCombo()};
        const QWidgetList tcp = {dlg.AddressCtrl(), dlg.PortNumberEdit(), dlg.TimeOutEdit()};
        for (const char* port : {"TCP/IP", "COM18", "TCP/IP"}) {
            Activate(dlg.PrimaryCombo(), QString::fromLatin1(port));
            const bool isTcp = port[0] == 'T';
            for (QWidget* w : serial) QCOMPARE(w->isEnabled(), !isTcp);
            for (QWidget* w : tcp) QCOMPARE(w->isEnabled(), isTcp);
            QVERIFY(dlg.AlternateCombo()->isEnabled() && dlg.HostServerCtrl()->isEnabled());
        }
        // An address takes effect as soon as a field changes, even if the dialog is cancelled.
        dlg.AddressCtrl()->Field(3)->selectAll();
        QTest::keyClicks(dlg.AddressCtrl()->Field(3), QStringLiteral("77"));
        dlg.HostServerCtrl()->Field(0)->selectAll();
        QTest::keyClicks(dlg.HostServerCtrl()->Field(0), QStringLiteral("300"));  // clamps to a byte
        QCOMPARE(s.remoteAddress + " " + s.serverAddress, QByteArray("10.0.0.77 255.0.0.1"));

        for (const auto& [combo, text] : {std::pair{dlg.PortSpeedCombo(), "19200"}, {dlg.ParityCombo(), "Even"},
                                          {dlg.StopBitsCombo(), "2 bits"}, {dlg.DataBitsCombo(), "7 bits"},
                                          {dlg.AlternateCombo(), "NONE"}}) {
            Activate(combo, QString::fromLatin1(text));
        }
        const QString path = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
        dlg.PrimaryCombo()->lineEdit()->selectAll();
        QTest::keyClicks(dlg.PrimaryCombo()->lineEdit(), path);
        QCOMPARE(dlg.size(), size);
        dlg.PortNumberEdit()->setText(QStringLiteral("4001"));
        dlg.TimeOutEdit()->setText(QStringLiteral("2500"));
        Click(&dlg, QStringLiteral("ok"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const QList<QByteArray> stored = {s.port,          s.baudRate,   s.parity, s.stopBits, s.dataBits,
                                          s.alternatePort, s.remotePort, QByteArray::number(s.tcpIpTimeout)};
        QCOMPARE(stored,
                 (QList<QByteArray>{path.toLatin1(), "19200", "Even", "2 bits", "7 bits", "NONE", "4001", "2500"}));
        QVERIFY(prompts.shown.empty());
        // A typed device path is shown as typed next time, not replaced by a list item.
        QCOMPARE(CCommSetupDlg(s, prompts, false).PrimaryCombo()->currentText(), path);
    }

    void commOk()
    {
        // Link open (then the answer to "Disconnect"), time-out typed, server address stored before;
        // the outcome: the boxes shown | port | time-out | server address stored then.
        const QByteArray range = "Please enter an integer between 100 and 30000.|COM1|5000|";
        const struct {
            bool linkOpen; Answer answer; const char *timeout, *server; QByteArray outcome;
        } rows[] = {{false, Answer::Ok, "100", "10.1", "|COM4|100|10.1.0.0"},
                    {true, Answer::Yes, "30000", "256.1.2.3", "D|COM4|30000|0.1.2.3"},
                    {true, Answer::No, "200", "", "D|COM1|5000|"},
                    {false, Answer::Ok, "99", "abc.5x. 7.9.9", range + "abc.5x. 7.9.9"},
                    {false, Answer::Ok, "30001", "", range},
                    {false, Answer::Ok, "99999999999999999999999", "", range},
                    {false, Answer::Ok, "", "", "Please enter a positive integer.|COM1|5000|"},
                    {false, Answer::Ok, "100", "abc.5x. 7.9.9", "|COM4|100|0.5.7.9"}};
        for (const auto& r : rows) {
            ScriptedPrompts prompts;
            prompts.answers.push_back(r.answer);
            CommSettings s = CommSettings::Defaults();
            s.serverAddress = r.server;
            s.tcpIpTimeout = 5000;
            CCommSetupDlg dlg(s, prompts, r.linkOpen);
            dlg.show();
            Activate(dlg.PrimaryCombo(), QStringLiteral("COM4"));
            dlg.TimeOutEdit()->setText(QString::fromLatin1(r.timeout));
            Click(&dlg, QStringLiteral("ok"));
            QByteArray boxes = prompts.BoxTexts().join('/');
            if (boxes == "This will close the current device configuration, Continue?") boxes = "D";
            const QByteArray timeout = QByteArray::number(s.tcpIpTimeout);
            QCOMPARE(boxes + '|' + s.port + '|' + timeout + '|' + s.serverAddress, r.outcome);
            // A refused time-out keeps the dialog open; the question is a Yes/No box captioned "Disconnect".
            QCOMPARE(dlg.isVisible(), r.outcome.startsWith("Please"));
            QVERIFY(!r.linkOpen ||
                    (prompts.shown[0].caption == "Disconnect" && prompts.shown[0].buttons == Prompts::Buttons::YesNo));
        }
    }

    void keyLock()
    {
        // Mask given, boxes clicked, closed with Escape (else the close box), mask stored.
        const struct {
            int in; const char* tick; bool escape; int out;
        } rows[] = {{0, "Zero|Print", false, 257},
                    {0, "Delete|Tare", false, 0x8002},
                    {0, "Numeric Keys 0-9|ID", true, 0x2200},
                    {0x1A5A5, "", false, 0xA5A5},  // the bits above 15 are ignored
                    {0x0101, "Zero", true, 0x0100}};
        QWidget owner;
        QtPrompts prompts(&owner);
        for (const auto& r : rows) {
            WhenModal<CKeyLockDlg>([&r](CKeyLockDlg* dlg) {
                QCOMPARE(dlg->windowTitle(), QStringLiteral("Keylock settings"));
                QCOMPARE(dlg->findChildren<QCheckBox*>().size(), 16);
                for (QCheckBox* b : dlg->findChildren<QCheckBox*>()) {
                    if (Split(r.tick).contains(b->text())) QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
                }
                // No OK button: the close box, or Escape, stores the boxes.
                r.escape ? QTest::keyClick(dlg, Qt::Key_Escape) : void(dlg->close());
            });
            QCOMPARE(prompts.KeyLockMask(r.in), r.out);
        }
    }

    // The small choosing dialogs: the update option and the ticket slot.
    void choosing()
    {
        // Slot picker or update option, what is pressed (a button, "escape", "close", "enter"), result.
        const struct {
            bool slot; const char* press; int result;
        } rows[] = {{false, "setupOnly", 0}, {false, "setupAndTickets", 1}, {false, "escape", 1}, {false, "close", 1},
                    {false, "enter", 0},     {true, "slot1", 1},            {true, "slot6", 6},    {true, "escape", 0}};
        QWidget owner;
        QtPrompts prompts(&owner);
        for (const auto& r : rows) {
            const QString press = QString::fromLatin1(r.press);
            WhenModal<QDialog>([&](QDialog* dlg) {
                QCOMPARE(dlg->windowTitle(),
                         r.slot ? QStringLiteral("Ticket slot") : QStringLiteral("Update Device Option"));
                QCOMPARE(int(dlg->findChildren<QPushButton*>().size()), r.slot ? 6 : 2);
                if (auto* slots = qobject_cast<CTickSlotDlg*>(dlg)) {
                    QVERIFY(!slots->SlotButton(1)->icon().isNull());
                    QVERIFY(!(dlg->windowFlags() & Qt::WindowCloseButtonHint));
                    if (press.startsWith(QLatin1String("slot"))) slots->SlotButton(press.mid(4).toInt())->click();
                } else {
                    QCOMPARE(static_cast<CPrefsDlg*>(dlg)->SetupOnlyButton()->text() + QLatin1Char('|') +
                                 static_cast<CPrefsDlg*>(dlg)->SetupAndTicketsButton()->text(),
                             QStringLiteral("Send Setup Only|Send Setup and Tickets"));
                }
                if (press == QLatin1String("escape")) QTest::keyClick(dlg, Qt::Key_Escape);
                if (press == QLatin1String("enter")) QTest::keyClick(dlg, Qt::Key_Return);
                if (press == QLatin1String("close")) dlg->close();
                if (dlg->isVisible() && !r.slot) Click(dlg, press);
            });
            QVERIFY2((r.slot ? prompts.PickSlot() : prompts.UpdateOption()) == r.result, r.press);
        }
    }

    void selectModel()
    {
        // mod.ini's lines, OK or Escape: the list shown and the model text then (it was "remembered").
        const struct {
            QList<QByteArray> lines; bool ok; const char *items, *chosen;
        } rows[] = {{{"Model 614", "Model 615", "Model 958", ""}, true, "Model 614|Model 615|Model 958", "Model 615"},
                    {{"Model 614"}, true, "Model 614", ""},
                    {{"Model 614", "Model 615"}, false, "Model 614|Model 615", "remembered"}};
        QWidget owner;
        QtPrompts prompts(&owner);
        for (const auto& r : rows) {
            QStringList seen;
            WhenModal<CSelectDeviceDlg>([&](CSelectDeviceDlg* dlg) {
                QCOMPARE(dlg->windowTitle(), QStringLiteral("Select indicator model"));
                QVERIFY(!dlg->ModelList()->isEditable() && dlg->findChildren<QPushButton*>().size() == 1);  // OK only
                seen = Items(dlg->ModelList());
                r.ok ? Click(dlg, QStringLiteral("ok")) : QTest::keyClick(dlg, Qt::Key_Escape);
            });
            QByteArray text("remembered");
            QCOMPARE(prompts.SelectModel(text, r.lines), r.ok);
            QCOMPARE(seen, Split(r.items));
            QCOMPARE(text, QByteArray(r.chosen));
        }
    }

    void messageBox()
    {
        // Caption, buttons, icon, what is pressed, the answer, and the box seen: title|Qt icon|buttons.
        using B = Prompts::Buttons;
        using I = Prompts::Icon;
        const struct {
            const char* caption; B buttons; I icon; const char* press; Answer answer; const char* seen;
        } rows[] = {{"Save configuration?", B::YesNoCancel, I::Question, "No", Answer::No, "Save configuration?|4|3"},
                    {"Save configuration?", B::YesNoCancel, I::Question, "escape", Answer::Cancel,
                     "Save configuration?|4|3"},
                    {"Disconnect", B::YesNo, I::Stop, "enter", Answer::Yes, "Disconnect|3|2"},
                    {"", B::Ok, I::Exclamation, "OK", Answer::Ok, "Tarelink|2|1"}};
        const QByteArray text("Please do not use spaces in the filename.\n\n\tTry again?");
        QWidget owner;
        QtPrompts prompts(&owner);
        for (const auto& r : rows) {
            QString seen;
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                QCOMPARE(box->text(), QString::fromLatin1(text));
                seen = QStringLiteral("%1|%2|%3").arg(box->windowTitle()).arg(box->icon()).arg(box->buttons().size());
                if (qstrcmp(r.press, "escape") == 0) QTest::keyClick(box, Qt::Key_Escape);
                if (qstrcmp(r.press, "enter") == 0) QTest::keyClick(box, Qt::Key_Return);
                for (QAbstractButton* b : box->buttons()) {
                    if (b->text().remove(QLatin1Char('&')) == QLatin1String(r.press)) b->click();
                }
            });
            QVERIFY2(prompts.MessageBox(text, r.caption, r.buttons, r.icon) == r.answer, r.press);
            QCOMPARE(seen, QString::fromLatin1(r.seen));
        }
    }

    void fileChoice()
    {
        // The filters as the system writes them, as a file dialog shows them.
        QCOMPARE(QtPrompts::ConvertFilter("Custom ticket files (*.txt;*.dvc)|*.txt;*.dvc|All Files (*.*)|*.*||"),
                 Split("Custom ticket files (*.txt *.dvc)|All Files (*)"));
        QCOMPARE(QtPrompts::ConvertFilter("Handheld|*.plm||Text (*.txt)|*.txt"), Split("Handheld (*.plm)"));

        TestData data(false);
        QWidget owner;
        QtPrompts prompts(&owner);
        Prompts::FileChoice choice;
        choice.save = true;
        choice.initialFolder = data.Write(QStringLiteral("Configurations/sent.txt"), "x");  // starts in its folder
        choice.defaultName = QStringLiteral("New958Ticket");
        choice.defaultExtension = QStringLiteral("tkt");
        choice.filter = "958 Ticket Files (*.tkt) |*.tkt||";
        choice.overwritePrompt = true;
        WhenModal<QFileDialog>([&](QFileDialog* dlg) {
            QCOMPARE(dlg->nameFilters(), Split("958 Ticket Files (*.tkt)"));
            QCOMPARE(dlg->directory().absolutePath() + QLatin1Char('/'), data.Configurations());
            QVERIFY(!dlg->testOption(QFileDialog::DontConfirmOverwrite));
            auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QCOMPARE(name->text(), QStringLiteral("New958Ticket"));
            name->setText(QStringLiteral("scale7"));
            QMetaObject::invokeMethod(dlg, "accept");
        });
        QCOMPARE(prompts.ChooseFile(choice), data.Configurations() + QStringLiteral("scale7.tkt"));
        WhenModal<QFileDialog>([](QFileDialog* dlg) { dlg->reject(); });
        QCOMPARE(prompts.ChooseFile(choice), QString());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
