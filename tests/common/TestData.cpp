// SPDX-License-Identifier: MIT
#include "TestData.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

TestData::TestData(bool copyData) : dir_(std::make_unique<QTemporaryDir>())
{
    const QString base = Base();
    if (copyData) {
        const QString from = SourceDir() + QStringLiteral("/data");
        QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString src = it.next();
            const QString dst = base + QDir(from).relativeFilePath(src);
            QDir().mkpath(QFileInfo(dst).path());
            QFile::copy(src, dst);
            QFile(dst).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        }
    }
    for (const char* sub : {"Configurations", "Tickets", "Resources", "HandHeld", "Temporary", "Printers"}) {
        QDir().mkpath(base + QLatin1String(sub));
    }
    qputenv("TARELINK_DATA_DIR", base.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (base + QStringLiteral(".config")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, base + QStringLiteral(".config"));
}

TestData::~TestData() = default;

QString TestData::Base() const { return dir_->path() + QLatin1Char('/'); }
QString TestData::Configurations() const { return Base() + QStringLiteral("Configurations/"); }
QString TestData::Path(const QString& relative) const { return Base() + relative; }

QString TestData::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    return path;
}

QByteArray TestData::ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TestData::SourceDir() { return QStringLiteral(TARELINK_SOURCE_DIR); }
