// SPDX-License-Identifier: MIT
#include "Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString WithSeparator(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/'))) return path;
    return path + QLatin1Char('/');
}
}  // namespace

QString Folders::FindBase()
{
    const QString fromEnv = qEnvironmentVariable("TARELINK_DATA_DIR");
    if (!fromEnv.isEmpty()) return WithSeparator(fromEnv);

    const QString sub = QString::fromLatin1(kDataSubfolder);
    for (const QString& location : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (QFileInfo(QDir(location).filePath(sub)).isDir()) return WithSeparator(location) + sub;
    }
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return user.isEmpty() ? QString() : WithSeparator(user) + sub;
}

Folders Folders::FromBase(const QString& baseFolder)
{
    Folders f;
    f.base = WithSeparator(baseFolder);
    if (!f.base.isEmpty()) {
        f.temporary = f.base + QStringLiteral("Temporary/");
        f.tickets = f.base + QStringLiteral("Tickets/");
        f.configurations = f.base + QStringLiteral("Configurations/");
        f.resources = f.base + QStringLiteral("Resources/");
        f.handheld = f.base + QStringLiteral("HandHeld/");
        f.printers = f.base + QStringLiteral("Printers/");
        f.helpFile = f.resources + QString::fromLatin1(kHelpIndexFile);
        f.lastTransfer = f.tickets;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) f.handheldSync = WithSeparator(documents) + QString::fromLatin1(kHandheldSyncSubfolder);
    return f;
}

Folders Folders::Compute()
{
    return FromBase(FindBase());
}
