// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

// The framed caption of a check entry: a group-box frame as small as its rectangle, with the
// caption set into the frame's top edge. It cannot be clicked and takes no focus.
class CCheckFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit CCheckFrame(QWidget* parent = nullptr);

    // The caption is kept apart from the group box's own title, which the style would place
    // above the frame, leaving a frame of a few pixels in a rectangle this low.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};
