// SPDX-License-Identifier: MIT
// The editor's widgets on their own: the edit box filter, the spin arrows, lists, radio groups,
// the frames, controls deleted inside their own events, and the ticket editor.
#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <vector>

#include "editor/CCheckFrame.h"
#include "editor/CEditEx.h"
#include "editor/CUpDown.h"
#include "editor/ControlFactory.h"
#include "tickets/CQpEdit.h"
#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

class TestEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> page_;
    std::unique_ptr<ControlFactory> factory_;
    std::vector<ControlNotification> reports_;

    std::unique_ptr<EntryControl> Make(ControlKind kind, PixelRect rect = {10, 30, 110, 55}, const char* text = "",
                                       bool writable = true, bool numeric = true, EntryControl* buddy = nullptr)
    {
        ControlSpec s;
        s.kind = kind;
        s.rect = rect;
        s.text = text;
        s.numeric = numeric;
        s.writable = writable;
        s.groupStart = kind == ControlKind::Radio && rect.top == 40;
        s.buddy = buddy;
        return factory_->Create(s, {[this](EntryControl*, ControlNotification n) { reports_.push_back(n); }, nullptr});
    }
    static QWidget* W(const std::unique_ptr<EntryControl>& c) { return static_cast<WidgetControl*>(c.get())->Widget(); }
    static CEditEx* Box(const std::unique_ptr<EntryControl>& c) { return qobject_cast<CEditEx*>(W(c)); }
    void ShowPage()
    {
        for (QWidget* w : page_->findChildren<QWidget*>()) w->show();
        page_->show();
        page_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page_.get()));
    }

