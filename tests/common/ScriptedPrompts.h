// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Prompts.h"

// Prompts answered from a script, recording every prompt with its exact text and caption.
// An unscripted message box answers Cancel (or OK for an OK-only box); an unscripted file
// choice cancels; an unscripted model choice keeps the offered text and confirms.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QByteArray kind;  // "box", "file", "model", "keylock", "update", "slot", "comm", "description",
                          // "handheld list"
        QByteArray text;
        QByteArray caption;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        FileChoice file;
    };

    Answer MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons, Icon icon) override;
    QString ChooseFile(const FileChoice& choice) override;
    bool SelectModel(QByteArray& chosen, const QList<QByteArray>& items) override;
    int KeyLockMask(int mask) override;
    int UpdateOption() override;
    int PickSlot() override;
    bool CommunicationSettings(CommSettings& settings, bool linkOpen) override;
    // "description" shown with the text offered; "handheld list" with the joined file list.
    bool HandheldDescription(QByteArray& description) override;
    int ChooseHandheldConfiguration(const QByteArray& fileList) override;

    // Scripted answers, used in order. An empty file or model text cancels; a settings edit
    // returns whether OK was pressed.
    std::deque<Answer> answers;
    std::deque<QString> files;
    std::deque<QByteArray> models;
    std::deque<int> keyLockMasks, updateOptions, slots;
    std::deque<QByteArray> descriptions;  // "" = cancel; none scripted cancels
    std::deque<int> handheldRows;         // -1 = cancel; none scripted cancels
    std::deque<std::function<bool(CommSettings&, bool)>> commEdits;

    std::vector<Shown> shown;
    QList<QByteArray> lastModelItems;
    int lastKeyLockMaskIn = -1;

    // The texts of every message box shown, in order.
    QList<QByteArray> BoxTexts() const;
    int CountOf(const QByteArray& kind) const;

private:
    void Record(const QByteArray& kind, const QByteArray& text = QByteArray());
};
