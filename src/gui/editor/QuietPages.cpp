// SPDX-License-Identifier: MIT
#include "QuietPages.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

// A handful: one per tab of each window.
std::vector<QPointer<QWidget>> pages;
int attached = 0;
int switching = 0;
QAccessible::UpdateHandler previous = nullptr;

QWidget* PageOf(const QObject* object)
{
    if (!object) return nullptr;
    for (QObject* o = object->parent(); o; o = o->parent()) {
        for (const QPointer<QWidget>& page : pages) {
            if (page == o) return page;
        }
    }
    return nullptr;
}

}  // namespace

void QuietPages::MarkPage(QWidget* page)
{
    pages.erase(std::remove(pages.begin(), pages.end(), nullptr), pages.end());
    pages.emplace_back(page);
}

void QuietPages::Attach()
{
    if (attached++ == 0) previous = QAccessible::installUpdateHandler(&QuietPages::Filter);
}

void QuietPages::Detach()
{
    if (attached > 0 && --attached == 0) {
        QAccessible::installUpdateHandler(previous);
        previous = nullptr;
    }
}

void QuietPages::BeginSwitch()
{
    ++switching;
}

void QuietPages::EndSwitch()
{
    if (switching > 0) --switching;
}

bool QuietPages::OnPage(const QObject* object)
{
    return PageOf(object) != nullptr;
}

void QuietPages::Filter(QAccessibleEvent* event)
{
    // Without a bridge or a handler of its own, nobody is told anything anyway.
    if (!previous && !QAccessible::isActive()) return;
    if (const QWidget* page = PageOf(event->object()); page && (switching > 0 || page->isHidden())) return;
    if (previous) {
        previous(event);
        return;
    }
    // The bridge's own way in is the one without a handler.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&QuietPages::Filter);
}
