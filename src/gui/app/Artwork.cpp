// SPDX-License-Identifier: MIT
#include "Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Artwork {

namespace {

constexpr int kSplashWidth = 440;
constexpr int kSplashHeight = 270;
constexpr int kPadlockSize = 32;
constexpr int kTransferSize = 48;
constexpr int kSlotIconSize = 48;
constexpr int kMainIconSizes[] = {16, 32, 48, 64, 128};

const QColor kNavy(0x0b, 0x25, 0x45);
const QColor kTeal(0x1d, 0x6f, 0x8a);
const QColor kAccent(0xf2, 0xa5, 0x41);
const QColor kDisplayGlass(0x0e, 0x1d, 0x13);
const QColor kDisplayDigits(0x73, 0xff, 0x8e);

QFont SansFont(qreal pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    return f;
}

QPixmap Blank(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

// Steel gradient running top to bottom over `r`.
QLinearGradient Steel(const QRectF& r, const QColor& light, const QColor& dark)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, light);
    g.setColorAt(1.0, dark);
    return g;
}

}  // namespace

void PaintIndicator(QPainter& p, const QRectF& box, const QString& reading)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal radius = qMin(w, h) * 0.12;

    p.setPen(QPen(QColor(0x12, 0x16, 0x1b), qMax(1.0, w * 0.01)));
    p.setBrush(Steel(box, QColor(0x4a, 0x55, 0x63), QColor(0x22, 0x29, 0x31)));
    p.drawRoundedRect(box, radius, radius);

    const QRectF display(box.left() + w * 0.08, box.top() + h * 0.14, w * 0.84, h * 0.44);
    p.setPen(QPen(QColor(0x05, 0x0a, 0x07), qMax(1.0, w * 0.008)));
    p.setBrush(kDisplayGlass);
    p.drawRoundedRect(display, radius * 0.4, radius * 0.4);

    if (!reading.isEmpty() && display.height() >= 6) {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setBold(true);
        f.setPixelSize(qMax(1, qRound(display.height() * 0.72)));
        const QFontMetricsF fm(f);
        const qreal room = display.width() * 0.9;
        const qreal textWidth = fm.horizontalAdvance(reading);
        if (textWidth > room) f.setPixelSize(qMax(1, int(f.pixelSize() * room / textWidth)));
        p.setFont(f);
        p.setPen(kDisplayDigits);
        p.drawText(display.adjusted(display.width() * 0.04, 0, -display.width() * 0.05, 0),
                   Qt::AlignRight | Qt::AlignVCenter, reading);
    }

    // The key row under the display.
    const int keys = 5;
    const qreal keyRadius = qMin(w / (keys * 4.0), h * 0.09);
    if (keyRadius >= 1.0) {
        const qreal y = box.top() + h * 0.78;
        for (int i = 0; i < keys; ++i) {
            const qreal x = box.left() + w * (0.18 + 0.16 * i);
            QRadialGradient g(QPointF(x - keyRadius * 0.3, y - keyRadius * 0.3), keyRadius * 1.4);
            g.setColorAt(0.0, i == 0 ? kAccent.lighter(130) : QColor(0xf0, 0xf2, 0xf4));
            g.setColorAt(1.0, i == 0 ? kAccent.darker(130) : QColor(0x9a, 0xa2, 0xab));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(QPointF(x, y), keyRadius, keyRadius);
        }
    }
    p.restore();
}

