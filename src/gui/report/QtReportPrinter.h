// SPDX-License-Identifier: MIT
#pragma once

#include "report/ReportPrinter.h"

// The report on the system's default printer (QPrinter), or in a PDF file.
class QtReportPrinter final : public ReportPrinter {
public:
    bool HasDefaultPrinter() override;
    bool Print(const ReportLayout& layout) override;
    QString WritePdf(const ReportLayout& layout, const QString& path) override;
};
