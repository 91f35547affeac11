// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

// The splash window: a frameless picture that closes itself after a while or when clicked.
class SplashDlg : public QDialog {
    Q_OBJECT
public:
    explicit SplashDlg(QWidget* owner = nullptr);

    // Shows the picture at its own size and closes (as accepted) after `lifetimeMs` or on a
    // left click, whichever comes first.
    void Start(int lifetimeMs = kLifetimeMs);

    static constexpr int kLifetimeMs = 3000;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    QTimer timer_;
};
