// SPDX-License-Identifier: MIT
// The Tickets menu in the real window, on the simulated indicator and printer: a ticket typed
// in the editor goes to the indicator, comes back, reaches the printer; a tagged source is sent.
#include <QPlainTextEdit>
#include <QtTest>

#include "IndicatorSim.h"
#include "SimPrinter.h"
#include "WindowSession.h"
#include "tickets/CQpEdit.h"

class TestTicketWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("TARELINK_NO_SPLASH", "1"); }

    void sendUploadPrintAndSendFile()
    {
        IndicatorSim sim(615);
        SimPrinter printer;
        QString error;
        QVERIFY(sim.StartPty(&error) && printer.Start(&error));
        WindowSession s;  // after the simulator and printer, so the window goes first
        CWeighsetDlg& window = *s.window;
        ScriptedPrompts& prompts = s.prompts;
        const TestData& data = s.data;
        Workbench& bench = window.Bench();
        bench.Settings().port = QFile::encodeName(sim.Address());
        bench.Settings().alternatePort = QFile::encodeName(printer.Address());
        QVERIFY(QTest::qWaitForWindowActive(&window));

        s.New("Model 615");
        s.ShowTab(QStringLiteral("Printing"));
        auto* editor = qobject_cast<CQpEdit*>(window.TicketEditor());
        QVERIFY(editor && editor->isVisible());
        QPlainTextEdit* text = editor->TextArea();
        // Keys go where a technician types them: into the ticket editor of the active window.
        auto focusText = [&]() {
            window.activateWindow();
            text->setFocus(Qt::MouseFocusReason);
            return QTest::qWaitFor([&]() { return text->hasFocus(); });
        };
        QVERIFY(focusText());
        QTest::keyClicks(text, QStringLiteral("HELLO"));
        QTest::keyClick(text, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(sim.Profile().tickets[1], QByteArray("HELLO"));

        prompts.slots = {1};
        window.RunCommand(kCmdUploadTicket);
        const QByteArray uploaded = TestData::ReadAll(data.Path(QStringLiteral("Temporary/upload.vtk")));
        QCOMPARE(uploaded, QByteArray("HELLO"));
        QVERIFY(bench.Log().Lines().back().text.startsWith("Ticket uploaded to "));

        QVERIFY(focusText());
        QTest::keyClick(text, Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(printer.Received(), QByteArray("HELLO"));

        prompts.files = {data.Write(QStringLiteral("tagged.txt"), "<STX>A<0x42>\r\n<ETX>")};
        prompts.slots = {2};
        QVERIFY(focusText());
        QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(sim.Profile().tickets[2], QByteArray("\x02" "AB\r\x03"));
    }
};

QTEST_MAIN(TestTicketWindow)
#include "tst_ticketwindow.moc"
