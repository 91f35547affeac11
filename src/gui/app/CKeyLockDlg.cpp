// SPDX-License-Identifier: MIT
#include "CKeyLockDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// The keys in mask bit order.
const char* const kKeyTexts[kKeyLockBits] = {
    "Zero", "Tare", "Count/Sample", "Net/Gross",
    "Time/date", "Tare Weight", "Preset", "Units",
    "Print", "Numeric Keys 0-9", "Asterisk", "Start",
    "Mem", "ID", "Accum", "Delete",
};
constexpr int kRows = 8;

}  // namespace

const char* CKeyLockDlg::KeyText(int bit)
{
    return bit >= 0 && bit < kKeyLockBits ? kKeyTexts[bit] : "";
}

CKeyLockDlg::CKeyLockDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CKeyLockDlg"));
    setWindowTitle(QStringLiteral("Keylock settings"));

    auto* group = new QGroupBox(QStringLiteral("Disabled keys"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(24);
    for (int bit = 0; bit < kKeyLockBits; ++bit) {
        auto* box = new QCheckBox(QString::fromLatin1(kKeyTexts[bit]), group);
        box->setObjectName(QStringLiteral("key%1").arg(bit));
        grid->addWidget(box, bit % kRows, bit / kRows);
        boxes_[bit] = box;
    }
    auto* all = new QVBoxLayout(this);
    all->addWidget(group);
    setFixedSize(sizeHint());
}

void CKeyLockDlg::SetMask(int mask)
{
    for (int bit = 0; bit < kKeyLockBits; ++bit) boxes_[bit]->setChecked((mask >> bit) & 1);
}

int CKeyLockDlg::GetMask() const
{
    int mask = 0;
    for (int bit = 0; bit < kKeyLockBits; ++bit) {
        if (boxes_[bit]->isChecked()) mask |= 1 << bit;
    }
    return mask;
}
