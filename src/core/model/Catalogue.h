// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

#include "CRevItem.h"

// The revision catalogue ("rev.ini") and the model list ("mod.ini").
namespace Catalogue {

inline constexpr char kRevisionFile[] = "rev.ini";
inline constexpr char kModelListFile[] = "mod.ini";

// Reads a "rev.ini"; a missing or empty file leaves the list empty.
void LoadRevisionCatalogue(std::vector<CRevItem>& catalogue, const QString& revIniPath);
// The template for an exact model and revision (32-bit equality), else "%d.tpl".
QByteArray TemplateNameFor(const std::vector<CRevItem>& catalogue, float model, float revision);
// The template of the last record for the model with a revision above 0, else "%d.tpl".
QByteArray TemplateNameForModel(const std::vector<CRevItem>& catalogue, float model);
// The lines of a "mod.ini" as the selection dialog adds them (every line, in file order).
QList<QByteArray> LoadModelList(const QString& modIniPath);

}  // namespace Catalogue

namespace Catalogue {

// What the "Select indicator model" list shows: every mod.ini line added in order, the second
// item selected, then empty items removed from the last to the first (the selection follows
// its item; it is lost when its item is removed).
struct ModelChoices {
    QList<QByteArray> items;
    int selected = -1;
};
ModelChoices MakeModelChoices(const QList<QByteArray>& lines);

}  // namespace Catalogue
