// SPDX-License-Identifier: MIT
#include "CHandHeldInfoDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "handheld/HandheldLink.h"

namespace {
constexpr int kBoxWidth = 220;
}

CHandHeldInfoDlg::CHandHeldInfoDlg(const QByteArray& description, QWidget* parent)
    : QDialog(parent), description_(description)
{
    setObjectName(QStringLiteral("CHandHeldInfoDlg"));
    setWindowTitle(QStringLiteral("File description"));

    box_ = new QComboBox(this);
    box_->setObjectName(QStringLiteral("description"));
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setMinimumWidth(kBoxWidth);
    box_->setEditText(QString::fromLatin1(description));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(8);
    row->addWidget(box_, 1);
    row->addWidget(ok);
    setFixedSize(sizeHint());
}

void CHandHeldInfoDlg::accept()
{
    // The handheld's names are 8-bit; what Latin-1 cannot hold becomes '?'.
    description_ = box_->currentText().left(kHandheldDescriptionLength).toLatin1();
    QDialog::accept();
}
