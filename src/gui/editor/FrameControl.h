// SPDX-License-Identifier: MIT
#pragma once

#include "WidgetControl.h"

class QGroupBox;

// A framed caption: the frame around a radio entry's buttons, or a check entry's frame.
// Neither can be clicked; the radio frame lies beneath its buttons.
class FrameControl final : public WidgetControl {
public:
    FrameControl(const ControlSpec& spec, QWidget* page, Hooks hooks);

    QGroupBox* Frame() const;
    QByteArray Text() const override;
    void SetText(const QByteArray& text) override;
};
