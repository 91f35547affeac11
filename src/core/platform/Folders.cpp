// SPDX-License-Identifier: MIT
#include "Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

#ifdef TARELINK_INSTALLED_DATA_FOLDER
constexpr char kInstalledDataFolder[] = TARELINK_INSTALLED_DATA_FOLDER;
#else
constexpr char kInstalledDataFolder[] = "../share/tarelink/";
#endif

QString WithSeparator(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/'))) return path;
    return path + QLatin1Char('/');
}

}  // namespace

QString Folders::InstalledBase()
{
    if (!QCoreApplication::instance()) return QString();
    const QString folder =
        QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kInstalledDataFolder)));
    return QFileInfo(folder).isDir() ? WithSeparator(folder) : QString();
}

Folders Folders::FromBase(const QString& baseFolder, const QStringList& shared)
{
    Folders f;
    f.base = WithSeparator(baseFolder);
    for (const QString& s : shared) {
        const QString folder = WithSeparator(s);
        if (!folder.isEmpty() && folder != f.base && !f.sharedBases.contains(folder)) f.sharedBases << folder;
    }
    if (!f.base.isEmpty()) {
        f.temporary = f.base + QStringLiteral("Temporary/");
        f.tickets = f.base + QStringLiteral("Tickets/");
        f.configurations = f.base + QLatin1String(kConfigurationsSubfolder);
        f.resources = f.base + QLatin1String(kResourcesSubfolder);
        f.handheld = f.base + QStringLiteral("HandHeld/");
        f.printers = f.base + QStringLiteral("Printers/");
        // The user guide ships with the data set: the user's copy, else the installed one.
        f.helpFile = f.FindResourceFile(QString::fromLatin1(kHelpIndexFile));
        f.lastTransfer = f.tickets;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) f.handheldSync = WithSeparator(documents) + QString::fromLatin1(kHandheldSyncSubfolder);
    return f;
}

Folders Folders::Compute()
{
    const QString fromEnv = qEnvironmentVariable("TARELINK_DATA_DIR");
    if (!fromEnv.isEmpty()) return FromBase(fromEnv);

    const QString sub = QString::fromLatin1(kDataSubfolder);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList shared;
    for (const QString& location : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = WithSeparator(location) + sub;
        if (QFileInfo(folder).isDir()) shared << folder;
    }
    shared << InstalledBase();
    return FromBase(user.isEmpty() ? QString() : WithSeparator(user) + sub, shared);
}

QString Folders::FindReadOnly(const QString& relativePath) const
{
    for (const QString& folder : QStringList{base} + sharedBases) {
        if (folder.isEmpty()) continue;
        const QString path = folder + relativePath;
        if (QFileInfo(path).isFile()) return path;
    }
    return base + relativePath;
}

QString Folders::FindConfigurationFile(const QString& name) const
{
    return FindReadOnly(QLatin1String(kConfigurationsSubfolder) + name);
}

QString Folders::FindResourceFile(const QString& name) const
{
    return FindReadOnly(QLatin1String(kResourcesSubfolder) + name);
}

bool Folders::PrepareForWriting(const QString& folder)
{
    return folder.isEmpty() || QDir().mkpath(folder);
}
