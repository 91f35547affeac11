// SPDX-License-Identifier: MIT
// Edit boxes in the real window: what a text box lets in, and the conversion factor's zero.
#include <QtTest>

#include "WindowSession.h"

class TestTextBox : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSession> s_;

    // What the box shows after the text was typed (or pasted) over it and the box was left.
    QString Enter(const QByteArray& code, const QString& text, bool paste = false)
    {
        s_->TypeInto(code, text, paste);
        QTest::qWait(20);
        return s_->Box(code)->text();
    }

private Q_SLOTS:
    void initTestCase()
    {
        s_ = std::make_unique<WindowSession>();
        s_->New("Model 615");
        QVERIFY(s_->Box("hd1") && s_->Box("CNVT FACTOR"));
    }
    void cleanupTestCase() { s_.reset(); }

    void textBoxRefusesWhatALineCannotCarry_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typed colon") << QStringLiteral("LINE A:B") << false << QStringLiteral("LINE AB");
        QTest::newRow("typed second slash") << QStringLiteral("a//b/c") << false << QStringLiteral("a/b/c");
        QTest::newRow("pasted colon") << QStringLiteral("A:B") << true << QStringLiteral("AB");
        QTest::newRow("pasted comment") << QStringLiteral("a//b") << true << QStringLiteral("a/b");
    }
    void textBoxRefusesWhatALineCannotCarry()
    {
        QFETCH(QString, entered);
        QFETCH(bool, paste);
        s_->ShowTab(QStringLiteral("General Setup"));
        QTEST(Enter("hd1", entered, paste), "shown");
    }

    void slashNextToASlashAlreadyThere()
    {
        // Inserted before the '/' of "a/b" a '/' would make "//" too; replacing that '/' is fine.
        const QString current = QStringLiteral("a/b");
        QCOMPARE(CEditEx::FilterInsert(QStringLiteral("x/"), current, 1, 0, false, true), QStringLiteral("x"));
        QCOMPARE(CEditEx::FilterInsert(QStringLiteral("/"), current, 1, 1, false, true), QStringLiteral("/"));
    }

    void conversionFactorZero()
    {
        s_->ShowTab(QStringLiteral("Calibration"));
        QCOMPARE(Enter("CNVT FACTOR", QStringLiteral("0")), QStringLiteral("0.000001"));
    }
};

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
