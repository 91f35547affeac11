// SPDX-License-Identifier: MIT
#pragma once

// The tool tips of the generated controls wait a second before they show (Qt's own wait is
// 0.7 s) and, as Qt's do, stay about ten seconds. The wait is a style hint, so the
// application's style is wrapped once in a style that answers it; the look does not change.
namespace ToolTipTiming {

constexpr int kWakeUpDelayMs = 1000;

// Wraps the application's style once; later calls change nothing.
void Install();

}  // namespace ToolTipTiming
