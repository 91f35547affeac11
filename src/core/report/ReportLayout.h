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
    // The print job's name: "Tarelink [file name]", at most kDocumentNameLimit characters; a
    // file name too long for the limit keeps its beginning and its end around "...".
    QString DocumentName() const;
    // The column headings' underline, drawn over line kUnderlineLine.
    static QString Underline();

private:
    void StartPage();

    QString fileName_;
    QStringList header_;
    std::vector<QStringList> pages_;
    int entryCount_ = 0;
};
