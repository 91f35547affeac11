// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class QButtonGroup;
class QRadioButton;

// One choice of a radio entry. The buttons of one entry form one exclusive group; a click
// reports to the command handler.
class RadioControl final : public WidgetControl {
public:
    RadioControl(const ControlSpec& spec, QWidget* page, QButtonGroup* group, Hooks hooks);

    QRadioButton* Button() const;
    QByteArray Text() const override;
    void SetText(const QByteArray& text) override;
    bool IsChecked() const override;
    void SetChecked(bool checked) override;
};
