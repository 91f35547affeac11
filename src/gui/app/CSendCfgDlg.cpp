// SPDX-License-Identifier: MIT
#include "CSendCfgDlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Artwork.h"

namespace {
// 261 by 52 dialog units.
constexpr int kWidth = 460;
constexpr int kHeight = 90;
constexpr int kBarHeight = 14;
}  // namespace

CSendCfgDlg::CSendCfgDlg(QWidget* owner) : CFloatingPanel(owner, QSize(kWidth, kHeight))
{
    setObjectName(QStringLiteral("CSendCfgDlg"));
    QFrame* frame = Panel();

    auto* transfer = new QLabel(frame);
    transfer->setPixmap(Artwork::TransferPicture());

    status_ = new QLabel(QStringLiteral("Sending configuration to indicator..."), frame);
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextFormat(Qt::PlainText);
    // The text takes the bars' width whatever its length, never widening the window.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    upper_ = new QProgressBar(frame);
    upper_->setObjectName(QStringLiteral("upperBar"));
    lower_ = new QProgressBar(frame);
    lower_->setObjectName(QStringLiteral("lowerBar"));
    for (QProgressBar* bar : {upper_, lower_}) {
        bar->setTextVisible(false);
        bar->setFixedHeight(kBarHeight);
        InitBar(bar, 0, 100);
    }

    picture_ = new QLabel(frame);
    picture_->setObjectName(QStringLiteral("lock"));
    picture_->setPixmap(Artwork::Padlock(false));

    abort_ = new QPushButton(QStringLiteral("&Abort"), frame);
    abort_->setObjectName(QStringLiteral("abort"));
    // Enter must not abort a transfer by accident; only a deliberate press does.
    abort_->setAutoDefault(false);
    connect(abort_, &QPushButton::clicked, this, &CSendCfgDlg::OnAbort);

    auto* bars = new QVBoxLayout;
    bars->setSpacing(4);
    bars->addWidget(status_);
    bars->addWidget(upper_);
    bars->addWidget(lower_);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(picture_, 0, Qt::AlignHCenter);
    right->addWidget(abort_);

    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(10);
    row->addWidget(transfer, 0, Qt::AlignVCenter);
    row->addLayout(bars, 1);
    row->addLayout(right);
}

void CSendCfgDlg::PlaceAt(const QPoint& corner)
{
    ShowAtOffset(corner, QPoint(kProgressOffsetX, kProgressOffsetY));
}

void CSendCfgDlg::InitBar(QProgressBar* bar, int low, int high)
{
    // An empty range would make the bar run its own busy animation; keep it a plain bar.
    bar->setRange(low, high > low ? high : low + 1);
    bar->setValue(low);
}

void CSendCfgDlg::SetBarPos(QProgressBar* bar, int pos)
{
    // A position outside the range lands on its nearer end rather than being ignored.
    bar->setValue(qBound(bar->minimum(), pos, bar->maximum()));
    bar->repaint();
}

void CSendCfgDlg::InitUpperBar(int low, int high)
{
    InitBar(upper_, low, high);
}

void CSendCfgDlg::InitLowerBar(int low, int high)
{
    InitBar(lower_, low, high);
}

void CSendCfgDlg::SetUpperPos(int pos)
{
    SetBarPos(upper_, pos);
}

void CSendCfgDlg::SetLowerPos(int pos)
{
    SetBarPos(lower_, pos);
}

void CSendCfgDlg::SetStatusText(const QByteArray& text)
{
    status_->setText(QString::fromLatin1(text));
    status_->repaint();
}

QByteArray CSendCfgDlg::StatusText() const
{
    return status_->text().toLatin1();
}

void CSendCfgDlg::SetActivity(bool active)
{
    activity_ = active;
    picture_->setPixmap(Artwork::Padlock(active));
}

void CSendCfgDlg::OnAbort()
{
    abortFlag_ = true;
    SetStatusText("Aborting configuration transfer, please wait...");
}
