// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class ReportLayout;

// The report as a PDF file, painted like the printed pages.
class ReportPdf {
public:
    // Dots per inch of the PDF's device units: a common laser printer's, so the fixed 5-unit
    // gap between lines looks as it does on paper.
    static constexpr int kResolution = 600;

    // Writes the whole file or nothing: the pages go to a temporary file in the target's
    // folder that replaces the target only when complete. Returns an empty string on
    // success, otherwise the reason.
    static QString Write(const ReportLayout& layout, const QString& path);
};
