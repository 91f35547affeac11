// SPDX-License-Identifier: MIT
#include "ReportLayout.h"

#include <QDir>
#include <QFile>

#include "model/ConfigModel.h"

namespace {

constexpr char kDocumentNamePrefix[] = "Tarelink [";
constexpr char kDocumentNameSuffix[] = "]";
constexpr char kEllipsis[] = "...";

// Control characters have no glyph on paper and would break the text form of the report
// (a carriage return or form feed inside a value); each becomes one '?' so the columns stay.
QString Printable(QString text)
{
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) c = QLatin1Char('?');
    }
    return text;
}

// "%-20s": padded to the field width, never cut.
QString Field(const QString& text)
{
    return text.leftJustified(ReportLayout::kFieldWidth, QLatin1Char(' '), false);
}

QString Field(const char* text)
{
    return Field(QString::fromLatin1(text));
}

QString Columns(const char* left, const char* right)
{
    return Field(left) + QLatin1String("   ") + Field(right);
}

QString Text(const QByteArray& bytes)
{
    return Printable(QString::fromLatin1(bytes));
}

// The part of the path after its last separator; " " when the path has none.
QString FileNameOf(const QByteArray& documentPath)
{
    const QString path = QFile::decodeName(documentPath);
    const qsizetype slash = path.lastIndexOf(QDir::separator());
    if (slash < 0) return QStringLiteral(" ");
    return Printable(path.mid(slash + 1));
}

}  // namespace

ReportLayout::ReportLayout(const QByteArray& documentPath, const QByteArray& modelLine,
                           const QByteArray& revisionLine)
    : fileName_(FileNameOf(documentPath))
{
    header_ << Columns("Prompt", "Value") + QLatin1String("  File name : ") + fileName_
            << Columns(" ", " ") + QLatin1String("  Indicator : ") + Text(modelLine)
            << Columns(" ", " ") + QLatin1String("  Software  : ") + Text(revisionLine) << QString();
    StartPage();
}

ReportLayout ReportLayout::ForModel(const ConfigModel& model)
{
    ReportLayout layout(model.documentPath, model.fileDevice.modelLine, model.fileDevice.revisionLine);
    for (const auto& entry : model.entries) layout.AddEntry(entry->code, entry->value);
    return layout;
}

void ReportLayout::StartPage()
{
    pages_.push_back(header_);
}

void ReportLayout::AddEntry(const QByteArray& code, const QByteArray& value)
{
    // The page after a full one starts only when an entry needs it: a count that is a multiple
    // of the page size leaves no empty page behind.
    if (entryCount_ > 0 && entryCount_ % kEntriesPerPage == 0) StartPage();
    pages_.back() << Field(Text(code)) + QLatin1String("=  ") + Field(Text(value));
    ++entryCount_;
}

QString ReportLayout::Underline()
{
    return Columns("------", "-----");
}

QString ReportLayout::DocumentName() const
{
    const QString prefix = QLatin1String(kDocumentNamePrefix);
    const QString suffix = QLatin1String(kDocumentNameSuffix);
    const qsizetype room = kDocumentNameLimit - prefix.size() - suffix.size();
    if (fileName_.size() <= room) return prefix + fileName_ + suffix;
    // Keep the start (which file) and the end (its extension), drop the middle.
    const QString ellipsis = QLatin1String(kEllipsis);
    const qsizetype kept = room - ellipsis.size();
    const qsizetype head = kept / 2;
    const qsizetype tail = kept - head;
    return prefix + fileName_.left(head) + ellipsis + fileName_.right(tail) + suffix;
}
