// SPDX-License-Identifier: MIT
#include "CHandHeldDlg.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "handheld/HandheldFileList.h"

namespace {

constexpr int kListWidth = 560;

QFont ListFont()
{
    const QString family = QString::fromLatin1(kHandheldListFont);
    if (QFontDatabase::families().contains(family)) return QFont(family, kHandheldListPointSize);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(kHandheldListPointSize);
    return fixed;
}

}  // namespace

CHandHeldDlg::CHandHeldDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CHandHeldDlg"));
    setWindowTitle(QStringLiteral("Handheld configurations"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("configurations"));
    list_->setSortingEnabled(false);
    list_->setFont(ListFont());
    list_->setMinimumWidth(kListWidth);
    for (int i = 0; i < HandheldFileList::kRows; ++i) list_->addItem(QString());
    // The selection, not the current row: focus alone makes a current row without selecting it.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this]() {
        const QList<QListWidgetItem*> items = list_->selectedItems();
        selected_ = items.isEmpty() ? -1 : list_->row(items.first());
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        selected_ = list_->row(item);
        accept();
    });

    auto* load = new QPushButton(QStringLiteral("&Load"), this);
    load->setObjectName(QStringLiteral("load"));
    load->setDefault(true);
    connect(load, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(load);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

void CHandHeldDlg::SetFileList(const QByteArray& fileList)
{
    rows_ = HandheldFileList::Rows(fileList);
    for (int i = 0; i < HandheldFileList::kRows; ++i) list_->item(i)->setText(QString::fromLatin1(rows_.value(i)));
}

QByteArray CHandHeldDlg::GetSelectedName() const
{
    return selected_ < 0 ? QByteArray() : HandheldFileList::NameOfRow(rows_.value(selected_));
}
