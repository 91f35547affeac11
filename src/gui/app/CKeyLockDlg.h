// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;

// "Keylock settings": one box per indicator key; a ticked box locks the key. There is no OK
// or Cancel: however the dialog is closed, the mask is what the boxes show.
class CKeyLockDlg : public QDialog {
    Q_OBJECT
public:
    explicit CKeyLockDlg(QWidget* parent = nullptr);

    // Ticks the boxes from bits 0 to 15; higher bits are ignored.
    void SetMask(int mask);
    int GetMask() const;

    // The box of mask bit 0 to 15.
    QCheckBox* KeyBox(int bit) const { return boxes_[bit]; }
    // The text of the box of mask bit 0 to 15.
    static const char* KeyText(int bit);

private:
    std::array<QCheckBox*, 16> boxes_{};
};

inline constexpr int kKeyLockBits = 16;
