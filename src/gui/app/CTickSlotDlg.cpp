// SPDX-License-Identifier: MIT
#include "CTickSlotDlg.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "Artwork.h"

namespace {
constexpr int kIconSide = 48;
}

CTickSlotDlg::CTickSlotDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("CTickSlotDlg"));
    setWindowTitle(QStringLiteral("Ticket slot"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(8);
    for (int i = 0; i < kTicketSlotButtons; ++i) {
        const int slot = i + 1;
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("slot%1").arg(slot));
        b->setIcon(Artwork::SlotIcon(slot));
        b->setIconSize(QSize(kIconSide, kIconSide));
        b->setToolTip(QStringLiteral("Slot %1").arg(slot));
        b->setAccessibleName(QStringLiteral("Slot %1").arg(slot));
        // No button is the default: Enter must not send a ticket to a slot nobody chose.
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, slot] {
            slot_ = slot;
            accept();
        });
        row->addWidget(b);
        buttons_[i] = b;
    }
    setFixedSize(sizeHint());
}

QPushButton* CTickSlotDlg::SlotButton(int slot) const
{
    return slot >= 1 && slot <= kTicketSlotButtons ? buttons_[slot - 1] : nullptr;
}
