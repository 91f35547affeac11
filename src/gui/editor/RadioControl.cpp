// SPDX-License-Identifier: MIT
#include "RadioControl.h"

#include <QButtonGroup>
#include <QRadioButton>

RadioControl::RadioControl(const ControlSpec& spec, QWidget* page, QButtonGroup* group, Hooks hooks)
    : WidgetControl(spec, new QRadioButton(page), std::move(hooks))
{
    if (group) group->addButton(Button());
    SetText(spec.text);
    Watch(Button(), &QAbstractButton::clicked, [this](bool) { Notify(ControlNotification::Clicked); });
}

QRadioButton* RadioControl::Button() const
{
    return static_cast<QRadioButton*>(Widget());
}

QByteArray RadioControl::Text() const
{
    return Button() ? Button()->text().toLatin1() : QByteArray();
}

void RadioControl::SetText(const QByteArray& text)
{
    if (Button()) Button()->setText(QString::fromLatin1(text));
}

bool RadioControl::IsChecked() const
{
    return Button() && Button()->isChecked();
}

void RadioControl::SetChecked(bool checked)
{
    QRadioButton* button = Button();
    if (!button) return;
    // An exclusive group refuses to uncheck its checked button; the program may.
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && !checked) group->setExclusive(false);
    button->setChecked(checked);
    if (exclusive && !checked) group->setExclusive(true);
}
