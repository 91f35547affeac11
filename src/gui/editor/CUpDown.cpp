// SPDX-License-Identifier: MIT
#include "CUpDown.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

#include "model/TextConv.h"

namespace {

// Holding an arrow steps again after this pause, then at this interval.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;

}  // namespace

CUpDown::CUpDown(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    repeat_.setSingleShot(false);
    connect(&repeat_, &QTimer::timeout, this, &CUpDown::Repeat);
}

void CUpDown::SetBuddy(QLineEdit* buddy)
{
    if (buddy_) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (!buddy) return;
    buddy->installEventFilter(this);
    // The arrows grey out at the ends of the range, so they follow the number shown.
    connect(buddy, &QLineEdit::textChanged, this, qOverload<>(&QWidget::update));
    AlignToBuddy();
}

QLineEdit* CUpDown::Buddy() const
{
    return buddy_;
}

QStyleOptionSpinBox CUpDown::SpinBoxOption() const
{
    QStyleOptionSpinBox option;
    option.initFrom(this);
    const int spread = buddy_ ? std::max(buddy_->width(), width()) : width();
    option.rect = QRect(width() - spread, 0, spread, height());
    option.frame = true;
    option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    if (buddy_) {
        // The buddy's colours: a read-only box draws on the button face, and so do its arrows.
        option.palette = buddy_->palette();
        if (buddy_->hasFocus()) option.state |= QStyle::State_HasFocus;
    }
    if (isEnabled()) {
        const int pos = Pos();
        if (pos != high_) option.stepEnabled |= QAbstractSpinBox::StepUpEnabled;
        if (pos != low_) option.stepEnabled |= QAbstractSpinBox::StepDownEnabled;
    }
    if (pressed_ != Half::None) {
        option.activeSubControls = pressed_ == Half::Up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown;
        option.state |= QStyle::State_Sunken;
    }
    return option;
}

void CUpDown::AlignToBuddy()
{
    if (!buddy_ || buddy_->parentWidget() != parentWidget()) return;
    QStyleOptionSpinBox option;
    option.initFrom(buddy_);
    option.rect = QRect(QPoint(0, 0), buddy_->size());
    option.frame = true;
    const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int arrows = std::clamp(buddy_->width() - up.left(), 1, buddy_->width());
    const QRect box = buddy_->geometry();
    setGeometry(box.right() + 1 - arrows, box.top(), arrows, box.height());
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, buddy_);
    buddy_->setTextMargins(0, 0, std::max(0, arrows - frame), 0);
    raise();
}

void CUpDown::SetRange(int low, int high)
{
    low_ = low;
    high_ = high;
    update();
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

bool CUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            AlignToBuddy();
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::EnabledChange:
        case QEvent::PaletteChange:
        case QEvent::ReadOnlyChange:
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDown::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QStyleOptionSpinBox option = SpinBoxOption();
    style()->drawComplexControl(QStyle::CC_SpinBox, &option, &painter, this);
}
