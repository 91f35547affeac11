// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class CUpDown;

// A spin entry's up-down control. It shows nothing of its own: the buddy edit box holds
// the number, and a read back takes it from there.
class UpDownControl final : public WidgetControl {
public:
    UpDownControl(const ControlSpec& spec, QWidget* page, Hooks hooks);

    CUpDown* UpDown() const;
    void SetRange(int low, int high) override;
    int Low() const override;
    int High() const override;
    void SetPos(int pos) override;
    int Pos() const override;
};
