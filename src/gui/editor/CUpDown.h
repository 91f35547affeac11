// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLineEdit;

// The small up-down control beside a spin entry's edit box: two arrow buttons that step
// the integer shown in the buddy box within a range and write it back as plain digits.
class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy) { buddy_ = buddy; }
    QLineEdit* Buddy() const { return buddy_; }
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

    QSize sizeHint() const override;

Q_SIGNALS:
    // The buddy's text was changed by a step.
    void Stepped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Half { None, Up, Down };
    void Step(Half half);
    void Repeat();

    QPointer<QLineEdit> buddy_;
    int low_ = 0;
    int high_ = 100;
    Half pressed_ = Half::None;
    QTimer repeat_;
};
