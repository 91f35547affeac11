// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "platform/Prompts.h"

class QPushButton;

// "Ticket slot": six buttons for slots 1 to 6. A button stores its slot and accepts;
// Escape cancels. There is no close box.
class CTickSlotDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTickSlotDlg(QWidget* parent = nullptr);

    // The slot chosen, 1 to 6; 0 until a button is pressed.
    int Slot() const { return slot_; }
    // The button of slot 1 to 6.
    QPushButton* SlotButton(int slot) const;

private:
    QPushButton* buttons_[kTicketSlotButtons] = {};
    int slot_ = 0;
};
