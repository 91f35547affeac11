// SPDX-License-Identifier: MIT
#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>
#include <functional>
#include <memory>

#include "tickets/CQpEdit.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

namespace {

// A store with three tickets, shown on the print page of a loaded configuration, and its editor.
// `before` changes the store before the editor is made.
struct Editor {
    TicketStore store;
    std::unique_ptr<CQpEdit> editor;

    explicit Editor(const std::function<void(TicketStore&)>& before = {}, QWidget* parent = nullptr)
    {
        store.SetTicketCount(3);
        store.SetTicket(1, "SLOT ONE");
        store.SetTicket(2, "SLOT TWO\n{GR}");
        store.SetTicket(3, "");
        store.ClearModified();
        store.EnableEditor(1);
        for (short b = 0; b < 12; ++b) store.SetFieldButton(b, 2);
        if (before) before(store);
        editor = std::make_unique<CQpEdit>(store, parent);
    }

    QPlainTextEdit* Text() const { return editor->TextArea(); }
    QAbstractButton* Field(int button) const { return editor->FieldButtonWidget(button); }

    void MoveCursorTo(int position) const
    {
        QTextCursor c = Text()->textCursor();
        if (position < 0) {
            c.movePosition(QTextCursor::End);
        } else {
            c.setPosition(position);
        }
        Text()->setTextCursor(c);
    }

    // Types at the end of the shown text.
    void Append(const QString& typed) const
    {
        MoveCursorTo(-1);
        QTest::keyClicks(Text(), typed);
    }
};

}  // namespace

class TestQpEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fieldButtonStates_data()
    {
        QTest::addColumn<short>("state");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("on") << short(2) << true;
        QTest::newRow("off") << short(1) << false;
        QTest::newRow("never set") << short(0) << false;
        QTest::newRow("unknown state") << short(3) << false;
    }
    void fieldButtonStates()
    {
        QFETCH(short, state);
        Editor e;
        e.store.SetFieldButton(4, state);
        QTEST(e.Field(4)->isEnabled(), "enabled");
        QVERIFY(e.Field(3)->isEnabled());
        QCOMPARE(e.Field(4)->text(), QStringLiteral("ID"));
        QVERIFY(!e.Field(12));
    }

    void disabledEditorRefusesInput()
    {
        Editor e([](TicketStore& store) { store.EnableEditor(0); });
        QVERIFY(e.Text()->isReadOnly());
        for (int b = 0; b < 12; ++b) QVERIFY(!e.Field(b)->isEnabled());
        QTest::keyClicks(e.Text(), QStringLiteral("X"));
        e.store.SendKey(13, 0, 0);
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT ONE"));
        QCOMPARE(e.store.IsTicketModified(), short(0));

        // No slots at all: nothing to edit even when enabled.
        TicketStore empty;
        empty.EnableEditor(1);
        CQpEdit none(empty, nullptr);
        QVERIFY(none.TextArea()->isReadOnly());
        QVERIFY(!none.SlotSelector()->isEnabled());
    }

    void buttonInsertsTokenAtCursor_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("gross at start") << 0 << 0 << QByteArray("{GR}SLOT ONE");
        QTest::newRow("time in the middle") << 2 << 5 << QByteArray("SLOT {TM}ONE");
        QTest::newRow("logo at end") << 11 << 8 << QByteArray("SLOT ONE{BM}");
    }
    void buttonInsertsTokenAtCursor()
    {
        QFETCH(int, button);
        QFETCH(int, position);
        QFETCH(QByteArray, expected);
        Editor e;
        e.MoveCursorTo(position);
        e.Field(button)->click();
        QCOMPARE(e.store.Ticket(1), expected);
        QCOMPARE(e.store.IsTicketModified(), short(1));
        QCOMPARE(e.Text()->textCursor().position(), position + 4);

        // A button that is off inserts nothing.
        e.store.SetFieldButton(short(button), 1);
        e.Field(button)->click();
        QCOMPARE(e.store.Ticket(1), expected);
    }

    void slotSwitching()
    {
        Editor e;
        QComboBox* slots = e.editor->SlotSelector();
        QCOMPARE(slots->count(), 3);
        QCOMPARE(e.Text()->toPlainText(), QStringLiteral("SLOT ONE"));

        slots->setCurrentIndex(1);
        Q_EMIT slots->activated(1);
        QCOMPARE(e.store.CurrentTicket(), short(2));
        QCOMPARE(e.Text()->toPlainText(), QStringLiteral("SLOT TWO\n{GR}"));
        QCOMPARE(e.store.IsTicketModified(), short(0));

        // Edits go to the slot shown; switching away and back keeps them.
        e.Append(QStringLiteral("!"));
        e.store.SetCurrentTicket(1);
        QCOMPARE(slots->currentIndex(), 0);
        QCOMPARE(e.Text()->toPlainText(), QStringLiteral("SLOT ONE"));
        QCOMPARE(e.store.Ticket(2), QByteArray("SLOT TWO\n{GR}!"));
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT ONE"));

        e.store.SetTicketCount(5);
        QCOMPARE(slots->count(), 5);
        e.store.SetCurrentTicket(5);
        QCOMPARE(e.Text()->toPlainText(), QString());
    }

    void typingMarksModified()
    {
        Editor e;
        e.Append(QStringLiteral(" AB"));
        QTest::keyClick(e.Text(), Qt::Key_Return);
        QTest::keyClicks(e.Text(), QStringLiteral("C"));
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT ONE AB\nC"));
        QCOMPARE(e.store.IsTicketModified(), short(1));
    }

    void enterAndEscapeFromMainWindow()
    {
        Editor e;
        e.MoveCursorTo(4);
        e.store.SendKey(13, 0, 0);
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT\n ONE"));
        QTest::keyClicks(e.Text(), QStringLiteral("X"));
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT\nX ONE"));

        e.store.SendKey(27, 0, 0);
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT ONE"));
        QCOMPARE(e.Text()->toPlainText(), QStringLiteral("SLOT ONE"));
        // Other keys do nothing.
        e.store.SendKey(65, 0, 0);
        QCOMPARE(e.store.Ticket(1), QByteArray("SLOT ONE"));
    }

    void escapeKeyInEditor()
    {
        Editor e;
        // The snapshot is taken when a slot is selected, so Escape goes back to that.
        e.store.SetCurrentTicket(2);
        e.Append(QStringLiteral("zz"));
        QCOMPARE(e.store.Ticket(2), QByteArray("SLOT TWO\n{GR}zz"));
        QTest::keyClick(e.Text(), Qt::Key_Escape);
        QCOMPARE(e.store.Ticket(2), QByteArray("SLOT TWO\n{GR}"));
    }

    void controlBytesSurviveEditing()
    {
        const QByteArray ticket("\x1b@\r\n\xa0\xe9\t\x7f\x00", 9);
        Editor e([&ticket](TicketStore& store) { store.SetTicket(1, ticket); });
        QVERIFY(e.Text()->toPlainText().startsWith(QChar(0x241B)));
        e.Append(QStringLiteral("."));
        QCOMPARE(e.store.Ticket(1), ticket + '.');
    }

    void previewFollowsCursorAndProperties()
    {
        Editor e([](TicketStore& store) { store.SetCurrentTicket(2); });
        e.MoveCursorTo(-1);
        QCOMPARE(e.editor->PreviewLabel()->text(), QStringLiteral("1234.5 lb"));
        e.store.SetUnitText("kg");
        for (int n = 1; n <= 6; ++n) e.store.SetDecimalFormat(n, "-0.01");
        QCOMPARE(e.editor->PreviewLabel()->text(), QStringLiteral("1234.50 kg"));
        e.MoveCursorTo(0);
        QCOMPARE(e.editor->PreviewLabel()->text(), QStringLiteral("SLOT TWO"));
    }

    void loadReplacesShownText()
    {
        Editor e;
        e.Append(QStringLiteral("?"));
        QCOMPARE(e.store.IsTicketModified(), short(1));

        QBuffer data;
        data.setData(TicketFormats::JoinLines(TicketFormats::EncodeTicketData({{1, "LOADED\n{CN}"}})));
        data.open(QIODevice::ReadOnly);
        QCOMPARE(e.store.LoadTicketData(data, 1), short(1));
        QCOMPARE(e.Text()->toPlainText(), QStringLiteral("LOADED\n{CN}"));
        QCOMPARE(e.store.IsTicketModified(), short(0));
        // Escape now goes back to the loaded text, not to the edit before the load.
        e.Append(QStringLiteral("x"));
        e.store.SendKey(27, 0, 0);
        QCOMPARE(e.store.Ticket(1), QByteArray("LOADED\n{CN}"));
    }

    void advancedModeTogglesCustomText()
    {
        Editor e([](TicketStore& store) { store.SetFieldButton(7, 1); });
        QVERIFY(!e.Field(7)->isEnabled());
        e.editor->ModeBox()->click();
        QCOMPARE(e.store.EditorMode(), short(1));
        QVERIFY(e.Field(7)->isEnabled());
        e.Field(7)->click();
        QCOMPARE(e.store.Ticket(1), QByteArray("{TX}SLOT ONE"));
        e.editor->ModeBox()->click();
        QCOMPARE(e.store.EditorMode(), short(0));
        QVERIFY(!e.Field(7)->isEnabled());
    }

    void usableAtSmallSize()
    {
        QWidget host;
        host.resize(520, 300);
        Editor e({}, &host);
        e.editor->setGeometry(0, 0, 520, 300);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        for (int b = 0; b < 12; ++b) {
            const QAbstractButton* button = e.Field(b);
            QVERIFY2(e.editor->rect().contains(QRect(button->mapTo(e.editor.get(), QPoint(0, 0)), button->size())),
                     qPrintable(button->text()));
        }
        QVERIFY(e.Text()->height() >= 100);
        QVERIFY(e.editor->PreviewLabel()->isVisible());
    }
};

QTEST_MAIN(TestQpEdit)
#include "tst_qpedit.moc"
