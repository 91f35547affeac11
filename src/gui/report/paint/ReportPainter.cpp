// SPDX-License-Identifier: MIT
#include "ReportPainter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include "report/ReportLayout.h"

namespace {

constexpr char kPreferredFamily[] = "Courier New";
constexpr char kMarginText[] = "   ";

}  // namespace

QFont ReportPainter::ReportFont()
{
    const QString preferred = QLatin1String(kPreferredFamily);
    QFont font = QFontDatabase::families().contains(preferred) ? QFont(preferred)
                                                               : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(kPointSize);
    return font;
}

bool ReportPainter::Paint(const ReportLayout& layout, QPainter& painter, QPagedPaintDevice& device)
{
    // Points become device units at the device's own resolution.
    painter.setFont(QFont(ReportFont(), &device));
    const QFontMetrics metrics = painter.fontMetrics();
    const int step = metrics.height() + kLineGap;
    const int left = metrics.horizontalAdvance(QLatin1String(kMarginText));
    // A line's position is the top of its text; the painter places text by its baseline.
    auto draw = [&](int line, const QString& text) { painter.drawText(left, line * step + metrics.ascent(), text); };

    bool first = true;
    for (const QStringList& page : layout.Pages()) {
        if (!first && !device.newPage()) return false;
        first = false;
        for (int i = 0; i < page.size(); ++i) draw(i + 1, page.at(i));
        draw(ReportLayout::kUnderlineLine, ReportLayout::Underline());
    }
    return true;
}
