// SPDX-License-Identifier: MIT
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "TestData.h"
#include "platform/Folders.h"
#include "platform/SettingsStore.h"

namespace {

QSettings Store()
{
    return QSettings(QString::fromLatin1(SettingsStore::kOrganisation), QString::fromLatin1(SettingsStore::kApplication));
}

QList<QByteArray> Texts(const CommSettings& c)
{
    return {c.port, c.baudRate, c.parity, c.stopBits, c.dataBits, c.remoteAddress, c.serverAddress, c.remotePort,
            c.alternatePort, QByteArray::number(c.tcpIpTimeout)};
}

// Restores an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {}
    ~EnvGuard()
    {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstRunDefaults()
    {
        TestData data(false);
        const CommSettings c = SettingsStore::Load();
        const QList<QByteArray> expected = {"COM1", "9600", "None", "1 bit", "8 bits", kDefaultRemoteAddress,
                                            "127.0.0.1", "3001", "COM1", "100"};
        QCOMPARE(Texts(c), expected);
        QCOMPARE(Texts(CommSettings::Defaults()), expected);
    }

    void saveThenLoad()
    {
        TestData data(false);
        CommSettings c;
        c.port = "TCP/IP";
        c.baudRate = "38400";
        c.parity = "Even";
        c.stopBits = "2 bits";
        c.dataBits = "7 bits";
        c.remoteAddress = "10.0.0.7";
        c.serverAddress = "10.0.0.8";
        c.remotePort = "4001";
        c.alternatePort = "NONE";
        c.tcpIpTimeout = 30000;
        SettingsStore::Save(c);
        QCOMPARE(Texts(SettingsStore::Load()), Texts(c));
    }

    void storedForms()
    {
        TestData data(false);
        CommSettings c = CommSettings::Defaults();
        c.stopBits = "2 bits";
        c.tcpIpTimeout = 250;
        SettingsStore::Save(c);
        QSettings s = Store();
        s.beginGroup(QString::fromLatin1(SettingsStore::kGroup));
        QCOMPARE(s.allKeys().size(), 10);
        // The texts as the dialog shows them, words included; the time-out as an integer.
        QCOMPARE(s.value(QStringLiteral("StopBits")).toString(), QStringLiteral("2 bits"));
        QCOMPARE(s.value(QStringLiteral("DataBits")).toString(), QStringLiteral("8 bits"));
        QCOMPARE(s.value(QStringLiteral("Tcp/Ip Timeout")).toInt(), 250);
        QCOMPARE(s.value(QStringLiteral("Remote Port")).toString(), QStringLiteral("3001"));
        s.endGroup();
        QVERIFY(s.fileName().endsWith(QStringLiteral("Tervolin Scale Mfg/Weighset.conf")));
        QVERIFY(s.fileName().startsWith(data.Base()));
    }

    void malformedValuesUsedAsStored_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("loaded");
        auto row = [](const char* name, const char* key, const char* stored, int field, QByteArray loaded) {
            QTest::newRow(name) << QString::fromLatin1(key) << QString::fromLatin1(stored) << field << loaded;
        };
        row("speed not in the list", "BaudRate", "fast", 1, "fast");
        row("port beyond COM18", "Port", "COM99", 0, "COM99");
        row("empty parity", "Parity", "", 2, "");
        row("time-out with junk", "Tcp/Ip Timeout", "12abc", 9, "12");
        row("time-out below the range", "Tcp/Ip Timeout", "5", 9, "5");
    }
    void malformedValuesUsedAsStored()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, field);
        QFETCH(QByteArray, loaded);
        TestData data(false);
        {
            QSettings s = Store();
            s.beginGroup(QString::fromLatin1(SettingsStore::kGroup));
            s.setValue(key, stored);
        }
        const QList<QByteArray> got = Texts(SettingsStore::Load());
        QCOMPARE(got[field], loaded);
        // The other keys are missing and take their defaults.
        QList<QByteArray> defaults = Texts(CommSettings::Defaults());
        defaults[field] = loaded;
        QCOMPARE(got, defaults);
    }

    void foldersBelowBase_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("without separator") << QStringLiteral("/srv/tl");
        QTest::newRow("with separator") << QStringLiteral("/srv/tl/");
    }
    void foldersBelowBase()
    {
        QFETCH(QString, base);
        const Folders f = Folders::FromBase(base);
        const QString b = QStringLiteral("/srv/tl/");
        const QStringList got = {f.base, f.temporary, f.printers, f.tickets, f.configurations, f.resources, f.handheld,
                                 f.lastTransfer, f.helpFile};
        const QString names = QStringLiteral("|Temporary/|Printers/|Tickets/|Configurations/|Resources/|HandHeld/|"
                                             "Tickets/|Resources/Help/index.html");
        QStringList expected;
        for (const QString& name : names.split(QLatin1Char('|'))) expected << b + name;
        QCOMPARE(got, expected);
        if (!f.handheldSync.isEmpty()) QVERIFY(f.handheldSync.endsWith(QStringLiteral("/Pocket_PC My Documents/")));
    }

    void noBaseLeavesFoldersEmpty()
    {
        const Folders f = Folders::FromBase(QString());
        for (const QString& s : {f.base, f.temporary, f.printers, f.tickets, f.configurations, f.resources, f.handheld,
                                 f.lastTransfer, f.helpFile}) {
            QVERIFY(s.isEmpty());
        }
    }

    // Read-only data: the user's copy, then a shared one; writes: the user's folder only.
    // TARELINK_DATA_DIR is one folder for both.
    void folderResolution_data()
    {
        QTest::addColumn<bool>("dataDir");
        QTest::addColumn<bool>("userHas");
        QTest::addColumn<bool>("sharedHas");
        QTest::addColumn<QString>("readFrom");
        QTest::newRow("the user's copy wins") << false << true << true << QStringLiteral("user");
        QTest::newRow("the shared copy when the user has none") << false << false << true << QStringLiteral("shared");
        QTest::newRow("nowhere: the user's path") << false << false << false << QStringLiteral("user");
        QTest::newRow("TARELINK_DATA_DIR alone") << true << false << true << QStringLiteral("dataDir");
    }
    void folderResolution()
    {
        QFETCH(bool, dataDir);
        QFETCH(bool, userHas);
        QFETCH(bool, sharedHas);
        QFETCH(QString, readFrom);
        EnvGuard dataDirVar("TARELINK_DATA_DIR");
        EnvGuard home("XDG_DATA_HOME");
        EnvGuard dirs("XDG_DATA_DIRS");
        QTemporaryDir root;
        const QString sub = QString::fromLatin1(kDataSubfolder);
        const QMap<QString, QString> bases = {{QStringLiteral("user"), root.filePath(QStringLiteral("user/")) + sub},
                                              {QStringLiteral("shared"), root.filePath(QStringLiteral("sys/")) + sub},
                                              {QStringLiteral("dataDir"), root.filePath(QStringLiteral("own/"))}};
        const QString tpl = QStringLiteral("Configurations/615.tpl");
        auto put = [](const QString& path) {
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        if (userHas) put(bases[QStringLiteral("user")] + tpl);
        if (sharedHas) put(bases[QStringLiteral("shared")] + tpl);
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("user")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", root.filePath(QStringLiteral("sys")).toLocal8Bit());
        if (dataDir) {
            qputenv("TARELINK_DATA_DIR", bases[QStringLiteral("dataDir")].toLocal8Bit());
        } else {
            qunsetenv("TARELINK_DATA_DIR");
        }

        const Folders f = Folders::Compute();
        QCOMPARE(f.FindConfigurationFile(QStringLiteral("615.tpl")), bases[readFrom] + tpl);
        const QString writer = dataDir ? QStringLiteral("dataDir") : QStringLiteral("user");
        QCOMPARE(f.base, bases[writer]);
        QVERIFY(Folders::PrepareForWriting(f.temporary));
        QVERIFY(QFileInfo(bases[writer] + QStringLiteral("Temporary")).isDir());
        QVERIFY(!QFileInfo::exists(bases[QStringLiteral("shared")] + QStringLiteral("Temporary")));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
