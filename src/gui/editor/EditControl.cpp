// SPDX-License-Identifier: MIT
#include "EditControl.h"

#include "CEditEx.h"

EditControl::EditControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, new CEditEx(page), std::move(hooks))
{
    CEditEx* box = Edit();
    box->SetNumeric(spec.numeric);
    box->SetWritable(spec.writable);
    SetText(spec.text);
    Watch(box, &CEditEx::FocusLost, [this]() { Notify(ControlNotification::FocusLost); });
    Watch(box, &QLineEdit::textEdited, [this](const QString&) { Edited(); });
}

CEditEx* EditControl::Edit() const
{
    return static_cast<CEditEx*>(Widget());
}

QByteArray EditControl::Text() const
{
    return Edit() ? Edit()->text().toLatin1() : QByteArray();
}

void EditControl::SetText(const QByteArray& text)
{
    if (!Edit()) return;
    Edit()->setText(QString::fromLatin1(text));
    // A long value shows its beginning, as a freshly filled box does.
    Edit()->setCursorPosition(0);
}

bool EditControl::IsWritable() const
{
    return Edit() && Edit()->IsWritable();
}

void EditControl::SetWritable(bool writable)
{
    if (Edit()) Edit()->SetWritable(writable);
}
