// SPDX-License-Identifier: MIT
#include "CliRun.h"

#include <QProcess>
#include <QSignalSpy>

namespace {

// A whole run may read a template, build its pages and talk to a device; generous for a busy machine.
constexpr int kRunBoundMs = 60000;

}  // namespace

CliRun::CliRun(const QStringList& args, const QString& workingDir, const QProcessEnvironment& env)
{
    QProcess p;
    if (!workingDir.isEmpty()) p.setWorkingDirectory(workingDir);
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    QSignalSpy done(&p, &QProcess::finished);
    p.start(Program(), args);
    if (!p.waitForStarted()) return;
    if (!(done.count() || done.wait(kRunBoundMs))) {
        p.kill();
        p.waitForFinished();
        return;
    }
    code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    out = p.readAllStandardOutput();
    err = p.readAllStandardError();
}

QList<QByteArray> CliRun::ErrLines() const
{
    QList<QByteArray> lines = err.split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

QString CliRun::Program() { return QStringLiteral(TARELINK_BINARY_DIR "/src/main/tarelink-cli"); }
