// SPDX-License-Identifier: MIT
// The revision catalogue and the model list: parsing rev.ini, the two lookups with their
// 32-bit equality and last-wins rules, and the choices the model dialog offers.
#include <QtTest>

#include "TestData.h"
#include "model/Catalogue.h"

namespace {

std::vector<CRevItem> Load(const QByteArray& revIni)
{
    TestData data(false);
    data.Write(QStringLiteral("Configurations/rev.ini"), revIni);
    std::vector<CRevItem> catalogue;
    Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations());
    return catalogue;
}

}  // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void missingFile();
    void templateFor_data();
    void templateFor();
    void shippedCatalogue();
    void modelChoices_data();
    void modelChoices();
    void modelList();
};

void TestCatalogue::parse_data()
{
    QTest::addColumn<QByteArray>("revIni");
    QTest::addColumn<QList<QByteArray>>("records");  // "model|revision|name"

    QTest::newRow("name after '= '") << QByteArray("{614\r\n1.05 = 614x.tpl\r\n")
                                     << QList<QByteArray>{"614|1.05|614x.tpl"};
    QTest::newRow("no '=' names the model") << QByteArray("{614\n1.05\n") << QList<QByteArray>{"614|1.05|614.tpl"};
    QTest::newRow("other lines ignored")
        << QByteArray("; catalogue\r\n1.0 = x.tpl\r\n{615\r\n1.4 = 615.tpl\r\n\r\nnoise\r\n")
        << QList<QByteArray>{"615|1.4|615.tpl"};
    QTest::newRow("the line after a record is always its revision")
        << QByteArray("{614\n{615\n2.0 = b.tpl\n") << QList<QByteArray>{"614|0|614.tpl"};
    QTest::newRow("record at the end of the file") << QByteArray("{958") << QList<QByteArray>{"958|0|958.tpl"};
    QTest::newRow("fractional model") << QByteArray("{614.5\n1.0\n") << QList<QByteArray>{"614.5|1|614.tpl"};
    QTest::newRow("not a number") << QByteArray("{abc\nxyz = q.tpl\n") << QList<QByteArray>{"0|0|q.tpl"};
    QTest::newRow("only the first CR goes") << QByteArray("{614\r\n1.0 = a\rb.tpl\r\n")
                                            << QList<QByteArray>{"614|1|ab.tpl\r"};
    QTest::newRow("long lines are cut") << "{637\n3.0 = " + QByteArray(200, 'n') + "\n{614\n1.0\n"
                                        << QList<QByteArray>{"637|3|" + QByteArray(121, 'n'), "614|1|614.tpl"};
}

void TestCatalogue::parse()
{
    QFETCH(QByteArray, revIni);
    QFETCH(QList<QByteArray>, records);
    QList<QByteArray> got;
    for (const CRevItem& item : Load(revIni)) {
        got.append(QByteArray::number(item.model) + '|' + QByteArray::number(item.revision) + '|' + item.templateName);
    }
    QCOMPARE(got, records);
}

void TestCatalogue::missingFile()
{
    TestData data(false);
    std::vector<CRevItem> catalogue;
    Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations());
    QVERIFY(catalogue.empty());
    QCOMPARE(Catalogue::TemplateNameFor(catalogue, 614.0f, 1.05f), QByteArray("614.tpl"));
}

void TestCatalogue::templateFor_data()
{
    QTest::addColumn<QByteArray>("revIni");
    QTest::addColumn<float>("model");
    QTest::addColumn<float>("revision");
    QTest::addColumn<QByteArray>("exact");
    QTest::addColumn<QByteArray>("forModel");

    const QByteArray one = "{614\n1.05 = 614x.tpl\n";
    QTest::newRow("exact revision") << one << 614.0f << 1.05f << QByteArray("614x.tpl") << QByteArray("614x.tpl");
    QTest::newRow("other revision") << one << 614.0f << 1.06f << QByteArray("614.tpl") << QByteArray("614x.tpl");
    // Revisions compare as 32-bit floats: a difference below their precision does not count.
    QTest::newRow("equal as 32-bit floats") << QByteArray("{614\n1.0500000001 = y.tpl\n") << 614.0f << 1.05f
                                            << QByteArray("y.tpl") << QByteArray("y.tpl");
    QTest::newRow("different as 32-bit floats") << QByteArray("{614\n1.0501 = y.tpl\n") << 614.0f << 1.05f
                                                << QByteArray("614.tpl") << QByteArray("y.tpl");
    QTest::newRow("first exact match wins, last for the model")
        << QByteArray("{615\n1 = a.tpl\n{615\n1 = b.tpl\n{615\n2 = c.tpl\n") << 615.0f << 1.0f << QByteArray("a.tpl")
        << QByteArray("c.tpl");
    QTest::newRow("revision 0 never chosen for the model")
        << QByteArray("{615\n1 = a.tpl\n{615\n0 = z.tpl\n{615\nbad = y.tpl\n") << 615.0f << 0.0f
        << QByteArray("z.tpl") << QByteArray("a.tpl");
    QTest::newRow("fraction truncates") << QByteArray() << 614.9f << 1.0f << QByteArray("614.tpl")
                                        << QByteArray("614.tpl");
    QTest::newRow("negative truncates toward zero")
        << QByteArray() << -3.7f << 1.0f << QByteArray("-3.tpl") << QByteArray("-3.tpl");
}

