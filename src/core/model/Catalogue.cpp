// SPDX-License-Identifier: MIT
#include "Catalogue.h"

#include <QFile>
#include <QLoggingCategory>

#include "TextConv.h"

Q_LOGGING_CATEGORY(lcCatalogue, "tarelink.model.catalogue", QtWarningMsg)

namespace Catalogue {

namespace {

// Lines of both catalogue files are at most this long; the rest of a longer line is dropped.
constexpr int kMaxCatalogueLine = 127;

// One line up to LF (the CR of a CR LF pair stays), cut to the limit. False at the end.
bool ReadCatalogueLine(QFile& file, QByteArray& line)
{
    if (file.atEnd()) return false;
    line.clear();
    char c = 0;
    while (file.getChar(&c) && c != '\n') {
        if (line.size() < kMaxCatalogueLine) line.append(c);
    }
    line = TextConv::CString(line);
    return true;
}

QByteArray DefaultTemplateName(float model)
{
    return TextConv::Dec(TextConv::TruncateToInt(double(model))) + ".tpl";
}

}  // namespace

void LoadRevisionCatalogue(std::vector<CRevItem>& catalogue, const QString& revIniPath)
{
    catalogue.clear();
    QFile file(revIniPath);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcCatalogue) << "no revision catalogue at" << file.fileName();
        return;
    }
    QByteArray line;
    while (ReadCatalogueLine(file, line)) {
        if (line.isEmpty() || !line.contains('{')) continue;
        CRevItem item;
        item.model = float(TextConv::Atof(line.mid(1)));
        // The revision line is taken even at the end of the file, where it reads as empty.
        QByteArray revision;
        ReadCatalogueLine(file, revision);
        const int cr = revision.indexOf('\r');
        if (cr >= 0) revision.remove(cr, 1);
        item.revision = float(TextConv::Atof(revision));
        const int equals = revision.indexOf('=');
        item.templateName = equals >= 0 ? revision.mid(equals + 2) : DefaultTemplateName(item.model);
        catalogue.push_back(item);
    }
}

QByteArray TemplateNameFor(const std::vector<CRevItem>& catalogue, float model, float revision)
{
    for (const CRevItem& item : catalogue) {
        if (item.model == model && item.revision == revision) return item.templateName;
    }
    return DefaultTemplateName(model);
}

QByteArray TemplateNameForModel(const std::vector<CRevItem>& catalogue, float model)
{
    QByteArray name;
    bool found = false;
    for (const CRevItem& item : catalogue) {
        if (item.model == model && item.revision > 0.0f) {
            name = item.templateName;
            found = true;
        }
    }
    return found ? name : DefaultTemplateName(model);
}

QList<QByteArray> LoadModelList(const QString& modIniPath)
{
    QList<QByteArray> lines;
    QFile file(modIniPath);
    if (!file.open(QIODevice::ReadOnly)) return lines;
    QByteArray line;
    while (ReadCatalogueLine(file, line)) {
        if (line.endsWith('\r')) line.chop(1);
        lines.append(line);
    }
    return lines;
}

ModelChoices MakeModelChoices(const QList<QByteArray>& lines)
{
    ModelChoices choices;
    choices.items = lines;
    // The list selects its second item, if it has one, before the empty items go.
    constexpr int kPreselected = 1;
    choices.selected = lines.size() > kPreselected ? kPreselected : -1;
    for (int i = int(choices.items.size()) - 1; i >= 0; --i) {
        if (!choices.items[i].isEmpty()) continue;
        choices.items.removeAt(i);
        if (i == choices.selected) {
            choices.selected = -1;
        } else if (i < choices.selected) {
            --choices.selected;
        }
    }
    return choices;
}

}  // namespace Catalogue