void PaintBenchScale(QPainter& p, const QRectF& box, const QString& reading)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = box.width();
    const qreal h = box.height();

    // Base frame with feet, then the platter on top of it.
    const QRectF base(box.left() + w * 0.06, box.top() + h * 0.86, w * 0.88, h * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x33, 0x3c));
    p.drawRect(base);
    p.setBrush(QColor(0x15, 0x19, 0x1e));
    const qreal foot = w * 0.08;
    p.drawRect(QRectF(base.left(), base.bottom(), foot, h * 0.04));
    p.drawRect(QRectF(base.right() - foot, base.bottom(), foot, h * 0.04));

    QPainterPath platter;
    const qreal top = box.top() + h * 0.76;
    platter.moveTo(box.left() + w * 0.12, top);
    platter.lineTo(box.right() - w * 0.12, top);
    platter.lineTo(box.right(), top + h * 0.10);
    platter.lineTo(box.left(), top + h * 0.10);
    platter.closeSubpath();
    p.setPen(QPen(QColor(0x5c, 0x66, 0x70), qMax(1.0, w * 0.006)));
    p.setBrush(Steel(platter.boundingRect(), QColor(0xee, 0xf1, 0xf4), QColor(0x9a, 0xa4, 0xae)));
    p.drawPath(platter);

    // The column carrying the indicator head.
    const QRectF column(box.center().x() - w * 0.035, box.top() + h * 0.40, w * 0.07, top - (box.top() + h * 0.40));
    QLinearGradient cg(column.topLeft(), column.topRight());
    cg.setColorAt(0.0, QColor(0x7d, 0x87, 0x91));
    cg.setColorAt(0.5, QColor(0xd5, 0xdb, 0xe1));
    cg.setColorAt(1.0, QColor(0x6a, 0x74, 0x7e));
    p.setPen(Qt::NoPen);
    p.setBrush(cg);
    p.drawRect(column);

    PaintIndicator(p, QRectF(box.left() + w * 0.14, box.top(), w * 0.72, h * 0.44), reading);
    p.restore();
}

