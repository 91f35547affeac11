// SPDX-License-Identifier: MIT
#include "CCheckFrame.h"

#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace {

// The caption starts this far in from the frame's left edge, with this gap on each side.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionGap = 2;
// Tall enough for any style's margin above a group-box frame.
constexpr int kProbeHeight = 64;

// How far below the top of its rectangle the style draws a group-box frame (some styles keep
// room for a title there): found by drawing one and looking.
int FrameInset(const QStyle& style, QStyleOptionFrame option, const QWidget* widget)
{
    QImage probe(std::max(option.rect.width(), 1), kProbeHeight, QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    option.rect = probe.rect();
    QPainter painter(&probe);
    style.drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, widget);
    painter.end();
    const int x = probe.width() / 2;
    for (int y = 0; y < probe.height(); ++y) {
        if (qAlpha(probe.pixel(x, y)) > 0) return y;
    }
    return 0;
}

}  // namespace

CCheckFrame::CCheckFrame(QWidget* parent) : QGroupBox(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CCheckFrame::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void CCheckFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    // The frame's top edge runs through the middle of the caption.
    frame.rect.setTop(metrics.height() / 2 - FrameInset(*style(), frame, this));
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, this);
    if (caption_.isEmpty()) return;

    const int room = std::max(0, width() - 2 * (kCaptionIndent + kCaptionGap));
    const int wanted = metrics.horizontalAdvance(caption_);
    const QString shown = wanted > room ? metrics.elidedText(caption_, Qt::ElideRight, room) : caption_;
    const QRect gap(kCaptionIndent, 0, std::min(wanted, room) + 2 * kCaptionGap, metrics.height());
    painter.fillRect(gap, palette().brush(QPalette::Window));
    style()->drawItemText(&painter, gap.adjusted(kCaptionGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), shown, QPalette::WindowText);
}
