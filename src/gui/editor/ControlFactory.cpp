// SPDX-License-Identifier: MIT
#include "ControlFactory.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLoggingCategory>
#include <QRadioButton>

#include "ButtonControl.h"
#include "CaptionControl.h"
#include "CUpDown.h"
#include "ComboControl.h"
#include "EditControl.h"
#include "FrameControl.h"
#include "RadioControl.h"
#include "UpDownControl.h"
#include "model/ConfigEntry.h"

Q_LOGGING_CATEGORY(lcEditor, "tarelink.editor", QtWarningMsg)

namespace {

constexpr int kCaptionPointSize = 8;
constexpr int kControlPointSize = 9;

void SubstituteArial()
{
    static const bool done = []() {
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(done);
}

}  // namespace

ControlFactory::ControlFactory(QWidget* page) : page_(page)
{
    SubstituteArial();
}

QFont ControlFactory::MakeCaptionFont()
{
    SubstituteArial();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(kCaptionPointSize);
    font.setBold(true);
    return font;
}

QFont ControlFactory::MakeControlFont()
{
    SubstituteArial();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(kControlPointSize);
    return font;
}

QString ControlFactory::AccessibleName(const ControlSpec& spec)
{
    if (!spec.entry) return QString::fromLatin1(spec.text);
    QByteArray name = spec.entry->code;
    if (!spec.entry->label.isEmpty()) name += ": " + spec.entry->label;
    return QString::fromLatin1(name);
}

std::unique_ptr<EntryControl> ControlFactory::Create(const ControlSpec& spec, const WidgetControl::Hooks& hooks)
{
    QWidget* page = page_;
    std::unique_ptr<WidgetControl> control;
    switch (spec.kind) {
    case ControlKind::Caption:
        control = std::make_unique<CaptionControl>(spec, page, hooks);
        break;
    case ControlKind::Edit:
        control = std::make_unique<EditControl>(spec, page, hooks);
        break;
    case ControlKind::Combo:
        control = std::make_unique<ComboControl>(spec, page, hooks);
        break;
    case ControlKind::UpDown:
        control = std::make_unique<UpDownControl>(spec, page, hooks);
        break;
    case ControlKind::Radio: {
        const bool newGroup = spec.groupStart || !radioGroup_;
        QButtonGroup* group = newGroup ? new QButtonGroup(page) : radioGroup_.data();
        auto radio = std::make_unique<RadioControl>(spec, page, group, hooks);
        // The group lives as long as the first button of its entry.
        if (newGroup) {
            group->setParent(radio->Button());
            radioGroup_ = group;
        }
        control = std::move(radio);
        break;
    }
    case ControlKind::CheckFrame:
    case ControlKind::GroupFrame:
        control = std::make_unique<FrameControl>(spec, page, hooks);
        break;
    case ControlKind::Button:
        control = std::make_unique<ButtonControl>(spec, page, hooks);
        break;
    }
    if (!control) {
        qCWarning(lcEditor) << "no widget for control kind" << int(spec.kind);
        return nullptr;
    }

    QWidget* w = control->Widget();
    w->setFont(spec.font == ControlFont::Caption ? MakeCaptionFont() : MakeControlFont());
    const PixelRect& r = spec.rect;
    int height = r.Height();
    // A list's rectangle includes the part that drops down; the closed box is as tall as
    // the font needs.
    if (spec.kind == ControlKind::Combo) height = std::min(height, w->sizeHint().height());
    w->setGeometry(r.left, r.top, r.Width(), height);
    // The arrows take the right end of their box, as a spin box's do.
    if (auto* arrows = qobject_cast<CUpDown*>(w)) arrows->AlignToBuddy();
    w->setAccessibleName(AccessibleName(spec));
    // Every control is made hidden; the page shown decides.
    w->hide();
    return control;
}
