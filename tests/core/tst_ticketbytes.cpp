// SPDX-License-Identifier: MIT
// The ticket commands' byte work: the export cut, the print cut and the source conversion.
#include <QtTest>

#include "tickets/TicketBytes.h"

using Lines = QList<QByteArray>;

class TestTicketBytes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportCut_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("slot");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<bool>("complete");
        QTest::newRow("slot 2 between two ends") << QByteArray("X:\nEND:\nSlot:2:\nA\nEND:\nB\nEND:\nC\n") << 2
                                                 << Lines{"Slot:2:", "A", "END:", "B", "END:"} << true;
        QTest::newRow("block starts after the last end before it")
            << QByteArray("END:\r\n//\r\nSlot:1:\r\nSlot:2:\r\nEND:\r\nTICKET:2:1:\r\nL:x\r\nEND:\r\n") << 2
            << Lines{"//", "Slot:1:", "Slot:2:", "END:", "TICKET:2:1:", "L:x", "END:"} << true;
        QTest::newRow("character 5 alone decides") << QByteArray("Slot:12:\nEND:\nEND:\n") << 1
                                                   << Lines{"Slot:12:", "END:", "END:"} << true;
        QTest::newRow("no slot line") << QByteArray("Slot:1:\nEND:\nEND:\n") << 3 << Lines{} << false;
        QTest::newRow("one end only") << QByteArray("Slot:3:\nEND:\nL:x\n") << 3 << Lines{"Slot:3:", "END:", "L:x"}
                                      << false;
        const QByteArray longLine(600, 'x');
        QTest::newRow("a long line stays whole")
            << QByteArray("Slot:1:\nEND:\n" + longLine + "\nEND:\n") << 1 << Lines{"Slot:1:", "END:", longLine, "END:"}
            << true;
    }
    void exportCut()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, slot);
        const TicketBytes::ExportCut cut = TicketBytes::CutExport(file, slot);
        QTEST(cut.lines, "lines");
        QTEST(cut.found && cut.closed, "complete");
    }

    void printCut_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("header");
        QTest::addColumn<Lines>("pieces");
        QTest::newRow("dd in the first piece") << QByteArray("~H:1~AB~~junk") << true << Lines{"AB"};
        QTest::newRow("dd across two pieces") << QByteArray("~H~123456789~~junk") << true << Lines{"123456789"};
        QTest::newRow("dd opens the second piece") << QByteArray("~H~0123456789~~") << true << Lines{"0123456789"};
        QTest::newRow("no dd: to the end") << QByteArray("|H|0123456789ABC~~") << true
                                           << Lines{"0123456789", "ABC~~"};
        QTest::newRow("a single d is body") << QByteArray("~H~A~B~~") << true << Lines{"A~B"};
        QTest::newRow("zero bytes are bytes") << QByteArray("~H~A\0B\r\n~~", 10) << true
                                              << Lines{QByteArray("A\0B\r\n", 5)};
        QTest::newRow("empty body") << QByteArray("~H~~~") << true << Lines{};
        QTest::newRow("no second delimiter") << QByteArray("~TKT:1:614:") << false << Lines{};
        QTest::newRow("empty file") << QByteArray() << false << Lines{};
    }
    void printCut()
    {
        QFETCH(QByteArray, file);
        const TicketBytes::PrintCut cut = TicketBytes::CutForPrinter(file);
        QTEST(cut.headerClosed, "header");
        QTEST(cut.pieces, "pieces");
    }

    void sourceConversion_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("converted");
        QTest::addColumn<int>("incomplete");
        QTest::addColumn<int>("first");
        QTest::newRow("line feeds dropped") << QByteArray("AB\nCD\n") << QByteArray("ABCD") << 0 << 0;
        QTest::newRow("cr before lf kept") << QByteArray("<ESC>A\r\n<0x41><CR>") << QByteArray("\x1b" "A\rA\r") << 0
                                           << 0;
        QTest::newRow("zero byte carried") << QByteArray("A<0x00>B\n", 9) << QByteArray("A\0B", 3) << 0 << 0;
        QTest::newRow("a tag across 255 bytes") << QByteArray(254, 'x') + "<ESC>" << QByteArray(254, 'x') + "\x1b" << 0
                                                << 0;
        QTest::newRow("incomplete tags") << QByteArray("ok\n<ESC\nend <0x4\n<cr>") << QByteArray("ok<ESCend <0x4<cr>")
                                         << 2 << 2;
    }
    void sourceConversion()
    {
        QFETCH(QByteArray, source);
        const TicketBytes::Conversion c = TicketBytes::ConvertExternalSource(source);
        QTEST(c.bytes, "converted");
        QTEST(c.incompleteTagLines, "incomplete");
        QTEST(c.firstIncompleteTagLine, "first");
    }
};

QTEST_GUILESS_MAIN(TestTicketBytes)
#include "tst_ticketbytes.moc"
