// SPDX-License-Identifier: MIT
// The configuration report: its pages and lines, the Print command's road through the
// workbench, and "tarelink-cli report" read back from the PDF it writes.
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include "CliRun.h"
#include "CommandTable.h"
#include "HeadlessBench.h"
#include "report/ReportLayout.h"
#include "report/ReportPrinter.h"

namespace {

// pdftotext reads a few pages; generous for a busy machine.
constexpr int kPdfToTextBoundMs = 60000;

QString T(const char* text) { return QString::fromLatin1(text); }
QByteArray Code(int i) { return "c" + QByteArray::number(i).rightJustified(3, '0'); }

// A model 615 configuration with `count` entries c000 = 0, c001 = 1, ...
QByteArray Config(int count)
{
    QByteArray out = "MFG:Tervolin Scale Mfg\r\nMOD:615\r\nREV:1.4\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\nHDR:Setup:\r\n";
    for (int i = 0; i < count; ++i) out += Code(i) + ":20:60:" + QByteArray::number(i) + ":8:8:L:text:\r\n";
    return out + "END:\r\n";
}

// Entries c000... (count), then one more (extra: code, value); the pages, the last page's size
// and last line, the header's file name and the job's name.
struct LayoutCase {
    const char* name;
    QByteArray path;
    int count;
    QByteArrayList extra;
    int pages, lastPageLines;
    const char* lastLine;
    QString fileName, documentName;
};
const QString kScale = T("scale.csc");
const QString kDoc = T("Tarelink [scale.csc]");
const LayoutCase kLayoutCases[] = {
    {"0 entries: the header alone", "/d/scale.csc", 0, {}, 1, 4, "", kScale, kDoc},
    {"1", "/d/scale.csc", 1, {}, 1, 5, "c000                =  0                   ", kScale, kDoc},
    {"50: no empty page", "/d/scale.csc", 50, {}, 1, 54, "c049                =  49                  ", kScale, kDoc},
    {"51", "/d/scale.csc", 51, {}, 2, 5, "c050                =  50                  ", kScale, kDoc},
    {"100", "/d/scale.csc", 100, {}, 2, 54, "c099                =  99                  ", kScale, kDoc},
    {"long fields padded, not cut", "/d/scale.csc", 0, {"averyveryverylongcode_x", "a value longer than twenty"},
     1, 5, "averyveryverylongcode_x=  a value longer than twenty", kScale, kDoc},
    {"unprintable characters", "/d/scale.csc", 0, {"t\x7f", "A\x01\x85\xe9\xff"}, 1, 5,
     "t?                  =  A??\xe9\xff               ", kScale, kDoc},
    {"no folder", "615.tpl", 0, {}, 1, 4, "", T(" "), T("Tarelink [ ]")},
    {"document name cut to 127", "/d/" + QByteArray(60, 'a') + QByteArray(60, 'b') + ".csc", 0, {}, 1, 4, "",
     QString(60, QLatin1Char('a')) + QString(60, QLatin1Char('b')) + T(".csc"),
     T("Tarelink [%1...%2.csc]").arg(QString(56, QLatin1Char('a')), QString(53, QLatin1Char('b')))},
};

// A view with a printer that records what it was given.
struct PrinterView : HeadlessView, ReportPrinter {
    bool installed = true;
    QStringList printed, pdfs;
    ReportPrinter* Printer() override { return this; }
    bool HasDefaultPrinter() override { return installed; }
    bool Print(const ReportLayout& layout) override { return printed << layout.DocumentName(), true; }
    QString WritePdf(const ReportLayout&, const QString& f) override { return pdfs << QFileInfo(f).fileName(), T(""); }
};

}  // namespace

class TestReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kLayoutCases)); ++i) QTest::newRow(kLayoutCases[i].name) << i;
    }
    void layout()
    {
        QFETCH(int, row);
        const LayoutCase& c = kLayoutCases[row];
        ReportLayout layout(c.path, "MOD:615", "REV:1.4");
        for (int i = 0; i < c.count; ++i) layout.AddEntry(Code(i), QByteArray::number(i));
        if (!c.extra.isEmpty()) layout.AddEntry(c.extra.at(0), c.extra.at(1));

        const QStringList header = {T("Prompt                 Value                 File name : ") + c.fileName,
                                    T("                                             Indicator : MOD:615"),
                                    T("                                             Software  : REV:1.4"), QString()};
        QCOMPARE(int(layout.Pages().size()), c.pages);
        for (const QStringList& page : layout.Pages()) QCOMPARE(page.mid(0, 4), header);
        QCOMPARE(layout.Pages().back().size(), c.lastPageLines);
        QCOMPARE(layout.Pages().back().last(), T(c.lastLine));
        QCOMPARE(layout.DocumentName(), c.documentName);
    }

    // Print saves a template or modified document first and stops while it is still a template.
    void printCommand_data()
    {
        QTest::addColumn<QByteArray>("setup");  // t: template, m: modified, n: no printer, Y: answer Yes
        QTest::addColumn<QString>("file");      // the file dialog's answer; "" cancels, "-" not asked
        QTest::addColumn<QByteArrayList>("boxes");
        QTest::addColumn<QStringList>("done");  // printed job names and written PDFs
        const QByteArray save = "The file must be saved before printing";
        const QByteArray none = "No printer is installed. Save the report as a PDF file?";
        auto row = [](const char* name, const char* setup, const char* file, const QByteArrayList& boxes,
                      const QStringList& done) {
            QTest::newRow(name) << QByteArray(setup) << T(file) << boxes << done;
        };
        row("template, save cancelled: stop", "t", "", {save}, {});
        row("template, saved: printed under the new name", "t", "out.csc", {save}, {T("Tarelink [out.csc]")});
        row("saved file: printed at once", "", "-", {}, {kDoc});
        row("modified, save cancelled: printed anyway", "m", "", {save}, {kDoc});
        row("no printer, PDF declined", "n", "-", {none}, {});
        row("no printer, PDF written", "nY", "r.pdf", {none}, {T("r.pdf")});
    }
    void printCommand()
    {
        QFETCH(QByteArray, setup);
        QFETCH(QString, file);
        QFETCH(QByteArrayList, boxes);
        QFETCH(QStringList, done);
        HeadlessBenchT<PrinterView> h;
        h.Load(Config(3));
        h.view.installed = !setup.contains('n');
        // Reading a file leaves the document on the model's template; a saved file is named.
        if (!setup.contains('t')) h.bench.Model().documentPath = QFile::encodeName(h.data.Path(kScale));
        if (setup.contains('m')) h.Entry("c001")->SetValue("7");
        if (setup.contains('Y')) h.prompts.answers.push_back(Prompts::Answer::Yes);
        if (file != T("-")) h.prompts.files.push_back(file.isEmpty() ? file : h.data.Path(file));

        QVERIFY(h.bench.OnCommand(kCmdPrint));
        QCOMPARE(h.prompts.BoxTexts(), boxes);
        QCOMPARE(h.prompts.CountOf("file"), int(file != T("-")));
        QCOMPARE(h.view.printed + h.view.pdfs, done);
        if (!h.view.pdfs.isEmpty()) QCOMPARE(h.prompts.shown.back().file.defaultName, T("scale.pdf"));
    }

    // The CLI's text is the layout's lines; its PDF holds the same words on the same lines.
    void cliReport()
    {
        TestData data(false);
        const QString config = data.Write(T("big.csc"), Config(51));
        ReportLayout layout(QFile::encodeName(config), "MOD:615", "REV:1.4");
        for (int i = 0; i < 51; ++i) layout.AddEntry(Code(i), QByteArray::number(i));
        QStringList pages, want;  // the text pages; every line as the PDF's text reads it
        for (QStringList page : layout.Pages()) {
            pages << page.join(QLatin1Char('\n'));
            // The underline shares line 2 with the indicator line; the PDF text reads them as one.
            page[ReportLayout::kUnderlineLine - 1].prepend(ReportLayout::Underline());
            for (const QString& line : page) want << line.simplified();
        }
        const CliRun text({T("report"), config, T("--text")});
        QCOMPARE(QString::fromUtf8(text.out), pages.join(T("\n\f\n")) + QLatin1Char('\n'));
        QCOMPARE(text.code, 0);
        const CliRun unwritable({T("report"), config, T("-o"), data.Path(T("none/x.pdf"))});
        QCOMPARE(unwritable.code, 2);
        if (unwritable.err.contains("not available in this build")) QSKIP("this build writes no PDF");
        const QString pdf = data.Path(T("big.pdf"));
        QCOMPARE(CliRun({T("report"), config, T("-o"), pdf}).code, 0);
        const QString pdftotext = QStandardPaths::findExecutable(T("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");

        QProcess p;
        p.start(pdftotext, {T("-layout"), pdf, T("-")});
        QVERIFY(p.waitForFinished(kPdfToTextBoundMs));
        const QString read = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(read.count(QLatin1Char('\f')), int(layout.Pages().size()));
        QStringList got;  // the form feed that starts a page is white space too
        for (const QString& line : read.split(QLatin1Char('\n'))) got << line.simplified();
        while (!got.isEmpty() && got.last().isEmpty()) got.removeLast();
        QCOMPARE(got, want);
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
