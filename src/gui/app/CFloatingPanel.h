// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>

class QFrame;

// A captionless, raised panel shown over the main window while work runs (the busy and the
// progress window). It is window-modal, so the main window takes no input meanwhile, and
// only the work that opened it closes it: Escape and the window manager's close ask
// OnDismissRequest() instead.
class CFloatingPanel : public QDialog {
    Q_OBJECT
public:
    CFloatingPanel(QWidget* owner, const QSize& size);

protected:
    // The frame the subclass lays its contents into.
    QFrame* Panel() const { return panel_; }
    // Moves to `corner` + `offset` without resizing, raises and shows itself.
    void ShowAtOffset(const QPoint& corner, const QPoint& offset);
    // Escape or a close from outside: nothing by default.
    virtual void OnDismissRequest() {}

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QFrame* panel_;
};
