// SPDX-License-Identifier: MIT
#include "SimProfile.h"

#include <QFile>

#include "model/ConfigModel.h"
#include "model/ConfigReader.h"

namespace {

constexpr char kProtocolLine[] = "SMA:2/1.0";
constexpr char kMakerLine[] = "MFG:Tervolin Scale Mfg";
constexpr int kMaxSettingsLine = 255;
// What a fourth "\nB\r" gets: the unit's serial number; after it the indicator has nothing more.
constexpr char kSerialLine[] = "SN:000001";

struct BuiltIn {
    int model;
    const char* revision;
    std::initializer_list<SimProfile::Setting> settings;
};

// The revisions are those the data set's templates describe, so rev.ini finds them.
const BuiltIn kBuiltIns[] = {
    {614, "REV:2.1", {{"unt", "1"}, {"tare", "00"}, {"CAP", "50000"}, {"INT", "5"}, {"DPP", "1"}}},
    {615, "REV:1.4", {{"unt", "1"}, {"tare", "0"}, {"CAP", "10000"}, {"INT", "2"}, {"DPP", "2"}}},
    {637, "REV:3.0", {{"unt", "1"}, {"tare", "0"}, {"CAP", "3000"}, {"INT", "1"}, {"DPP", "0"}}},
    {958, "REV:1.1", {{"unt", "1"}, {"tare", "0"}, {"CAP", "60000"}, {"INT", "2"}, {"DPP", "1"}}},
};

// Reading a template for its lines needs nothing from the program around the reader.
class QuietHooks final : public ReaderHooks {
public:
    void Log(const QByteArray&, int) override {}
    bool Exchange(const QByteArray&, QByteArray&) override { return false; }
    void ConfigurationMismatch() override {}
    void SetTicketCount(int) override {}
    void LoadTicketData(QIODevice&) override {}
};

}  // namespace

SimProfile SimProfile::ForModel(int model)
{
    SimProfile p;
    const BuiltIn* match = &kBuiltIns[0];
    for (const BuiltIn& b : kBuiltIns) {
        if (b.model == model) match = &b;
    }
    p.protocolLine = kProtocolLine;
    p.describeLines = {kMakerLine, "MOD:" + QByteArray::number(model), match->revision, kSerialLine};
    for (const Setting& s : match->settings) p.settings.push_back(s);
    return p;
}

bool SimProfile::LoadTemplate(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    ConfigModel model;
    QuietHooks hooks;
    if (!ConfigReader::ReadConfiguration(model, &file, 1, hooks)) {
        if (error) *error = QStringLiteral("the file's entries section does not end with END:");
        return false;
    }
    const CDevice& d = model.fileDevice;
    protocolLine = d.protocolLine;
    describeLines = {d.mfgLine, d.modelLine, d.revisionLine, kSerialLine};
    settings.clear();
    for (const auto& entry : model.entries) {
        if (!entry->code.isEmpty()) settings.push_back({entry->code, entry->value});
        for (const auto& sub : entry->subEntries) {
            if (!sub->code.isEmpty()) settings.push_back({sub->code, sub->value});
        }
    }
    return true;
}

bool SimProfile::LoadSettingsFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(kMaxSettingsLine + 1).trimmed();
        const int colon = int(line.indexOf(':'));
        if (line.isEmpty() || line.startsWith("//") || colon <= 0) continue;
        QByteArray value = line.mid(colon + 1);
        const int end = int(value.indexOf(':'));
        if (end >= 0) value.truncate(end);
        SetValue(line.left(colon), value);
    }
    return true;
}

void SimProfile::SetValue(const QByteArray& code, const QByteArray& value)
{
    for (Setting& s : settings) {
        if (s.code == code) {
            s.value = value;
            return;
        }
    }
    settings.push_back({code, value});
}

QByteArray SimProfile::Value(const QByteArray& code) const
{
    for (const Setting& s : settings) {
        if (s.code == code) return s.value;
    }
    return QByteArray();
}

bool SimProfile::HasCode(const QByteArray& code) const
{
    for (const Setting& s : settings) {
        if (s.code.toUpper() == code.toUpper()) return true;
    }
    return false;
}
