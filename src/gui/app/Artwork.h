// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

// The program's pictures, drawn at run time so they stay sharp at any scale and need no
// binary resources: the splash picture, the padlocks of the progress window, the transfer
// picture, the slot buttons' icons and the main icon.
namespace Artwork {

// The splash window's picture (product name, version, a bench scale).
QPixmap SplashPicture();
// The progress window's lock picture: open while the indicator accepts locked settings.
QPixmap Padlock(bool open);
// The progress window's transfer picture: a computer sending to an indicator.
QPixmap TransferPicture();
// A slot button's icon: a print ticket carrying the slot number.
QIcon SlotIcon(int slot);
// The main icon: an indicator head on a platform.
QIcon MainIcon();

// An indicator head with its display reading `reading`, fitted into `box`.
void PaintIndicator(QPainter& painter, const QRectF& box, const QString& reading);
// A bench scale (platform, column and indicator head), fitted into `box`.
void PaintBenchScale(QPainter& painter, const QRectF& box, const QString& reading);

}  // namespace Artwork
