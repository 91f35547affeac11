// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollArea>

// The area under the tab bar that holds every generated control at its page pixel
// position. It scrolls when the shown controls reach past the window instead of cutting
// them off.
class PageArea : public QScrollArea {
    Q_OBJECT
public:
    explicit PageArea(QWidget* parent = nullptr);

    // The parent of the generated controls; (0, 0) is the page's top-left pixel.
    QWidget* Content() const { return content_; }
    // Grows or shrinks the scrollable extent to the controls that are shown now.
    void UpdateExtent();
    // The rectangle the shown controls cover, in page pixels.
    QRect ShownExtent() const;

private:
    QWidget* content_;
};
