// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class QLabel;

// The static caption above an edit box, list or spin box: the entry's code in upper case.
class CaptionControl final : public WidgetControl {
public:
    CaptionControl(const ControlSpec& spec, QWidget* page, Hooks hooks);

    QLabel* Label() const;
    QByteArray Text() const override;
    void SetText(const QByteArray& text) override;
};
