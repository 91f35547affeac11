// SPDX-License-Identifier: MIT
#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

#include "tickets/CQpEdit.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

namespace {

void MoveCursorToEnd(QPlainTextEdit* text)
{
    QTextCursor c = text->textCursor();
    c.movePosition(QTextCursor::End);
    text->setTextCursor(c);
}

// A store with three tickets, shown on the print page of a loaded configuration.
void Prepare(TicketStore& store)
{
    store.SetTicketCount(3);
    store.SetTicket(1, "SLOT ONE");
    store.SetTicket(2, "SLOT TWO\n{GR}");
    store.SetTicket(3, "");
    store.ClearModified();
    store.EnableEditor(1);
    for (short b = 0; b < 12; ++b) store.SetFieldButton(b, 2);
}

}  // namespace

class TestQpEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fieldButtonStates_data();
    void fieldButtonStates();
    void disabledEditorRefusesInput();
    void buttonInsertsTokenAtCursor_data();
    void buttonInsertsTokenAtCursor();
    void slotSwitching();
    void typingMarksModified();
    void enterAndEscapeFromMainWindow();
    void escapeKeyInEditor();
    void controlBytesSurviveEditing();
    void previewFollowsCursorAndProperties();
    void loadReplacesShownText();
    void advancedModeTogglesCustomText();
    void usableAtSmallSize();
};

void TestQpEdit::fieldButtonStates_data()
{
    QTest::addColumn<short>("state");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("on") << short(2) << true;
    QTest::newRow("off") << short(1) << false;
    QTest::newRow("never set") << short(0) << false;
    QTest::newRow("unknown state") << short(3) << false;
}

void TestQpEdit::fieldButtonStates()
{
    QFETCH(short, state);
    QFETCH(bool, enabled);
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    store.SetFieldButton(4, state);
    QCOMPARE(editor.FieldButtonWidget(4)->isEnabled(), enabled);
    QVERIFY(editor.FieldButtonWidget(3)->isEnabled());
    QCOMPARE(editor.FieldButtonWidget(4)->text(), QStringLiteral("ID"));
    QVERIFY(!editor.FieldButtonWidget(12));
}

void TestQpEdit::disabledEditorRefusesInput()
{
    TicketStore store;
    Prepare(store);
    store.EnableEditor(0);
    CQpEdit editor(store, nullptr);
    QVERIFY(editor.TextArea()->isReadOnly());
    for (int b = 0; b < 12; ++b) QVERIFY(!editor.FieldButtonWidget(b)->isEnabled());
    QTest::keyClicks(editor.TextArea(), QStringLiteral("X"));
    store.SendKey(13, 0, 0);
    QCOMPARE(store.Ticket(1), QByteArray("SLOT ONE"));
    QCOMPARE(store.IsTicketModified(), short(0));

    // No slots at all: nothing to edit even when enabled.
    TicketStore empty;
    empty.EnableEditor(1);
    CQpEdit none(empty, nullptr);
    QVERIFY(none.TextArea()->isReadOnly());
    QVERIFY(!none.SlotSelector()->isEnabled());
}

void TestQpEdit::buttonInsertsTokenAtCursor_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("gross at start") << 0 << 0 << QByteArray("{GR}SLOT ONE");
    QTest::newRow("time in the middle") << 2 << 5 << QByteArray("SLOT {TM}ONE");
    QTest::newRow("logo at end") << 11 << 8 << QByteArray("SLOT ONE{BM}");
}

void TestQpEdit::buttonInsertsTokenAtCursor()
{
    QFETCH(int, button);
    QFETCH(int, position);
    QFETCH(QByteArray, expected);
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    QTextCursor c = editor.TextArea()->textCursor();
    c.setPosition(position);
    editor.TextArea()->setTextCursor(c);
    editor.FieldButtonWidget(button)->click();
    QCOMPARE(store.Ticket(1), expected);
    QCOMPARE(store.IsTicketModified(), short(1));
    QCOMPARE(editor.TextArea()->textCursor().position(), position + 4);

    // A button that is off inserts nothing.
    store.SetFieldButton(short(button), 1);
    editor.FieldButtonWidget(button)->click();
    QCOMPARE(store.Ticket(1), expected);
}

