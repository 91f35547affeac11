// SPDX-License-Identifier: MIT
// Placeholder: replaced by the catalogue.
#include "Catalogue.h"
namespace Catalogue {
void LoadRevisionCatalogue(std::vector<CRevItem>&, const QString&) {}
QByteArray TemplateNameFor(const std::vector<CRevItem>&, float m, float) { return QByteArray::number(int(m)) + ".tpl"; }
QByteArray TemplateNameForModel(const std::vector<CRevItem>&, float m) { return QByteArray::number(int(m)) + ".tpl"; }
QList<QByteArray> LoadModelList(const QString&) { return {}; }
ModelChoices MakeModelChoices(const QList<QByteArray>& lines) { return {lines, lines.size() > 1 ? 1 : -1}; }
}
