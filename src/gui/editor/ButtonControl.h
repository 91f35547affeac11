// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class QPushButton;

// A button entry: a click reports to the command handler.
class ButtonControl final : public WidgetControl {
public:
    ButtonControl(const ControlSpec& spec, QWidget* page, Hooks hooks);

    QPushButton* Button() const;
    QByteArray Text() const override;
    void SetText(const QByteArray& text) override;
};
