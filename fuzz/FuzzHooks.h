// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

#include "MemoryFile.h"
#include "model/ConfigReader.h"

// Reader surroundings for fuzzing: the "indicator" answers with the given lines, then fails.
class FuzzHooks : public ReaderHooks {
public:
    explicit FuzzHooks(QList<QByteArray> replies = {}) : replies_(std::move(replies)) {}
    void Log(const QByteArray&, int) override {}
    bool Exchange(const QByteArray&, QByteArray& reply) override
    {
        if (next_ >= replies_.size()) return false;
        reply = replies_.at(next_++);
        return true;
    }
    void ConfigurationMismatch() override {}
    void SetTicketCount(int count) override { ticketCount = count; }
    void LoadTicketData(QIODevice& stream) override { stream.readAll(); }

    int ticketCount = 0;

private:
    QList<QByteArray> replies_;
    int next_ = 0;
};

// The reader over bytes held in memory, as it reads a file.
inline int ReadBytes(ConfigModel& model, const QByteArray& bytes, int fromFile, ReaderHooks& hooks)
{
    MemoryFile file(bytes);
    return ConfigReader::ReadConfiguration(model, &file, fromFile, hooks);
}
