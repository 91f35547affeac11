// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <map>
#include <vector>

// What the simulated indicator says about itself and what settings it holds.
class SimProfile {
public:
    struct Setting {
        QByteArray code;
        QByteArray value;
    };

    // Built-in descriptions and a handful of settings for the models 614, 615, 637 and 958;
    // other numbers get a 614-like description with their own model number.
    static SimProfile ForModel(int model);

    // Takes the description lines and every entry's code and value (sub-entries too) from a
    // template or configuration file, read with the program's own reader.
    bool LoadTemplate(const QString& path, QString* error);
    // Replaces or adds settings from "code:value" lines (a trailing ':' and more fields allowed).
    bool LoadSettingsFile(const QString& path, QString* error);

    // Sets one setting (added at the end when the code is new). Codes compare exactly.
    void SetValue(const QByteArray& code, const QByteArray& value);
    // The value of a code, or an empty text when there is none.
    QByteArray Value(const QByteArray& code) const;
    bool HasCode(const QByteArray& code) const;

    QByteArray protocolLine;   // the "\nA\r" reply: "SMA:..."
    // The "\nB\r" replies in order: manufacturer, model, revision, then anything further.
    QList<QByteArray> describeLines;
    // The "\nXJ\r" reply, a decimal number whose lowest bit says "unlocked"; empty: no reply.
    QByteArray lockReply = "1";
    std::vector<Setting> settings;

    // The slot query's reply: this character (the number of locations as a digit), a space,
    // and the largest ticket taken in bytes.
    char ticketLocations = '6';
    int maxTicketSize = 2000;
    // Tickets stored by downloads, by slot.
    std::map<int, QByteArray> tickets;
    // The slot whose ticket "\nXU\r" reads back, its bytes as they were stored.
    int uploadSlot = 1;
};
