// SPDX-License-Identifier: MIT
#include "CPrefsDlg.h"

#include <QHBoxLayout>
#include <QPushButton>

CPrefsDlg::CPrefsDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CPrefsDlg"));
    setWindowTitle(QStringLiteral("Update Device Option"));

    setupOnly_ = new QPushButton(QStringLiteral("Send Setup Only"), this);
    setupOnly_->setObjectName(QStringLiteral("setupOnly"));
    setupOnly_->setDefault(true);
    withTickets_ = new QPushButton(QStringLiteral("Send Setup and Tickets"), this);
    withTickets_->setObjectName(QStringLiteral("setupAndTickets"));
    connect(setupOnly_, &QPushButton::clicked, this, [this] { Choose(0); });
    connect(withTickets_, &QPushButton::clicked, this, [this] { Choose(1); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(12);
    row->addWidget(setupOnly_);
    row->addWidget(withTickets_);
    setFixedSize(sizeHint());
}

void CPrefsDlg::Choose(int choice)
{
    choice_ = choice;
    accept();
}

void CPrefsDlg::reject()
{
    // Escape and the close box take the "Send Setup and Tickets" path.
    Choose(1);
}
