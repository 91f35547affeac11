// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollArea>
#include <map>

// The area under the tab bar that holds every generated control at its page pixel
// position. Each tab has a page of its own that owns the tab's controls and fills the area;
// switching tabs hides one page and shows another, however many controls they hold. It
// scrolls when the shown controls reach past the window instead of cutting them off.
class PageArea : public QScrollArea {
    Q_OBJECT
public:
    explicit PageArea(QWidget* parent = nullptr);
    ~PageArea() override;

    // The parent of the pages and of what floats above them (the ticket editor); (0, 0) is
    // the page's top-left pixel.
    QWidget* Content() const { return content_; }
    // The page of a tab, made hidden on first use with the controls' font; tabs below 0
    // share one page that is never shown.
    QWidget* PageOf(int tab);
    // Hides every page but the tab's.
    void HideAllBut(int tab);
    // Shows the page of one tab (none for -1) and hides every other.
    void ShowOnly(int tab);
    // Grows or shrinks the scrollable extent to the controls that are shown now.
    void UpdateExtent();
    // The rectangle the shown controls cover, in page pixels.
    QRect ShownExtent() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* content_;
    std::map<int, QWidget*> pages_;
};
