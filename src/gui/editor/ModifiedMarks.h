// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <map>

class ConfigEntry;
class QLabel;
class QTabBar;
class Workbench;

// The modified marks: every entry whose controls hold something else than its baseline (what
// was read, loaded, saved or sent) gets a dot beside its caption, the caption in bold, and
// "was: <old value>" in its tool tips; a tab holding such an entry gets a dot too.
// The comparison is the model's; this class only draws.
class ModifiedMarks : public QObject {
    Q_OBJECT
public:
    ModifiedMarks(Workbench& bench, QTabBar& tabs, QObject* parent = nullptr);
    ~ModifiedMarks() override;

    // Brings every mark up to date with the controls.
    void Refresh();

    bool IsMarked(const ConfigEntry* entry) const;
    bool IsTabMarked(int tab) const;
    // The dot beside an entry's caption (null when unmarked).
    QLabel* DotOf(const ConfigEntry* entry) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Mark {
        QPointer<QWidget> caption;
        QPointer<QLabel> dot;
        QFont font;
        QPalette palette;
    };
    void MarkEntry(ConfigEntry& entry, QWidget* caption);
    void Unmark(Mark& mark);
    void SetToolTips(ConfigEntry& entry, bool marked);
    void MarkTab(int tab, bool marked);

    Workbench& bench_;
    QTabBar& tabs_;
    // Keyed by entry; an entry of an earlier document is recognised by its caption widget.
    std::map<const ConfigEntry*, Mark> marks_;
};