void TestQpEdit::slotSwitching()
{
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    QComboBox* slots = editor.SlotSelector();
    QCOMPARE(slots->count(), 3);
    QCOMPARE(editor.TextArea()->toPlainText(), QStringLiteral("SLOT ONE"));

    slots->setCurrentIndex(1);
    Q_EMIT slots->activated(1);
    QCOMPARE(store.CurrentTicket(), short(2));
    QCOMPARE(editor.TextArea()->toPlainText(), QStringLiteral("SLOT TWO\n{GR}"));
    QCOMPARE(store.IsTicketModified(), short(0));

    // Edits go to the slot shown; switching away and back keeps them.
    MoveCursorToEnd(editor.TextArea());
    QTest::keyClicks(editor.TextArea(), QStringLiteral("!"));
    store.SetCurrentTicket(1);
    QCOMPARE(slots->currentIndex(), 0);
    QCOMPARE(editor.TextArea()->toPlainText(), QStringLiteral("SLOT ONE"));
    QCOMPARE(store.Ticket(2), QByteArray("SLOT TWO\n{GR}!"));
    QCOMPARE(store.Ticket(1), QByteArray("SLOT ONE"));

    store.SetTicketCount(5);
    QCOMPARE(slots->count(), 5);
    store.SetCurrentTicket(5);
    QCOMPARE(editor.TextArea()->toPlainText(), QString());
}

void TestQpEdit::typingMarksModified()
{
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    MoveCursorToEnd(editor.TextArea());
    QTest::keyClicks(editor.TextArea(), QStringLiteral(" AB"));
    QTest::keyClick(editor.TextArea(), Qt::Key_Return);
    QTest::keyClicks(editor.TextArea(), QStringLiteral("C"));
    QCOMPARE(store.Ticket(1), QByteArray("SLOT ONE AB\nC"));
    QCOMPARE(store.IsTicketModified(), short(1));
}

void TestQpEdit::enterAndEscapeFromMainWindow()
{
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    QTextCursor c = editor.TextArea()->textCursor();
    c.setPosition(4);
    editor.TextArea()->setTextCursor(c);
    store.SendKey(13, 0, 0);
    QCOMPARE(store.Ticket(1), QByteArray("SLOT\n ONE"));
    QTest::keyClicks(editor.TextArea(), QStringLiteral("X"));
    QCOMPARE(store.Ticket(1), QByteArray("SLOT\nX ONE"));

    store.SendKey(27, 0, 0);
    QCOMPARE(store.Ticket(1), QByteArray("SLOT ONE"));
    QCOMPARE(editor.TextArea()->toPlainText(), QStringLiteral("SLOT ONE"));
    // Other keys do nothing.
    store.SendKey(65, 0, 0);
    QCOMPARE(store.Ticket(1), QByteArray("SLOT ONE"));
}

void TestQpEdit::escapeKeyInEditor()
{
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    // The snapshot is taken when a slot is selected, so Escape goes back to that.
    store.SetCurrentTicket(2);
    MoveCursorToEnd(editor.TextArea());
    QTest::keyClicks(editor.TextArea(), QStringLiteral("zz"));
    QCOMPARE(store.Ticket(2), QByteArray("SLOT TWO\n{GR}zz"));
    QTest::keyClick(editor.TextArea(), Qt::Key_Escape);
    QCOMPARE(store.Ticket(2), QByteArray("SLOT TWO\n{GR}"));
}

