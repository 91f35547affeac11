// SPDX-License-Identifier: MIT
#include "CDevice.h"

#include "TextConv.h"

void CDevice::CheckIdentity()
{
    identified = 0;
    if (modelLine.contains("MOD:") && mfgLine.contains("MFG:") && mfgLine.contains(kMakerName)
        && revisionLine.contains("REV:") && protocolLine.contains("SMA:")) {
        identified = 1;
    }
}

bool CDevice::SameDevice(const CDevice& other) const
{
    return TextConv::Right(revisionLine, 3) == TextConv::Right(other.revisionLine, 3)
        && mfgLine == other.mfgLine && modelLine == other.modelLine;
}

void CDevice::ClearIdentity()
{
    protocolLine.clear();
    revisionLine.clear();
    modelLine.clear();
    mfgLine.clear();
}

QByteArray CDevice::ModelText() const
{
    return TextConv::Mid(modelLine, 4);
}

QByteArray CDevice::VersionText() const
{
    return TextConv::Right(revisionLine, 3);
}

QByteArray CDevice::FieldList() const
{
    return TextConv::Mid(fieldsLine, int(sizeof kFieldsPrefix) - 1, kFieldListLength);
}
