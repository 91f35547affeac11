// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QPointer>
#include <memory>

#include "WidgetControl.h"

class PageArea;
class QButtonGroup;

// Makes the widget-backed control a ControlSpec describes: the widget of its kind on
// the page of its tab, at exactly its rectangle, in its font, hidden, with an
// accessible name made of its entry's code and label.
class ControlFactory {
public:
    // Every control on the page of its tab in the area.
    explicit ControlFactory(PageArea* area);
    // Every control on one widget, whatever its tab; the widget takes the controls' font.
    explicit ControlFactory(QWidget* page);

    std::unique_ptr<EntryControl> Create(const ControlSpec& spec, const WidgetControl::Hooks& hooks);

    // "Arial Bold" 8 pt for captions and radio frames, "Arial" 9 pt for the controls;
    // a metric-compatible family stands in where Arial is not installed.
    static QFont MakeCaptionFont();
    static QFont MakeControlFont();
    // The name screen readers (and tests) find a control by.
    static QString AccessibleName(const ControlSpec& spec);

private:
    QPointer<PageArea> area_;
    QPointer<QWidget> page_;
    QFont captionFont_;
    // How tall a closed drop-down list is in the controls' font; the same for every list.
    int comboHeight_ = -1;
    // The exclusive group of the radio entry being built.
    QPointer<QButtonGroup> radioGroup_;
};