QPixmap SplashPicture()
{
    QPixmap pm = Blank(kSplashWidth, kSplashHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF all(0, 0, kSplashWidth, kSplashHeight);

    QLinearGradient bg(all.topLeft(), all.bottomRight());
    bg.setColorAt(0.0, kNavy);
    bg.setColorAt(1.0, kTeal);
    p.fillRect(all, bg);

    // Soft rings behind the scale, like a dial.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 18 + 6 * i), 10 - 2 * i));
        const qreal r = 150 - 28 * i;
        p.drawEllipse(QPointF(110, 150), r, r);
    }

    PaintBenchScale(p, QRectF(24, 58, 180, 170), QStringLiteral("12.50"));

    p.setPen(Qt::white);
    p.setFont(SansFont(46, true));
    p.drawText(QRectF(215, 62, 215, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarelink"));
    p.setPen(kAccent);
    p.setBrush(kAccent);
    p.drawRect(QRectF(218, 126, 150, 3));
    p.setPen(QColor(0xdc, 0xe8, 0xf2));
    p.setFont(SansFont(14, false));
    p.drawText(QRectF(218, 136, 215, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Weighing indicator configuration"));
    p.setFont(SansFont(12, false));
    p.drawText(QRectF(218, 178, 215, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Version ") + QStringLiteral(TARELINK_VERSION));

    p.setPen(QColor(255, 255, 255, 160));
    p.setFont(SansFont(11, true));
    p.drawText(QRectF(0, kSplashHeight - 30, kSplashWidth - 14, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Tervolin Scale Mfg"));

    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    return pm;
}

QPixmap Padlock(bool open)
{
    QPixmap pm = Blank(kPadlockSize, kPadlockSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = kPadlockSize;

    // The shackle: an arch over the body; open, it is raised and its right leg hangs free.
    const qreal raise = open ? s * 0.08 : 0.0;
    const qreal legLeft = s * 0.30;
    const qreal legRight = s * 0.70;
    const qreal archTop = s * 0.10 - raise;
    const qreal archHeight = s * 0.36;
    const qreal bodyTop = s * 0.50;
    QPainterPath shackle;
    shackle.moveTo(legLeft, bodyTop);
    shackle.lineTo(legLeft, archTop + archHeight / 2);
    shackle.arcTo(QRectF(legLeft, archTop, legRight - legLeft, archHeight), 180, -180);
    shackle.lineTo(legRight, open ? archTop + archHeight * 0.75 : bodyTop);
    p.setPen(QPen(QColor(0x6e, 0x78, 0x83), s * 0.10, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);

    const QRectF body(s * 0.16, bodyTop, s * 0.68, s * 0.44);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    if (open) {
        g.setColorAt(0.0, QColor(0x9b, 0xe0, 0x7c));
        g.setColorAt(1.0, QColor(0x3e, 0x8e, 0x2e));
    } else {
        g.setColorAt(0.0, QColor(0xf6, 0xc4, 0x4f));
        g.setColorAt(1.0, QColor(0xb7, 0x7c, 0x12));
    }
    p.setPen(QPen(QColor(0x4a, 0x3a, 0x10), 1));
    p.setBrush(g);
    p.drawRoundedRect(body, s * 0.08, s * 0.08);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x22, 0x10));
    p.drawEllipse(QPointF(s * 0.5, body.top() + body.height() * 0.40), s * 0.06, s * 0.06);
    p.drawRect(QRectF(s * 0.47, body.top() + body.height() * 0.40, s * 0.06, body.height() * 0.32));
    return pm;
}

QPixmap TransferPicture()
{
    QPixmap pm = Blank(kTransferSize, kTransferSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = kTransferSize;

    // A laptop on the left...
    const QRectF screen(s * 0.02, s * 0.10, s * 0.40, s * 0.28);
    p.setPen(QPen(QColor(0x23, 0x2a, 0x33), 1));
    p.setBrush(QColor(0x3f, 0x8f, 0xd6));
    p.drawRoundedRect(screen, 2, 2);
    p.setBrush(QColor(0x9a, 0xa3, 0xad));
    p.drawRect(QRectF(s * 0.0, s * 0.38, s * 0.46, s * 0.05));

    // ...an arrow to the indicator on the right.
    QPainterPath arrow;
    arrow.moveTo(s * 0.22, s * 0.50);
    arrow.lineTo(s * 0.22, s * 0.66);
    arrow.lineTo(s * 0.46, s * 0.66);
    p.setPen(QPen(kAccent, s * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    QPolygonF head;
    head << QPointF(s * 0.44, s * 0.57) << QPointF(s * 0.56, s * 0.66) << QPointF(s * 0.44, s * 0.75);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(head);

    PaintIndicator(p, QRectF(s * 0.56, s * 0.46, s * 0.43, s * 0.40), QStringLiteral("88"));
    return pm;
}

QIcon SlotIcon(int slot)
{
    QPixmap pm = Blank(kSlotIconSize, kSlotIconSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = kSlotIconSize;

    // A print ticket with a torn lower edge.
    QPainterPath ticket;
    const qreal left = s * 0.16;
    const qreal right = s * 0.84;
    ticket.moveTo(left, s * 0.06);
    ticket.lineTo(right, s * 0.06);
    ticket.lineTo(right, s * 0.86);
    const int teeth = 6;
    const qreal tooth = (right - left) / teeth;
    for (int i = 0; i < teeth; ++i) {
        ticket.lineTo(right - tooth * (i + 0.5), s * 0.94);
        ticket.lineTo(right - tooth * (i + 1), s * 0.86);
    }
    ticket.closeSubpath();
    p.setPen(QPen(QColor(0x70, 0x7a, 0x85), 1));
    p.setBrush(QColor(0xfc, 0xfc, 0xf7));
    p.drawPath(ticket);

    p.setPen(QPen(QColor(0xb8, 0xc0, 0xc8), 1.5));
    for (qreal y : {s * 0.16, s * 0.24, s * 0.76}) p.drawLine(QPointF(left + 5, y), QPointF(right - 5, y));

    p.setPen(QColor(0x1b, 0x4f, 0x9c));
    p.setFont(SansFont(s * 0.42, true));
    p.drawText(QRectF(left, s * 0.26, right - left, s * 0.48), Qt::AlignCenter, QString::number(slot));
    return QIcon(pm);
}

QIcon MainIcon()
{
    QIcon icon;
    for (int size : kMainIconSizes) {
        QPixmap pm = Blank(size, size);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0, 0, size, size);
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0.0, kTeal.lighter(115));
        g.setColorAt(1.0, kNavy);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), size * 0.18, size * 0.18);
        PaintBenchScale(p, r.adjusted(size * 0.10, size * 0.12, -size * 0.10, -size * 0.08),
                        size >= 48 ? QStringLiteral("0.0") : QString());
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace Artwork
