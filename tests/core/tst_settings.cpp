// SPDX-License-Identifier: MIT
// What the program starts from: the communication settings and where they are stored, the
// data folders, the revision catalogue and the model list.
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "TestData.h"
#include "model/Catalogue.h"
#include "platform/Folders.h"
#include "platform/SettingsStore.h"

namespace {

std::unique_ptr<QSettings> Store()
{
    auto s = std::make_unique<QSettings>(QString::fromLatin1(SettingsStore::kOrganisation),
                                         QString::fromLatin1(SettingsStore::kApplication));
    s->beginGroup(QString::fromLatin1(SettingsStore::kGroup));
    return s;
}

QList<QByteArray> Texts(const CommSettings& c)
{
    return {c.port, c.baudRate, c.parity, c.stopBits, c.dataBits, c.remoteAddress, c.serverAddress, c.remotePort,
            c.alternatePort, QByteArray::number(c.tcpIpTimeout)};
}

std::vector<CRevItem> Catalog(const QByteArray& revIni)
{
    TestData data(false);
    if (!revIni.isNull()) data.Write(QStringLiteral("Configurations/rev.ini"), revIni);
    std::vector<CRevItem> catalogue;
    Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations() + QLatin1String(Catalogue::kRevisionFile));
    return catalogue;
}

}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsStore()
    {
        TestData data(false);
        const QList<QByteArray> defaults = {"COM1", "9600", "None", "1 bit", "8 bits", kDefaultRemoteAddress,
                                            "127.0.0.1", "3001", "COM1", "100"};
        QCOMPARE(Texts(SettingsStore::Load()), defaults);
        QCOMPARE(Texts(CommSettings::Defaults()), defaults);
        CommSettings c = {"TCP/IP", "38400", "Even", "2 bits", "7 bits", "10.0.0.7", "10.0.0.8", "4001", "NONE", 250};
        SettingsStore::Save(c);
        QCOMPARE(Texts(SettingsStore::Load()), Texts(c));
        // The texts as the dialog shows them, words included; the time-out as an integer.
        const auto s = Store();
        QCOMPARE(s->allKeys().size(), 10);
        QCOMPARE(s->value(QStringLiteral("StopBits")).toString() + s->value(QStringLiteral("Remote Port")).toString(),
                 QStringLiteral("2 bits4001"));
        QCOMPARE(s->value(QStringLiteral("Tcp/Ip Timeout")).toInt(), 250);
        QCOMPARE(s->fileName(), data.Base() + QStringLiteral(".config/Tervolin Scale Mfg/Weighset.conf"));

        // Malformed values are used as stored; missing keys take their defaults.
        s->clear();
        s->setValue(QStringLiteral("BaudRate"), QStringLiteral("fast"));
        s->setValue(QStringLiteral("Tcp/Ip Timeout"), QStringLiteral("12abc"));
        s->sync();
        QList<QByteArray> expected = defaults;
        expected[1] = "fast";
        expected[9] = "12";
        QCOMPARE(Texts(SettingsStore::Load()), expected);
    }

    void folders()
    {
        for (const QString& base : {QStringLiteral("/srv/tl"), QStringLiteral("/srv/tl/")}) {
            const Folders f = Folders::FromBase(base);
            QCOMPARE(QStringList({f.base, f.temporary, f.printers, f.tickets, f.configurations, f.resources, f.handheld,
                                  f.lastTransfer, f.helpFile})
                         .join(QLatin1Char('|')),
                     QStringLiteral("/srv/tl/|/srv/tl/Temporary/|/srv/tl/Printers/|/srv/tl/Tickets/|"
                                    "/srv/tl/Configurations/|/srv/tl/Resources/|/srv/tl/HandHeld/|/srv/tl/Tickets/|"
                                    "/srv/tl/Resources/Help/index.html"));
        }
        QVERIFY(Folders::FromBase(QString()).configurations.isEmpty());

        // Every test makes its own data folder, so the variables need no restoring.
        QTemporaryDir root;
        qputenv("TARELINK_DATA_DIR", QFile::encodeName(root.path()));
        QCOMPARE(Folders::Compute().configurations, root.path() + QStringLiteral("/Configurations/"));

        // Read-only data: the user's copy, then a shared one; writes go to the user's folder
        // only. TARELINK_DATA_DIR is one folder for both.
        const QString sub = QString::fromLatin1(kDataSubfolder);
        const QString user = root.filePath(QStringLiteral("user/")) + sub;
        const QString shared = root.filePath(QStringLiteral("sys/")) + sub;
        const QString own = root.filePath(QStringLiteral("own/"));
        const QString tpl = QStringLiteral("Configurations/615.tpl");
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("user"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath(QStringLiteral("sys"))));
        struct Case {
            bool dataDir, userHas, sharedHas;
            QString readFrom;
        };
        for (const Case& c : {Case{false, false, false, user}, Case{false, false, true, shared},
                              Case{false, true, true, user}, Case{true, false, true, own}}) {
            for (const QString& copy : {user, shared}) QFile::remove(copy + tpl);
            auto put = [&tpl](const QString& base) {
                QDir().mkpath(base + QStringLiteral("Configurations"));
                QFile f(base + tpl);
                QVERIFY(f.open(QIODevice::WriteOnly));
            };
            if (c.userHas) put(user);
            if (c.sharedHas) put(shared);
            if (c.dataDir) {
                qputenv("TARELINK_DATA_DIR", QFile::encodeName(own));
            } else {
                qunsetenv("TARELINK_DATA_DIR");
            }
            const Folders f = Folders::Compute();
            QCOMPARE(f.FindConfigurationFile(QStringLiteral("615.tpl")), c.readFrom + tpl);
            const QString writer = c.dataDir ? own : user;
            QCOMPARE(f.base, writer);
            QVERIFY(Folders::PrepareForWriting(f.temporary));
            QVERIFY(QFileInfo(writer + QStringLiteral("Temporary")).isDir());
            QVERIFY(!QFileInfo::exists(shared + QStringLiteral("Temporary")));
        }
    }

    void revisionCatalogue_data()
    {
        QTest::addColumn<QByteArray>("revIni");
        QTest::addColumn<QByteArray>("records");  // "model|revision|name", joined with ';'
        auto row = [](const char* name, QByteArray revIni, QByteArray records) {
            QTest::newRow(name) << revIni << records;
        };
        row("missing file", QByteArray(), "");
        row("name after '= '", "{614\r\n1.05 = 614x.tpl\r\n", "614|1.05|614x.tpl");
        row("no '=' names the model", "{614\n1.05\n", "614|1.05|614.tpl");
        row("other lines ignored", "; list\r\n1.0 = x.tpl\r\n{615\r\n1.4 = 615.tpl\r\n\r\nnoise\r\n{958",
            "615|1.4|615.tpl;958|0|958.tpl");
        row("the line after a record is always its revision", "{614\n{615\n2.0 = b.tpl\n", "614|0|614.tpl");
        row("only the first CR goes", "{614\r\n1.0 = a\rb.tpl\r\n", "614|1|ab.tpl\r");
        row("long lines are cut", "{637\n3.0 = " + QByteArray(200, 'n') + "\n{614\n1.0\n",
            "637|3|" + QByteArray(121, 'n') + ";614|1|614.tpl");
    }
    void revisionCatalogue()
    {
        QFETCH(QByteArray, revIni);
        QList<QByteArray> got;
        for (const CRevItem& item : Catalog(revIni)) {
            got.append(QString::asprintf("%g|%g|", item.model, item.revision).toLatin1() + item.templateName);
        }
        QTEST(got.join(';'), "records");
    }

    void templateFor_data()
    {
        QTest::addColumn<QByteArray>("revIni");
        QTest::addColumn<float>("model");
        QTest::addColumn<float>("revision");
        QTest::addColumn<QByteArray>("names");  // for the exact revision, for the model
        auto row = [](const char* name, QByteArray revIni, float model, float revision, QByteArray names) {
            QTest::newRow(name) << revIni << model << revision << names;
        };
        const char* one = "{614\n1.05 = 614x.tpl\n";
        row("exact revision", one, 614.0f, 1.05f, "614x.tpl|614x.tpl");
        row("other revision", one, 614.0f, 1.06f, "614.tpl|614x.tpl");
        // Revisions compare as 32-bit floats: a difference below their precision does not count.
        row("equal as 32-bit floats", "{614\n1.0500000001 = y.tpl\n", 614.0f, 1.05f, "y.tpl|y.tpl");
        row("first exact match wins, last for the model", "{615\n1 = a.tpl\n{615\n1 = b.tpl\n{615\n2 = c.tpl\n", 615.0f,
            1.0f, "a.tpl|c.tpl");
        row("revision 0 never chosen for the model", "{615\n1 = a.tpl\n{615\n0 = z.tpl\n{615\nbad = y.tpl\n", 615.0f,
            0.0f, "z.tpl|a.tpl");
        row("negative truncates toward zero", "", -3.7f, 1.0f, "-3.tpl|-3.tpl");
    }
    void templateFor()
    {
        QFETCH(QByteArray, revIni);
        QFETCH(float, model);
        QFETCH(float, revision);
        const std::vector<CRevItem> catalogue = Catalog(revIni);
        QTEST(Catalogue::TemplateNameFor(catalogue, model, revision) + '|'
                  + Catalogue::TemplateNameForModel(catalogue, model),
              "names");
    }

    void shippedData()
    {
        // Every template the shipped catalogue names exists, and each one's revision line leads back to it.
        TestData data;
        std::vector<CRevItem> catalogue;
        Catalogue::LoadRevisionCatalogue(catalogue, data.Configurations() + QLatin1String(Catalogue::kRevisionFile));
        QVERIFY(catalogue.size() >= 4);
        for (const CRevItem& item : catalogue) {
            QVERIFY2(QFile::exists(data.Configurations() + QLatin1String(item.templateName)), item.templateName);
        }
        for (const char* model : {"614", "615", "637", "958"}) {
            const QString path = data.Configurations() + QLatin1String(model) + QStringLiteral(".tpl");
            const QByteArray text = TestData::ReadAll(path);
            const int rev = text.indexOf("REV:");
            const float version = text.mid(rev + 4, text.indexOf('\n', rev) - rev - 4).trimmed().right(3).toFloat();
            QCOMPARE(Catalogue::TemplateNameFor(catalogue, atof(model), version), model + QByteArray(".tpl"));
        }
        QVERIFY(QFile::exists(data.Configurations() + QStringLiteral("default.tpl")));
        const QList<QByteArray> models = Catalogue::LoadModelList(data.Configurations() + QStringLiteral("mod.ini"));
        QCOMPARE(models, (QList<QByteArray>{"Model 614", "Model 615", "Model 637", "Model 958"}));
        QVERIFY(Catalogue::LoadModelList(data.Path(QStringLiteral("missing.ini"))).isEmpty());
    }

    void modelChoices()
    {
        // The second line is selected, then empty items go; the selection follows its item.
        const QList<QPair<QByteArray, QByteArray>> cases = {
            {"614|615|637", "614|615|637 1"}, {"614|615||", "614|615 1"}, {"|615|637", "615|637 0"},
            {"614||958", "614|958 -1"},       {"614", "614 -1"}};
        for (const auto& c : cases) {
            const auto choices = Catalogue::MakeModelChoices(c.first.split('|'));
            QCOMPARE(choices.items.join('|') + ' ' + QByteArray::number(choices.selected), c.second);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
