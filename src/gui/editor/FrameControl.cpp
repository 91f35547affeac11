// SPDX-License-Identifier: MIT
#include "FrameControl.h"

#include "CCheckFrame.h"

namespace {

QGroupBox* MakeFrame(ControlKind kind, QWidget* page)
{
    if (kind == ControlKind::CheckFrame) return new CCheckFrame(page);
    auto* frame = new QGroupBox(page);
    frame->setFocusPolicy(Qt::NoFocus);
    // Made after its buttons, it would cover them and take their clicks.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->lower();
    return frame;
}

}  // namespace

FrameControl::FrameControl(const ControlSpec& spec, QWidget* page, Hooks hooks)
    : WidgetControl(spec, MakeFrame(spec.kind, page), std::move(hooks))
{
    Frame()->setCheckable(false);
    SetText(spec.text);
}

QGroupBox* FrameControl::Frame() const
{
    return static_cast<QGroupBox*>(Widget());
}

QByteArray FrameControl::Text() const
{
    if (auto* check = qobject_cast<CCheckFrame*>(Frame())) return check->Caption().toLatin1();
    return Frame() ? Frame()->title().toLatin1() : QByteArray();
}

void FrameControl::SetText(const QByteArray& text)
{
    if (auto* check = qobject_cast<CCheckFrame*>(Frame())) {
        check->SetCaption(QString::fromLatin1(text));
    } else if (Frame()) {
        Frame()->setTitle(QString::fromLatin1(text));
    }
}
