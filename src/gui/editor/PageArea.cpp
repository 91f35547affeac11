// SPDX-License-Identifier: MIT
#include "PageArea.h"

#include <QEvent>

#include "ControlFactory.h"
#include "QuietPages.h"

namespace {

// Space kept free right of and below the outermost control when the page scrolls.
constexpr int kPageMargin = 10;
// The page of the controls that belong to no tab.
constexpr int kNoTab = -1;

// Qt shows a widget marked as not on screen by marking its part of the window dirty at once,
// clipped to what is in view, instead of posting a repaint request for it. Only for the
// moment of showing: such a widget is not repainted when it moves later, and a native child
// would not be mapped at all (it is left alone, as is a window of its own). Turned off
// again, a control is as one shown the ordinary way.
void SetAppearOffScreen(QWidget* page, bool on)
{
    for (QObject* child : page->children()) {
        if (!child->isWidgetType()) continue;
        auto* control = static_cast<QWidget*>(child);
        if (control->isWindow() || control->testAttribute(Qt::WA_NativeWindow)) continue;
        control->setAttribute(Qt::WA_DontShowOnScreen, on);
        if (!on) control->setAttribute(Qt::WA_Mapped, false);
    }
}

}  // namespace

PageArea::PageArea(QWidget* parent) : QScrollArea(parent), content_(new QWidget)
{
    content_->setObjectName(QStringLiteral("pageContent"));
    setWidget(content_);
    setWidgetResizable(true);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::NoFocus);
    // The pages follow the content's size.
    content_->installEventFilter(this);
    QuietPages::Attach();
}

PageArea::~PageArea()
{
    QuietPages::Detach();
}

QWidget* PageArea::PageOf(int tab)
{
    tab = std::max(tab, kNoTab);
    if (const auto it = pages_.find(tab); it != pages_.end()) return it->second;
    auto* page = new QWidget(content_);
    page->setObjectName(QStringLiteral("page%1").arg(tab));
    QuietPages::MarkPage(page);
    // Set once here, inherited by every control: a font set on each control costs a font
    // resolution per control, and on a drop-down list the making of its popup as well.
    page->setFont(ControlFactory::MakeControlFont());
    page->setGeometry(content_->rect());
    page->hide();
    // Below what floats over the pages.
    page->lower();
    pages_[tab] = page;
    return page;
}

void PageArea::HideAllBut(int tab)
{
    for (const auto& [index, page] : pages_) {
        if (index != tab) page->hide();
    }
}

void PageArea::ShowOnly(int tab)
{
    // Hidden first: a control that leaves the screen with its page costs nothing more.
    HideAllBut(tab);
    if (tab <= kNoTab) return;
    QWidget* page = PageOf(tab);
    if (!page->isHidden()) return;
    // A repaint request per control would make each a dirty widget of its own, also the
    // many scrolled out of view, and painting the next frame then walks every control above
    // each of them: a cost that grows with the square of the controls on the page. The part
    // of the page in view is repainted once anyway (the page's own request, and the page that
    // went).
    SetAppearOffScreen(page, true);
    page->show();
    SetAppearOffScreen(page, false);
}

QRect PageArea::ShownExtent() const
{
    QRect extent;
    for (QObject* child : content_->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isHidden()) continue;
        const bool isPage = std::any_of(pages_.begin(), pages_.end(), [w](const auto& p) { return p.second == w; });
        if (!isPage) {
            extent = extent.united(w->geometry());
            continue;
        }
        for (QObject* control : w->children()) {
            auto* c = qobject_cast<QWidget*>(control);
            if (c && !c->isHidden()) extent = extent.united(c->geometry());
        }
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

bool PageArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == content_ && event->type() == QEvent::Resize) {
        for (const auto& [index, page] : pages_) page->setGeometry(content_->rect());
    }
    return QScrollArea::eventFilter(watched, event);
}
