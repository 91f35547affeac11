// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// One record of the revision catalogue: which template serves a model at a firmware revision.
struct CRevItem {
    float model = 0.0f;
    float revision = 0.0f;
    QByteArray templateName;
};
