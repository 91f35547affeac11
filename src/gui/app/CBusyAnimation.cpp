// SPDX-License-Identifier: MIT
#include "CBusyAnimation.h"

#include <QPainter>
#include <QtMath>

namespace {
constexpr int kSide = 36;
}

CBusyAnimation::CBusyAnimation(QWidget* parent) : QWidget(parent)
{
    timer_.setInterval(kBusyFrameMs);
    connect(&timer_, &QTimer::timeout, this, &CBusyAnimation::Advance);
    setFixedSize(kSide, kSide);
}

void CBusyAnimation::Play()
{
    frame_ = 0;
    timer_.start();
    update();
}

void CBusyAnimation::Stop()
{
    timer_.stop();
}

QSize CBusyAnimation::sizeHint() const
{
    return QSize(kSide, kSide);
}

void CBusyAnimation::Advance()
{
    frame_ = (frame_ + 1) % kBusyFrameCount;
    update();
}

void CBusyAnimation::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    const qreal ring = qMin(width(), height()) * 0.36;
    const qreal dot = qMin(width(), height()) * 0.075;
    const QColor head = palette().color(QPalette::Highlight);
    for (int i = 0; i < kBusyFrameCount; ++i) {
        // Dots behind the head fade out, so the ring visibly turns.
        const int age = (frame_ - i + kBusyFrameCount) % kBusyFrameCount;
        QColor c = head;
        c.setAlphaF(qMax(0.12, 1.0 - age / qreal(kBusyFrameCount) * 1.1));
        const qreal angle = 2 * M_PI * i / kBusyFrameCount - M_PI / 2;
        const QPointF at = centre + QPointF(qCos(angle), qSin(angle)) * ring;
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(at, dot * (age == 0 ? 1.35 : 1.0), dot * (age == 0 ? 1.35 : 1.0));
    }
}
