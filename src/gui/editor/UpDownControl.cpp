// SPDX-License-Identifier: MIT
#include "UpDownControl.h"

#include "CEditEx.h"
#include "CUpDown.h"
#include "EditControl.h"

UpDownControl::UpDownControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, new CUpDown(page), std::move(hooks))
{
    if (auto* buddy = dynamic_cast<EditControl*>(spec.buddy)) UpDown()->SetBuddy(buddy->Edit());
    // A step changes the buddy's text only; the value is taken at the next read back.
    Watch(UpDown(), &CUpDown::Stepped, [this]() { Edited(); });
}

CUpDown* UpDownControl::UpDown() const
{
    return static_cast<CUpDown*>(Widget());
}

void UpDownControl::SetRange(int low, int high)
{
    if (UpDown()) UpDown()->SetRange(low, high);
}

int UpDownControl::Low() const
{
    return UpDown() ? UpDown()->Low() : 0;
}

int UpDownControl::High() const
{
    return UpDown() ? UpDown()->High() : 0;
}

void UpDownControl::SetPos(int pos)
{
    if (UpDown()) UpDown()->SetPos(pos);
}

int UpDownControl::Pos() const
{
    return UpDown() ? UpDown()->Pos() : 0;
}
