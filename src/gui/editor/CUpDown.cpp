// SPDX-License-Identifier: MIT
#include "CUpDown.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "model/TextConv.h"

namespace {

// Holding an arrow steps again after this pause, then at this interval.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;
constexpr int kPreferredWidth = 10;
constexpr int kPreferredHeight = 18;

}  // namespace

CUpDown::CUpDown(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    repeat_.setSingleShot(false);
    connect(&repeat_, &QTimer::timeout, this, &CUpDown::Repeat);
}

QSize CUpDown::sizeHint() const
{
    return QSize(kPreferredWidth, kPreferredHeight);
}

void CUpDown::SetRange(int low, int high)
{
    low_ = low;
    high_ = high;
}

int CUpDown::Pos() const
{
    const int value = buddy_ ? TextConv::Atoi(buddy_->text().toLatin1()) : std::min(low_, high_);
    return std::clamp(value, std::min(low_, high_), std::max(low_, high_));
}

void CUpDown::SetPos(int pos)
{
    const int value = std::clamp(pos, std::min(low_, high_), std::max(low_, high_));
    if (buddy_) buddy_->setText(QString::number(value));
}

void CUpDown::StepUp()
{
    Step(Half::Up);
}

void CUpDown::StepDown()
{
    Step(Half::Down);
}

void CUpDown::Step(Half half)
{
    if (!isEnabled() || !buddy_ || half == Half::None) return;
    const int current = Pos();
    const int towards = half == Half::Up ? high_ : low_;
    const int next = current < towards ? current + 1 : (current > towards ? current - 1 : current);
    const QString text = QString::number(next);
    if (buddy_->text() == text) return;
    buddy_->setText(text);
    Q_EMIT Stepped();
}

void CUpDown::Repeat()
{
    repeat_.setInterval(kRepeatIntervalMs);
    Step(pressed_);
}

void CUpDown::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = event->position().y() < height() / 2.0 ? Half::Up : Half::Down;
    Step(pressed_);
    repeat_.start(kRepeatDelayMs);
    update();
    event->accept();
}

void CUpDown::mouseReleaseEvent(QMouseEvent* event)
{
    repeat_.stop();
    pressed_ = Half::None;
    update();
    event->accept();
}

void CUpDown::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        repeat_.stop();
        pressed_ = Half::None;
    }
    QWidget::changeEvent(event);
}

void CUpDown::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    const QStyle::PrimitiveElement arrows[2] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown};
    const Half which[2] = {Half::Up, Half::Down};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= pressed_ == which[i] ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(1, 1, -1, -1);
        style()->drawPrimitive(arrows[i], &arrow, &painter, this);
    }
}
