// SPDX-License-Identifier: MIT
#include "CFloatingPanel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>

CFloatingPanel::CFloatingPanel(QWidget* owner, const QSize& size)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), panel_(new QFrame(this))
{
    setWindowModality(Qt::WindowModal);
    setFixedSize(size);
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setLineWidth(2);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel_);
}

void CFloatingPanel::ShowAtOffset(const QPoint& corner, const QPoint& offset)
{
    move(corner + offset);
    raise();
    show();
    activateWindow();
}

void CFloatingPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        OnDismissRequest();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CFloatingPanel::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous()) {
        event->ignore();
        OnDismissRequest();
        return;
    }
    QDialog::closeEvent(event);
}
