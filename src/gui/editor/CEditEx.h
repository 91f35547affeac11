// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

// The edit box of the generated pages. A numeric box takes digits, one decimal point,
// spaces and control characters; a box that is not writable takes nothing, cannot keep
// the focus and draws its text dark blue on the button face.
class CEditEx : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditEx(QWidget* parent = nullptr);

    bool IsNumeric() const { return numeric_; }
    void SetNumeric(bool numeric) { numeric_ = numeric; }
    bool IsWritable() const { return writable_; }
    void SetWritable(bool writable);

    // Whether the character `c`, typed into a box now showing `current`, gets in.
    static bool AcceptChar(char32_t c, const QString& current, bool numeric, bool writable);
    // What of `text` gets in when it is pasted over the selection of a box showing `current`
    // with `selected` selected.
    static QString FilterInsert(const QString& text, const QString& current, const QString& selected, bool numeric,
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

    bool numeric_ = false;
    bool writable_ = true;
    bool focusedWritable_ = false;
};
