// SPDX-License-Identifier: MIT
#pragma once

class QAccessibleEvent;
class QObject;
class QWidget;

// Keeps the accessibility bridge from hearing about the controls of pages out of sight: the
// controls made on a hidden page, and the controls of the pages a tab switch hides and shows.
// With a screen reader listening each such update is a message of its own, thousands for a
// large template; the reader is told that a page went or came, and asks for what is on it.
class QuietPages {
public:
    // Marks a widget as a page whose controls are announced only while it is in sight.
    static void MarkPage(QWidget* page);
    // The filter is in place while at least one page area lives.
    static void Attach();
    static void Detach();
    // While a switch runs, the controls of every page are left unannounced.
    static void BeginSwitch();
    static void EndSwitch();
    // The object is a control (or a part of one) on a page.
    static bool OnPage(const QObject* object);

private:
    static void Filter(QAccessibleEvent* event);
};
