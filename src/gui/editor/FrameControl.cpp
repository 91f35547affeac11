// SPDX-License-Identifier: MIT
#include "FrameControl.h"

#include <QGroupBox>

FrameControl::FrameControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, new QGroupBox(page), std::move(hooks))
{
    Frame()->setCheckable(false);
    Frame()->setFocusPolicy(Qt::NoFocus);
    if (spec.kind == ControlKind::GroupFrame) {
        // Made after its buttons, it would cover them and take their clicks.
        Frame()->setAttribute(Qt::WA_TransparentForMouseEvents);
        Frame()->lower();
    }
    SetText(spec.text);
}

QGroupBox* FrameControl::Frame() const
{
    return static_cast<QGroupBox*>(Widget());
}

QByteArray FrameControl::Text() const
{
    return Frame() ? Frame()->title().toLatin1() : QByteArray();
}

void FrameControl::SetText(const QByteArray& text)
{
    if (Frame()) Frame()->setTitle(QString::fromLatin1(text));
}
