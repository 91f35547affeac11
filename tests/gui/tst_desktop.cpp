// SPDX-License-Identifier: MIT
// The window as a desktop program: a file named on the command line, Ctrl+F to find a
// setting, and the marks of values that differ from what was read.
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "WindowSession.h"
#include "app/SettingFinder.h"
#include "editor/ModifiedMarks.h"
#include "editor/PageArea.h"

class TestDesktop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("TARELINK_NO_SPLASH", "1"); }

    void fileOnTheCommandLine_data()
    {
        QTest::addColumn<QString>("name");      // below the data folder
        QTest::addColumn<QByteArray>("bytes");  // written there unless empty
        QTest::addColumn<QByteArray>("error");  // the Error line; empty when the file opens
        QTest::newRow("template") << "Configurations/615.tpl" << QByteArray() << QByteArray();
        QTest::newRow("missing") << "gone.csc" << QByteArray() << QByteArray("the file does not exist");
        QTest::newRow("folder") << "Configurations" << QByteArray() << QByteArray("it is a folder, not a file");
        QTest::newRow("binary") << "image.csc" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                << QByteArray("it is not a configuration, template or handheld file");
    }
    void fileOnTheCommandLine()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, error);
        WindowSession s;
        if (!bytes.isEmpty()) s.data.Write(name, bytes);
        s.window->OpenFromCommandLine(s.data.Path(name));
        const std::vector<StatusLine>& log = s.window->Bench().Log().Lines();
        QCOMPARE(s.Entry("CAP") != nullptr, error.isEmpty());
        if (!error.isEmpty()) {
            QCOMPARE(log.back().kind, int(kError));
            QCOMPARE(log.back().text, "Cannot open " + QFile::encodeName(s.data.Path(name)) + ": " + error);
        }
    }

    void findJumpsToTheSetting()
    {
        WindowSession s;
        s.New("Model 615");
        SettingFinder* field = s.window->Finder();
        // Ctrl+F with the focus in an edit box of the first page.
        QWidget* first = s.Widget("hd1", 1);
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QTest::keyClick(first, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, QStringLiteral("capacity"));
        QTreeView* list = field->MatchList();
        QTRY_VERIFY(list->isVisible());
        // LOW RANGE ("Capacity of the low range") is hidden while there is one weighing range.
        QStringList rows;
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            rows << QStringList{list->model()->index(r, 0).data().toString(), list->model()->index(r, 1).data().toString(),
                                list->model()->index(r, 2).data().toString()}
                        .join(QLatin1Char('|'));
        }
        QCOMPARE(rows, QStringList({QStringLiteral("CAP|Capacity in display divisions|Calibration"),
                                    QStringLiteral("OVL|Overload limit (% of capacity)|Calibration"),
                                    QStringLiteral("ZRG|Zero range (% of capacity)|Calibration")}));

        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(s.CurrentTab(), QStringLiteral("Calibration"));
        QWidget* box = s.Widget("CAP", 1);
        QTRY_VERIFY(box->hasFocus());
        QVERIFY(box->isVisible());
        auto* frame = s.window->Page()->Content()->findChild<QWidget*>(QStringLiteral("foundHighlight"));
        QVERIFY(frame && frame->isVisible() && frame->geometry().contains(box->geometry()));
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->Page()->Content()->findChild<QWidget*>(QStringLiteral("foundHighlight")),
                                 5000);

        // Texts nothing can match, pasted.
        for (const QString& text : {QString(1000, QLatin1Char('x')), QStringLiteral("\x01\x1b\t\x7f")}) {
            field->clear();
            field->setFocus();
            QGuiApplication::clipboard()->setText(text);
            field->paste();
            QVERIFY(!field->text().isEmpty());
            QCOMPARE(field->MatchCount(), 0);
            QVERIFY(!list->isVisible());
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(s.CurrentTab(), QStringLiteral("Calibration"));
        }
    }

    void markersUntilSave()
    {
        WindowSession s;
        s.New("Model 615");
        ModifiedMarks& marks = s.window->Marks();
        ConfigEntry* cap = s.Entry("CAP");
        const int calibration = cap->tabIndex;
        QVERIFY(!marks.IsMarked(cap));
        for (int t = 0; t < s.window->Tabs()->count(); ++t) QVERIFY(!marks.IsTabMarked(t));

        s.window->Tabs()->setCurrentIndex(calibration);
        auto* box = static_cast<CEditEx*>(s.Widget("CAP", 1));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("6000"));
        // The mark follows the typing, before the value is read back.
        QVERIFY(marks.IsMarked(cap));
        QVERIFY(marks.IsTabMarked(calibration));
        QLabel* dot = marks.DotOf(cap);
        QVERIFY(dot && dot->isVisible());
        QVERIFY(dot->geometry().right() < s.Widget("CAP", 0)->geometry().left());
        QVERIFY(s.Widget("CAP", 0)->font().bold());
        QCOMPARE(box->toolTip(), QStringLiteral("Capacity in display divisions\nwas: 5000"));

        // Off its page, the dot goes with its caption.
        s.window->Tabs()->setCurrentIndex(0);
        QVERIFY(!dot->isVisible());
        QVERIFY(marks.IsTabMarked(calibration));

        // Typing the old value back clears the mark.
        s.window->Tabs()->setCurrentIndex(calibration);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("5000"));
        QVERIFY(!marks.IsMarked(cap));
        QTest::keyClicks(box, QStringLiteral("1"));
        QVERIFY(marks.IsMarked(cap));

        s.prompts.files.push_back(s.data.Configurations() + QStringLiteral("saved.csc"));
        s.window->RunCommand(kCmdSave);
        QVERIFY(!marks.IsMarked(cap));
        QVERIFY(!marks.IsTabMarked(calibration));
        QCOMPARE(box->toolTip(), QStringLiteral("Capacity in display divisions"));
        QCOMPARE(cap->baseline, QByteArray("50001"));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
