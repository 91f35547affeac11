// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class QComboBox;

// An entry's drop-down list: its text is the selected item; a selection made by the user
// reports to the command handler.
class ComboControl final : public WidgetControl {
public:
    ComboControl(const ControlSpec& spec, QWidget* page, Hooks hooks);

    QComboBox* Combo() const;
    QByteArray Text() const override;
    // Selects the item with exactly this text; anything else leaves the selection alone.
    void SetText(const QByteArray& text) override;
    void AddItem(const QByteArray& text) override;
    int ItemCount() const override;
    QByteArray ItemText(int index) const override;
    int CurrentIndex() const override;
    void SetCurrentIndex(int index) override;
};
