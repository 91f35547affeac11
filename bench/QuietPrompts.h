// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>

#include "platform/Prompts.h"

// Nobody answers boxes in a benchmark: each box is printed on stderr and answered OK, every
// choice is cancelled.
class QuietPrompts : public Prompts {
public:
    Answer MessageBox(const QByteArray& text, const QByteArray&, Buttons, Icon) override
    {
        std::fprintf(stderr, "box: %s\n", text.constData());
        return Answer::Ok;
    }
    QString ChooseFile(const FileChoice&) override { return QString(); }
    bool SelectModel(QByteArray&, const QList<QByteArray>&) override { return false; }
    int KeyLockMask(int mask) override { return mask; }
    int UpdateOption() override { return 0; }
    int PickSlot() override { return 0; }
    bool CommunicationSettings(CommSettings&, bool) override { return false; }
};
