// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <memory>

// Everything that crossed the link, both ways, kept for tests and written escaped to a
// file or stderr for people (escaped as the program's own traffic trace is).
class SimTrafficLog {
public:
    enum class Direction { FromHost, ToHost };
    struct Item {
        Direction direction;
        QByteArray bytes;
    };

    // "-" writes to stderr; an empty path writes nowhere.
    bool SetOutput(const QString& path, QString* error);
    void Add(Direction direction, const QByteArray& bytes);
    // A note of the simulator's own ("connected", "unplugged").
    void Note(const QByteArray& text);
    void Clear();

    const QList<Item>& Items() const { return items_; }
    // Every byte one way, in order.
    QByteArray Bytes(Direction direction) const;

private:
    void Write(const QByteArray& line);

    QList<Item> items_;
    std::unique_ptr<QFile> out_;
};
