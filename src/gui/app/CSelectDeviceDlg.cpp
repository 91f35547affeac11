// SPDX-License-Identifier: MIT
#include "CSelectDeviceDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "model/Catalogue.h"

namespace {
constexpr int kListMinimumWidth = 220;
}

CSelectDeviceDlg::CSelectDeviceDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CSelectDeviceDlg"));
    setWindowTitle(QStringLiteral("Select indicator model"));

    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("models"));
    list_->setEditable(false);
    list_->setMinimumWidth(kListMinimumWidth);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSelectDeviceDlg::accept);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(10);
    row->addWidget(list_, 1);
    row->addWidget(ok);
}

void CSelectDeviceDlg::SetModelLines(const QList<QByteArray>& lines)
{
    // The remembered text meets an empty list and so selects nothing: what shows is the
    // list's own default choice.
    const Catalogue::ModelChoices choices = Catalogue::MakeModelChoices(lines);
    list_->clear();
    for (const QByteArray& item : choices.items) list_->addItem(QString::fromLatin1(item));
    list_->setCurrentIndex(choices.selected);
}

void CSelectDeviceDlg::accept()
{
    chosenModel_ = list_->currentIndex() >= 0 ? list_->currentText().toLatin1() : QByteArray();
    QDialog::accept();
}
