// SPDX-License-Identifier: MIT
#include "WidgetControl.h"

WidgetControl::WidgetControl(const ControlSpec& spec, QWidget* widget, Hooks hooks)
    : EntryControl(spec), widget_(widget), hooks_(std::move(hooks))
{
}

WidgetControl::~WidgetControl()
{
    // First silence it: hiding a focused box would report a lost focus for a dead entry.
    for (const QMetaObject::Connection& c : connections_) QObject::disconnect(c);
    hooks_ = Hooks();
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();
    }
}

QWidget* WidgetControl::WidgetOf(const EntryControl* control)
{
    const auto* backed = dynamic_cast<const WidgetControl*>(control);
    return backed ? backed->Widget() : nullptr;
}

bool WidgetControl::IsEnabled() const
{
    return widget_ && widget_->isEnabled();
}

void WidgetControl::SetEnabled(bool enabled)
{
    if (widget_) widget_->setEnabled(enabled);
}

bool WidgetControl::IsVisible() const
{
    // The control's own state, whether or not the window is on screen yet.
    return widget_ && !widget_->isHidden();
}

void WidgetControl::SetVisible(bool visible)
{
    if (widget_) widget_->setVisible(visible);
}

void WidgetControl::Redraw()
{
    if (widget_) widget_->update();
}

void WidgetControl::Notify(ControlNotification notification)
{
    // Copies: the handler may delete this control.
    const auto command = hooks_.command;
    const auto edited = hooks_.edited;
    if (command) command(this, notification);
    if (edited) edited();
}

void WidgetControl::Edited()
{
    const auto edited = hooks_.edited;
    if (edited) edited();
}
