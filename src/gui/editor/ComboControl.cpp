// SPDX-License-Identifier: MIT
#include "ComboControl.h"

#include <QComboBox>
#include <QSignalBlocker>

ComboControl::ComboControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, new QComboBox(page), std::move(hooks))
{
    Combo()->setEditable(false);
    Combo()->setInsertPolicy(QComboBox::NoInsert);
    // Only what the user picks is a selection change; what the program sets is not.
    Watch(Combo(), &QComboBox::activated, [this](int) { Notify(ControlNotification::SelectionChanged); });
}

QComboBox* ComboControl::Combo() const
{
    return static_cast<QComboBox*>(Widget());
}

QByteArray ComboControl::Text() const
{
    if (!Combo() || Combo()->currentIndex() < 0) return QByteArray();
    return Combo()->currentText().toLatin1();
}

void ComboControl::SetText(const QByteArray& text)
{
    if (!Combo()) return;
    const int index = Combo()->findText(QString::fromLatin1(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) SetCurrentIndex(index);
}

void ComboControl::AddItem(const QByteArray& text)
{
    if (!Combo()) return;
    const QSignalBlocker quiet(Combo());
    const bool first = Combo()->count() == 0;
    Combo()->addItem(QString::fromLatin1(text));
    // A new list has no selection until one is made; the widget would pick the first item.
    if (first) Combo()->setCurrentIndex(-1);
}

int ComboControl::ItemCount() const
{
    return Combo() ? Combo()->count() : 0;
}

QByteArray ComboControl::ItemText(int index) const
{
    return Combo() ? Combo()->itemText(index).toLatin1() : QByteArray();
}

int ComboControl::CurrentIndex() const
{
    return Combo() ? Combo()->currentIndex() : -1;
}

void ComboControl::SetCurrentIndex(int index)
{
    if (!Combo()) return;
    const QSignalBlocker quiet(Combo());
    Combo()->setCurrentIndex(index >= 0 && index < Combo()->count() ? index : -1);
}
