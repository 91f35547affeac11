// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDialog>

class QComboBox;

// "File description": the name a handheld PC keeps a configuration under, typed into a
// drop-down combo box that starts with no items. OK takes at most 28 characters of it; there is
// no Cancel button, Escape still closes without OK.
class CHandHeldInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CHandHeldInfoDlg(const QByteArray& description, QWidget* parent = nullptr);

    // The description as OK left it (8-bit).
    QByteArray Description() const { return description_; }
    QComboBox* DescriptionBox() const { return box_; }

    void accept() override;

private:
    QComboBox* box_;
    QByteArray description_;
};
