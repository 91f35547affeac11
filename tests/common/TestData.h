// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A private data folder for one test: a copy of the repository's data/ (or only the empty
// folders), with TARELINK_DATA_DIR pointing at it and the settings store redirected into
// it, so no test touches the user's files.
class TestData {
public:
    explicit TestData(bool copyData = true);
    ~TestData();

    QString Base() const;           // ends with '/'
    QString Configurations() const;  // ends with '/'
    QString Path(const QString& relative) const;
    // Writes a file below the base folder (parents created); returns its path.
    QString Write(const QString& relative, const QByteArray& bytes) const;

    static QByteArray ReadAll(const QString& path);
    static QString SourceDir();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};
