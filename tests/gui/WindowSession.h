// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTabBar>
#include <QtTest>
#include <memory>

#include "CommandTable.h"
#include "LogLines.h"
#include "ScriptedPrompts.h"
#include "TestData.h"
#include "Workbench.h"
#include "app/CWeighsetDlg.h"
#include "editor/CEditEx.h"
#include "editor/WidgetControl.h"

// One running window over a private data folder, answering through a script.
struct WindowSession {
    TestData data;
    ScriptedPrompts prompts;
    std::unique_ptr<CWeighsetDlg> window = std::make_unique<CWeighsetDlg>(&prompts);

    WindowSession()
    {
        window->Bench().SetSettlePause(0);
        window->show();
        window->activateWindow();
    }
    ConfigModel& Model() { return window->Bench().Model(); }
    ConfigEntry* Entry(const QByteArray& code) { return ConfigModel::FindEntryByCode(Model().entries, code); }
    void New(const QByteArray& model)
    {
        prompts.models.push_back(model);
        window->RunCommand(kCmdNew);
    }
    QWidget* Widget(const QByteArray& code, int control)
    {
        ConfigEntry* e = Entry(code);
        return e ? static_cast<WidgetControl*>(e->controls.at(size_t(control)).get())->Widget() : nullptr;
    }
    CEditEx* Box(const QByteArray& code) { return qobject_cast<CEditEx*>(Widget(code, 1)); }
    QComboBox* Combo(const QByteArray& code) { return qobject_cast<QComboBox*>(Widget(code, 1)); }
    // A choice in a drop-down list, as the user makes it.
    bool Choose(const QByteArray& code, const QString& text)
    {
        QComboBox* combo = Combo(code);
        combo->setCurrentIndex(combo->findText(text));
        Q_EMIT combo->activated(combo->currentIndex());
        return combo->currentText() == text;
    }
    QString CurrentTab() const { return window->Tabs()->tabText(window->Tabs()->currentIndex()); }
    void ShowTab(const QString& name)
    {
        QTabBar* tabs = window->Tabs();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == name) tabs->setCurrentIndex(i);
        }
    }
    void Focus(QWidget* w)
    {
        w->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(w->hasFocus());
    }
    // Types (or pastes) over a box's text and leaves it with Tab.
    void TypeInto(const QByteArray& code, const QString& text, bool paste = false)
    {
        Focus(Box(code));
        Box(code)->selectAll();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(Box(code), Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(Box(code), text);
        }
        QTest::keyClick(Box(code), Qt::Key_Tab);
        QTRY_VERIFY(!Box(code)->hasFocus());
    }
    QStringList Log() const
    {
        QStringList out;
        for (const QByteArray& line : LogLines(window->Bench().Log())) out << QString::fromLatin1(line);
        return out;
    }
};