void TestQpEdit::controlBytesSurviveEditing()
{
    TicketStore store;
    Prepare(store);
    const QByteArray ticket("\x1b@\r\n\xa0\xe9\t\x7f\x00", 9);
    store.SetTicket(1, ticket);
    CQpEdit editor(store, nullptr);
    QVERIFY(editor.TextArea()->toPlainText().startsWith(QChar(0x241B)));
    MoveCursorToEnd(editor.TextArea());
    QTest::keyClicks(editor.TextArea(), QStringLiteral("."));
    QCOMPARE(store.Ticket(1), ticket + '.');
}

void TestQpEdit::previewFollowsCursorAndProperties()
{
    TicketStore store;
    Prepare(store);
    store.SetCurrentTicket(2);
    CQpEdit editor(store, nullptr);
    MoveCursorToEnd(editor.TextArea());
    QCOMPARE(editor.PreviewLabel()->text(), QStringLiteral("1234.5 lb"));
    store.SetUnitText("kg");
    for (int n = 1; n <= 6; ++n) store.SetDecimalFormat(n, "-0.01");
    QCOMPARE(editor.PreviewLabel()->text(), QStringLiteral("1234.50 kg"));
    QTextCursor c = editor.TextArea()->textCursor();
    c.setPosition(0);
    editor.TextArea()->setTextCursor(c);
    QCOMPARE(editor.PreviewLabel()->text(), QStringLiteral("SLOT TWO"));
}

void TestQpEdit::loadReplacesShownText()
{
    TicketStore store;
    Prepare(store);
    CQpEdit editor(store, nullptr);
    MoveCursorToEnd(editor.TextArea());
    QTest::keyClicks(editor.TextArea(), QStringLiteral("?"));
    QCOMPARE(store.IsTicketModified(), short(1));

    QBuffer data;
    data.setData(TicketFormats::JoinLines(TicketFormats::EncodeTicketData({{1, "LOADED\n{CN}"}})));
    data.open(QIODevice::ReadOnly);
    QCOMPARE(store.LoadTicketData(data, 1), short(1));
    QCOMPARE(editor.TextArea()->toPlainText(), QStringLiteral("LOADED\n{CN}"));
    QCOMPARE(store.IsTicketModified(), short(0));
    // Escape now goes back to the loaded text, not to the edit before the load.
    MoveCursorToEnd(editor.TextArea());
    QTest::keyClicks(editor.TextArea(), QStringLiteral("x"));
    store.SendKey(27, 0, 0);
    QCOMPARE(store.Ticket(1), QByteArray("LOADED\n{CN}"));
}

void TestQpEdit::advancedModeTogglesCustomText()
{
    TicketStore store;
    Prepare(store);
    store.SetFieldButton(7, 1);
    CQpEdit editor(store, nullptr);
    QVERIFY(!editor.FieldButtonWidget(7)->isEnabled());
    editor.ModeBox()->click();
    QCOMPARE(store.EditorMode(), short(1));
    QVERIFY(editor.FieldButtonWidget(7)->isEnabled());
    editor.FieldButtonWidget(7)->click();
    QCOMPARE(store.Ticket(1), QByteArray("{TX}SLOT ONE"));
    editor.ModeBox()->click();
    QCOMPARE(store.EditorMode(), short(0));
    QVERIFY(!editor.FieldButtonWidget(7)->isEnabled());
}

void TestQpEdit::usableAtSmallSize()
{
    TicketStore store;
    Prepare(store);
    QWidget host;
    host.resize(520, 300);
    CQpEdit editor(store, &host);
    editor.setGeometry(0, 0, 520, 300);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    const QRect area = editor.rect();
    for (int b = 0; b < 12; ++b) {
        const QAbstractButton* button = editor.FieldButtonWidget(b);
        QVERIFY2(area.contains(QRect(button->mapTo(&editor, QPoint(0, 0)), button->size())),
                 qPrintable(button->text()));
    }
    QVERIFY(editor.TextArea()->height() >= 100);
    QVERIFY(editor.PreviewLabel()->isVisible());
}

QTEST_MAIN(TestQpEdit)
#include "tst_qpedit.moc"
