// SPDX-License-Identifier: MIT
#include "ReportPdf.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "ReportPainter.h"
#include "report/ReportLayout.h"

namespace {

constexpr char kCreator[] = "Tarelink";

}  // namespace

QString ReportPdf::Write(const ReportLayout& layout, const QString& path)
{
    const QFileInfo target(path);
    if (!target.absoluteDir().exists()) {
        return QStringLiteral("The folder %1 does not exist.").arg(target.absolutePath());
    }
    if (target.isDir()) return QStringLiteral("%1 is a folder.").arg(target.absoluteFilePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kResolution);
        writer.setTitle(layout.DocumentName());
        writer.setCreator(QLatin1String(kCreator));
        QPainter painter;
        if (painter.begin(&writer)) {
            painted = ReportPainter::Paint(layout, painter, writer);
            painted = painter.end() && painted;
        }
    }
    if (!painted) {
        file.cancelWriting();
        return QStringLiteral("The PDF pages could not be drawn.");
    }
    if (!file.commit()) return file.errorString();
    return QString();
}
