// SPDX-License-Identifier: MIT
#include "ButtonControl.h"

#include <QPushButton>

ButtonControl::ButtonControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, new QPushButton(page), std::move(hooks))
{
    // Enter belongs to the window, never to a page button.
    Button()->setAutoDefault(false);
    SetText(spec.text);
    Watch(Button(), &QAbstractButton::clicked, [this](bool) { Notify(ControlNotification::Clicked); });
}

QPushButton* ButtonControl::Button() const
{
    return static_cast<QPushButton*>(Widget());
}

QByteArray ButtonControl::Text() const
{
    return Button() ? Button()->text().toLatin1() : QByteArray();
}

void ButtonControl::SetText(const QByteArray& text)
{
    if (Button()) Button()->setText(QString::fromLatin1(text));
}
