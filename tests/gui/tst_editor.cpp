// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <vector>

#include "editor/CEditEx.h"
#include "editor/CUpDown.h"
#include "editor/ComboControl.h"
#include "editor/ControlFactory.h"
#include "editor/EditControl.h"
#include "editor/PageArea.h"
#include "editor/UpDownControl.h"
#include "model/ConfigEntry.h"

Q_DECLARE_METATYPE(PixelRect)

namespace {

struct Report {
    EntryControl* control;
    ControlNotification notification;
};

}  // namespace

class TestEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> page_;
    std::unique_ptr<ControlFactory> factory_;
    std::vector<Report> reports_;
    int edits_ = 0;

    WidgetControl::Hooks Hooks()
    {
        WidgetControl::Hooks h;
        h.command = [this](EntryControl* c, ControlNotification n) { reports_.push_back({c, n}); };
        h.edited = [this]() { ++edits_; };
        return h;
    }

    std::unique_ptr<EntryControl> Make(ControlSpec spec) { return factory_->Create(spec, Hooks()); }

    static ControlSpec Spec(ControlKind kind, PixelRect rect = {10, 30, 110, 55})
    {
        ControlSpec s;
        s.kind = kind;
        s.id = 3000;
        s.rect = rect;
        return s;
    }

    static CEditEx* Box(EntryControl* c) { return static_cast<EditControl*>(c)->Edit(); }

    void ShowPage()
    {
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
        edits_ = 0;
    }

    void cleanup()
    {
        factory_.reset();
        page_.reset();
    }

    // Keys typed (a backspace as '\b') or, with a leading '^', the rest pasted from the clipboard.
    void input_data()
    {
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("second point refused") << true << true << "" << "12.5.3" << "12.53";
        QTest::newRow("minus refused") << true << true << "" << "-5" << "5";
        QTest::newRow("letters refused") << true << true << "" << "a1b2Z" << "12";
        QTest::newRow("space accepted") << true << true << "" << "1 2" << "1 2";
        QTest::newRow("point refused after a shown point") << true << true << "0.5" << ".7" << "0.57";
        QTest::newRow("typing goes on after a shown minus") << true << true << "-3" << "4" << "-34";
        QTest::newRow("backspace in a numeric box") << true << true << "123" << "\b" << "12";
        QTest::newRow("text box takes everything") << false << true << "" << "-a.b.c" << "-a.b.c";
        QTest::newRow("read-only numeric") << true << false << "42" << "123" << "42";
        QTest::newRow("read-only text") << false << false << "abc" << "xyz" << "abc";
        QTest::newRow("paste: numeric keeps digits and one point") << true << true << "" << "^-1.2.3x" << "1.23";
        QTest::newRow("paste: numeric with a point already") << true << true << "7.0" << "^8.9" << "7.089";
        QTest::newRow("paste: text box as is") << false << true << "" << "^ab-c" << "ab-c";
        QTest::newRow("paste: read-only takes nothing") << true << false << "5" << "^123" << "5";
        QTest::newRow("paste: non-Latin-1 dropped") << false << true << "" << QStringLiteral("^a\u20acb") << "ab";
    }
    void input()
    {
        QFETCH(bool, numeric);
        QFETCH(bool, writable);
        QFETCH(QString, initial);
        QFETCH(QString, input);
        ControlSpec s = Spec(ControlKind::Edit);
        s.numeric = numeric;
        s.writable = writable;
        s.text = initial.toLatin1();
        auto control = Make(s);
        CEditEx* box = Box(control.get());
        box->setCursorPosition(box->text().size());
        if (input.startsWith(QLatin1Char('^'))) {
            QApplication::clipboard()->setText(input.mid(1));
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(box, input);
        }
        QTEST(box->text(), "expected");
    }

    void dialogKeysReachTheWindow_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("read-only") << false;
    }

    void dialogKeysReachTheWindow()
    {
        QFETCH(bool, writable);
        // Enter and Escape go past the box to the window (the ticket editor's keys).
        struct KeyLog : QObject {
            QList<int> keys;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::KeyPress) keys << static_cast<QKeyEvent*>(e)->key();
                return false;
            }
        } log;
        page_->installEventFilter(&log);
        ControlSpec s = Spec(ControlKind::Edit);
        s.numeric = true;
        s.writable = writable;
        auto control = Make(s);
        QTest::keyClick(Box(control.get()), Qt::Key_Return);
        QTest::keyClick(Box(control.get()), Qt::Key_Escape);
        QTest::keyClick(Box(control.get()), Qt::Key_5);
        QCOMPARE(log.keys, (QList<int>{Qt::Key_Return, Qt::Key_Escape}));
        page_->removeEventFilter(&log);
    }

    void readOnlyLookAndFocusBounce()
    {
        ControlSpec s = Spec(ControlKind::Edit);
        s.numeric = true;
        auto writable = Make(s);
        s.rect = {10, 80, 110, 105};
        s.writable = false;
        auto readOnly = Make(s);
        writable->SetVisible(true);
        readOnly->SetVisible(true);
        ShowPage();

        CEditEx* box = Box(readOnly.get());
        QCOMPARE(box->palette().color(QPalette::Active, QPalette::Text), QColor(0, 0, 128));
        QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base), QApplication::palette().color(QPalette::Button));
        QVERIFY(Box(writable.get())->palette().color(QPalette::Active, QPalette::Text) != QColor(0, 0, 128));

        Box(writable.get())->setFocus();
        QTRY_VERIFY(Box(writable.get())->hasFocus());
        box->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(!box->hasFocus());

        // Made writable again, it keeps the focus and its ordinary look.
        readOnly->SetWritable(true);
        box->setFocus(Qt::MouseFocusReason);
        QTest::qWait(20);
        QVERIFY(box->hasFocus());
        QVERIFY(box->palette().color(QPalette::Active, QPalette::Text) != QColor(0, 0, 128));
    }

    void focusLossReportsOnce()
    {
        ControlSpec s = Spec(ControlKind::Edit);
        s.numeric = true;
        auto first = Make(s);
        s.rect = {10, 80, 110, 105};
        s.id = 3001;
        auto second = Make(s);
        first->SetVisible(true);
        second->SetVisible(true);
        ShowPage();
        Box(first.get())->setFocus();
        QTRY_VERIFY(Box(first.get())->hasFocus());
        reports_.clear();
        Box(second.get())->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(Box(second.get())->hasFocus());
        QCOMPARE(reports_.size(), size_t(1));
        QCOMPARE(reports_[0].control, first.get());
        QVERIFY(reports_[0].notification == ControlNotification::FocusLost);
    }

    void comboSelection()
    {
        ControlSpec s = Spec(ControlKind::Combo, {10, 30, 110, 110});
        s.id = 4000;
        s.text = "b";
        auto control = Make(s);
        // Nothing to select before the items exist.
        QCOMPARE(control->CurrentIndex(), -1);
        for (const char* item : {"a", "b", "c"}) control->AddItem(item);
        QCOMPARE(control->CurrentIndex(), -1);
        QCOMPARE(control->Text(), QByteArray());
        control->SetText("c");
        QCOMPARE(control->Text(), QByteArray("c"));
        control->SetText("C");
        QCOMPARE(control->Text(), QByteArray("c"));
        control->SetCurrentIndex(0);
        QVERIFY(reports_.empty());

        // A choice of the user reports; the program's do not.
        auto* combo = static_cast<ComboControl*>(control.get())->Combo();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(control->Text(), QByteArray("b"));
        QCOMPARE(reports_.size(), size_t(1));
        QVERIFY(reports_[0].notification == ControlNotification::SelectionChanged);
    }

    void upDown_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up to the top") << 1 << 3 << "2" << "uuu" << "3";
        QTest::newRow("down to the bottom") << 1 << 3 << "2" << "ddd" << "1";
        QTest::newRow("out of range text is clamped first") << 0 << 99 << "150" << "u" << "99";
        QTest::newRow("garbage counts as zero") << 0 << 10 << "x" << "u" << "1";
        QTest::newRow("reversed range counts down going up") << 10 << 0 << "5" << "uu" << "3";
        QTest::newRow("plain digits above a thousand") << 0 << 999999 << "999" << "uu" << "1001";
    }

    void upDown()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        ControlSpec e = Spec(ControlKind::Edit);
        e.numeric = true;
        auto box = Make(e);
        ControlSpec u = Spec(ControlKind::UpDown, {110, 30, 120, 48});
        u.id = 4500;
        u.buddy = box.get();
        auto updown = Make(u);
        updown->SetRange(low, high);
        box->SetText(start.toLatin1());
        CUpDown* arrows = static_cast<UpDownControl*>(updown.get())->UpDown();
        for (QChar step : steps) {
            const QPoint where(arrows->width() / 2, step == QLatin1Char('u') ? 2 : arrows->height() - 2);
            QTest::mouseClick(arrows, Qt::LeftButton, Qt::NoModifier, where);
        }
        QCOMPARE(box->Text(), expected.toLatin1());
        // Steps reach the model only through a read back: nothing is reported as a command.
        QVERIFY(reports_.empty());
    }

    void geometry_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<PixelRect>("rect");
        QTest::newRow("caption") << int(ControlKind::Caption) << PixelRect{20, 40, 120, 59};
        QTest::newRow("edit") << int(ControlKind::Edit) << PixelRect{20, 60, 120, 85};
        QTest::newRow("large edit") << int(ControlKind::Edit) << PixelRect{20, 60, 220, 85};
        QTest::newRow("up-down") << int(ControlKind::UpDown) << PixelRect{120, 60, 130, 78};
        QTest::newRow("radio") << int(ControlKind::Radio) << PixelRect{20, 82, 120, 97};
        QTest::newRow("group frame") << int(ControlKind::GroupFrame) << PixelRect{15, 40, 125, 131};
        QTest::newRow("check frame") << int(ControlKind::CheckFrame) << PixelRect{300, 180, 400, 200};
        QTest::newRow("button") << int(ControlKind::Button) << PixelRect{20, 40, 120, 70};
        // A list's 80 pixels include the part that drops down; the closed box is shorter.
        QTest::newRow("combo") << int(ControlKind::Combo) << PixelRect{20, 60, 120, 140};
    }

    void geometry()
    {
        QFETCH(int, kind);
        QFETCH(PixelRect, rect);
        auto control = Make(Spec(ControlKind(kind), rect));
        QWidget* w = static_cast<WidgetControl*>(control.get())->Widget();
        const int height = ControlKind(kind) == ControlKind::Combo ? w->sizeHint().height() : rect.Height();
        QVERIFY(height <= rect.Height());
        QCOMPARE(w->geometry(), QRect(rect.left, rect.top, rect.Width(), height));
        QCOMPARE(w->parentWidget(), page_.get());
        QVERIFY(!control->IsVisible());
    }

    void radioGroupsPerEntry()
    {
        // Two radio entries on one page: choosing in one leaves the other alone.
        std::vector<std::unique_ptr<EntryControl>> radios;
        for (int entry = 0; entry < 2; ++entry) {
            for (int i = 0; i < 2; ++i) {
                ControlSpec s = Spec(ControlKind::Radio, {20 + 150 * entry, 40 + 22 * i, 120 + 150 * entry, 55 + 22 * i});
                s.id = 2500 + entry * 2 + i;
                s.groupStart = i == 0;
                s.text = i == 0 ? "On" : "Off";
                radios.push_back(Make(s));
            }
        }
        radios[0]->SetChecked(true);
        radios[3]->SetChecked(true);
        static_cast<QRadioButton*>(static_cast<WidgetControl*>(radios[1].get())->Widget())->click();
        QVERIFY(!radios[0]->IsChecked());
        QVERIFY(radios[1]->IsChecked());
        QVERIFY(radios[3]->IsChecked());
        QCOMPARE(reports_.size(), size_t(1));
        QVERIFY(reports_[0].notification == ControlNotification::Clicked);
        // The program may clear a choice, even in an exclusive group.
        radios[1]->SetChecked(false);
        QVERIFY(!radios[1]->IsChecked());
    }

    void groupFrameLetsClicksThrough()
    {
        ControlSpec r = Spec(ControlKind::Radio, {20, 40, 120, 55});
        r.groupStart = true;
        r.text = "Gross";
        r.id = 2500;
        auto radio = Make(r);
        auto frame = Make(Spec(ControlKind::GroupFrame, {15, 20, 125, 67}));
        radio->SetVisible(true);
        frame->SetVisible(true);
        ShowPage();
        QWidget* button = static_cast<WidgetControl*>(radio.get())->Widget();
        // On the indicator: the part of a radio button that takes a click.
        const QPoint indicator = button->geometry().topLeft() + QPoint(6, button->height() / 2);
        QCOMPARE(page_->childAt(indicator), button);
        // Through the window, which finds the widget under the pointer.
        QTest::mouseClick(page_->windowHandle(), Qt::LeftButton, Qt::NoModifier, indicator);
        QVERIFY(radio->IsChecked());
    }

    void deletedInsideItsOwnReport()
    {
        ControlSpec s = Spec(ControlKind::Button);
        s.id = 5500;
        s.text = "KEY LOCK";
        std::unique_ptr<EntryControl> button;
        WidgetControl::Hooks hooks;
        hooks.command = [&button](EntryControl*, ControlNotification) { button.reset(); };
        button = factory_->Create(s, hooks);
        QPointer<QWidget> widget = static_cast<WidgetControl*>(button.get())->Widget();
        button->SetVisible(true);
        static_cast<QPushButton*>(widget.data())->click();
        QVERIFY(!button);
        QVERIFY(widget);
        QVERIFY(widget->isHidden());
        QTRY_VERIFY(!widget);
    }

    void deletingAFocusedBoxReportsNothing()
    {
        auto box = Make(Spec(ControlKind::Edit));
        auto other = Make(Spec(ControlKind::Edit, {10, 80, 110, 105}));
        box->SetVisible(true);
        other->SetVisible(true);
        ShowPage();
        Box(box.get())->setFocus();
        QTRY_VERIFY(Box(box.get())->hasFocus());
        reports_.clear();
        box.reset();
        QTest::qWait(10);
        QVERIFY(reports_.empty());
    }

    void accessibleNames()
    {
        ConfigEntry entry("OVL:160:120:105:100-110:100-110:Overload limit:spin:", "Calibration", 1, nullptr);
        ControlSpec s = Spec(ControlKind::Edit);
        s.entry = &entry;
        auto box = Make(s);
        QCOMPARE(static_cast<WidgetControl*>(box.get())->Widget()->accessibleName(),
                 QStringLiteral("OVL: Overload limit"));
        ControlSpec c = Spec(ControlKind::Caption);
        c.text = "OVL";
        auto caption = Make(c);
        QCOMPARE(static_cast<WidgetControl*>(caption.get())->Widget()->accessibleName(), QStringLiteral("OVL"));
    }

    void pageAreaScrollsToShownControls()
    {
        PageArea area;
        area.resize(300, 200);
        ControlFactory factory(area.Content());
        auto near = factory.Create(Spec(ControlKind::Edit, {10, 10, 110, 35}), {});
        auto far = factory.Create(Spec(ControlKind::Edit, {900, 600, 1000, 625}), {});
        near->SetVisible(true);
        area.UpdateExtent();
        QVERIFY(area.Content()->minimumWidth() < 300);
        far->SetVisible(true);
        area.UpdateExtent();
        QVERIFY(area.Content()->minimumWidth() >= 1000);
        QVERIFY(area.Content()->minimumHeight() >= 625);
        far->SetVisible(false);
        area.UpdateExtent();
        QVERIFY(area.Content()->minimumHeight() < 200);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
