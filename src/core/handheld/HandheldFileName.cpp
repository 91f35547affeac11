// SPDX-License-Identifier: MIT
#include "HandheldFileName.h"

#include "model/TextConv.h"

namespace {

constexpr char kReplacement = '_';
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

bool IsControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < kFirstPrintable || u == kDelete;
}

bool IsTrailingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

QByteArray HandheldFileName::Safe(const QByteArray& name, bool* changed)
{
    QByteArray trimmed = name;
    while (!trimmed.isEmpty() && IsTrailingSpace(trimmed.back())) trimmed.chop(1);
    QByteArray safe = trimmed;
    for (char& c : safe) {
        if (c == '/' || c == '\\' || IsControl(c)) c = kReplacement;
    }
    if (safe.startsWith('.')) safe[0] = kReplacement;
    if (safe.isEmpty()) safe = kUnnamedHandheldFile;
    if (changed) *changed = safe != trimmed;
    return safe;
}

QString HandheldFileName::ConfigurationPath(const QString& folder, const QByteArray& base)
{
    return folder + TextConv::L1(base) + QStringLiteral(".plm");
}
