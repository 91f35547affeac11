// SPDX-License-Identifier: MIT
#include "CliPrompts.h"

#include <cstdio>

Prompts::Answer CliPrompts::MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons, Icon)
{
    std::fprintf(stderr, "%s: %s\n", caption.isEmpty() ? kAppName : caption.constData(), text.constData());
    return buttons == Buttons::Ok ? Answer::Ok : questionAnswer;
}

QString CliPrompts::ChooseFile(const FileChoice& choice)
{
    return choice.save ? savePath : openPath;
}

bool CliPrompts::SelectModel(QByteArray&, const QList<QByteArray>&)
{
    return false;
}