private Q_SLOTS:
    void init()
    {
        page_ = std::make_unique<QWidget>();
        page_->resize(400, 300);
        factory_ = std::make_unique<ControlFactory>(page_.get());
        reports_.clear();
    }

    void input()
    {
        // Numeric box?, writable?, text shown, keys typed ("\b": backspace; "^": the rest is pasted), text then.
        const struct {
            bool numeric, writable; const char16_t *initial, *input, *expected;
        } rows[] = {{true, true, u"", u"12.5.3", u"12.53"},  {true, true, u"", u"-5", u"5"},
                    {true, true, u"", u"a1b2Z", u"12"},      {true, true, u"", u"1 2", u"1 2"},
                    {true, true, u"0.5", u".7", u"0.57"},    {true, true, u"-3", u"4", u"-34"},
                    {true, true, u"123", u"\b", u"12"},      {false, true, u"", u"-a.b.c", u"-a.b.c"},
                    {true, false, u"42", u"123", u"42"},     {false, false, u"abc", u"xyz", u"abc"},
                    {true, true, u"", u"^-1.2.3x", u"1.23"}, {true, true, u"7.0", u"^8.9", u"7.089"},
                    {false, true, u"", u"^ab-c", u"ab-c"},   {true, false, u"5", u"^123", u"5"},
                    {false, true, u"", u"^a\u20acb", u"ab"}};
        for (const auto& r : rows) {
            auto control = Make(ControlKind::Edit, {}, "", r.writable, r.numeric);
            CEditEx* box = Box(control);
            box->setText(QString::fromUtf16(r.initial));
            const QString input = QString::fromUtf16(r.input);
            if (input.startsWith(QLatin1Char('^'))) {
                QApplication::clipboard()->setText(input.mid(1));
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            } else {
                QTest::keyClicks(box, input);
            }
            QVERIFY2(box->text() == QString::fromUtf16(r.expected),
                     qPrintable(input + QLatin1String(" -> ") + box->text()));
        }
    }

    void readOnlyLookAndFocus()
    {
        auto writable = Make(ControlKind::Edit);
        auto readOnly = Make(ControlKind::Edit, {10, 80, 110, 105}, "42", false);
        ShowPage();
        QCOMPARE(Box(readOnly)->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
        // A read-only box passes the focus on and reports nothing; the writable one reports once.
        Box(writable)->setFocus();
        QTRY_VERIFY(Box(writable)->hasFocus());
        Box(readOnly)->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(!Box(readOnly)->hasFocus());
        QCOMPARE(reports_, std::vector<ControlNotification>{ControlNotification::FocusLost});
        // Made writable again, it keeps the focus and its ordinary look.
        readOnly->SetWritable(true);
        Box(readOnly)->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(Box(readOnly)->hasFocus());
        QVERIFY(Box(readOnly)->palette().color(QPalette::Text) != QColor(0, 0, 128));
    }

    void upDown()
    {
        auto box = Make(ControlKind::Edit);
        auto updown = Make(ControlKind::UpDown, {110, 30, 120, 48}, "", true, true, box.get());
        auto* arrows = qobject_cast<CUpDown*>(W(updown));
        // Set into the right end of the box, whatever rectangle it was given.
        QCOMPARE(arrows->geometry().right(), W(box)->geometry().right());
        QCOMPARE(arrows->height(), W(box)->height());
        // Range, text shown, clicks on the arrows, text then.
        const struct {
            int low, high; const char *start, *steps, *expected;
        } rows[] = {{1, 3, "2", "uuu", "3"}, {1, 3, "2", "ddd", "1"},    {0, 99, "150", "u", "99"},
                    {0, 10, "x", "u", "1"},  {10, 0, "5", "uu", "3"},    {0, 999999, "999", "uu", "1001"}};
        for (const auto& r : rows) {
            updown->SetRange(r.low, r.high);
            box->SetText(r.start);
            for (const char* step = r.steps; *step; ++step) {
                QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, *step == 'u' ? 2 : 20));
            }
            QCOMPARE(box->Text(), QByteArray(r.expected));
        }
        // Steps reach the model only through a read back: nothing is reported as a command.
        QVERIFY(reports_.empty());
    }

    void radioGroupsAndFrames()
    {
        // Two radio entries on one page: choosing in one leaves the other alone.
        std::vector<std::unique_ptr<EntryControl>> radios;
        for (int entry = 0; entry < 2; ++entry) {
            for (int i = 0; i < 2; ++i) {
                const int x = 20 + 150 * entry;
                radios.push_back(Make(ControlKind::Radio, {x, 40 + 22 * i, x + 100, 55 + 22 * i}, i ? "Off" : "On"));
            }
        }
        auto frame = Make(ControlKind::GroupFrame, {15, 20, 125, 89}, "dsp");
        auto check = Make(ControlKind::CheckFrame, {200, 150, 300, 170}, "LFT");
        ShowPage();
        radios[0]->SetChecked(true);
        radios[3]->SetChecked(true);
        // A click lands on the button, not on the frame made after it.
        QWidget* button = W(radios[1]);
        const QPoint indicator = button->geometry().topLeft() + QPoint(6, button->height() / 2);
        QCOMPARE(page_->childAt(indicator), button);
        QTest::mouseClick(page_->windowHandle(), Qt::LeftButton, {}, indicator);
        QVERIFY(!radios[0]->IsChecked() && radios[1]->IsChecked() && radios[3]->IsChecked());
        QCOMPARE(reports_, std::vector<ControlNotification>{ControlNotification::Clicked});
        // The program may clear a choice, even in an exclusive group.
        radios[1]->SetChecked(false);
        QVERIFY(!radios[1]->IsChecked());
        // A check frame draws its caption, greyed when disabled, and takes no clicks.
        const auto darkest = [&check] {
            const QImage image = W(check)->grab().toImage();
            int gray = 255;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) gray = std::min(gray, qGray(image.pixel(x, y)));
            }
            return gray;
        };
        QCOMPARE(check->Text(), QByteArray("LFT"));
        const int caption = darkest();
        check->SetText("");
        QVERIFY(darkest() > caption);
        check->SetText("LFT");
        check->SetEnabled(false);
        QVERIFY(darkest() > caption);
        QVERIFY(!page_->childAt(W(check)->geometry().center()));
    }

    void deletedInsideItsOwnEvents()
    {
        // A button whose entry goes away while its click is reported.
        std::unique_ptr<EntryControl> button;
        ControlSpec s;
        s.kind = ControlKind::Button;
        button = factory_->Create(s, {[&button](EntryControl*, ControlNotification) { button.reset(); }, nullptr});
        QPointer<QWidget> widget = W(button);
        qobject_cast<QPushButton*>(widget)->click();
        QVERIFY(!button && widget && widget->isHidden());
        QTRY_VERIFY(!widget);
        // A focused box that is deleted reports no focus loss.
        auto box = Make(ControlKind::Edit);
        auto other = Make(ControlKind::Edit, {10, 80, 110, 105});
        ShowPage();
        Box(box)->setFocus();
        QTRY_VERIFY(Box(box)->hasFocus());
        box.reset();
        QTest::qWait(10);
        QVERIFY(reports_.empty());
    }

    // The ticket editor over a store of three tickets, enabled as on the print page.
    void ticketEditor()
    {
        TicketStore store;
        store.SetTicketCount(3);
        store.SetTicket(1, "SLOT ONE");
        store.SetTicket(2, "SLOT TWO\n{GR}");
        store.ClearModified();
        store.EnableEditor(1);
        for (short b = 0; b < 12; ++b) store.SetFieldButton(b, 2);
        CQpEdit editor(store);
        QPlainTextEdit* text = editor.TextArea();
        const auto typeAt = [text](int position, const QString& typed) {
            QTextCursor c = text->textCursor();
            c.setPosition(position < 0 ? int(text->toPlainText().size()) : position);
            text->setTextCursor(c);
            QTest::keyClicks(text, typed);
        };
        // State 2 is on, 1 off; an enabled button inserts its token at the cursor.
        store.SetFieldButton(4, 1);
        QVERIFY(!editor.FieldButtonWidget(4)->isEnabled() && editor.FieldButtonWidget(3)->isEnabled());
        store.SetFieldButton(4, 2);
        QVERIFY(editor.FieldButtonWidget(4)->text() == QLatin1String("ID") && !editor.FieldButtonWidget(12));
        for (const auto& [button, position, expected] :
             {std::tuple{0, 0, "{GR}SLOT ONE"}, {2, 9, "{GR}SLOT {TM}ONE"}, {11, 16, "{GR}SLOT {TM}ONE{BM}"}}) {
            typeAt(position, QString());
            editor.FieldButtonWidget(button)->click();
            QCOMPARE(store.Ticket(1), QByteArray(expected));
            QCOMPARE(text->textCursor().position(), position + 4);
        }
        QCOMPARE(store.IsTicketModified(), short(1));
        // The advanced mode switches button 7, the custom text, on and off.
        store.SetFieldButton(7, 1);
        editor.ModeBox()->click();
        QVERIFY(store.EditorMode() == 1 && editor.FieldButtonWidget(7)->isEnabled());
        editor.ModeBox()->click();
        QVERIFY(store.EditorMode() == 0 && !editor.FieldButtonWidget(7)->isEnabled());

        // Edits go to the slot shown; Escape goes back to the slot as it was when selected.
        editor.SlotSelector()->setCurrentIndex(1);
        Q_EMIT editor.SlotSelector()->activated(1);
        QCOMPARE(store.CurrentTicket(), short(2));
        typeAt(-1, QStringLiteral("zz"));
        QCOMPARE(store.Ticket(2), QByteArray("SLOT TWO\n{GR}zz"));
        QTest::keyClick(text, Qt::Key_Escape);
        QCOMPARE(store.Ticket(2), QByteArray("SLOT TWO\n{GR}"));
        // Enter and Escape from the main window: a new line, and back to the slot as selected.
        store.SetCurrentTicket(3);
        QCOMPARE(editor.SlotSelector()->currentIndex(), 2);
        typeAt(0, QStringLiteral("AB"));
        store.SendKey(13, 0, 0);
        QTest::keyClicks(text, QStringLiteral("X"));
        store.SendKey(65, 0, 0);
        QCOMPARE(store.Ticket(3), QByteArray("AB\nX"));
        store.SendKey(27, 0, 0);
        QCOMPARE(text->toPlainText(), QString());
        // Control bytes survive editing; loaded data replaces what is shown and is what Escape restores.
        const QByteArray bytes("\x1b@\r\n\xa0\xe9\t\x7f\x00", 9);
        store.SetTicket(3, bytes);
        QVERIFY(text->toPlainText().startsWith(QChar(0x241B)));
        typeAt(-1, QStringLiteral("."));
        QCOMPARE(store.Ticket(3), bytes + '.');
        QBuffer data;
        data.setData(TicketFormats::JoinLines(TicketFormats::EncodeTicketData({{3, "LOADED\n{CN}"}})));
        data.open(QIODevice::ReadOnly);
        QCOMPARE(store.LoadTicketData(data, 1), short(1));
        QCOMPARE(text->toPlainText(), QStringLiteral("LOADED\n{CN}"));
        QCOMPARE(store.IsTicketModified(), short(0));
        typeAt(-1, QStringLiteral("x"));
        store.SendKey(27, 0, 0);
        QCOMPARE(store.Ticket(3), QByteArray("LOADED\n{CN}"));
        // Disabled, it takes nothing.
        store.EnableEditor(0);
        QVERIFY(text->isReadOnly() && !editor.FieldButtonWidget(0)->isEnabled());
        QTest::keyClicks(text, QStringLiteral("X"));
        store.SendKey(13, 0, 0);
        QCOMPARE(store.Ticket(3), QByteArray("LOADED\n{CN}"));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
