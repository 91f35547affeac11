// SPDX-License-Identifier: MIT
// Edit boxes in the real window: what a text box lets in, and the conversion factor's zero.
#include <QApplication>
#include <QClipboard>
#include <QTabBar>
#include <QtTest>

#include "CommandTable.h"
#include "ScriptedPrompts.h"
#include "TestData.h"
#include "Workbench.h"
#include "app/CWeighsetDlg.h"
#include "editor/CEditEx.h"
#include "editor/WidgetControl.h"

class TestTextBox : public QObject {
    Q_OBJECT

    TestData data_;
    ScriptedPrompts prompts_;
    std::unique_ptr<CWeighsetDlg> window_;

    CEditEx* Box(const char* code)
    {
        ConfigEntry* e = ConfigModel::FindEntryByCode(window_->Bench().Model().entries, code);
        return e ? qobject_cast<CEditEx*>(static_cast<WidgetControl*>(e->GetControl(1))->Widget()) : nullptr;
    }
    void ShowTab(const QString& name)
    {
        QTabBar* tabs = window_->Tabs();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == name) tabs->setCurrentIndex(i);
        }
    }
    // Clears the box, types (or pastes) into it and leaves it with Tab.
    QString Enter(CEditEx* box, const QString& text, bool paste = false)
    {
        box->setFocus(Qt::MouseFocusReason);
        if (!QTest::qWaitFor([box]() { return box->hasFocus(); })) return QStringLiteral("(no focus)");
        box->selectAll();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(box, text);
        }
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::qWait(20);
        return box->text();
    }

private Q_SLOTS:
    void initTestCase()
    {
        window_ = std::make_unique<CWeighsetDlg>(&prompts_);
        window_->Bench().SetSettlePause(0);
        window_->show();
        prompts_.models.push_back("Model 615");
        window_->RunCommand(kCmdNew);
        QVERIFY(Box("hd1") && Box("CNVT FACTOR"));
    }
    void cleanupTestCase() { window_.reset(); }

    void textBoxRefusesWhatALineCannotCarry_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typed colon") << QStringLiteral("LINE A:B") << false << QStringLiteral("LINE AB");
        QTest::newRow("typed second slash") << QStringLiteral("a//b/c") << false << QStringLiteral("a/b/c");
        QTest::newRow("pasted colon") << QStringLiteral("A:B") << true << QStringLiteral("AB");
        QTest::newRow("pasted comment") << QStringLiteral("a//b") << true << QStringLiteral("a/b");
    }
    void textBoxRefusesWhatALineCannotCarry()
    {
        QFETCH(QString, entered);
        QFETCH(bool, paste);
        ShowTab(QStringLiteral("General Setup"));
        QTEST(Enter(Box("hd1"), entered, paste), "shown");
    }

    void slashNextToASlashAlreadyThere()
    {
        // Inserted before the '/' of "a/b" a '/' would make "//" too; replacing that '/' is fine.
        const QString current = QStringLiteral("a/b");
        QCOMPARE(CEditEx::FilterInsert(QStringLiteral("x/"), current, 1, 0, false, true), QStringLiteral("x"));
        QCOMPARE(CEditEx::FilterInsert(QStringLiteral("/"), current, 1, 1, false, true), QStringLiteral("/"));
    }

    void conversionFactorZero()
    {
        ShowTab(QStringLiteral("Calibration"));
        QCOMPARE(Enter(Box("CNVT FACTOR"), QStringLiteral("0")), QStringLiteral("0.000001"));
    }
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
