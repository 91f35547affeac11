// SPDX-License-Identifier: MIT
#include "QtReportPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "paint/ReportPainter.h"
#include "paint/ReportPdf.h"
#include "report/ReportLayout.h"

bool QtReportPrinter::HasDefaultPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool QtReportPrinter::Print(const ReportLayout& layout)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return false;
    // The printer's own resolution: the line gap is in its device units.
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(layout.DocumentName());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    if (!ReportPainter::Paint(layout, painter, printer)) {
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

QString QtReportPrinter::WritePdf(const ReportLayout& layout, const QString& path)
{
    return ReportPdf::Write(layout, path);
}
