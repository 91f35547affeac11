// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class ReportLayout;

// How the core reaches paper: the window implements it with the system's printers, and every
// implementation can also put the same pages into a PDF file.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    // Whether the system names a default printer.
    virtual bool HasDefaultPrinter() = 0;
    // Prints every page on the default printer under the layout's document name. False when
    // the job could not be started (nothing was printed).
    virtual bool Print(const ReportLayout& layout) = 0;
    // Writes the same pages as a PDF file: the whole file or none (an existing file at the
    // path is kept on failure). Returns an empty string on success, otherwise the reason.
    virtual QString WritePdf(const ReportLayout& layout, const QString& path) = 0;
};
