// SPDX-License-Identifier: MIT
#include "EntryControl.h"

#include <algorithm>

PlainEntryControl::PlainEntryControl(const ControlSpec& spec)
    : EntryControl(spec), text_(spec.text), writable_(spec.writable)
{
}

QByteArray PlainEntryControl::Text() const
{
    switch (Kind()) {
    case ControlKind::Combo:
        return current_ >= 0 && current_ < items_.size() ? items_[current_] : QByteArray();
    case ControlKind::UpDown:
        return QByteArray();
    default:
        return text_;
    }
}

void PlainEntryControl::SetText(const QByteArray& text)
{
    if (Kind() == ControlKind::Combo) {
        const int i = int(items_.indexOf(text));
        if (i >= 0) current_ = i;
        return;
    }
    text_ = text;
}

void PlainEntryControl::SetChecked(bool checked)
{
    checked_ = checked;
}

QByteArray PlainEntryControl::ItemText(int index) const
{
    return index >= 0 && index < items_.size() ? items_[index] : QByteArray();
}

void PlainEntryControl::SetCurrentIndex(int index)
{
    current_ = index >= 0 && index < items_.size() ? index : -1;
}

void PlainEntryControl::SetRange(int low, int high)
{
    low_ = low;
    high_ = high;
}

void PlainEntryControl::SetPos(int pos)
{
    const int lo = std::min(low_, high_);
    const int hi = std::max(low_, high_);
    pos_ = std::clamp(pos, lo, hi);
    if (Buddy()) Buddy()->SetText(QByteArray::number(pos_));
}
