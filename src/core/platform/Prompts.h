// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "CommSettings.h"

// Everything that needs a person to answer goes through this interface: the window answers
// with real dialogs, the command line from its options, tests from a script.
class Prompts {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { None, Question, Exclamation, Stop, Information };
    enum class Answer { Ok, Cancel, Yes, No };

    // A file choice. The filter is written as the system writes it:
    // "Configuration Files (*.csc)|*.csc||".
    struct FileChoice {
        bool save = false;
        QString initialFolder;
        QString defaultName;
        QString defaultExtension;  // without the dot; empty for none
        QByteArray filter;
        bool overwritePrompt = false;
        bool hideReadOnly = true;
    };

    virtual ~Prompts() = default;

    // A message box. `caption` empty means the application's name.
    virtual Answer MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons, Icon icon) = 0;
    // An open or save dialog; an empty result means cancelled.
    virtual QString ChooseFile(const FileChoice& choice) = 0;
    // "Select indicator model": `items` are the lines of mod.ini in file order; `chosen` comes in
    // with the remembered text and goes out with the selection. False when cancelled.
    virtual bool SelectModel(QByteArray& chosen, const QList<QByteArray>& items) = 0;
    // "Keylock settings": shown with the mask's boxes ticked; every close returns the boxes' mask.
    virtual int KeyLockMask(int mask) = 0;
    // "Update Device Option": 0 = "Send Setup Only", 1 = "Send Setup and Tickets".
    virtual int UpdateOption() = 0;
    // "Ticket slot": 1 to kTicketSlotButtons, or 0 when cancelled.
    virtual int PickSlot() = 0;
    // "Communication settings", edited in place. `linkOpen` makes OK ask to disconnect first.
    // True when confirmed with OK.
    virtual bool CommunicationSettings(CommSettings& settings, bool linkOpen) = 0;

    // "File description": the name a handheld PC keeps a configuration under, edited in place
    // and cut to its length on OK. False when not confirmed. A prompter without the dialog
    // cancels.
    virtual bool HandheldDescription(QByteArray& description)
    {
        Q_UNUSED(description);
        return false;
    }
    // "Handheld configurations": the handheld's file list (its lines joined) shown as the
    // rows of HandheldFileList. The chosen row, 0 to 9, or -1 when cancelled or when no row
    // was selected. A prompter without the dialog cancels.
    virtual int ChooseHandheldConfiguration(const QByteArray& fileList)
    {
        Q_UNUSED(fileList);
        return -1;
    }
};

// Nobody there to answer (a benchmark, a fuzz target, a picture taker): every box is answered
// OK, every choice and dialog is cancelled, the key lock mask stays as it is.
class DecliningPrompts : public Prompts {
public:
    Answer MessageBox(const QByteArray&, const QByteArray&, Buttons, Icon) override { return Answer::Ok; }
    QString ChooseFile(const FileChoice&) override { return QString(); }
    bool SelectModel(QByteArray&, const QList<QByteArray>&) override { return false; }
    int KeyLockMask(int mask) override { return mask; }
    int UpdateOption() override { return 0; }
    int PickSlot() override { return 0; }
    bool CommunicationSettings(CommSettings&, bool) override { return false; }
};

// The slot picker ("Ticket slot") offers the slots 1 to this.
inline constexpr int kTicketSlotButtons = 6;

// The application's name, the caption of boxes that have none of their own.
inline constexpr char kAppName[] = "Tarelink";
