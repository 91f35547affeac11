// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>

#include "platform/Prompts.h"

// Nobody answers boxes in a benchmark; they are printed and answered OK. The update option
// is "Send Setup Only".
class BenchPrompts : public DecliningPrompts {
public:
    Answer MessageBox(const QByteArray& text, const QByteArray&, Buttons, Icon) override
    {
        std::fprintf(stderr, "box: %s\n", text.constData());
        return Answer::Ok;
    }
};

// A 614 template of `count` numeric settings "s0", "s1", ... on one tab, four to a row.
inline QByteArray ManySettingsTemplate(int count)
{
    QByteArray t = "MFG:Tervolin Scale Mfg\r\nMOD:614\r\nREV:2.1\r\nSMA:2/1.0\r\nFIELDS:GR1,\r\nHDR:Setup:\r\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray code = "s" + QByteArray::number(i);
        t += code + ':' + QByteArray::number(20 + (i % 4) * 120) + ':' + QByteArray::number(60 + (i / 4) * 40) +
             ":0:0-99999:0-99999:Setting " + QByteArray::number(i) + ":edit:\r\n";
    }
    t += "END:\r\nEND:\r\nEND:\r\nEND:\r\nEND:\r\n";
    return t;
}

// Writes that template as "Configurations/614.tpl" below `base`; returns its path, or an
// empty text when it cannot be written.
inline QString WriteManySettingsTemplate(const QString& base, int count)
{
    QDir().mkpath(base + QStringLiteral("Configurations"));
    const QString path = base + QStringLiteral("Configurations/614.tpl");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(ManySettingsTemplate(count)) < 0) return QString();
    return path;
}
