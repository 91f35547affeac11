// SPDX-License-Identifier: MIT
#include "PageArea.h"

namespace {

// Space kept free right of and below the outermost control when the page scrolls.
constexpr int kPageMargin = 10;

}  // namespace

PageArea::PageArea(QWidget* parent) : QScrollArea(parent), content_(new QWidget)
{
    content_->setObjectName(QStringLiteral("pageContent"));
    setWidget(content_);
    setWidgetResizable(true);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::NoFocus);
}

QRect PageArea::ShownExtent() const
{
    QRect extent;
    for (QObject* child : content_->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isHidden()) extent = extent.united(w->geometry());
    }
    return extent;
}

void PageArea::UpdateExtent()
{
    const QRect extent = ShownExtent();
    const QSize needed = extent.isValid() ? QSize(extent.right() + 1 + kPageMargin, extent.bottom() + 1 + kPageMargin)
                                          : QSize(0, 0);
    if (content_->minimumSize() != needed) content_->setMinimumSize(needed);
}
