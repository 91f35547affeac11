// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <QWidget>

// The busy window's animation: a ring of dots whose bright head runs round while the
// program searches for or talks to a device.
class CBusyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit CBusyAnimation(QWidget* parent = nullptr);

    // Runs from the first frame to the last, repeating without end.
    void Play();
    void Stop();
    bool IsPlaying() const { return timer_.isActive(); }
    int Frame() const { return frame_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Advance();

    QTimer timer_;
    int frame_ = 0;
};

// Frames per turn of the ring and the time each one shows.
inline constexpr int kBusyFrameCount = 12;
inline constexpr int kBusyFrameMs = 80;
