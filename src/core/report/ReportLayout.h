// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class ConfigModel;

// What the configuration report puts on which line of which page, apart from how it is drawn.
// Every page starts with the three header lines and an empty fourth line; entries follow, one a
// line, 50 a page. A page holds line k at index k - 1.
class ReportLayout {
public:
    static constexpr int kEntriesPerPage = 50;
    static constexpr int kFirstEntryLine = 5;
    // The column headings' underline is drawn over this line.
    static constexpr int kUnderlineLine = 2;
    static constexpr int kFieldWidth = 20;
    static constexpr int kDocumentNameLimit = 127;

    // An empty report (one page with its header) for a document and its description lines.
    ReportLayout(const QByteArray& documentPath, const QByteArray& modelLine, const QByteArray& revisionLine);
    // The report of a loaded configuration: its top-level entries under the header of the
    // description read with the template or file.
    static ReportLayout ForModel(const ConfigModel& model);

    // The next entry line; a full page is followed by a new page with the header again.
    void AddEntry(const QByteArray& code, const QByteArray& value);

    const std::vector<QStringList>& Pages() const { return pages_; }
    int EntryCount() const { return entryCount_; }
    const QString& FileName() const { return fileName_; }
    // The print job's name: "Tarelink [file name]", at most kDocumentNameLimit characters.
    QString DocumentName() const { return DocumentNameFor(fileName_); }
    // The column headings' underline, drawn over line kUnderlineLine.
    static QString Underline();

    // The part of the path after its last separator; " " when the path has none.
    static QString FileNameOf(const QByteArray& documentPath);
    // A file name too long for the limit keeps its beginning and its end around "...".
    static QString DocumentNameFor(const QString& fileName);

private:
    void StartPage();

    QString fileName_;
    QStringList header_;
    std::vector<QStringList> pages_;
    int entryCount_ = 0;
};
