// SPDX-License-Identifier: MIT
#include "CliPrompts.h"

#include <cstdio>

#include "handheld/HandheldFileList.h"
#include "handheld/HandheldLink.h"

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

bool CliPrompts::HandheldDescription(QByteArray& description)
{
    if (handheldDescription.isEmpty()) return false;
    description = handheldDescription.left(kHandheldDescriptionLength);
    return true;
}

int CliPrompts::ChooseHandheldConfiguration(const QByteArray& fileList)
{
    const QList<QByteArray> rows = HandheldFileList::Rows(fileList);
    for (int i = 0; i < rows.size(); ++i) std::printf("%d\t%s\n", i, rows.at(i).constData());
    std::fflush(stdout);
    return handheldRow;
}
