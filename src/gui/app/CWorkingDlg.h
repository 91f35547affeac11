// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QPoint>

#include "CFloatingPanel.h"

class CBusyAnimation;
class QLabel;

// The busy window: no caption, an animation and one line of text, shown over the main window
// while a device is searched for or a long exchange runs. While it is up the main window
// takes no input (it is window-modal), which is what holding the mouse capture achieved.
class CWorkingDlg : public CFloatingPanel {
    Q_OBJECT
public:
    explicit CWorkingDlg(QWidget* owner = nullptr);

    // Moves to `corner` + (145, 100) without resizing, raises and shows itself.
    void ShowAt(const QPoint& corner);
    // Replaces the text and paints it at once.
    void SetMessage(const QByteArray& text);
    QByteArray Message() const;
    // Plays the animation from its first frame, repeating without end.
    void PlayAnimation();
    CBusyAnimation* Animation() const { return animation_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    CBusyAnimation* animation_;
    QLabel* text_;
};

// Where the busy window sits relative to the main window's top-left corner.
inline constexpr int kBusyOffsetX = 145;
inline constexpr int kBusyOffsetY = 100;
