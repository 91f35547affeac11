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
    Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations() + QLatin1String(Catalogue::kRevisionFile));
    return catalogue;
}

}  // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("revIni");
        QTest::addColumn<QByteArray>("records");  // "model|revision|name", joined with ';'
        auto row = [](const char* name, QByteArray revIni, QByteArray records) {
            QTest::newRow(name) << revIni << records;
        };
        row("name after '= '", "{614\r\n1.05 = 614x.tpl\r\n", "614|1.05|614x.tpl");
        row("no '=' names the model", "{614\n1.05\n", "614|1.05|614.tpl");
        row("other lines ignored", "; catalogue\r\n1.0 = x.tpl\r\n{615\r\n1.4 = 615.tpl\r\n\r\nnoise\r\n",
            "615|1.4|615.tpl");
        row("the line after a record is always its revision", "{614\n{615\n2.0 = b.tpl\n", "614|0|614.tpl");
        row("record at the end of the file", "{958", "958|0|958.tpl");
        row("fractional model", "{614.5\n1.0\n", "614.5|1|614.tpl");
        row("not a number", "{abc\nxyz = q.tpl\n", "0|0|q.tpl");
        row("only the first CR goes", "{614\r\n1.0 = a\rb.tpl\r\n", "614|1|ab.tpl\r");
        row("long lines are cut", "{637\n3.0 = " + QByteArray(200, 'n') + "\n{614\n1.0\n",
            "637|3|" + QByteArray(121, 'n') + ";614|1|614.tpl");
    }
    void parse()
    {
        QFETCH(QByteArray, revIni);
        QList<QByteArray> got;
        for (const CRevItem& item : Load(revIni)) {
            got.append(QByteArray::number(item.model) + '|' + QByteArray::number(item.revision) + '|' +
                       item.templateName);
        }
        QTEST(got.join(';'), "records");
    }

    void missingFile()
    {
        TestData data(false);
        std::vector<CRevItem> catalogue;
        Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations() + QLatin1String(Catalogue::kRevisionFile));
        QVERIFY(catalogue.empty());
        QCOMPARE(Catalogue::TemplateNameFor(catalogue, 614.0f, 1.05f), QByteArray("614.tpl"));
    }

    void templateFor_data()
    {
        QTest::addColumn<QByteArray>("revIni");
        QTest::addColumn<float>("model");
        QTest::addColumn<float>("revision");
        QTest::addColumn<QByteArray>("exact");
        QTest::addColumn<QByteArray>("forModel");
        auto row = [](const char* name, QByteArray revIni, float model, float revision, QByteArray exact,
                      QByteArray forModel) { QTest::newRow(name) << revIni << model << revision << exact << forModel; };
        const char* one = "{614\n1.05 = 614x.tpl\n";
        row("exact revision", one, 614.0f, 1.05f, "614x.tpl", "614x.tpl");
        row("other revision", one, 614.0f, 1.06f, "614.tpl", "614x.tpl");
        // Revisions compare as 32-bit floats: a difference below their precision does not count.
        row("equal as 32-bit floats", "{614\n1.0500000001 = y.tpl\n", 614.0f, 1.05f, "y.tpl", "y.tpl");
        row("different as 32-bit floats", "{614\n1.0501 = y.tpl\n", 614.0f, 1.05f, "614.tpl", "y.tpl");
        row("first exact match wins, last for the model", "{615\n1 = a.tpl\n{615\n1 = b.tpl\n{615\n2 = c.tpl\n",
            615.0f, 1.0f, "a.tpl", "c.tpl");
        row("revision 0 never chosen for the model", "{615\n1 = a.tpl\n{615\n0 = z.tpl\n{615\nbad = y.tpl\n",
            615.0f, 0.0f, "z.tpl", "a.tpl");
        row("fraction truncates", "", 614.9f, 1.0f, "614.tpl", "614.tpl");
        row("negative truncates toward zero", "", -3.7f, 1.0f, "-3.tpl", "-3.tpl");
    }
    void templateFor()
    {
        QFETCH(QByteArray, revIni);
        QFETCH(float, model);
        QFETCH(float, revision);
        const std::vector<CRevItem> catalogue = Load(revIni);
        QTEST(Catalogue::TemplateNameFor(catalogue, model, revision), "exact");
        QTEST(Catalogue::TemplateNameForModel(catalogue, model), "forModel");
    }

    void shippedCatalogue()
    {
        // Every template named by the shipped catalogue exists, and each one's own revision line
        // leads back to it.
        TestData data;
        std::vector<CRevItem> catalogue;
        Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations() + QLatin1String(Catalogue::kRevisionFile));
        QVERIFY(catalogue.size() >= 4);
        for (const CRevItem& item : catalogue) {
            QVERIFY2(QFile::exists(data.Configurations() + QString::fromLatin1(item.templateName)),
                     item.templateName.constData());
        }
        for (const char* model : {"614", "615", "637", "958"}) {
            const QString path = data.Configurations() + QLatin1String(model) + QStringLiteral(".tpl");
            QByteArray revision;
            for (const QByteArray& line : TestData::ReadAll(path).split('\n')) {
                if (line.startsWith("REV:")) revision = line.trimmed();
            }
            const float number = QByteArray(model).toFloat();
            const float version = revision.right(3).toFloat();
            QCOMPARE(Catalogue::TemplateNameFor(catalogue, number, version), QByteArray(model) + ".tpl");
        }
        QVERIFY(QFile::exists(data.Configurations() + QStringLiteral("default.tpl")));
    }

    void modelChoices_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QByteArray>("items");
        QTest::addColumn<int>("selected");
        auto row = [](const char* name, QByteArray lines, QByteArray items, int selected) {
            QTest::newRow(name) << lines << items << selected;
        };
        row("second line selected", "Model 614|Model 615|Model 637", "Model 614|Model 615|Model 637", 1);
        row("trailing empty line removed", "Model 614|Model 615|", "Model 614|Model 615", 1);
        row("empty line before the selection", "|Model 615|Model 637", "Model 615|Model 637", 0);
        row("selected line empty", "Model 614||Model 958", "Model 614|Model 958", -1);
        row("one line", "Model 614", "Model 614", -1);
        row("no lines", "", "", -1);
    }
    void modelChoices()
    {
        QFETCH(QByteArray, lines);
        const auto choices = Catalogue::MakeModelChoices(lines.isEmpty() ? QList<QByteArray>() : lines.split('|'));
        QTEST(choices.items.join('|'), "items");
        QTEST(choices.selected, "selected");
    }

    void modelList()
    {
        TestData data(false);
        const QString path =
            data.Write(QStringLiteral("Configurations/mod.ini"), "Model 614\r\nModel 615\r\n\r\nModel 958");
        QCOMPARE(Catalogue::LoadModelList(path), (QList<QByteArray>{"Model 614", "Model 615", "", "Model 958"}));
        QVERIFY(Catalogue::LoadModelList(data.Path(QStringLiteral("missing.ini"))).isEmpty());

        TestData shipped;
        const QList<QByteArray> models = Catalogue::LoadModelList(shipped.Configurations() + QStringLiteral("mod.ini"));
        QCOMPARE(models, (QList<QByteArray>{"Model 614", "Model 615", "Model 637", "Model 958"}));
        // The dialog's first offer is the remembered default, "Model 615".
        QCOMPARE(Catalogue::MakeModelChoices(models).selected, 1);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
