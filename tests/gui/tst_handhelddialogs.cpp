// SPDX-License-Identifier: MIT
// The handheld dialogs: the list of configurations and the description.
#include <QComboBox>
#include <QFontInfo>
#include <QListWidget>
#include <QtTest>

#include "app/CHandHeldDlg.h"
#include "app/CHandHeldInfoDlg.h"

class TestHandheldDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void configurationList()
    {
        CHandHeldDlg dialog;
        dialog.SetFileList("Truck,1,2:----Empty----:Dock:");
        QListWidget* list = dialog.List();
        QCOMPARE(list->count(), 10);
        QCOMPARE(list->item(0)->text(), QStringLiteral("[Name] Truck                          [Tickets] 1,2"));
        QCOMPARE(list->item(9)->text(), QString());
        QVERIFY(QFontInfo(list->font()).fixedPitch());
        QCOMPARE(dialog.GetSelectedIndex(), -1);

        list->item(1)->setSelected(true);
        QCOMPARE(dialog.GetSelectedIndex(), 1);
        QCOMPARE(dialog.GetSelectedName(), QByteArray());

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint dock = list->visualItemRect(list->item(2)).center();
        // A view takes a double click only on the item the press went to.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, dock);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, dock);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetSelectedIndex(), 2);
        QCOMPARE(dialog.GetSelectedName(), QByteArray("Dock").leftJustified(30));
    }

    void description()
    {
        CHandHeldInfoDlg dialog("");
        QCOMPARE(dialog.DescriptionBox()->count(), 0);
        dialog.DescriptionBox()->setEditText(QString(40, QLatin1Char('d')));
        dialog.accept();
        QCOMPARE(dialog.Description(), QByteArray(28, 'd'));
    }
};

QTEST_MAIN(TestHandheldDialogs)
#include "tst_handhelddialogs.moc"
