// SPDX-License-Identifier: MIT
#include "SettingFinder.h"

#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QTreeView>

#include "Workbench.h"

namespace {

// More would not fit on the screen; a longer text narrows the list.
constexpr int kMatchLimit = 50;
constexpr int kFieldWidth = 190;
constexpr int kListWidth = 480;
constexpr int kVisibleRows = 12;

}  // namespace

SettingFinder::SettingFinder(Workbench& bench, QWidget* parent)
    : QLineEdit(parent), bench_(bench), completer_(new QCompleter(this)), rows_(new QStandardItemModel(this))
{
    setObjectName(QStringLiteral("findSetting"));
    setPlaceholderText(tr("Find setting (Ctrl+F)"));
    setClearButtonEnabled(true);
    setMaxLength(SettingSearch::kMaxTextLength);
    setFixedWidth(kFieldWidth);

    auto* list = new QTreeView;
    list->setObjectName(QStringLiteral("findMatches"));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The list's height is counted in rows: a header would hide one.
    list->setHeaderHidden(true);
    list->header()->setStretchLastSection(true);
    completer_->setModel(rows_);
    completer_->setPopup(list);
    completer_->setWidget(this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(kVisibleRows);

    connect(this, &QLineEdit::textEdited, this, &SettingFinder::List);
    connect(completer_, QOverload<const QModelIndex&>::of(&QCompleter::activated), this,
            [this](const QModelIndex& index) { Choose(index.row()); });
}

QTreeView* SettingFinder::MatchList() const
{
    return static_cast<QTreeView*>(completer_->popup());
}

void SettingFinder::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The highlighted match of the open list, else the best one. Accepted here, the key
    // is not handled a second time by the list.
    const QModelIndex current = completer_->popup()->isVisible() ? completer_->popup()->currentIndex() : QModelIndex();
    if (matches_.empty()) List(text());
    Choose(current.isValid() ? current.row() : 0);
    event->accept();
}

void SettingFinder::Activate()
{
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
    if (!text().isEmpty()) List(text());
}

void SettingFinder::List(const QString& text)
{
    matches_ = SettingSearch::Find(bench_.Model(), text, kMatchLimit);
    rows_->clear();
    for (const SettingSearch::Match& m : matches_) {
        rows_->appendRow({new QStandardItem(QString::fromLatin1(m.code)), new QStandardItem(QString::fromLatin1(m.label)),
                          new QStandardItem(QString::fromLatin1(m.tabName))});
    }
    if (matches_.empty()) {
        completer_->popup()->hide();
        return;
    }
    QTreeView* list = MatchList();
    list->resizeColumnToContents(0);
    list->resizeColumnToContents(1);
    // The field sits at the window's right edge: the list opens to the left of its end.
    completer_->complete(QRect(width() - kListWidth, 0, kListWidth, height()));
}

void SettingFinder::Choose(int row)
{
    if (row < 0 || row >= int(matches_.size())) return;
    const SettingSearch::Match wanted = matches_[size_t(row)];
    completer_->popup()->hide();
    // The entry shown may be gone (a read since): look it up by what the list showed.
    for (const SettingSearch::Match& now : SettingSearch::Find(bench_.Model(), text(), kMatchLimit)) {
        if (now.code == wanted.code && now.tab == wanted.tab && now.label == wanted.label) {
            Q_EMIT EntryChosen(now.entry);
            return;
        }
    }
}
