// SPDX-License-Identifier: MIT
// Placeholder: replaced by the event processing.
#include "Workbench.h"
void Workbench::OnEventTrigger(int) {}
void Workbench::Reformat(ConfigEntry*, int) {}
