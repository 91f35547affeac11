// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class CEditEx;

// An entry's edit box (text, edit, large_edit, spin and the read-only extra entries).
// Reports a lost focus to the command handler.
class EditControl final : public WidgetControl {
public:
    EditControl(const ControlSpec& spec, QWidget* page, Hooks hooks);

    CEditEx* Edit() const;
    QByteArray Text() const override;
    void SetText(const QByteArray& text) override;
    bool IsWritable() const override;
    void SetWritable(bool writable) override;
};
