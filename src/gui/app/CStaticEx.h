// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// The side logo: a bitmap file painted at its own size at the top-left corner; nothing at
// all when the file could not be loaded.
class CStaticEx : public QWidget {
    Q_OBJECT
public:
    explicit CStaticEx(QWidget* parent = nullptr);

    // Loads the bitmap; the loaded flag is the result.
    bool LoadBitmapFile(const QString& path);
    bool IsLoaded() const { return loaded_; }
    QSize BitmapSize() const { return loaded_ ? bitmap_.size() : QSize(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap bitmap_;
    bool loaded_ = false;
};
