// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <vector>

// Kinds of status log lines.
enum StatusKind : int { kError = 0, kWarning = 1, kCommError = 2, kInformation = 3 };

struct StatusLine {
    int kind = kInformation;
    QByteArray text;
};

// The status log: what every command reports to the user, in order.
class StatusLog : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The "Type" column text of a kind; empty outside 0 to 3.
    static QByteArray KindLabel(int kind);

    void Add(const QByteArray& text, int kind);
    void Clear();
    const std::vector<StatusLine>& Lines() const { return lines_; }
    int RowCount() const { return int(lines_.size()); }

Q_SIGNALS:
    void LineAdded(int row, int kind, const QByteArray& text);
    void Cleared();

private:
    std::vector<StatusLine> lines_;
};
