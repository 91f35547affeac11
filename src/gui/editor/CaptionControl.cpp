// SPDX-License-Identifier: MIT
#include "CaptionControl.h"

#include <QLabel>

CaptionControl::CaptionControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, new QLabel(page), std::move(hooks))
{
    // Codes are shown as they are: no markup, no mnemonics.
    Label()->setTextFormat(Qt::PlainText);
    Label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetText(spec.text);
}

QLabel* CaptionControl::Label() const
{
    return static_cast<QLabel*>(Widget());
}

QByteArray CaptionControl::Text() const
{
    return Label() ? Label()->text().toLatin1() : QByteArray();
}

void CaptionControl::SetText(const QByteArray& text)
{
    if (Label()) Label()->setText(QString::fromLatin1(text));
}
