// SPDX-License-Identifier: MIT
#include "ModifiedMarks.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTabBar>
#include <set>
#include <vector>

#include "WidgetControl.h"
#include "Workbench.h"
#include "model/EntryValues.h"

namespace {

constexpr int kDotSize = 10;
constexpr int kDotGap = 2;
constexpr char kMarkColour[] = "#d35400";
constexpr char kTabMarkName[] = "tabModifiedMark";

// The control that names the entry on the page: its caption, radio frame, check frame or button.
QWidget* CaptionOf(const ConfigEntry& entry)
{
    for (const auto& c : entry.controls) {
        switch (c->Kind()) {
        case ControlKind::Caption:
        case ControlKind::GroupFrame:
        case ControlKind::CheckFrame:
        case ControlKind::Button:
            return WidgetControl::WidgetOf(c.get());
        default:
            break;
        }
    }
    return nullptr;
}

// Painted, not a glyph: it needs neither an icon theme nor a font that has a dot.
QLabel* MakeDot(QWidget* parent)
{
    const qreal scale = parent ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
    QPixmap picture(QSize(kDotSize, kDotSize) * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(QLatin1String(kMarkColour)));
    painter.drawEllipse(QRectF(1, 1, kDotSize - 2, kDotSize - 2));
    painter.end();
    auto* dot = new QLabel(parent);
    dot->setPixmap(picture);
    dot->setAttribute(Qt::WA_TransparentForMouseEvents);
    dot->adjustSize();
    return dot;
}

}  // namespace

ModifiedMarks::ModifiedMarks(Workbench& bench, QTabBar& tabs, QObject* parent)
    : QObject(parent), bench_(bench), tabs_(tabs)
{
}

ModifiedMarks::~ModifiedMarks()
{
    for (auto& [entry, mark] : marks_) delete mark.dot.data();
}

bool ModifiedMarks::Refresh()
{
    const ConfigModel& model = bench_.Model();
    std::set<const ConfigEntry*> current;
    std::vector<bool> tabMarked(size_t(std::max(0, tabs_.count())), false);
    bool pendingEdit = false;

    auto visit = [&](ConfigEntry& e) {
        // Read once for both questions: the controls are what is slow to ask.
        const QByteArray pending = EntryValues::PendingValue(e, model);
        pendingEdit = pendingEdit || pending != e.value;
        QWidget* caption = CaptionOf(e);
        if (!caption) return;
        current.insert(&e);
        const bool differs = e.hasValue && e.hasBaseline && pending != e.baseline;
        const auto it = marks_.find(&e);
        // The same address may hold an entry of a newer document: its caption tells.
        if (it != marks_.end() && it->second.caption != caption) {
            Unmark(it->second);
            marks_.erase(it);
        }
        const bool marked = marks_.count(&e) != 0;
        if (differs && !marked) MarkEntry(e, caption);
        if (!differs && marked) {
            Unmark(marks_[&e]);
            marks_.erase(&e);
            SetToolTips(e, false);
        }
        if (differs && !e.hidden && e.tabIndex >= 0 && size_t(e.tabIndex) < tabMarked.size()) {
            tabMarked[size_t(e.tabIndex)] = true;
        }
    };
    for (auto& top : model.entries) {
        visit(*top);
        for (auto& sub : top->subEntries) visit(*sub);
    }
    // Marks of entries that are gone (a new read) go too, without touching the entries.
    for (auto it = marks_.begin(); it != marks_.end();) {
        if (current.count(it->first)) {
            ++it;
        } else {
            Unmark(it->second);
            it = marks_.erase(it);
        }
    }
    for (int i = 0; i < int(tabMarked.size()); ++i) MarkTab(i, tabMarked[size_t(i)]);
    return pendingEdit;
}

void ModifiedMarks::MarkEntry(ConfigEntry& entry, QWidget* caption)
{
    Mark mark;
    mark.caption = caption;
    mark.font = caption->font();
    mark.palette = caption->palette();
    QFont bold = mark.font;
    bold.setBold(true);
    caption->setFont(bold);
    QPalette tinted = mark.palette;
    tinted.setColor(QPalette::WindowText, QColor(QLatin1String(kMarkColour)));
    caption->setPalette(tinted);

    QLabel* dot = MakeDot(caption->parentWidget());
    const QRect r = caption->geometry();
    const int lineHeight = caption->fontMetrics().height();
    dot->move(std::max(0, r.left() - dot->width() - kDotGap), r.top() + (lineHeight - dot->height()) / 2);
    dot->setVisible(!caption->isHidden());
    dot->raise();
    mark.dot = dot;
    // The dot follows its caption from page to page.
    caption->installEventFilter(this);
    marks_[&entry] = mark;
    SetToolTips(entry, true);
}

void ModifiedMarks::Unmark(Mark& mark)
{
    if (mark.caption) {
        mark.caption->removeEventFilter(this);
        mark.caption->setFont(mark.font);
        mark.caption->setPalette(mark.palette);
    }
    delete mark.dot.data();
}

void ModifiedMarks::SetToolTips(ConfigEntry& entry, bool marked)
{
    QString tip = QString::fromLatin1(entry.label);
    if (marked) tip += QStringLiteral("\nwas: ") + QString::fromLatin1(entry.baselineText);
    for (const auto& c : entry.controls) {
        if (QWidget* w = WidgetControl::WidgetOf(c.get())) w->setToolTip(tip);
    }
}

void ModifiedMarks::MarkTab(int tab, bool marked)
{
    if (marked == IsTabMarked(tab)) return;
    if (marked) {
        QLabel* dot = MakeDot(nullptr);
        dot->setObjectName(QLatin1String(kTabMarkName));
        tabs_.setTabButton(tab, QTabBar::RightSide, dot);
    } else {
        QWidget* dot = tabs_.tabButton(tab, QTabBar::RightSide);
        tabs_.setTabButton(tab, QTabBar::RightSide, nullptr);
        dot->deleteLater();
    }
}

bool ModifiedMarks::IsMarked(const ConfigEntry* entry) const
{
    return marks_.count(entry) != 0;
}

bool ModifiedMarks::IsTabMarked(int tab) const
{
    const QWidget* button = tabs_.tabButton(tab, QTabBar::RightSide);
    return button && button->objectName() == QLatin1String(kTabMarkName);
}

QLabel* ModifiedMarks::DotOf(const ConfigEntry* entry) const
{
    const auto it = marks_.find(entry);
    return it == marks_.end() ? nullptr : it->second.dot.data();
}

bool ModifiedMarks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        for (auto& [entry, mark] : marks_) {
            if (mark.caption == watched && mark.dot) mark.dot->setVisible(event->type() == QEvent::Show);
        }
    }
    return QObject::eventFilter(watched, event);
}
