// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "platform/Prompts.h"

// Prompts for the command line: no person is there, so every question gets the answer a
// careful technician would give without seeing the screen, and every message box is
// written to stderr as "<caption>: <text>" (the application's name when it has none).
class CliPrompts : public Prompts {
public:
    Answer MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons, Icon icon) override;
    // The save dialog answers with `savePath`, the open dialog with `openPath` (set by the
    // command); empty cancels.
    QString ChooseFile(const FileChoice& choice) override;
    bool SelectModel(QByteArray& chosen, const QList<QByteArray>& items) override;
    int KeyLockMask(int mask) override { return mask; }
    int UpdateOption() override { return updateOption; }
    int PickSlot() override { return slot; }
    bool CommunicationSettings(CommSettings&, bool) override { return false; }
    // Answers with `handheldDescription` (cut to the dialog's length); cancels when it is empty.
    bool HandheldDescription(QByteArray& description) override;
    // Prints the rows to stdout, one per line, and answers with `handheldRow`.
    int ChooseHandheldConfiguration(const QByteArray& fileList) override;

    // Questions (Yes/No, Yes/No/Cancel) are answered with this; OK boxes with OK.
    Answer questionAnswer = Answer::No;
    QString savePath;
    QString openPath;
    // "Ticket slot": the slot chosen, 0 for cancel.
    int slot = 0;
    QByteArray handheldDescription;
    int handheldRow = -1;
    // "Update Device Option": 0 "Send Setup Only", 1 "Send Setup and Tickets".
    int updateOption = 0;
};
