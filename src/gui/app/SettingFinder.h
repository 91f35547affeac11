// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <vector>

#include "model/SettingSearch.h"

class ConfigEntry;
class QCompleter;
class QStandardItemModel;
class QTreeView;
class Workbench;

// The find field right of the tab row: typing part of a code or label lists the matching
// settings (code, label, tab) under it; choosing one (click, or Enter for the highlighted or
// first match) reports the entry to go to.
class SettingFinder : public QLineEdit {
    Q_OBJECT
public:
    SettingFinder(Workbench& bench, QWidget* parent);

    // Ctrl+F: the field takes the focus with its text selected, and lists again.
    void Activate();
    // The list of matches under the field.
    QTreeView* MatchList() const;
    // How many matches the list holds now.
    int MatchCount() const { return int(matches_.size()); }

Q_SIGNALS:
    void EntryChosen(ConfigEntry* entry);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void List(const QString& text);
    void Choose(int row);

    Workbench& bench_;
    QCompleter* completer_;
    QStandardItemModel* rows_;
    // What the list shows; looked up again when chosen, as a read may have replaced the model since.
    std::vector<SettingSearch::Match> matches_;
};
