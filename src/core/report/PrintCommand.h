// SPDX-License-Identifier: MIT
#pragma once

class ReportLayout;
class ReportPrinter;
class Workbench;

// The Print command: the loaded configuration as a report on the default printer. A template
// or modified document is saved first. With no printer installed it offers a PDF file instead.
class PrintCommand {
public:
    explicit PrintCommand(Workbench& bench) : bench_(bench) {}

    void Run();

private:
    // The save-before-print rule: false when the document is still a template afterwards.
    bool EnsureSaved();
    void OfferPdf(ReportPrinter& printer, const ReportLayout& layout);

    Workbench& bench_;
};
