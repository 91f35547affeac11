// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

class QPagedPaintDevice;
class QPainter;
class ReportLayout;

// Draws the report's pages on a paged device (a printer or a PDF writer) in device units:
// a 12-point fixed-pitch font made for the device, a line step of the font's height plus
// 5 units, a left margin of three spaces, line k of a page at k line steps from the top.
class ReportPainter {
public:
    static constexpr int kPointSize = 12;
    static constexpr int kLineGap = 5;

    // "Courier New" when installed, otherwise the system's fixed-pitch font, at 12 points.
    static QFont ReportFont();
    // Paints every page; `painter` is active on `device`. False when a new page could not start.
    static bool Paint(const ReportLayout& layout, QPainter& painter, QPagedPaintDevice& device);
};
