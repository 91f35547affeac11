// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

#include "model/ConfigReader.h"

// Reader surroundings for fuzzing: the "indicator" answers with the given lines, then fails.
class FuzzHooks : public ReaderHooks {
public:
    explicit FuzzHooks(QList<QByteArray> replies = {}) : replies_(std::move(replies)) {}
    void Log(const QByteArray&, int) override {}
    bool Exchange(const QByteArray&, QByteArray& reply) override
    {
        if (replies_.isEmpty()) return false;
        reply = replies_.takeFirst();
        return true;
    }
    void ConfigurationMismatch() override {}
    void SetTicketCount(int count) override { ticketCount = count; }
    void LoadTicketData(QIODevice& stream) override { stream.readAll(); }

    int ticketCount = 0;

private:
    QList<QByteArray> replies_;
};
