// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>

// Bytes in memory read the way the reader meets a file: buffered, seekable. (QBuffer is always
// unbuffered, so QIODevice::readLine would take it one character at a time.)
class MemoryFile : public QIODevice {
public:
    explicit MemoryFile(const QByteArray& bytes) : bytes_(bytes) { open(QIODevice::ReadOnly); }
    qint64 size() const override { return bytes_.size(); }
    bool seek(qint64 pos) override
    {
        if (!QIODevice::seek(pos)) return false;
        at_ = pos;
        return true;
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::clamp<qint64>(bytes_.size() - at_, 0, maxSize);
        std::memcpy(data, bytes_.constData() + at_, size_t(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};
