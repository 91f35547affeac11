// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class QListWidget;

// "Handheld configurations": the configurations on a handheld PC, one row each, in a
// fixed-pitch list so that the names and their tickets line up. "&Load" (or a double click)
// takes the selected row; Cancel takes none.
class CHandHeldDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHandHeldDlg(QWidget* parent = nullptr);

    // Fills the ten rows from the handheld's joined file list (rows it does not fill stay empty).
    void SetFileList(const QByteArray& fileList);
    // The selected row, or -1 when none has been selected.
    int GetSelectedIndex() const { return selected_; }
    // The selected row's name, still padded; empty for no row, an empty row or an unused place.
    QByteArray GetSelectedName() const;
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
    QList<QByteArray> rows_;
    int selected_ = -1;
};

// The list's font, or the platform's fixed font at the same size when it is missing.
inline constexpr char kHandheldListFont[] = "Courier New";
inline constexpr int kHandheldListPointSize = 10;
