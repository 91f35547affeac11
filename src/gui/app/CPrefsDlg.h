// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QPushButton;

// "Update Device Option": whether Update device sends the tickets too. Both buttons end the
// dialog as accepted; Escape and the close box choose "Send Setup and Tickets".
class CPrefsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPrefsDlg(QWidget* parent = nullptr);

    // 0 = "Send Setup Only", 1 = "Send Setup and Tickets".
    int Choice() const { return choice_; }

    QPushButton* SetupOnlyButton() const { return setupOnly_; }
    QPushButton* SetupAndTicketsButton() const { return withTickets_; }

public Q_SLOTS:
    void reject() override;

private:
    void Choose(int choice);

    QPushButton* setupOnly_;
    QPushButton* withTickets_;
    int choice_ = 1;
};
