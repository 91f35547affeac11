// SPDX-License-Identifier: MIT
#include "CWorkingDlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

#include "CBusyAnimation.h"

namespace {
// 169 by 33 dialog units.
constexpr int kWidth = 260;
constexpr int kHeight = 55;
}  // namespace

CWorkingDlg::CWorkingDlg(QWidget* owner) : CFloatingPanel(owner, QSize(kWidth, kHeight))
{
    setObjectName(QStringLiteral("CWorkingDlg"));
    QFrame* frame = Panel();

    animation_ = new CBusyAnimation(frame);
    text_ = new QLabel(QStringLiteral("Searching for device via\nSocket connection..."), frame);
    text_->setObjectName(QStringLiteral("message"));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(10, 4, 10, 4);
    row->setSpacing(12);
    row->addWidget(animation_, 0, Qt::AlignVCenter);
    row->addWidget(text_, 1);
}

void CWorkingDlg::ShowAt(const QPoint& corner)
{
    ShowAtOffset(corner, QPoint(kBusyOffsetX, kBusyOffsetY));
}

void CWorkingDlg::SetMessage(const QByteArray& text)
{
    text_->setText(QString::fromLatin1(text));
    // The caller goes straight on with a blocking step: paint now, not at the next idle.
    text_->repaint();
}

QByteArray CWorkingDlg::Message() const
{
    return text_->text().toLatin1();
}

void CWorkingDlg::PlayAnimation()
{
    animation_->Play();
}

void CWorkingDlg::hideEvent(QHideEvent* event)
{
    animation_->Stop();
    CFloatingPanel::hideEvent(event);
}
