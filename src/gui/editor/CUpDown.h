// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLineEdit;
class QStyleOptionSpinBox;

// The up-down control of a spin entry: the arrow pair of a spin box, set into the right end
// of its buddy edit box, stepping the integer the box shows within a range and writing it
// back as plain digits. Together the two look like one ordinary spin box.
class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const;
    // Moves over the right end of the buddy, as tall as it, and keeps the buddy's text clear
    // of the arrows. Without a buddy the control stays where it was put.
    void AlignToBuddy();
    // The range as given: `low` may be above `high`, then the up arrow counts down.
    void SetRange(int low, int high);
    int Low() const { return low_; }
    int High() const { return high_; }
    // Clamps into the range and writes the buddy's text.
    void SetPos(int pos);
    // The buddy's number, clamped into the range.
    int Pos() const;

    // One step towards `High()` (up) or `Low()` (down).
    void StepUp();
    void StepDown();

Q_SIGNALS:
    // The buddy's text was changed by a step.
    void Stepped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Half { None, Up, Down };
    void Step(Half half);
    void Repeat();
    // The spin box the pair belongs to, spread over the buddy's width so that only its
    // right end, the arrows, falls inside this control.
    QStyleOptionSpinBox SpinBoxOption() const;

    QPointer<QLineEdit> buddy_;
    int low_ = 0;
    int high_ = 100;
    Half pressed_ = Half::None;
    QTimer repeat_;
};
