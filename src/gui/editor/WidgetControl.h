// SPDX-License-Identifier: MIT
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "model/EntryControl.h"

// An entry's control backed by a widget on the page. Owns the widget: deleting the control
// hides the widget and lets it go once the current event is over, because a control can
// be deleted while a signal of a sibling (or its own) is being handled.
class WidgetControl : public EntryControl {
public:
    // Where a control reports: the user acted on it (the command handler), or the user
    // changed what it shows (the window's modified mark).
    struct Hooks {
        std::function<void(EntryControl*, ControlNotification)> command;
        std::function<void()> edited;
    };

    WidgetControl(const ControlSpec& spec, QWidget* widget, Hooks hooks);
    ~WidgetControl() override;

    QWidget* Widget() const { return widget_; }
    // The widget behind any entry control; null for a control that has none.
    static QWidget* WidgetOf(const EntryControl* control);

    QByteArray Text() const override { return QByteArray(); }
    void SetText(const QByteArray&) override {}
    bool IsEnabled() const override;
    void SetEnabled(bool enabled) override;
    bool IsVisible() const override;
    void SetVisible(bool visible) override;
    bool IsWritable() const override { return true; }
    void SetWritable(bool) override {}
    bool IsChecked() const override { return false; }
    void SetChecked(bool) override {}
    void AddItem(const QByteArray&) override {}
    int ItemCount() const override { return 0; }
    QByteArray ItemText(int) const override { return QByteArray(); }
    int CurrentIndex() const override { return -1; }
    void SetCurrentIndex(int) override {}
    void SetRange(int, int) override {}
    int Low() const override { return 0; }
    int High() const override { return 0; }
    void SetPos(int) override {}
    int Pos() const override { return 0; }
    void Redraw() override;

protected:
    void Notify(ControlNotification notification);
    void Edited();
    // Connections to the widget made through here are cut before the widget goes.
    template <typename Sender, typename Signal, typename Slot>
    void Watch(Sender* sender, Signal signal, Slot slot)
    {
        connections_.push_back(QObject::connect(sender, signal, widget_.data(), slot));
    }

private:
    QPointer<QWidget> widget_;
    Hooks hooks_;
    std::vector<QMetaObject::Connection> connections_;
};
