// SPDX-License-Identifier: MIT
#include "SplashDlg.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "Artwork.h"

SplashDlg::SplashDlg(QWidget* owner)
    : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(Artwork::SplashPicture())
{
    setObjectName(QStringLiteral("SplashDlg"));
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QDialog::accept);
}

void SplashDlg::Start(int lifetimeMs)
{
    setFixedSize(picture_.deviceIndependentSize().toSize());
    // Centred over the owner when there is one, else on the screen.
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (over && over->isVisible()) {
        area = over->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) move(area.center() - rect().center());
    show();
    raise();
    timer_.start(lifetimeMs);
}

void SplashDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void SplashDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        timer_.stop();
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}
