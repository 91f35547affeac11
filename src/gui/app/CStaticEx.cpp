// SPDX-License-Identifier: MIT
#include "CStaticEx.h"

#include <QImage>
#include <QLoggingCategory>
#include <QPainter>

Q_DECLARE_LOGGING_CATEGORY(lcDialogs)

CStaticEx::CStaticEx(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CStaticEx"));
}

bool CStaticEx::LoadBitmapFile(const QString& path)
{
    QImage image;
    loaded_ = !path.isEmpty() && image.load(path);
    // A missing logo is not worth a message; the corner simply stays empty.
    bitmap_ = loaded_ ? QPixmap::fromImage(image) : QPixmap();
    if (!loaded_) qCDebug(lcDialogs) << "side logo not loaded:" << path;
    updateGeometry();
    update();
    return loaded_;
}

QSize CStaticEx::sizeHint() const
{
    return loaded_ ? bitmap_.size() : QWidget::sizeHint();
}

void CStaticEx::paintEvent(QPaintEvent*)
{
    if (!loaded_) return;
    QPainter p(this);
    p.drawPixmap(0, 0, bitmap_);
}
