// SPDX-License-Identifier: MIT
#include "CEditEx.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "model/EntryValues.h"

namespace {

// Read-only boxes draw dark blue text on the button face.
const QColor kReadOnlyText(0, 0, 128);

// Highest character an 8-bit value can hold.
constexpr char32_t kLastLatin1 = 0xFF;
// Codes up to and including the space count as control characters (backspace must work).
constexpr char32_t kLastControl = 32;

bool IsDialogKey(int key)
{
    // Enter, Escape and Tab belong to the window (the ticket editor and the focus chain),
    // never to the box's filter.
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab
        || key == Qt::Key_Backtab;
}

}  // namespace

CEditEx::CEditEx(QWidget* parent) : QLineEdit(parent)
{
    // Dropped text would bypass the filter.
    setAcceptDrops(false);
    setFrame(true);
}

QString CEditEx::FilterInsert(const QString& text, const QString& current, int at, int length, bool numeric,
                              bool writable)
{
    if (!writable) return QString();
    at = std::clamp(at, 0, int(current.size()));
    length = std::clamp(length, 0, int(current.size()) - at);
    const QString kept = current.left(at) + current.mid(at + length);
    const QString after = current.mid(at + length, 1);
    bool hasPoint = kept.contains(QLatin1Char('.'));
    QString accepted;
    auto carried = [](const QString& part) { return EntryValues::LineCanCarry(part.toLatin1()); };
    // Two pieces a line carries each on its own but not side by side (a '/' next to a '/').
    auto clash = [&carried](const QString& left, const QString& right) {
        return carried(left) && carried(right) && !carried(left + right);
    };
    for (const QChar ch : text) {
        // Values are 8-bit text: a character Latin-1 cannot hold never gets in.
        if (ch.unicode() > kLastLatin1) continue;
        if (numeric) {
            const char32_t c = ch.unicode();
            const bool point = c == U'.' && !hasPoint;
            if (c > kLastControl && !(c >= U'0' && c <= U'9') && !point) continue;
            hasPoint = hasPoint || point;
        } else {
            const QString before = !accepted.isEmpty() ? accepted.right(1) : current.mid(at - 1, at > 0 ? 1 : 0);
            if (!carried(ch) || clash(before, ch)) continue;
        }
        accepted += ch;
    }
    // The last character that got in must also sit well next to what follows it.
    if (!numeric && !accepted.isEmpty() && clash(accepted.right(1), after)) {
        accepted.chop(1);
    }
    return accepted;
}

QString CEditEx::Filtered(const QString& text) const
{
    const int at = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? int(selectedText().size()) : 0;
    return FilterInsert(text, this->text(), at, length, numeric_, writable_);
}

void CEditEx::SetWritable(bool writable)
{
    writable_ = writable;
    setReadOnly(!writable);
    ApplyLook();
    if (!writable && hasFocus()) PassFocusOn(Qt::OtherFocusReason);
}

void CEditEx::ApplyLook()
{
    if (writable_) {
        setPalette(QPalette());
        return;
    }
    QPalette look = palette();
    const QColor face = QApplication::palette().color(QPalette::Button);
    // Only the active and inactive groups: a disabled box keeps the greyed look.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        look.setColor(group, QPalette::Text, kReadOnlyText);
        look.setColor(group, QPalette::Base, face);
        look.setColor(group, QPalette::Window, face);
    }
    setPalette(look);
    update();
}

void CEditEx::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (writable_) PasteFiltered();
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() > 1) {
        InsertFiltered(text);
        event->accept();
        return;
    }
    // Control characters edit rather than insert (backspace); only a read-only box refuses them.
    const bool refused = !writable_ || (text.size() == 1 && text.at(0).unicode() > kLastControl && Filtered(text).isEmpty());
    if (refused) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEditEx::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString allowed = Filtered(commit);
    if (allowed == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(allowed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void CEditEx::PasteFiltered()
{
    InsertFiltered(QApplication::clipboard()->text(QClipboard::Clipboard));
}

void CEditEx::InsertFiltered(const QString& text)
{
    if (!writable_) return;
    const QString allowed = Filtered(text);
    if (!allowed.isEmpty()) insert(allowed);
}

void CEditEx::mouseReleaseEvent(QMouseEvent* event)
{
    // The X11 selection paste with the middle button goes through the filter too.
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (writable_) InsertFiltered(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CEditEx::contextMenuEvent(QContextMenuEvent* event)
{
    // Our own menu, so Paste goes through the filter.
    QMenu menu(this);
    const bool editable = writable_;
    const bool selected = hasSelectedText();
    QAction* a = menu.addAction(tr("&Undo"), this, &QLineEdit::undo);
    a->setEnabled(editable && isUndoAvailable());
    a = menu.addAction(tr("&Redo"), this, &QLineEdit::redo);
    a->setEnabled(editable && isRedoAvailable());
    menu.addSeparator();
    a = menu.addAction(tr("Cu&t"), this, &QLineEdit::cut);
    a->setEnabled(editable && selected && echoMode() == Normal);
    a = menu.addAction(tr("&Copy"), this, &QLineEdit::copy);
    a->setEnabled(selected && echoMode() == Normal);
    a = menu.addAction(tr("&Paste"), this, &CEditEx::PasteFiltered);
    a->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    a = menu.addAction(tr("Delete"), this, &QLineEdit::del);
    a->setEnabled(editable && selected);
    menu.addSeparator();
    a = menu.addAction(tr("Select All"), this, &QLineEdit::selectAll);
    a->setEnabled(!text().isEmpty());
    menu.exec(event->globalPos());
    event->accept();
}

void CEditEx::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    focusedWritable_ = writable_;
    if (!writable_) PassFocusOn(event->reason());
}

void CEditEx::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Opening a menu leaves the focus where it is, as far as the page is concerned.
    if (event->reason() == Qt::PopupFocusReason) return;
    const bool report = focusedWritable_;
    focusedWritable_ = false;
    if (report) Q_EMIT FocusLost();
}

void CEditEx::PassFocusOn(Qt::FocusReason reason)
{
    // After the focus change has finished: moving the focus from inside its own handler
    // confuses the focus chain.
    QTimer::singleShot(0, this, [this, reason]() {
        if (writable_ || !hasFocus()) return;
        if (reason == Qt::TabFocusReason) {
            focusNextChild();
        } else if (reason == Qt::BacktabFocusReason) {
            focusPreviousChild();
        } else if (parentWidget()) {
            parentWidget()->setFocus(Qt::OtherFocusReason);
        }
    });
}
