// SPDX-License-Identifier: MIT
// Placeholder: replaced by the window.
namespace tarelink_gui_placeholder { int unused = 0; }
