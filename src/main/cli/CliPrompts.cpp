// SPDX-License-Identifier: MIT
#include "CliPrompts.h"

#include <cstdio>

Prompts::Answer CliPrompts::MessageBox(const QByteArray& text, const QByteArray&, Buttons buttons, Icon)
{
    std::fprintf(stderr, "Message: %s\n", text.constData());
    return buttons == Buttons::Ok ? Answer::Ok : questionAnswer;
}

QString CliPrompts::ChooseFile(const FileChoice& choice)
{
    return choice.save ? savePath : QString();
}

bool CliPrompts::SelectModel(QByteArray&, const QList<QByteArray>&)
{
    return false;
}