void TestCatalogue::templateFor()
{
    QFETCH(QByteArray, revIni);
    QFETCH(float, model);
    QFETCH(float, revision);
    QFETCH(QByteArray, exact);
    QFETCH(QByteArray, forModel);
    const std::vector<CRevItem> catalogue = Load(revIni);
    QCOMPARE(Catalogue::TemplateNameFor(catalogue, model, revision), exact);
    QCOMPARE(Catalogue::TemplateNameForModel(catalogue, model), forModel);
}

void TestCatalogue::shippedCatalogue()
{
    // Every template named by the shipped catalogue exists, and each one's own revision line
    // leads back to it.
    TestData data;
    std::vector<CRevItem> catalogue;
    Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations());
    QVERIFY(catalogue.size() >= 4);
    for (const CRevItem& item : catalogue) {
        QVERIFY2(QFile::exists(data.Configurations() + QString::fromLatin1(item.templateName)),
                 item.templateName.constData());
    }
    for (const char* model : {"614", "615", "637", "958"}) {
        const QByteArray file = TestData::ReadAll(data.Configurations() + QLatin1String(model) + QStringLiteral(".tpl"));
        const QList<QByteArray> lines = file.split('\n');
        QByteArray revision;
        for (const QByteArray& line : lines) {
            if (line.startsWith("REV:")) revision = line.trimmed();
        }
        const float number = QByteArray(model).toFloat();
        const float version = revision.right(3).toFloat();
        QCOMPARE(Catalogue::TemplateNameFor(catalogue, number, version), QByteArray(model) + ".tpl");
    }
    QVERIFY(QFile::exists(data.Configurations() + QStringLiteral("default.tpl")));
}

void TestCatalogue::modelChoices_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QList<QByteArray>>("items");
    QTest::addColumn<int>("selected");

    QTest::newRow("second line selected") << QList<QByteArray>{"Model 614", "Model 615", "Model 637"}
                                          << QList<QByteArray>{"Model 614", "Model 615", "Model 637"} << 1;
    QTest::newRow("trailing empty line removed")
        << QList<QByteArray>{"Model 614", "Model 615", ""} << QList<QByteArray>{"Model 614", "Model 615"} << 1;
    QTest::newRow("empty line before the selection")
        << QList<QByteArray>{"", "Model 615", "Model 637"} << QList<QByteArray>{"Model 615", "Model 637"} << 0;
    QTest::newRow("selected line empty") << QList<QByteArray>{"Model 614", "", "Model 958"}
                                         << QList<QByteArray>{"Model 614", "Model 958"} << -1;
    QTest::newRow("one line") << QList<QByteArray>{"Model 614"} << QList<QByteArray>{"Model 614"} << -1;
    QTest::newRow("no lines") << QList<QByteArray>{} << QList<QByteArray>{} << -1;
}

void TestCatalogue::modelChoices()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QList<QByteArray>, items);
    QFETCH(int, selected);
    const Catalogue::ModelChoices choices = Catalogue::MakeModelChoices(lines);
    QCOMPARE(choices.items, items);
    QCOMPARE(choices.selected, selected);
}

void TestCatalogue::modelList()
{
    TestData data(false);
    const QString path = data.Write(QStringLiteral("Configurations/mod.ini"), "Model 614\r\nModel 615\r\n\r\nModel 958");
    QCOMPARE(Catalogue::LoadModelList(path), (QList<QByteArray>{"Model 614", "Model 615", "", "Model 958"}));
    QVERIFY(Catalogue::LoadModelList(data.Path(QStringLiteral("missing.ini"))).isEmpty());

    TestData shipped;
    const QList<QByteArray> models = Catalogue::LoadModelList(shipped.Configurations() + QStringLiteral("mod.ini"));
    QCOMPARE(models, (QList<QByteArray>{"Model 614", "Model 615", "Model 637", "Model 958"}));
    // The dialog's first offer is the remembered default, "Model 615".
    QCOMPARE(Catalogue::MakeModelChoices(models).selected, 1);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
