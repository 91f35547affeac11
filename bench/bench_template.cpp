// SPDX-License-Identifier: MIT
// How long reading and writing a template takes: every template of the data folder
// ($TARELINK_DATA_DIR or the installed one), or the files given, read and written many times.
// Prints the time per file.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "model/ConfigModel.h"
#include "model/ConfigReader.h"
#include "model/ConfigWriter.h"
#include "platform/Folders.h"

namespace {

constexpr int kRounds = 500;

class QuietHooks : public ReaderHooks {
public:
    void Log(const QByteArray&, int) override {}
    bool Exchange(const QByteArray&, QByteArray&) override { return false; }
    void ConfigurationMismatch() override {}
    void SetTicketCount(int count) override { slots = count; }
    void LoadTicketData(QIODevice& stream) override { stream.readAll(); }
    int slots = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        const QDir folder(Folders::Compute().configurations);
        for (const QString& name : folder.entryList({QStringLiteral("*.tpl")}, QDir::Files)) {
            files.append(folder.filePath(name));
        }
    }
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        qint64 written = 0;
        for (int i = 0; i < kRounds; ++i) {
            ConfigModel model;
            QuietHooks hooks;
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            ConfigReader::ReadConfiguration(model, &buffer, 1, hooks);
            written += ConfigWriter::FormatConfiguration(model, model.fileDevice, hooks.slots).size();
        }
        std::printf("%-40s %8.1f us per read and write (%lld bytes written)\n", qPrintable(QDir(path).dirName()),
                    double(timer.nsecsElapsed()) / 1000.0 / kRounds, written / kRounds);
    }
    return 0;
}
