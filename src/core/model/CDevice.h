// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// A device description: the indicator on the link (the attached record) or the
// description read with a template or configuration file (the file record).
class CDevice {
public:
    // identified := 1 only when the four identity lines describe an indicator of our own maker.
    void CheckIdentity();
    // Same last three revision characters, same manufacturer line, same model line.
    bool SameDevice(const CDevice& other) const;
    // Clears the four identity lines (not the field list, not the flags).
    void ClearIdentity();

    // The model text: the model line from its fifth character on.
    QByteArray ModelText() const;
    // The version text: the last three characters of the revision line.
    QByteArray VersionText() const;
    // The field codes of the fields line: from the character after where "FIELDS:" ends, at
    // most kFieldListLength characters.
    QByteArray FieldList() const;

    QByteArray GetMfgLine() const { return mfgLine; }
    QByteArray GetModelLine() const { return modelLine; }
    QByteArray GetRevisionLine() const { return revisionLine; }
    QByteArray GetProtocolLine() const { return protocolLine; }
    QByteArray GetFieldsLine() const { return fieldsLine; }

    int identified = 0;
    int unlocked = 0;
    QByteArray mfgLine;
    QByteArray modelLine;
    QByteArray revisionLine;
    QByteArray protocolLine;
    QByteArray fieldsLine;
};

// What a fields line begins with.
inline constexpr char kFieldsPrefix[] = "FIELDS:";
// The longest field list a fields line carries (the ticket editor's property holds no more).
inline constexpr int kFieldListLength = 116;

// The maker's name every identified indicator reports on its manufacturer line.
inline constexpr char kMakerName[] = "Tervolin Scale Mfg";
// The field list given to the attached device after identification (it reports none).
inline constexpr char kDefaultFieldsLine[] =
    "FIELDS:GR1,TF2,NF3,TM4,DT5,ID6,CN7,UF8,DW9,PWA,PCB,I1C,I2D,I3E,GAF,NAG,P1H,P2I,P3J,R1K,R2L,R3M,G1N,G2O,G3P,U1Q,"
    "U2R,U3S,XNZ,";
