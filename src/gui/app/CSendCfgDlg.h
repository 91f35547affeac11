// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QPoint>

#include "CFloatingPanel.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The transfer progress window: no caption, two bars, the lock picture, a status line and
// "&Abort". Abort (or Escape) only raises the abort flag; the transfer watching the flag
// stops at its next check and closes the window. While it is up the rest of the program
// takes no input (it is window-modal), which is what holding the mouse capture achieved.
class CSendCfgDlg : public CFloatingPanel {
    Q_OBJECT
public:
    explicit CSendCfgDlg(QWidget* owner = nullptr);

    // Moves to `corner` + (100, 150) without resizing, raises and shows itself.
    void PlaceAt(const QPoint& corner);
    // Range from `low` to `high`, step 1, position at `low`.
    void InitUpperBar(int low, int high);
    void InitLowerBar(int low, int high);
    // Moves a bar and paints it at once.
    void SetUpperPos(int pos);
    void SetLowerPos(int pos);
    void SetStatusText(const QByteArray& text);
    QByteArray StatusText() const;
    // The open padlock when the indicator accepts locked settings, else the closed one.
    void SetActivity(bool active);
    bool Activity() const { return activity_; }
    bool AbortFlag() const { return abortFlag_; }

    QProgressBar* UpperBar() const { return upper_; }
    QProgressBar* LowerBar() const { return lower_; }
    QPushButton* AbortButton() const { return abort_; }

public Q_SLOTS:
    // Raises the abort flag; the window stays open.
    void OnAbort();

protected:
    // Escape and a close from the window manager ask for the abort; the transfer closes it.
    void OnDismissRequest() override { OnAbort(); }

private:
    static void InitBar(QProgressBar* bar, int low, int high);
    static void SetBarPos(QProgressBar* bar, int pos);

    QLabel* picture_;
    QProgressBar* lower_;
    QProgressBar* upper_;
    QLabel* status_;
    QPushButton* abort_;
    bool abortFlag_ = false;
    bool activity_ = false;
};

// Where the progress window sits relative to the main window's top-left corner.
inline constexpr int kProgressOffsetX = 100;
inline constexpr int kProgressOffsetY = 150;
