// SPDX-License-Identifier: MIT
#include "PrintCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include "ReportLayout.h"
#include "ReportPrinter.h"
#include "Workbench.h"
#include "model/TextConv.h"
#include "platform/Prompts.h"
#include "platform/View.h"

Q_LOGGING_CATEGORY(lcReport, "tarelink.report", QtWarningMsg)

namespace {

constexpr char kTemplateMark[] = ".tpl";
constexpr char kSaveFirst[] = "The file must be saved before printing";
constexpr char kNoPrinter[] = "No printer is installed. Save the report as a PDF file?";
constexpr char kPdfFailed[] = "The report could not be saved as %s. %s";
constexpr char kPdfFilter[] = "PDF Files (*.pdf)|*.pdf||";
constexpr char kPdfExtension[] = "pdf";

bool IsTemplate(const QByteArray& documentPath)
{
    return documentPath.contains(kTemplateMark);
}

}  // namespace

void PrintCommand::Run()
{
    if (!EnsureSaved()) return;
    ReportPrinter* printer = bench_.Window().Printer();
    if (!printer) return;
    const ReportLayout layout = ReportLayout::ForModel(bench_.Model());
    if (!printer->HasDefaultPrinter()) {
        OfferPdf(*printer, layout);
        return;
    }
    // A job that cannot start prints nothing and says nothing, as with no printer at all.
    if (!printer->Print(layout)) qCDebug(lcReport) << "print job could not start";
}

bool PrintCommand::EnsureSaved()
{
    ConfigModel& model = bench_.Model();
    // The entries as they stand: an edit the controls have not reported yet does not count.
    if (!IsTemplate(model.documentPath) && !ConfigModel::IsDocumentModified(model.entries)) return true;
    bench_.Ask().MessageBox(kSaveFirst, QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::None);
    bench_.OnSave();
    return !IsTemplate(model.documentPath);
}

void PrintCommand::OfferPdf(ReportPrinter& printer, const ReportLayout& layout)
{
    Prompts& prompts = bench_.Ask();
    if (prompts.MessageBox(kNoPrinter, QByteArray(), Prompts::Buttons::YesNo, Prompts::Icon::Question) !=
        Prompts::Answer::Yes) {
        return;
    }
    const QFileInfo document(QFile::decodeName(bench_.Model().documentPath));
    Prompts::FileChoice choice;
    choice.save = true;
    choice.initialFolder = document.absolutePath();
    choice.defaultName = document.completeBaseName() + QLatin1Char('.') + QLatin1String(kPdfExtension);
    choice.defaultExtension = QLatin1String(kPdfExtension);
    choice.filter = kPdfFilter;
    choice.overwritePrompt = true;
    const QString path = prompts.ChooseFile(choice);
    if (path.isEmpty()) return;
    const QString error = printer.WritePdf(layout, path);
    if (error.isEmpty()) return;
    prompts.MessageBox(TextConv::Format(kPdfFailed, {TextConv::L1(path), TextConv::L1(error)}), QByteArray(),
                       Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
}
