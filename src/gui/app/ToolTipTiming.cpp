// SPDX-License-Identifier: MIT
#include "ToolTipTiming.h"

#include <QApplication>
#include <QProxyStyle>

namespace {

class ToolTipTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay) return ToolTipTiming::kWakeUpDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

void ToolTipTiming::Install()
{
    if (dynamic_cast<ToolTipTimingStyle*>(QApplication::style())) return;
    // The style in use (the desktop's, or one chosen with -style) stays underneath.
    QApplication::setStyle(new ToolTipTimingStyle(QApplication::style()->name()));
}
