// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

// The edit box of the generated pages. A numeric box takes digits, one decimal point,
// spaces and control characters; a text box takes what a configuration line can carry; a
// box that is not writable takes nothing, cannot keep the focus and draws its text dark
// blue on the button face.
class CEditEx : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditEx(QWidget* parent = nullptr);

    bool IsNumeric() const { return numeric_; }
    void SetNumeric(bool numeric) { numeric_ = numeric; }
    bool IsWritable() const { return writable_; }
    void SetWritable(bool writable);

    // What of `text` gets in when it replaces the `length` characters at `at` of a box showing
    // `current` (typed, pasted or composed alike). A text box refuses what a configuration
    // line cannot carry (':' and a '/' next to a '/'); a numeric box takes digits, one point
    // and control characters.
    static QString FilterInsert(const QString& text, const QString& current, int at, int length, bool numeric,
                                bool writable);

    // Inserts the clipboard's text through the character filter.
    void PasteFiltered();

Q_SIGNALS:
    // The box lost the keyboard focus to another control (not to a menu or a popup). A box
    // that was not writable when the focus arrived only bounces it on and reports nothing:
    // nobody typed into it, and reporting would rewrite a read-only value with its bound.
    void FocusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void ApplyLook();
    void PassFocusOn(Qt::FocusReason reason);
    void InsertFiltered(const QString& text);
    // The text that gets in when `text` replaces the selection (or goes in at the cursor).
    QString Filtered(const QString& text) const;

    bool numeric_ = false;
    bool writable_ = true;
    bool focusedWritable_ = false;
};
