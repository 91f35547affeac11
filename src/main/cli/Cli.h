// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <memory>

class QCoreApplication;

// The command line's commands. Each takes the arguments after its name and returns the exit code.
namespace Cli {

int Dump(const QStringList& args);
int Resave(const QStringList& args);
int Identify(const QStringList& args);
int Read(const QStringList& args);
int Update(const QStringList& args);
int Diff(const QStringList& args);
// "handheld send|read|export|import ...": the handheld PC and handheld files.
int Handheld(const QStringList& args);
// "idstorage receive|send ...": the ID storage records of a 637.
int IdStorage(const QStringList& args);
int Relay(const QStringList& args);
int Report(const QStringList& args);
int Ticket(const QStringList& args);

// The application object a command line needs: a GUI one (offscreen) only where a command
// paints, a core one otherwise.
std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv);

// Shared by the commands: "--data DIR" sets the base data folder like TARELINK_DATA_DIR.
// Removes the option from `args`; false (with a message on stderr) when DIR is missing.
bool TakeDataOption(QStringList& args);

}  // namespace Cli
