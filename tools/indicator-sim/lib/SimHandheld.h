// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <map>
#include <vector>

class IndicatorSim;
class SimEngine;

// A handheld PC on a simulator's link. It answers the program's probe (a bare carriage return)
// with "?", takes a configuration sent like an update of an indicator (the description, the
// model line, the settings, "END:", tickets by slot download, "LAST_TICKET:") and keeps it in
// one of its places; on "\nfiles\r" it lists its places, and on "\nsend\r" and an index it
// replays a kept configuration and its tickets as an update, waiting for the program's answers.
class SimHandheld : public QObject {
    Q_OBJECT
public:
    struct Configuration {
        QByteArray name;  // empty: the place is unused
        // The lines as they arrived, between line feed and carriage return: the model line, the
        // settings with their checksums, the end line.
        QList<QByteArray> lines;
        std::map<int, QByteArray> tickets;
    };

    struct Faults {
        int answerProbeFrom = 1;        // the first probe answered (1 = every one; 0 = none)
        QList<QByteArray> fileList;     // served as the file list instead of the places
        QByteArray firstLine = "XJ";    // the replay's first line; "XJ" waits for "\n001\r"
        char slotCharacter = 0;         // sent instead of each ticket's slot digit
        int shortChunkAt = -1;          // this chunk of a replay (0 = the first) brings 4 bytes too few
    };

    // Plays on `sim`'s link, which then is a handheld's, not an indicator's.
    explicit SimHandheld(IndicatorSim& sim, int places = 10, QObject* parent = nullptr);

    std::vector<Configuration>& Places() { return places_; }
    Faults& HandheldFaults() { return faults_; }
    // The lines "\nfiles\r" gets: "name:", "name,1,2:" or "----Empty----:" per place.
    QList<QByteArray> FileList() const;
    // Keeps a handheld file (and the ticket files beside it) in the first unused place.
    bool Load(const QString& path, QString* error);
    // The lines of a handheld file or file list: LF or CR LF ended, blank ones left out.
    static QList<QByteArray> NonEmptyLines(const QByteArray& text);

private:
    enum class State {
        Idle, Description, ModelLine, Settings, Tickets,                  // taking a configuration
        Listing, Index,                                                    // the file list
        Unlock, Start, Line, SlotReply, Download, Slot, Chunk, TicketEnd,  // replaying
    };

    void Keep(Configuration configuration);
    bool Take(SimEngine& engine, char byte);
    void OnLine(SimEngine& engine, const QByteArray& text);
    void OnSetting(SimEngine& engine, const QByteArray& command);
    void Replay(SimEngine& engine, int place);
    void Acknowledged(SimEngine& engine);
    void SendStart(SimEngine& engine);
    void SendNextLine(SimEngine& engine);
    void SendNextTicket(SimEngine& engine);
    void SendNextChunk(SimEngine& engine);

    IndicatorSim& sim_;
    Faults faults_;
    std::vector<Configuration> places_;
    State state_ = State::Idle;
    int probes_ = 0;
    Configuration incoming_;
    QList<QByteArray> list_;
    int listed_ = 0;
    Configuration replay_;
    int line_ = 0;
    std::map<int, QByteArray>::const_iterator ticket_;
    int offset_ = 0;
    int chunk_ = 0;
};
