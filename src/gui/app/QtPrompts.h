// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "platform/Prompts.h"

// The window's answers to the workbench's questions: message boxes, file dialogs and the
// small choosing dialogs, all modal over the given parent.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent);

    Answer MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons, Icon icon) override;
    QString ChooseFile(const FileChoice& choice) override;
    bool SelectModel(QByteArray& chosen, const QList<QByteArray>& items) override;
    int KeyLockMask(int mask) override;
    int UpdateOption() override;
    int PickSlot() override;
    bool CommunicationSettings(CommSettings& settings, bool linkOpen) override;
    bool HandheldDescription(QByteArray& description) override;
    int ChooseHandheldConfiguration(const QByteArray& fileList) override;

    // "Text (*.x;*.y)|*.x;*.y|All Files (*.*)|*.*||" as name filters a file dialog understands:
    // "Text (*.x *.y)", "All Files (*)".
    static QStringList ConvertFilter(const QByteArray& filter);

private:
    QPointer<QWidget> parent_;
};
